# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# vantu.exe under Wine as a player meets it, on the X server that
# wine-desktop runs: a play by mouse and one by keyboard, with real input
# (xdotool) and judged from the screen, then the window closed through the
# window manager. Without a screen reader's view of Wine's windows, the
# pixels tell: the reels move, stop, and a lamp is lit exactly where its
# line's three cells show the same picture.
import os
import subprocess
import time

from PIL import ImageGrab

TIMEOUT = 30  # seconds; Wine starts slowly on a busy machine
# The design in pixels at 96 dpi, from the client area's top left corner.
GO = (154, 74)
STOPS = [(35, 153), (67, 153), (99, 153)]
CELLS = [[(left, top, left + 28, top + 36) for top in (15, 54, 93)] for left in (22, 53, 85)]
REELS = (22, 15, 113, 129)
LAMPS = [(126, top + 7) for top in (3, 27, 63, 104, 129)]
COUNTER = (11, 176, 164, 203)
LINES = [(2, 1, 0), (0, 0, 0), (1, 1, 1), (2, 2, 2), (0, 1, 2)]  # each line's rows, left to right


def wait(read, what):
    deadline = time.monotonic() + TIMEOUT
    while not (value := read()):
        assert time.monotonic() < deadline, f'timed out after {TIMEOUT} s waiting for {what}'
        time.sleep(0.1)
    return value


def xdotool(*args):
    return subprocess.run(['xdotool', *args], capture_output=True, text=True, timeout=TIMEOUT).stdout


class Game:
    def __init__(self):
        self.process = subprocess.Popen(['wine', os.environ['VANTU_EXE']])
        window = wait(lambda: xdotool('search', '--onlyvisible', '--name', '^Vantu$').split(), 'the window')[0]
        info = subprocess.run(['xwininfo', '-id', window], capture_output=True, text=True, check=True).stdout
        field = dict(line.strip().split(': ', 1) for line in info.splitlines() if ': ' in line)
        self.origin = int(field['Absolute upper-left X']), int(field['Absolute upper-left Y'])
        assert (field['Width'], field['Height']) == ('174', '214')

    def grab(self, box):
        x, y = self.origin
        return ImageGrab.grab((box[0] + x, box[1] + y, box[2] + x, box[3] + y), xdisplay=os.environ['DISPLAY'])

    def click(self, point):
        xdotool('mousemove', str(point[0] + self.origin[0]), str(point[1] + self.origin[1]), 'click', '1')

    def play(self, start, stop):
        counter = self.grab(COUNTER)
        start()
        before = self.grab(REELS)
        wait(lambda: self.grab(REELS) != before, 'the reels to spin')
        stop()

        def still():  # spinning reels show the same three symbols again one grab in 1,000
            shown = self.grab(REELS)
            for _ in range(3):
                time.sleep(0.2)
                if self.grab(REELS) != shown:
                    return False
            return True
        wait(still, 'the reels to stop')
        cells = [[self.grab(cell) for cell in reel] for reel in CELLS]
        for rows, lamp in zip(LINES, LAMPS):
            won = cells[0][rows[0]] == cells[1][rows[1]] == cells[2][rows[2]]
            assert self.grab((*lamp, lamp[0] + 1, lamp[1] + 1)).getpixel((0, 0)) == ((255, 255, 192) if won else (128, 128, 128))
        assert self.grab(COUNTER) != counter  # the stake, at least, was paid


def test_plays_by_mouse_and_keyboard_then_closes():
    game = Game()
    try:
        game.play(lambda: game.click(GO), lambda: [game.click(stop) for stop in STOPS])
        # GO has the focus again: Return starts a play, Space stops the left
        # reel, which took the focus, and Tab moves on to the next.
        game.play(lambda: xdotool('key', 'Return'), lambda: xdotool('key', 'space', 'Tab', 'space', 'Tab', 'space'))
        subprocess.run(['wmctrl', '-c', 'Vantu'], check=True, timeout=TIMEOUT)
        assert game.process.wait(timeout=TIMEOUT) == 0
    finally:
        game.process.kill()
