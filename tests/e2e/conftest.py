# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

import os
import subprocess

import pytest

import harness

desktop = pytest.fixture(scope='session')(harness.desktop)


@pytest.fixture
def launch(desktop):
    # Starts the game (VANTU_BIN, or the binary another variable names) with
    # accessibility on; kills what is left of it.
    processes = []

    def start(variable='VANTU_BIN'):
        env = dict(os.environ, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1')
        processes.append(subprocess.Popen([os.environ[variable]], env=env))
        return harness.Game(processes[-1])
    yield start
    for process in processes:
        process.kill()  # nothing when it has ended
        process.wait()
