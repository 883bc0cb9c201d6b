# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The game as a player and a screen reader meet it: found in the AT-SPI tree,
# driven with real input (xdotool, wmctrl), judged against an oracle of the
# reels and the pay table.
import os
import pathlib
import re
import subprocess
import tempfile

import pyatspi
import pytest
from PIL import ImageGrab

from rules import ENGLISH, STOPS, TIMEOUT, Texts, wait  # noqa: F401 (bench/atspi_events.py takes STOPS from here)


# The game's environment: on X, with accessibility on, in English unless
# lang is given, as LANG, as the desktop sets it ("C.UTF-8:de" sets LANG
# and LANGUAGE).
def environment(lang=None):
    env = {name: value for name, value in os.environ.items()
           if name not in ('LANGUAGE', 'LC_ALL', 'LC_MESSAGES', 'LANG')}
    env.update(QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
               **dict(zip(('LANG', 'LANGUAGE'), lang.split(':'))) if lang else {})
    return env


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True, timeout=TIMEOUT).stdout


# The screen, or the part of it in box (left, top, right, bottom).
def screen(box=None):
    return ImageGrab.grab(box, xdisplay=os.environ['DISPLAY'])


# Xvfb on a display it picks itself, openbox, and the accessibility bus of the
# D-Bus session that the tests run in; a generator, for a pytest fixture.
def desktop():
    assert os.environ.get('DBUS_SESSION_BUS_ADDRESS'), 'run the tests under dbus-run-session'
    with tempfile.TemporaryDirectory(prefix='vantu-e2e-') as home:
        servers = [subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', '1024x768x24', '-nolisten', 'tcp'],
                                    stdout=subprocess.PIPE, text=True)]
        try:
            display = servers[0].stdout.readline().strip()  # written once the server takes clients
            assert display, 'Xvfb did not start'
            # What the bus launcher and registry, activated on demand, run with:
            # so the accessibility bus has its socket in this run's own directory.
            os.environ.update(DISPLAY=f':{display}', XDG_RUNTIME_DIR=home, XDG_CACHE_HOME=home)
            run('dbus-update-activation-environment', 'DISPLAY', 'XDG_RUNTIME_DIR', 'XDG_CACHE_HOME')
            servers.append(subprocess.Popen(['openbox', '--sm-disable']))
            wait(lambda: 'window id' in run('xprop', '-root', '_NET_SUPPORTING_WM_CHECK'), 'openbox')
            pyatspi.Registry.getDesktop(0)  # starts the accessibility bus before any game looks for it
            yield
        finally:
            for server in reversed(servers):
                server.terminate()  # so Xvfb removes its lock file and socket
                server.wait(timeout=TIMEOUT)


session_desktop = pytest.fixture(scope='session', name='desktop')(desktop)


# A headless Weston with Xwayland, in a runtime directory of its own; yields
# what its clients need in their environment. Weston starts Xwayland on the
# first X client, and crashes if it cannot make its X socket.
@pytest.fixture
def weston():
    os.makedirs('/tmp/.X11-unix', mode=0o1777, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix='vantu-weston-') as runtime:
        log = pathlib.Path(runtime, 'weston.log')
        server = subprocess.Popen(['weston', '--backend=headless-backend.so', '--xwayland', '--socket=vantu',
                                   '--idle-time=0', f'--log={log}'], env=dict(os.environ, XDG_RUNTIME_DIR=runtime))
        try:
            listening = wait(lambda: log.exists() and re.search(r'xserver listening on display (:\d+)',
                                                                log.read_text()), 'Weston\'s X server')
            yield dict(XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY='vantu', DISPLAY=listening[1])
        finally:
            server.terminate()
            server.wait(timeout=TIMEOUT)


@pytest.fixture
def launch(desktop):
    # Starts the game (VANTU_BIN, or the binary another variable names) with
    # accessibility on; kills what is left of it.
    processes = []

    # The game speaks English unless the test gives it a language, lang.
    def start(variable='VANTU_BIN', lang=None):
        processes.append(subprocess.Popen([os.environ[variable]], env=environment(lang)))
        return Game(processes[-1], Texts.of(lang.split(':')[-1]) if lang else ENGLISH)
    yield start
    for process in processes:
        process.kill()  # nothing when it has ended
        process.wait()


# One run of the game, found in the tree by its process id: the adapter
# that player.py plays through.
class Game:

    def __init__(self, process, tr):
        self.process, self.tr = process, tr
        self.app = wait(lambda: next((app for app in pyatspi.Registry.getDesktop(0) if app is not None
                                      and app.get_process_id() == process.pid), None), 'the game in the tree')
        self.window = wait(lambda: self.top('Vantu'), 'the game window')
        wait(lambda: self.has(self.window, 'active'), 'the game window to get the keyboard focus')

    def top(self, name):
        return next((window for window in self.app if window is not None and window.name == name), None)

    def find(self, name):  # the control of that name in the window, or the control given
        found = pyatspi.findDescendant(self.window, lambda c: c.name == name) if isinstance(name, str) else name
        assert found, f'no control named {name!r}'
        return found

    def describe(self, name):
        return self.find(name).description

    def has(self, control, *states):
        state = self.find(control).getState()
        return all(state.contains(getattr(pyatspi, f'STATE_{name.upper()}')) for name in states)

    def box(self, control):  # left, top, right, bottom on the screen
        e = self.find(control).get_extents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.x + e.width, e.y + e.height

    def centre(self, control):
        left, top, right, bottom = self.box(control)
        return (left + right) // 2, (top + bottom) // 2

    def click(self, control):
        run('xdotool', 'mousemove', *map(str, self.centre(control)), 'click', '1')

    def key(self, name, held=False):  # xdotool's key is let go at once: X repeats no key it sends
        run('xdotool', 'key', name)

    def reels(self):  # a later grab of a reel differs, unless ten steps or none came between
        return [screen(self.box(reel[0])[:2] + self.box(reel[2])[2:]) for reel in self.tr.cells]

    def colours(self, names):  # only the pixels tell a lamp's colour
        return list(map(screen().getpixel, map(self.centre, names)))

    def close(self, signal=None):  # asks openbox, as the frame's close button does, or sends the signal
        run('wmctrl', '-c', 'Vantu') if signal is None else self.process.send_signal(signal)
        return self.process.wait(timeout=TIMEOUT)
