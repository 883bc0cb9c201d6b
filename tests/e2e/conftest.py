# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

from harness import launch, session_desktop, weston  # noqa: F401 (the fixtures the tests use)
