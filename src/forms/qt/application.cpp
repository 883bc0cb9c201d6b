// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "application.h"

#include "device_pixel_frames.h"
#include "form_window.h"
#include "platform_choice.h"
#include "qt_platform.h"

#include <QApplication>

namespace forms::qt {

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
    return RunForm<qt::FormWindow>(platform, info, createForm, [](qt::FormWindow& window) {
        window.show();
        window.FocusFirstButton();
        QApplication::exec();
    });
}

} // namespace forms
