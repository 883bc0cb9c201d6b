# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The game as a screen reader reads it, and whole plays with real input,
# each judged against the oracle from what the tree says.
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


@pytest.mark.parametrize('order', [[0, 1, 2], [2, 1, 0], [1, 1, 2, 0, 2]])  # reels, left to right 0..2
def test_a_play_with_the_mouse(launch, order):
    game = launch()
    game.play(lambda: game.click('GO'), lambda: [game.click(STOPS[reel]) for reel in order])


@pytest.mark.parametrize('go, keys', [
    ('Return', ['Return', 'Tab', 'Return', 'Tab', 'Return']),
    ('space', ['Tab', 'Tab', 'space', 'Tab', 'Tab', 'space', 'Tab', 'Tab', 'space']),
    ('KP_Enter', ['Tab', 'KP_Enter', 'Tab', 'KP_Enter', 'Tab', 'KP_Enter'])])
def test_two_plays_from_the_keyboard(launch, go, keys):
    game = launch()

    def stop():
        focus = 0  # a spin starts with the focus on the left stop button; Tab skips GO
        for key in keys:
            run('xdotool', 'key', key)
            if key == 'Tab':
                focus = (focus + 1) % 3
                wait(lambda: game.has(STOPS[focus], 'focused'), f'the focus on {STOPS[focus]}')
    for _ in range(2):
        game.play(lambda: run('xdotool', 'key', go), stop)
