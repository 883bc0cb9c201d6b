# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The window's life: where it starts, closing it, and the end of a game.
import pyatspi
import pytest

from harness import STOPS, TIMEOUT, run, wait


def test_launches_do_not_all_start_alike(launch):
    grids = []
    for _ in range(3):
        game = launch()
        grids.append(game.grid())
        assert game.close() == 0  # closed while idle
    assert not grids[0] == grids[1] == grids[2], grids


@pytest.mark.parametrize('stops', [[], [0], [2, 1]])
def test_closing_the_window_during_a_spin_ends_the_game(launch, stops):
    game = launch()
    game.click('GO')
    wait(lambda: game.has(STOPS[0], 'enabled', 'focused'), 'the spin')
    for reel in stops:
        game.click(STOPS[reel])
    assert game.close() == 0


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
