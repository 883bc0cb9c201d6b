# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).parents[1] / 'support'))  # the rules, shared with tests/web

from harness import launch, session_desktop, weston  # noqa: E402,F401 (the fixtures the tests use)
