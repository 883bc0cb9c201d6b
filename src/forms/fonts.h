// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The faces a design names, and what stands in for them where they are not
// installed.

#include <functional>
#include <string_view>

namespace forms {

// The face to draw a design's face in: its own where it is installed, else
// the first installed of its look-alikes, else a proportional sans-serif
// face that the system has; with none of these, its own, for the toolkit to
// match. `installed` answers whether a face is installed.
std::string_view InstalledFace(std::string_view face, const std::function<bool(std::string_view)>& installed);

} // namespace forms
