// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "qt_platform.h"

#include "conversions.h"
#include "form_window.h"
#include "forms/language.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>

namespace forms::qt {

namespace {

QMessageBox::Icon ToQIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtPlatform::DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPlatform::ShowMessage(const Message& message)
{
    QMessageBox box(ToQIcon(message.Icon), ToQString(message.Title), ToQString(message.Text), QMessageBox::Ok,
        MainWindow());
    box.exec();
}

void QtPlatform::Quit(int exitStatus)
{
    if (MainWindow() != nullptr)
        MainWindow()->hide();
    QCoreApplication::exit(exitStatus);
}

std::vector<std::string> QtPlatform::PreferredLanguages() const
{
    return PosixLanguages([](const char* name) { return std::getenv(name); });
}

} // namespace forms::qt
