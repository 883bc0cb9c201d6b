# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# How many accessibility events one play of about two seconds sends to a
# screen reader: a real AT-SPI client listens while the game, in a private X
# server, is played with real clicks. Prints the count by event type.
#   dbus-run-session -- /usr/bin/python3 bench/atspi_events.py build/vantu
import collections
import os
import subprocess
import sys
import threading
import time

sys.path[:0] = [os.path.join(os.path.dirname(__file__), '..', 'tests', folder) for folder in ('e2e', 'support')]
import harness  # noqa: E402
import pyatspi  # noqa: E402
from gi.repository import GLib  # noqa: E402

desktop = harness.desktop()
next(desktop)
game = harness.Game(subprocess.Popen([sys.argv[1]], env=harness.environment()), harness.ENGLISH)
buttons = {name: game.centre(name) for name in ['GO'] + harness.STOPS}
counts, listening = collections.Counter(), threading.Event()


def heard(event):
    if listening.is_set() and event.host_application.get_process_id() == game.process.pid:
        counts[event.type] += 1


def click(name):
    harness.run('xdotool', 'mousemove', *map(str, buttons[name]), 'click', '1')


def play():
    listening.set()
    click('GO')
    time.sleep(2)
    for stop in harness.STOPS:
        click(stop)
    time.sleep(1.5)  # the stops take effect, the play is judged, its events arrive
    listening.clear()
    print(f'{sum(counts.values())} accessibility events in a play of about 2 s:', dict(counts))
    GLib.idle_add(pyatspi.Registry.stop)


for kind in ['object:', 'focus:', 'window:']:
    pyatspi.Registry.registerEventListener(heard, kind)
threading.Timer(1, play).start()
pyatspi.Registry.start()
game.process.kill()
game.process.wait()
next(desktop, None)
