# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The rules of the game, as the end-to-end tests of every backend judge a
# play: the controls' names, the symbols in words, the pay lines and the pay
# table; and how long a test waits for what it expects.
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


# What a play from balance that stops on grid[reel][row] lights, leaves and tells.
def judge(grid, balance):
    wins = [(name, grid[0][rows[0]]) for name, rows in LINES
            if grid[0][rows[0]] == grid[1][rows[1]] == grid[2][rows[2]]]
    credit = len(wins) * sum(PAYS.get(symbol, 50) for _, symbol in wins)
    balance += credit - 10
    said = ', '.join(f'{name.lower()} wins with {WORDS[symbol]}' for name, symbol in wins)
    go = f'{said[:1].upper()}{said[1:]}: {credit} coins. {balance} coins.' if wins else f'No win. {balance} coins.'
    return {name: 'lit' if name in dict(wins) else 'unlit' for name, _ in LINES}, balance, go


# read()'s first value that equals expected (or, with none, that is true).
def wait(read, what, expected=None):
    deadline = time.monotonic() + TIMEOUT
    done = bool if expected is None else lambda value: value == expected
    while not done(value := read()):
        assert time.monotonic() < deadline, f'timed out after {TIMEOUT} s waiting for {what}; last: {value!r}'
        time.sleep(0.05)
    return value
