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
    Runtime runtime(platform, info.Name);
    const std::unique_ptr<Form> form = createForm(runtime);
    qt::FormWindow window(*form, runtime);
    platform.SetMainWindow(&window);

    runtime.Load(*form);
    if (runtime.Ended())
        return runtime.ExitStatus();
    window.show();
    window.FocusFirstButton();
    QApplication::exec();
    return runtime.ExitStatus();
}

} // namespace forms
