# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The page as players meet it in Chromium, Firefox and WebKitGTK: the form
# against the runtime's layout at every device pixel ratio and in forced
# colours, whole plays by mouse, keyboard and touch judged by the rules,
# what a screen reader hears, the end of a game, and the page installed and
# played offline.
import functools
import json
import os
import subprocess

import pytest

from browser import ENGINES, Server
from player import assert_new_game, grid, play as play_judged
from rules import CELLS, Texts, wait


# Every test here, in every engine.
@pytest.fixture(params=ENGINES)
def engine(request):
    return request.param


# The form on a desktop at its design size, and on a phone's touch screen
# filling its width (or, turned, its height); each at the device pixel
# ratios of today's screens; and in forced colours, light and dark, where
# the form keeps its own colours as a desktop window does.
SCREENS = {'desktop 1x': (400, 400, 1, False, None), 'desktop 1.5x': (400, 400, 1.5, False, None),
           'desktop 2x': (400, 400, 2, False, None), 'desktop 3x': (400, 400, 3, False, None),
           'phone 3x': (390, 844, 3, True, None), 'phone 2x turned': (740, 360, 2, True, None),
           'forced colours, dark': (400, 400, 1, False, 'dark'), 'forced colours, light': (400, 400, 1, False, 'light')}
# The form as the runtime lays it out on each screen (tests/support/layout.cpp), in device pixels.
# Asked for by the design test alone, so that the plays run from a release's page too.
@functools.cache
def layout():
    return dict(zip(SCREENS, json.loads(subprocess.run(
        [os.environ['VANTU_NODE'], os.environ['VANTU_LAYOUT'], *(f'{r},{w},{h},{int(p)}' for w, h, r, p, _ in SCREENS.values())],
        check=True, capture_output=True, text=True).stdout)))
EDGES = ('left', 'top', 'right', 'bottom')

# Each kind of control: its role to a screen reader, its text's colour and
# face, and its colours (RGB) where only pixels tell, by where in its box:
# the cells' pink and the counter's navy inside their sunken frame of two
# bands, the lamps' black outline (drawn smooth, so nearly black), unlit
# grey and round shape (the form's pale blue at the box's corner), the
# buttons' outline and face; each exact but for a rounding's worth. A place
# is (x, y) in lines from the box's left or top edge, from its right or
# bottom edge where negative, or its middle; the inside comes last. The
# frame's sides are probed near its top, where no text reaches: a symbol
# wider than its cell overflows onto them.
PINK, NAVY, GREY, BLACK, BLUE = (255, 192, 192), (0, 0, 128), (128, 128, 128), (0, 0, 0), (192, 192, 255)
FRAME = [((0, 2), (160,) * 3), ((1, 2), (105,) * 3), ((-1, 2), (255,) * 3), ((-2, 2), (227,) * 3),
         (('mid', 0), (160,) * 3), (('mid', 1), (105,) * 3), (('mid', -1), (255,) * 3), (('mid', -2), (227,) * 3)]
LOOKS = {'cell': ('group', 'rgb(0, 0, 0)', 'Vantu Sans', FRAME + [((3, 3), PINK)]),
         'balance': ('group', 'rgb(255, 255, 192)', 'Vantu Sans', FRAME + [((3, 3), NAVY)]),
         'lamp': ('image', None, None, [(('mid', 0), BLACK), ((0, 0), BLUE), (('mid', 'mid'), GREY)]),
         'GO': ('button', 'rgb(0, 0, 0)', 'Vantu PGothic', [((0, 'mid'), (173,) * 3), ((1, 1), (225,) * 3)]),
         'stop': ('button', 'rgb(131, 131, 131)', 'Vantu PGothic', [((1, 1), (204,) * 3)])}


def kind(name, tr):
    return ('cell' if name in sum(tr.cells, []) else 'lamp' if name in dict(tr.lines) else 'stop' if name in tr.stops
            else 'balance' if name == tr.balance else name)


