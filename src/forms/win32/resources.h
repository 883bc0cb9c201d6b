/* SPDX-FileCopyrightText: 2026 The Vantu developers
 * SPDX-License-Identifier: MIT
 *
 * Resource ids that a program's resource script and the Win32 backend share.
 * Plain C preprocessor text: the resource compiler reads it too. */

#pragma once

/* The program's icon: the first icon of the program file, which Windows
   shows for it, and the icon of its window. */
#define FORMS_PROGRAM_ICON 1
