# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The window's life: where it starts, closing it, and the end of a game.
import pyatspi
import pytest

from harness import STOPS, TIMEOUT, run, wait


# Five launches, each closed through the window manager: idle, or during a
# spin after the stops given. Each ends with status 0, and they do not all
# start alike.
def test_launches_start_apart_and_close_cleanly(launch):
    grids = []
    for stops in [None, None, [], [0], [2, 1]]:
        game = launch()
        grids.append(game.grid())
        if stops is not None:
            game.click('GO')
            wait(lambda: game.has(STOPS[0], 'enabled', 'focused'), 'the spin')
            [game.click(STOPS[reel]) for reel in stops]
        assert game.close() == 0, f'closed after the stops {stops}'
    assert any(grid != grids[0] for grid in grids), grids


@pytest.mark.parametrize('dismiss', ['click', 'Return'])
def test_running_out_of_coins_ends_the_game(launch, dismiss):
    game = launch('VANTU_LOWCOINS_BIN')  # 5 coins: too few for a play
    game.click('GO')
    alert = wait(lambda: game.top('GameOver'), 'the game-over message')
    said = [alert] + pyatspi.findAllDescendants(alert, lambda a: a.getRoleName() in ('label', 'push button'))
    assert [(a.getRoleName(), a.name) for a in said] == [
        ('alert', 'GameOver'), ('label', 'You ran out of your coins!'), ('push button', 'OK')]
    assert game.describe('Balance') == '5 coins' and not game.has(STOPS[0], 'enabled')
    wait(lambda: game.has(alert, 'active') and game.has(said[2], 'focused'), 'the focus on OK')
    game.click(said[2]) if dismiss == 'click' else run('xdotool', 'key', 'Return')
    assert game.process.wait(timeout=TIMEOUT) == 0
