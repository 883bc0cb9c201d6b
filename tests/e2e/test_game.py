# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The game as a player with a screen reader meets it: the tree at the start,
# whole plays with the mouse and with the keyboard alone, each judged against
# the oracle from what the tree says, the close, and the end of a game; and
# the window system the game picks under a Wayland compositor.
import os
import pathlib
import signal
import subprocess

import pyatspi
import pytest

from harness import CELLS, LINES, STOPS, TIMEOUT, Texts, run, wait

# Roles by pyatspi's constants: their printed names differ between AT-SPI
# releases ('push button' in 2.46, 'button' in 2.56).
LABEL, IMAGE, BUTTON, ALERT = pyatspi.ROLE_LABEL, pyatspi.ROLE_IMAGE, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_ALERT


def controls(tr):  # every control of the window, as the tree gives them
    return sorted([(LABEL, name) for reel in tr.cells for name in reel] + [(IMAGE, name) for name, _ in tr.lines]
                  + [(BUTTON, name) for name in tr.stops + ['GO']] + [(LABEL, tr.balance)])


# After a look at the tree, two plays: GO by a click or a key, then the stops
# by clicks on the reels given (0 to 2, left to right) or by keys.
@pytest.mark.parametrize('go, stops', [
    ('click', [0, 1, 2]), ('click', [2, 1, 0]), ('click', [1, 1, 2, 0, 2]),
    ('Return', ['Return', 'Tab', 'Return', 'Tab', 'Return']),
    ('space', ['Tab', 'Tab', 'space', 'Tab', 'Tab', 'space', 'Tab', 'Tab', 'space']),
    ('KP_Enter', ['Tab', 'KP_Enter', 'Tab', 'KP_Enter', 'Tab', 'KP_Enter'])])
def test_two_plays(launch, go, stops):
    game = launch()
    assert game.app.name == 'Vantu'  # the application, as the desktop knows it
    assert sorted((control.getRole(), control.name) for control in game.window) == controls(game.tr)
    assert [game.describe(name) for name, _ in LINES] == ['unlit'] * 5
    assert (game.describe('Balance'), game.describe('GO')) == ('500 coins', 'Starts a play for 10 coins.')
    assert game.has('GO', 'enabled', 'focused') and not any(game.has(name, 'enabled') for name in STOPS)

    def stop():
        focus = 0  # a spin starts with the focus on the left stop button; Tab skips GO
        for step in stops:
            game.click(STOPS[step]) if isinstance(step, int) else run('xdotool', 'key', step)
            if step == 'Tab':
                focus = (focus + 1) % 3
                wait(lambda: game.has(STOPS[focus], 'focused'), f'the focus on {STOPS[focus]}')
    for _ in range(2):
        game.play(lambda: game.click('GO') if go == 'click' else run('xdotool', 'key', go), stop)
    # Closed while the reels spin: through the window manager, as by the frame's close button, or once as
    # the desktop asks at logout.
    game.click('GO')
    wait(lambda: game.has(STOPS[0], 'enabled', 'focused'), 'the spin')
    assert game.close(signal.SIGTERM if go == 'Return' else None) == 0


# The player's language, from LANG: the names and descriptions in it, after a
# play too; the game's own texts as they stand; English where the build has
# no catalogue. The tree is judged against Python's gettext over the build's
# catalogue, and a name or two against the words themselves.
@pytest.mark.parametrize('lang, catalogue, words', [
    ('ja_JP.UTF-8', 'ja', ['左リールを停止', '所持コイン', '中リール、上段', 'コイン10枚で1回プレイします。']),
    ('de_DE.UTF-8', 'de', ['Linke Walze anhalten', 'Guthaben', 'Mittlere Walze, obere Reihe', 'Startet ein Spiel für 10 Münzen.']),
    ('fi_FI.UTF-8', None, ['Stop left reel', 'Balance', 'Middle reel, top row', 'Starts a play for 10 coins.'])])
def test_a_play_in_the_players_language(launch, lang, catalogue, words):
    tr = Texts(catalogue and pathlib.Path(os.environ['VANTU_PO_DIR'], f'{catalogue}.mo'))
    game = launch(lang=lang, tr=tr)
    assert (game.app.name, game.window.name) == ('Vantu', 'Vantu')
    assert sorted((control.getRole(), control.name) for control in game.window) == controls(tr)
    assert [tr.stops[0], tr.balance, tr.cells[1][0], game.describe('GO')] == words
    assert [game.find(name).description for name, _ in tr.lines] == [tr.unlit] * 5
    assert game.describe(tr.balance) == tr.coins(500)
    game.play(lambda: game.click('GO'), lambda: [game.click(name) for name in tr.stops])
    assert game.close() == 0


@pytest.mark.parametrize('dismiss', ['click', 'Return'])
def test_running_out_of_coins_ends_the_game(launch, dismiss):
    game = launch('VANTU_LOWCOINS_BIN')  # 5 coins: too few for a play
    game.click('GO')
    alert = wait(lambda: game.top('GameOver'), 'the game-over message')
    said = [alert] + pyatspi.findAllDescendants(alert, lambda a: a.getRole() in (LABEL, BUTTON))
    assert [(a.getRole(), a.name) for a in said] == [
        (ALERT, 'GameOver'), (LABEL, 'You ran out of your coins!'), (BUTTON, 'OK')]
    assert game.describe('Balance') == '5 coins' and not game.has(STOPS[0], 'enabled')
    wait(lambda: game.has(alert, 'active') and game.has(said[2], 'focused'), 'the focus on OK')
    game.click(said[2]) if dismiss == 'click' else run('xdotool', 'key', 'Return')
    assert game.process.wait(timeout=TIMEOUT) == 0


# Weston leaves window frames to its clients, and Qt's own would cut the
# title: the game goes to Weston's X server, where its window manager draws
# the frame. A player's QT_QPA_PLATFORM stands. (Closing the window is as on
# any X server.)
@pytest.mark.parametrize('player, expected', [({}, 'X11'), ({'QT_QPA_PLATFORM': 'wayland'}, 'Wayland')])
def test_window_system_under_weston(weston, player, expected):
    env = {name: value for name, value in os.environ.items() if name != 'QT_QPA_PLATFORM'}
    env.update(weston, XDG_SESSION_TYPE='wayland', WAYLAND_DEBUG='client', **player)
    log = pathlib.Path(weston['XDG_RUNTIME_DIR'], 'vantu.log')  # the game's Wayland requests, with WAYLAND_DEBUG
    with open(log, 'w') as stderr:
        game = subprocess.Popen([os.environ['VANTU_BIN']], env=env, stderr=stderr)

    def window_system():  # the one that shows the game's window, if any does yet
        if run('sh', '-c', f'DISPLAY={weston["DISPLAY"]} xdotool search --onlyvisible --name "^Vantu$" || true').strip():
            return 'X11'
        return 'Wayland' if '.set_title("Vantu")' in log.read_text() else None
    try:
        assert wait(window_system, 'the game window on X11 or on Wayland') == expected
    finally:
        game.kill()
        game.wait()
