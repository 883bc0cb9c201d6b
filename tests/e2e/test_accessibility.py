# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The game as a screen reader reads it, and whole plays with the mouse and
# with the keyboard alone, each judged against the oracle from what the tree says.
import pytest

from harness import CELLS, LINES, STOPS, fits_strip, run, wait

CONTROLS = sorted([('label', name) for reel in CELLS for name in reel] + [('image', name) for name, _ in LINES]
                  + [('push button', name) for name in STOPS + ['GO']] + [('label', 'Balance')])


def test_the_tree_names_every_control_and_tells_the_start(launch):
    game = launch()
    assert game.app.name == 'Vantu'  # the window was found by its name
    assert sorted((control.getRoleName(), control.name) for control in game.window) == CONTROLS
    assert all(map(fits_strip, range(3), grid := game.grid())), grid
    assert [game.describe(name) for name, _ in LINES] == ['unlit'] * 5
    assert (game.describe('Balance'), game.describe('GO')) == ('500 coins', 'Starts a play for 10 coins.')
    assert game.has('GO', 'enabled', 'focused') and not any(game.has(name, 'enabled') for name in STOPS)


# Two plays each: GO by a click or a key, then the stops by clicks on the
# reels given (0 to 2, left to right) or by keys.
@pytest.mark.parametrize('go, stops', [
    ('click', [0, 1, 2]), ('click', [2, 1, 0]), ('click', [1, 1, 2, 0, 2]),
    ('Return', ['Return', 'Tab', 'Return', 'Tab', 'Return']),
    ('space', ['Tab', 'Tab', 'space', 'Tab', 'Tab', 'space', 'Tab', 'Tab', 'space']),
    ('KP_Enter', ['Tab', 'KP_Enter', 'Tab', 'KP_Enter', 'Tab', 'KP_Enter'])])
def test_two_plays(launch, go, stops):
    game = launch()

    def stop():
        focus = 0  # a spin starts with the focus on the left stop button; Tab skips GO
        for step in stops:
            game.click(STOPS[step]) if isinstance(step, int) else run('xdotool', 'key', step)
            if step == 'Tab':
                focus = (focus + 1) % 3
                wait(lambda: game.has(STOPS[focus], 'focused'), f'the focus on {STOPS[focus]}')
    for _ in range(2):
        game.play(lambda: game.click('GO') if go == 'click' else run('xdotool', 'key', go), stop)
