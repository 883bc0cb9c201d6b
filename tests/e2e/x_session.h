#pragma once

// The game as a process in an X session, for the end-to-end tests: running
// the X tools, starting and ending the game, finding its windows and grabbing
// what they show on the screen.
//
// The tests are X clients of the same display that run-with-xserver set up;
// xdotool, xwininfo, xprop and wmctrl do the talking to the window manager.

#include <QtTest>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>

#include <optional>

namespace e2e {

// How long the game and the tools get. Generous: CI machines can be slow.
inline constexpr int toolTimeoutMs = 10'000;
inline constexpr int windowTimeoutMs = 15'000;
inline constexpr int paintTimeoutMs = 10'000;
inline constexpr int exitTimeoutMs = 5'000;
inline constexpr int pollIntervalMs = 50;

// The window as the player sees it, in client-area pixels.
inline constexpr QSize clientSize{174, 214};
inline constexpr QRgb paleBlue = qRgb(192, 192, 255);
// A spot of plain background, away from every control, that tells whether
// the window has been painted yet.
inline constexpr QPoint backgroundProbe{4, 4};

// Fails the calling test unless the X tools are installed and this program
// is an X client (the xcb platform) of the display under test.
inline void requireXSession()
{
    for (const char *tool : {"xdotool", "xwininfo", "xprop", "wmctrl"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 qPrintable(QStringLiteral("%1 is not installed (scripts/install-deps --test)")
                                .arg(QLatin1String(tool))));
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
             qPrintable(QStringLiteral("these checks need the xcb platform, not %1")
                            .arg(QGuiApplication::platformName())));
}

inline QString rgbName(QRgb colour)
{
    return QStringLiteral("RGB(%1,%2,%3)")
        .arg(qRed(colour))
        .arg(qGreen(colour))
        .arg(qBlue(colour));
}

struct CommandResult {
    bool finished = false; // ran to its end within the time allowed
    int exitCode = -1;
    QString output; // standard output
    QString errors; // standard error, or why the command did not run

    bool succeeded() const { return finished && exitCode == 0; }
};

// Runs a command to its end, or kills it after timeoutMs.
inline CommandResult runCommand(const QString &program, const QStringList &arguments,
                                int timeoutMs = toolTimeoutMs)
{
    CommandResult result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs)) {
        result.errors = QStringLiteral("could not start %1: %2").arg(program, process.errorString());
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        result.errors = QStringLiteral("%1 %2 did not finish within %3 ms")
                            .arg(program, arguments.join(QLatin1Char(' ')))
                            .arg(timeoutMs);
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

// One run of the game. Whatever happens to the test, the game does not
// outlive this object.
class GameProcess
{
public:
    GameProcess() { process_.setProcessChannelMode(QProcess::ForwardedChannels); }
    GameProcess(const GameProcess &) = delete;
    GameProcess &operator=(const GameProcess &) = delete;
    ~GameProcess() { kill(); }

    bool start(const QString &program)
    {
        process_.start(program, {});
        return process_.waitForStarted(toolTimeoutMs);
    }
    void kill()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(exitTimeoutMs);
        }
    }
    // True once the game has ended, also when it had ended before the call.
    bool waitForExit(int timeoutMs) { return !isRunning() || process_.waitForFinished(timeoutMs); }

    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    qint64 pid() const { return process_.processId(); }
    QString errorString() const { return process_.errorString(); }
    bool exitedNormally() const { return process_.exitStatus() == QProcess::NormalExit; }
    int exitCode() const { return process_.exitCode(); }

private:
    QProcess process_;
};

// One property of a window as xprop prints it (everything after the
// property's name), or nothing when the window does not have it.
inline std::optional<QString> windowProperty(const QString &windowId, const QString &property)
{
    const CommandResult result = runCommand(QStringLiteral("xprop"),
                                            {QStringLiteral("-id"), windowId, property});
    if (!result.succeeded() || result.output.contains(QLatin1String("not found")))
        return std::nullopt;
    return result.output.mid(property.size()).trimmed();
}

