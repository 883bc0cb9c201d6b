#include "qt_platform.h"

#include <QApplication>
#include <QMessageBox>

#include <array>
#include <utility>

namespace forms::qt {

namespace {

QMessageBox::Icon IconOf(int style)
{
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The buttons of each button set, with the answer that each gives.
using Answer = std::pair<QMessageBox::StandardButton, int>;
constexpr int vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7;
constexpr std::array<std::array<Answer, 3>, 6> kButtonSets { {
    { { { QMessageBox::Ok, vbOK } } },
    { { { QMessageBox::Ok, vbOK }, { QMessageBox::Cancel, vbCancel } } },
    { { { QMessageBox::Abort, vbAbort }, { QMessageBox::Retry, vbRetry }, { QMessageBox::Ignore, vbIgnore } } },
    { { { QMessageBox::Yes, vbYes }, { QMessageBox::No, vbNo }, { QMessageBox::Cancel, vbCancel } } },
    { { { QMessageBox::Yes, vbYes }, { QMessageBox::No, vbNo } } },
    { { { QMessageBox::Retry, vbRetry }, { QMessageBox::Cancel, vbCancel } } },
} };

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void QtPlatform::DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int QtPlatform::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    const int set = style & 0x0F;
    if (set >= static_cast<int>(kButtonSets.size()))
        Raise(ErrorNumber::InvalidProcedureCall);
    const QString caption = title.empty() ? QApplication::applicationName() : ToQString(title);
    QMessageBox box(IconOf(style), caption, ToQString(prompt), QMessageBox::NoButton, window_);
    const auto& answers = kButtonSets[static_cast<std::size_t>(set)];
    int cancelling = vbOK;
    for (const auto& [button, answer] : answers) {
        if (button != QMessageBox::NoButton) {
            box.addButton(button);
            cancelling = answer;
        }
    }
    box.exec();
    const QMessageBox::StandardButton chosen = box.standardButton(box.clickedButton());
    for (const auto& [button, answer] : answers) {
        if (button != QMessageBox::NoButton && button == chosen)
            return answer;
    }
    // Closed without a button (Escape, the title bar): the last button's answer.
    return cancelling;
}

void QtPlatform::ReportFatal(const RuntimeError& error)
{
    const QString text = QStringLiteral("Run-time error '%1':\n\n%2")
                             .arg(error.Number())
                             .arg(QString::fromUtf8(error.Description()));
    QMessageBox::critical(window_, QApplication::applicationName(), text);
}

void QtPlatform::Quit(int exitStatus)
{
    if (window_ != nullptr)
        window_->hide();
    QCoreApplication::exit(exitStatus);
}

} // namespace forms::qt
