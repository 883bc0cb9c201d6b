// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "application.h"

#include "device_pixel_frames.h"
#include "form_window.h"
#include "platform_choice.h"
#include "qt_platform.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace forms::qt {

namespace {

// The two ends of the line from the signal handler to the event loop.
int terminationLine[2] = { -1, -1 };

void Terminated(int)
{
    // All a signal handler may safely do: the event loop does the rest. The
    // line never blocks, and the code that the signal interrupted keeps its
    // errno.
    const int interrupted = errno;
    const char signalled = 1;
    [[maybe_unused]] const ssize_t written = write(terminationLine[1], &signalled, 1);
    errno = interrupted;
}

// A request to end the program (SIGTERM from the desktop at logout or from
// `kill`, SIGINT from Ctrl+C in a terminal, SIGHUP when the terminal goes)
// closes the window, as the player does: the program ends with status 0,
// also in the middle of a spin. Without the line, the signal ends it as
// before.
void CloseOnTermination(QWidget& window)
{
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, terminationLine) != 0)
        return;
    auto* notifier = new QSocketNotifier(terminationLine[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char signalled = 0;
        [[maybe_unused]] const ssize_t read = ::read(terminationLine[0], &signalled, 1);
        window.close();
    });
    struct sigaction action = {};
    action.sa_handler = &Terminated;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : { SIGTERM, SIGINT, SIGHUP })
        sigaction(signal, &action, nullptr);
}

} // namespace

// Qt's event loop; a signal to end the program closes its window first.
void QtPlatform::Run()
{
    if (MainWindow() != nullptr)
        CloseOnTermination(*MainWindow());
    QApplication::exec();
}

void ConfigureApplication(const ProgramInfo& info)
{
    QApplication::setApplicationName(QString::fromUtf8(info.Name));
    QApplication::setApplicationVersion(QString::fromUtf8(info.Version));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(info.DesktopFileName));
    // The runtime decides when the program ends, and with which status.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    UseDevicePixelFrames();
}

} // namespace forms::qt

namespace forms {

int RunProgram(int argc, char** argv, const ProgramInfo& info, const FormFactory& createForm)
{
    qt::ChoosePlatform();
    QApplication app(argc, argv);
    qt::ConfigureApplication(info);
    qt::QtPlatform platform;
    return RunForm<qt::FormWindow>(platform, info, createForm);
}

} // namespace forms