@pytest.mark.parametrize('screen', SCREENS)
def test_design(browser, site, screen):
    width, height, ratio, phone, forced = SCREENS[screen]
    page = browser(width, height, ratio, phone, forced=forced).open(site.url)
    assert page.js("return matchMedia('(forced-colors: active)').matches") == bool(forced)
    laid, controls = layout()[screen], page.controls()
    line, form = laid['line'], controls.pop('form')['box']
    # The form's corner on a device pixel, and every edge where the runtime
    # puts it from there, each rounded on its own.
    corner = (round(form['left'] * ratio), round(form['top'] * ratio))
    assert [form[edge] * ratio for edge in EDGES] == pytest.approx(
        [*corner, corner[0] + laid['form'][0], corner[1] + laid['form'][1]], abs=0.05)
    assert sorted(controls) == sorted(laid['controls'])
    image = page.screen()
    for name, control in controls.items():
        edges = laid['controls'][name]
        assert [control['box'][edge] * ratio for edge in EDGES] == pytest.approx(
            [at + corner[i % 2] for i, at in enumerate(edges)], abs=0.05), name
        _, colour, face, places = LOOKS[kind(name, page.tr)]
        assert colour is None or (control['color'], control['face']) == (colour, face), name
        size = (edges[2] - edges[0], edges[3] - edges[1])
        for place, expected in places:  # a line's middle pixel; of two, the outer one
            found = image.getpixel(tuple(corner[i] + edges[i] + (
                size[i] // 2 if at == 'mid' else at * line + (line - (at >= 0)) // 2 + (size[i] if at < 0 else 0))
                for i, at in enumerate(place)))
            assert max(abs(a - b) for a, b in zip(found, expected)) <= (40 if expected == BLACK else 4), (name, place)
    # Crisp: across the form, three lines under the cells' top edge, every
    # pixel is one of the colours drawn there, never a blend of two.
    y = corner[1] + laid['controls'][CELLS[0][0]][1] + 3 * line + line // 2
    drawn = {(192, 192, 255), PINK} | {(v,) * 3 for v in (160, 105, 255, 227, 173, 225)}  # GO's too, where it is
    assert {image.getpixel((x, y)) for x in range(corner[0], corner[0] + laid['form'][0])} <= drawn
    loaded = page.js("return [...document.fonts].filter((f) => f.status === 'loaded')"
                     ".map((f) => f.family.replace(/\"/g, '') + ' ' + f.weight)")
    assert {'Vantu Sans 700', 'Vantu PGothic 400'} <= set(loaded), loaded


def focused(tree):
    return [(role, name) for role, name, _, states in tree if states.get('focused') and role != 'RootWebArea']


# One play (see player.play), with the symbols that the cells tell of those
# they show, and what a screen reader hears of it: the focus moves to the
# first stop button and back to GO, and a few dozen changes at most. A write
# of what a control already shows or tells reaches no one; many sweeps
# write every cell, and only a new text is drawn.
def play(page, go, steps):
    page.js('heard.focus.length = heard.changes.length = heard.drawn.length = 0')
    play_judged(page, go, steps)
    assert grid(page) == page.reels()
    heard = page.js('return heard')
    assert heard['focus'][0] == page.tr.stops[0] and heard['focus'][-1] == 'GO', heard['focus']
    assert focused(page.tree()) == [('button', 'GO')]
    assert 0 < len(heard['changes']) <= 48 and all(old != now for *_, old, now in heard['changes']), heard['changes']
    assert heard['drawn'] and all(old != new for old, new in heard['drawn'])


# A new game as a screen reader hears it when the page has loaded: every
# control's role, name and description, the stop buttons disabled, GO
# focused, as the page has them; and what the reels draw is not in it.
def assert_heard_at_start(page):
    assert_new_game(page)
    controls, tree = page.controls(), page.tree()
    del controls['form']
    assert sorted((role, name, description, bool(states.get('disabled')), bool(states.get('focused')))
                  for role, name, description, states in tree if name in controls) == sorted(
        (LOOKS[kind(name, page.tr)][0], name, c['description'], not c['enabled'], c['focused'])
        for name, c in controls.items())
    assert not any(role == 'StaticText' and name in '$*-#7C?=+%0123456789' for role, name, *_ in tree)


# Two plays each, GO and the stops pressed by the mouse (the reels stopped
# in the order given, some twice), from the keyboard alone, or by taps on a
# phone's touch screen. A key that starts a spin is held: it presses GO
# once, and not the stop button that then has the focus.
PLAYERS = {
    'mouse': ('click', [0, 1, 2]), 'mouse, right first, stops pressed twice': ('click', [2, 1, 1, 2, 0]),
    'keyboard, Return': ('Return', ['Return', 'Tab', 'Return', 'Tab', 'Return']),
    'keyboard, Space': ('space', ['Tab', 'Tab', 'space', 'Tab', 'Tab', 'space', 'Tab', 'Tab', 'space']),
    'keyboard, keypad Enter, Shift+Tab': ('KP_Enter', ['shift+Tab', 'KP_Enter', 'shift+Tab', 'KP_Enter',
                                                       'shift+Tab', 'KP_Enter']),
    'touch': ('tap', [1, 0, 2])}


@pytest.mark.parametrize('player', PLAYERS)
def test_two_plays(browser, site, player):
    go, stops = PLAYERS[player]
    page = (browser(390, 844, 3, True) if go == 'tap' else browser()).open(site.url)
    if player == 'mouse':
        assert_heard_at_start(page)
    for _ in range(2):
        play(page, go, stops)


# The page in the player's language, Japanese first in the browser: every
# control named and described in Japanese, after a play too, judged against
# Python's gettext over the build's catalogue; the game's own texts, its
# title among them, as they stand.
def test_in_japanese(browser, site):
    page = browser(lang='ja').open(site.url)
    tr = page.tr
    assert page.js('return [document.documentElement.lang, document.title]') == ['ja', 'Vantu']
    assert_heard_at_start(page)
    assert [tr.stops[0], tr.balance, tr.cells[1][0], page.describe('GO'), page.describe(tr.balance)] == [
        '左リールを停止', '所持コイン', '中リール、上段', 'コイン10枚で1回プレイします。', '500枚']
    assert [page.controls()[name]['text'] for name in ('GO', tr.stops[0])] == ['GO', '*']
    play(page, 'click', [0, 1, 2])


# The player's language as the browser gives it, read by the program's rule:
# a region's script finds Chinese's catalogue (zh-HK reads zh_TW); the page's
# lang and its own texts follow the program's; a play is heard in the
# language.
@pytest.mark.parametrize('lang, catalogue, page_lang', [('ru-RU', 'ru', 'ru'), ('zh-HK', 'zh_TW', 'zh-TW'),
                                                        ('pt-BR', 'pt_BR', 'pt-BR')])
def test_a_play_in_the_browsers_language(browser, site, lang, catalogue, page_lang):
    page = browser(lang=lang).open(site.url)
    page.tr = tr = Texts.of(catalogue)
    assert page.js("return [document.documentElement.lang, document.getElementById('ended-text').textContent]") == [
        page_lang, tr('The game is over.', 'page:ended-text')] and tr.stops[0] != 'Stop left reel'
    assert page.has(tr.stops[0]) and page.describe('GO') == tr('Starts a play for 10 coins.')
    play(page, 'click', [0, 1, 2])


# The game-over message is an alert dialog, modal, with the focus on OK, in
# the game's own words; once it is dismissed the form goes, the page says in
# the player's language that the game is over, and a new game starts from it.
@pytest.mark.parametrize('dismiss, lang, ended', [('click', 'en-US', ['New game', 'The game is over.']),
                                                  ('Return', 'ja', ['新しいゲーム', 'ゲームは終了しました。'])])
def test_running_out_of_coins_ends_the_game(browser, lowcoins_site, dismiss, lang, ended):
    page = browser(lang=lang).open(lowcoins_site.url)
    tr, names = page.tr, set(page.controls()) - {'form'}
    page.click('GO')
    page.until("document.getElementById('message').open", 'the game-over message')
    tree = page.tree()
    assert [(role, name, description) for role, name, description, _ in tree if role == 'alertdialog'] == [
        ('alertdialog', 'GameOver', 'You ran out of your coins!')]
    assert focused(tree) == [('button', 'OK')]
    assert page.js("return document.getElementById('message').dataset.icon") == 'warning'  # the exclamation mark
    # Read in an English voice whatever the page's language.
    assert page.js("return document.getElementById('message-text').closest('[lang]').lang") == 'en'
    assert page.describe(tr.balance) == tr.coins(5) and not page.has(tr.stops[0], 'enabled')
    # Modal: neither the mouse nor a screen reader reaches the form behind it.
    assert not any(name in names for _, name, *_ in tree)
    assert page.js('return document.elementFromPoint(...arguments).closest("#form")', *page.centre('GO')) is None
    page.click('#message button') if dismiss == 'click' else page.key('Return')
    page.until("!document.getElementById('ended').hidden", 'the end of the game')
    assert page.controls() == {} and page.js('return document.activeElement.textContent') == ended[0]
    tree = page.tree()
    assert ('StaticText', ended[1]) in [(role, name) for role, name, *_ in tree]
    assert not any(name in names for _, name, *_ in tree)
    page.click('#ended button')
    wait(lambda: page.has('GO', 'enabled', 'focused'), 'a new game')
    assert_new_game(page, coins=5)


# Once loaded, the page plays with the network off (test_life.py has it
# installed). Each load starts the reels where the clock's seed puts them.
def test_offline(browser):
    with Server(os.environ['VANTU_SITE']) as server:
        # Reloaded at once, while its worker installs: the worker is in all
        # the same, and controls the page from the next load on.
        page = browser().open(server.url).reload()
        page.until('navigator.serviceWorker.ready.then((registration) => !!registration.active)', 'the service worker')
    starts = [page.reels()] + [page.reload().reels() for _ in range(2)]
    assert page.js('return !!navigator.serviceWorker.controller')
    assert starts[0] != starts[1] or starts[1] != starts[2], starts  # all three alike: one time in a million
    play(page, 'click', [0, 1, 2])
