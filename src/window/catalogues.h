// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The languages of the texts the game adds around its form, each built in
// from po/LANG.po (the build generates the definition).

#include "forms/language.h"

#include <span>

std::span<const forms::Catalogue> Catalogues();
