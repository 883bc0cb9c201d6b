// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "qt_platform.h"

#include "conversions.h"

#include <QApplication>
#include <QMessageBox>


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

} // namespace

void QtPlatform::DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

int QtPlatform::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    // A message with an OK button is all that a form asks for; other button
    // sets are refused rather than shown with buttons that mean nothing.
    if ((style & 0x0F) != vbOKOnly)
        Raise(ErrorNumber::InvalidProcedureCall);
    const QString caption = title.empty() ? QApplication::applicationName() : ToQString(title);
    QMessageBox box(IconOf(style), caption, ToQString(prompt), QMessageBox::Ok, window_);
    box.exec();
    return vbOK;
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
