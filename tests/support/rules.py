# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The rules of the game, as the end-to-end tests of every backend judge a
# play: the controls' names, the symbols in words, the pay lines and the pay
# table, in English or in a language of the build's catalogues; and how long
# a test waits for what it expects.
import gettext
import os
import pathlib
import re
import time

TIMEOUT = 20  # seconds for anything to become ready; generous for busy machines
WORDS = {'$': 'dollar', '*': 'star', '-': 'minus', '#': 'hash', '7': 'seven', 'C': 'C',
         '?': 'question mark', '=': 'equals', '+': 'plus', '%': 'percent'}
PAYS = {'7': 200, '$': 150, 'C': 100, '*': 100, '#': 75, '?': 75, '+': 75}  # else 50
CELLS = [[f'{reel} reel, {row} row' for row in ('top', 'middle', 'bottom')] for reel in ('Left', 'Middle', 'Right')]
STOPS = ['Stop left reel', 'Stop middle reel', 'Stop right reel']
# Each pay line's lamp, in the order they are judged, and the rows of its left, middle and right cells.
LINES = [('Rising diagonal', (2, 1, 0)), ('Top row', (0, 0, 0)), ('Middle row', (1, 1, 1)),
         ('Bottom row', (2, 2, 2)), ('Falling diagonal', (0, 1, 2))]


# What the player hears in one language: the English texts, through
# Python's own gettext over a catalogue that the build compiled (po/LANG.mo),
# or as they stand.
class Texts:

    def __init__(self, mo=None):
        if mo is None:
            self.catalogue = gettext.NullTranslations()
        else:
            with open(mo, 'rb') as file:
                self.catalogue = gettext.GNUTranslations(file)
        self.cells = [[self(name) for name in reel] for reel in CELLS]
        self.stops = [self(name) for name in STOPS]
        self.lines = [(self(name), rows) for name, rows in LINES]
        self.words = {symbol: self(word) for symbol, word in WORDS.items()}
        self.balance, self.lit, self.unlit = self('Balance'), self('lit', 'lamp'), self('unlit', 'lamp')

    def __call__(self, text, context=None, *arguments):  # the text, with %1$s... replaced by the arguments
        told = self.catalogue.gettext(text) if context is None else self.catalogue.pgettext(context, text)
        return re.sub(r'%(\d)\$s', lambda m: str(arguments[int(m.group(1)) - 1]), told)

    @classmethod
    def of(cls, lang):  # a player's language (zh_TW.UTF-8, ja, pt-BR), from the build's catalogues if they have it
        name = re.split('[.@]', lang)[0].replace('-', '_')
        mo = [path for path in (pathlib.Path(os.environ.get('VANTU_PO_DIR', '.'), f'{name}.mo')
                                for name in (name, name.split('_')[0])) if path.is_file()]
        return cls(mo[0] if mo else None)

    def coins(self, n):
        return self.catalogue.ngettext('%1$s coin', '%1$s coins', n).replace('%1$s', str(n))


ENGLISH = Texts()


# What a play from balance that stops on grid[reel][row] lights, leaves and
# tells, in the language of tr: each sentence whole, with its parts in the
# order the language gives them.
def judge(grid, balance, tr=ENGLISH):
    wins = [(name, grid[0][rows[0]]) for name, rows in LINES
            if grid[0][rows[0]] == grid[1][rows[1]] == grid[2][rows[2]]]
    credit = len(wins) * sum(PAYS.get(symbol, 50) for _, symbol in wins)
    balance += credit - 10
    said = ''
    for name, symbol in wins:  # each line by its name in a sentence
        line = tr(name.lower(), 'pay line in a sentence')
        said = (tr('%1$s, the %2$s wins with %3$s', None, said, line, tr.words[symbol]) if said
                else tr('The %1$s wins with %2$s', None, line, tr.words[symbol]))
    go = (tr('%1$s: %2$s. Balance %3$s.', None, said, tr.coins(credit), tr.coins(balance)) if wins
          else tr('No win. Balance %1$s.', None, tr.coins(balance)))
    return {tr(name): tr.lit if name in dict(wins) else tr.unlit for name, _ in LINES}, balance, go


# read()'s first value that equals expected (or, with none, that is true).
def wait(read, what, expected=None):
    deadline = time.monotonic() + TIMEOUT
    done = bool if expected is None else lambda value: value == expected
    while not done(value := read()):
        assert time.monotonic() < deadline, f'timed out after {TIMEOUT} s waiting for {what}; last: {value!r}'
        time.sleep(0.05)
    return value
