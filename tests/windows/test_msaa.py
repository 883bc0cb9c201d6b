# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# vantu.exe as a screen reader meets it under Wine, in the language of
# Windows' user interface (VANTU_MO names its catalogue; English without):
# msaa_client.exe reads and plays it, and reports each step; here every step
# is judged by the game's rules.
import collections
import os
import pathlib
import subprocess
import sys

sys.path.insert(0, str(pathlib.Path(__file__).parents[1] / 'support'))

from rules import Texts, judge  # noqa: E402

# Active Accessibility's roles, states and answers, as the client writes them.
PUSH_BUTTON, GRAPHIC, STATIC_TEXT = '43', '40', '41'
UNAVAILABLE, FOCUSED = 0x1, 0x4
S_OK, DISP_E_MEMBERNOTFOUND = '0', str(0x80020003 - 2**32)


def test_read_and_played_as_a_screen_reader_does():
    tr = Texts(os.environ.get('VANTU_MO'))
    names = ['GO', *tr.stops, tr.cells[0][0], tr.cells[2][2]]  # the controls it plays by
    played = subprocess.run([os.environ['VANTU_WINE_DESKTOP'], 'wine', os.environ['VANTU_MSAA_CLIENT']], input='\n'.join(names) + '\n',
                            capture_output=True, encoding='utf-8', errors='replace', timeout=240)
    print(played.stdout, played.stderr)  # shown when the test fails
    said = collections.defaultdict(list)  # (step, what): the values of each line
    for line in played.stdout.splitlines():
        step, what, *values = line.split('\t')
        said[step, what].append(values)
    # Every control, each with its role, at the start: four buttons, which say
    # they are pressed, five lamps and ten labels. GO is ready to play.
    start = {name: (role, int(state), description, action) for role, state, name, description, action in said['start', 'control']}
    assert (said['start', 'title'], sorted(start)) == ([['Vantu']], sorted(
        [name for reel in tr.cells for name in reel] + [name for name, _ in tr.lines] + tr.stops + ['GO', tr.balance]))
    assert collections.Counter(role for role, *_ in start.values()) == {PUSH_BUTTON: 4, GRAPHIC: 5, STATIC_TEXT: 10}
    assert {action for role, *_, action in start.values() if role == PUSH_BUTTON} == {'Press'}
    assert start['GO'][1] & (UNAVAILABLE | FOCUSED) == FOCUSED
    assert [start[name][2] for name in ['GO', tr.balance] + [name for name, _ in tr.lines]] == [
        tr('Starts a play for 10 coins.'), tr.coins(500)] + [tr.unlit] * 5
    # A stop button before the play: refused, and no play starts.
    assert (said['early', 'pressed'], said['early', 'started']) == ([[DISP_E_MEMBERNOTFOUND]], [['no']])
    # Two plays, each judged from what the controls then tell. A screen
    # reader hears the focus go to the first stop button, then to each stop
    # button it takes; when the last is disabled, the form, then GO.
    assert (said['buttons', 'pressed'], said['buttons', 'turned']) == ([[S_OK] * 4], [['yes']])
    balance, symbols = 500, {word: symbol for symbol, word in tr.words.items()}
    for play, heard in ('buttons', tr.stops), ('keys', tr.stops * 2):
        told = {name: description for _, _, name, description, _ in said[play, 'control']}
        lamps, balance, go = judge([[symbols[told[name]] for name in reel] for reel in tr.cells], balance, tr)
        assert (said[play, 'heard'], told['GO'], told[tr.balance], {name: told[name] for name in lamps}) == (
            [heard + ['Vantu', 'GO']], go, tr.coins(balance), lamps)
    # A few dozen WinEvents a play at most: the spin itself tells nothing.
    assert int(said['keys', 'events'][0][0]) <= 60
    # Closed in the middle of a spin, the program ends with status 0.
    assert (said['close', 'heard'], said['close', 'status'], played.returncode) == ([[tr.stops[0]]], [['0']], 0)
