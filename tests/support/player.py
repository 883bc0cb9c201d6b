# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# What a player does and hears, on any backend: a new game as it starts, and
# whole plays by mouse, keys or taps, judged by the rules. A game is the
# backend's adapter to what the player sees and hears in the language of its
# texts, tr: describe(name) and has(name, *states) as a screen reader hears
# them, click(name) (tap(name) on a touch screen) and key(name, held),
# reels() what each reel shows now, and colours(names) the pixels at the
# controls' centres.
import re

from rules import judge, wait

LIT, UNLIT = (255, 255, 192), (128, 128, 128)  # a lamp's centre: pale yellow, grey


def grid(game):  # the symbols that the cells tell of, by reel and row
    symbols = {word: symbol for symbol, word in game.tr.words.items()}
    return [[symbols.get(game.describe(name)) for name in reel] for reel in game.tr.cells]


# A game as it starts: every lamp unlit, the starting balance, GO described,
# enabled and focused, the stop buttons disabled, a symbol in every cell.
def assert_new_game(game, coins=500):
    tr = game.tr
    assert [game.describe(name) for name, _ in tr.lines] == [tr.unlit] * 5
    assert (game.describe(tr.balance), game.describe('GO')) == (tr.coins(coins), tr('Starts a play for 10 coins.'))
    assert game.has('GO', 'enabled', 'focused') and not any(game.has(name, 'enabled') for name in tr.stops)
    assert None not in sum(grid(game), []), grid(game)


# One play: GO pressed by go ('click', 'tap' or a key, held down), then
# the steps: a stop button pressed the same way by its reel (0 to 2, left to
# right), or a key; a spin starts with the focus on the left stop button,
# and Tab (Shift+Tab back) moves it round the stop buttons alone. Judged by
# the rules from the symbols the cells tell of once the focus is back on GO:
# what GO, the balance and the lamps tell, and the lamps' colours.
def play(game, go, steps):
    tr, press = game.tr, getattr(game, go) if go in ('click', 'tap') else None
    balance, told = int(re.search(r'\d+', game.describe(tr.balance))[0]), game.describe('GO')
    press('GO') if press else game.key(go, held=True)
    wait(lambda: game.has(tr.stops[0], 'enabled', 'focused') and not game.has('GO', 'enabled'), 'the spin')
    shown = game.reels()  # each reel moves once the reels spin: a held key stops none
    wait(lambda: all(now != then for now, then in zip(game.reels(), shown)), 'every reel to move')
    focus = 0
    for step in steps:
        press(tr.stops[step]) if isinstance(step, int) else game.key(step)
        if isinstance(step, str) and step.endswith('Tab'):
            focus = (focus + (2 if step.startswith('shift') else 1)) % 3
            wait(lambda: game.has(tr.stops[focus], 'focused'), f'the focus on {tr.stops[focus]}')
    wait(lambda: game.has('GO', 'enabled', 'focused') and game.describe('GO') != told, 'the end of the play')
    lamps, balance, said = judge(grid(game), balance, tr)
    assert (game.describe('GO'), game.describe(tr.balance)) == (said, tr.coins(balance))
    assert {name: game.describe(name) for name in lamps} == lamps
    assert not any(game.has(name, 'enabled') for name in tr.stops)
    wait(lambda: game.colours(lamps), "the lamps' colours", [LIT if on == tr.lit else UNLIT for on in lamps.values()])