// The ids ("0x...") of the visible windows titled exactly `title` (a plain title,
// matched whole; any title when empty), those of process pid only when
// pid > 0. Nothing when xdotool could not tell.
inline std::optional<QStringList> windowIds(const QString &title, qint64 pid = 0)
{
    QStringList arguments{QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible")};
    if (pid > 0)
        arguments << QStringLiteral("--pid") << QString::number(pid);
    if (!title.isEmpty())
        arguments << QStringLiteral("--name")
                  << QStringLiteral("^%1$").arg(QRegularExpression::escape(title));
    // xdotool exits with 1 when it finds nothing: that is an answer too.
    const CommandResult found = runCommand(QStringLiteral("xdotool"), arguments);
    if (!found.finished || (found.exitCode != 0 && found.exitCode != 1))
        return std::nullopt;
    QStringList ids;
    for (const QString &line : found.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qulonglong id = line.trimmed().toULongLong(&ok);
        if (ok)
            ids << QStringLiteral("0x%1").arg(id, 0, 16);
    }
    return ids;
}

// The id of the one visible window titled `title` that belongs to the
// process pid, once there is exactly one.
inline std::optional<QString> findWindow(qint64 pid, const QString &title,
                                         int timeoutMs = windowTimeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        const auto ids = windowIds(title, pid);
        if (ids && ids->size() == 1)
            return ids->front();
        QTest::qWait(pollIntervalMs);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

// The game's window: the one titled exactly "Vantu".
inline std::optional<QString> findGameWindow(qint64 pid, int timeoutMs = windowTimeoutMs)
{
    return findWindow(pid, QStringLiteral("Vantu"), timeoutMs);
}

// The window that has the keyboard focus, as the window manager tells it.
inline std::optional<QString> activeWindow()
{
    const CommandResult active = runCommand(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")});
    bool ok = false;
    const qulonglong id = active.output.trimmed().toULongLong(&ok);
    if (!active.succeeded() || !ok)
        return std::nullopt;
    return QStringLiteral("0x%1").arg(id, 0, 16);
}

// The window that windowId is a dialog of (WM_TRANSIENT_FOR), if any.
inline std::optional<QString> transientFor(const QString &windowId)
{
    // "(WINDOW): window id # 0x600006"
    const auto value = windowProperty(windowId, QStringLiteral("WM_TRANSIENT_FOR"));
    if (!value)
        return std::nullopt;
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("window id # (0x[0-9a-fA-F]+)")).match(*value);
    if (!match.hasMatch())
        return std::nullopt;
    return QStringLiteral("0x%1").arg(match.captured(1).toULongLong(nullptr, 16), 0, 16);
}

// Moves the pointer to a point of the screen. (Not with --sync: that waits
// for the pointer to move, forever when it is already there.)
inline CommandResult movePointer(const QPoint &screenPoint)
{
    return runCommand(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(screenPoint.x()),
                                                  QString::number(screenPoint.y())});
}

// A real click of the left mouse button at a point of the screen: the
// pointer moves there first, as a player's hand does. The X server takes
// the move before the button.
inline CommandResult clickAt(const QPoint &screenPoint)
{
    return runCommand(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(screenPoint.x()),
                       QString::number(screenPoint.y()), QStringLiteral("click"), QStringLiteral("1")});
}

// A real key press and release (an X keysym name such as "Return"), to
// whichever window has the keyboard focus.
inline CommandResult pressKey(const QString &key)
{
    return runCommand(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

// Asks the window manager to close the window, as the frame's close button
// does: it sends the window WM_DELETE_WINDOW.
inline CommandResult closeWindow(const QString &windowId)
{
    return runCommand(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), windowId});
}

// The window's client area in root-window (screen) coordinates, as xwininfo
// tells it. Not xdotool getwindowgeometry: under a reparenting window manager
// its position is shifted by the frame.
inline std::optional<QRect> clientAreaOnScreen(const QString &windowId)
{
    const CommandResult info = runCommand(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId});
    if (!info.succeeded())
        return std::nullopt;
    const auto field = [&info](const QString &name) -> std::optional<int> {
        const QRegularExpression pattern(QStringLiteral("^\\s*%1:\\s*(-?\\d+)\\s*$").arg(name),
                                         QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = pattern.match(info.output);
        if (!match.hasMatch())
            return std::nullopt;
        return match.captured(1).toInt();
    };
    const auto x = field(QStringLiteral("Absolute upper-left X"));
    const auto y = field(QStringLiteral("Absolute upper-left Y"));
    const auto width = field(QStringLiteral("Width"));
    const auto height = field(QStringLiteral("Height"));
    if (!x || !y || !width || !height)
        return std::nullopt;
    return QRect(*x, *y, *width, *height);
}

inline QImage grabScreenArea(const QRect &area)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Grabs the client area once the game has painted it: its background shows
// and two grabs in a row agree. Gives the last grab when time runs out, so the
// checks that follow say what is wrong with it.
inline QImage grabPaintedClientArea(const QRect &area, int timeoutMs = paintTimeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QImage previous;
    QImage current = grabScreenArea(area);
    while (!deadline.hasExpired()) {
        const bool backgroundShows = current.size() == area.size()
                                     && current.pixel(backgroundProbe) == paleBlue;
        if (backgroundShows && current == previous)
            break;
        QTest::qWait(pollIntervalMs);
        previous = current;
        current = grabScreenArea(area);
    }
    return current;
}

// Keeps an image next to the test's output, for a person to look at when a
// check of it fails. Returns where it went.
inline QString keepForInspection(const QImage &image, const QString &prefix, const QString &name)
{
    const QString path = QDir::current().absoluteFilePath(QStringLiteral("%1-%2.png").arg(prefix, name));
    return image.save(path) ? path : QStringLiteral("(could not save %1)").arg(path);
}

} // namespace e2e
