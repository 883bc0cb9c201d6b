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

from harness import STOPS, TIMEOUT, run, wait
from player import assert_new_game, play

# Roles by pyatspi's constants: their printed names differ between AT-SPI
# releases ('push button' in 2.46, 'button' in 2.56).
LABEL, IMAGE, BUTTON, ALERT = pyatspi.ROLE_LABEL, pyatspi.ROLE_IMAGE, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_ALERT


def assert_new_window(game):  # the application and its window as the desktop knows them, every control in the tree
    tr = game.tr
    assert (game.app.name, game.window.name) == ('Vantu', 'Vantu')
    assert sorted((control.getRole(), control.name) for control in game.window) == sorted(
        [(LABEL, name) for reel in tr.cells for name in reel] + [(IMAGE, name) for name, _ in tr.lines]
        + [(BUTTON, name) for name in tr.stops + ['GO']] + [(LABEL, tr.balance)])
    assert_new_game(game)


# After a look at the tree, two plays (see player.play): GO by a click or a
# key, then the stops by clicks on the reels given or by keys.
@pytest.mark.parametrize('go, stops', [
    ('click', [0, 1, 2]), ('click', [2, 1, 0]), ('click', [1, 1, 2, 0, 2]),
    ('Return', ['Return', 'Tab', 'Return', 'Tab', 'Return']),
    ('space', ['Tab', 'Tab', 'space', 'Tab', 'Tab', 'space', 'Tab', 'Tab', 'space']),
    ('KP_Enter', ['Tab', 'KP_Enter', 'Tab', 'KP_Enter', 'Tab', 'KP_Enter'])])
def test_two_plays(launch, go, stops):
    game = launch()
    assert_new_window(game)
    for _ in range(2):
        play(game, go, stops)
    # Closed while the reels spin: through the window manager, as by the frame's close button, or once as
    # the desktop asks at logout.
    game.click('GO')
    wait(lambda: game.has(STOPS[0], 'enabled', 'focused'), 'the spin')
    assert game.close(signal.SIGTERM if go == 'Return' else None) == 0


# The player's language, from LANG (and LANGUAGE, which glibc honours under
# C.UTF-8): the names and descriptions in it, after a play too; the game's
# own texts as they stand; English where the build has no catalogue. The tree is judged against Python's gettext over the build's
# catalogue, and a name or two against the words themselves.
@pytest.mark.parametrize('lang, words', [
    ('ja_JP.UTF-8', ['左リールを停止', '所持コイン', '中リール、上段', 'コイン10枚で1回プレイします。']),
    ('de_DE.UTF-8', ['Linke Walze anhalten', 'Guthaben', 'Mittlere Walze, obere Reihe', 'Startet eine Runde für 10 Münzen.']),
    ('ru_RU.UTF-8', ['Остановить левый барабан', 'Баланс', 'Средний барабан, верхний ряд', 'Запускает вращение барабанов за 10 монет.']),
    ('zh_TW.UTF-8', ['停止左滾輪', '餘額', '中滾輪，上排', '花費 10 枚金幣，開始一次旋轉。']),
    ('pt_BR.UTF-8', ['Parar rolo esquerdo', 'Saldo', 'Rolo central, linha de cima', 'Inicia uma jogada por 10 moedas.']),
    ('C.UTF-8:de', ['Linke Walze anhalten', 'Guthaben', 'Mittlere Walze, obere Reihe', 'Startet eine Runde für 10 Münzen.']),
    ('fi_FI.UTF-8', ['Stop left reel', 'Balance', 'Middle reel, top row', 'Starts a play for 10 coins.'])])
def test_a_play_in_the_players_language(launch, lang, words):
    game = launch(lang=lang)
    assert_new_window(game)
    assert [game.tr.stops[0], game.tr.balance, game.tr.cells[1][0], game.describe('GO')] == words
    play(game, 'click', [0, 1, 2])
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
    game.click(said[2]) if dismiss == 'click' else game.key('Return')
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
