// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/program.h"

namespace forms::qt {

// Sets the running application up as the program has it: its name, version
// and desktop file, and the frame style. The runtime, not the closing of the
// last window, ends the program.
void ConfigureApplication(const ProgramInfo& info);

} // namespace forms::qt
