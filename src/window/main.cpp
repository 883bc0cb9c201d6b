// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "catalogues.h"
#include "forms/program.h"
#include "frmMain.h"
#include "version.h"

#include <memory>

int main(int argc, char** argv)
{
    return forms::RunProgram(argc, argv, { kAppName, kAppVersion, kAppId, Catalogues() },
        [](forms::Runtime& runtime) { return std::make_unique<frmMain>(runtime); });
}
