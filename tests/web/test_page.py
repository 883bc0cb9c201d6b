# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The page as players meet it in Chromium, Firefox and WebKitGTK: the form
# against the design at every device pixel ratio, whole plays by mouse,
# keyboard and touch judged by the rules, what a screen reader hears, the
# end of a game, and the page installed and played offline.
import os
import pathlib
import re

import pytest

from browser import ENGINES, Server
from rules import CELLS, ENGLISH, LINES, STOPS, Texts, judge, wait

# The design, read from the game's own source: each control's box in twips.
SOURCE = pathlib.Path(os.environ['VANTU_DESIGN']).read_text()
DESIGN = {name: tuple(map(int, box)) for *box, name in re.findall(
    r'\{ "\w+",\s+-?\d+,\s+(\d+),\s+(\d+),\s+(\d+),\s+(\d+),.*\n\s+(?:TrLater\()?"([^"]+)"', SOURCE)}
FORM = tuple(int(re.search(rf'\.{edge} = (\d+)', SOURCE)[1]) for edge in ('ClientWidth', 'ClientHeight'))


# Every test here, in every engine.
@pytest.fixture(params=ENGINES)
def engine(request):
    return request.param


def pixels(twips, dpi=96):  # a length from the origin in whole pixels at dpi, rounded half up
    return (twips * dpi * 2 + 1440) // 2880


# Colours (RGB) where only pixels tell, by where in a box: the cells' pink
# and the counter's navy inside their sunken frame of two bands, the lamps'
# black outline (drawn smooth, so nearly black) and unlit grey, the
# buttons' outline and face; each exact but for a rounding's worth. A place is (x, y) in lines from the box's left
# or top edge, from its right or bottom edge where negative, or its middle;
# the inside comes last. The frame's sides are probed near its top, where
# no text reaches: a symbol wider than its cell overflows onto them.
PINK, NAVY, GREY, BLACK = (255, 192, 192), (0, 0, 128), (128, 128, 128), (0, 0, 0)
FRAME = [((0, 2), (160,) * 3), ((1, 2), (105,) * 3), ((-1, 2), (255,) * 3), ((-2, 2), (227,) * 3),
         (('mid', 0), (160,) * 3), (('mid', 1), (105,) * 3), (('mid', -1), (255,) * 3), (('mid', -2), (227,) * 3)]
LOOKS = {'cell': FRAME + [((3, 3), PINK)], 'Balance': FRAME + [((3, 3), NAVY)],
         'lamp': [(('mid', 0), BLACK), (('mid', 'mid'), GREY)],
         'GO': [((0, 'mid'), (173,) * 3), ((1, 1), (225,) * 3)], 'stop': [((1, 1), (204,) * 3)]}


def look(name):
    return 'cell' if 'reel,' in name else 'lamp' if name in dict(LINES) else 'stop' if name in STOPS else name


# The form on a desktop at its design size, and on a phone's touch screen
# filling its width (or, turned, its height); each at the device pixel
# ratios of today's screens.
SCREENS = {'desktop 1x': (400, 400, 1, False), 'desktop 1.5x': (400, 400, 1.5, False),
           'desktop 2x': (400, 400, 2, False), 'desktop 3x': (400, 400, 3, False),
           'phone 3x': (390, 844, 3, True), 'phone 2x turned': (740, 360, 2, True)}


@pytest.mark.parametrize('screen', SCREENS)
def test_design(browser, site, screen):
    width, height, ratio, phone = SCREENS[screen]
    page = browser(width, height, ratio, phone).open(site.url)
    controls = page.controls()
    form = controls.pop('form')['box']
    # The density it is laid out at: the screen's on a desktop; on a phone,
    # as many device pixels to a design pixel as fit across (or down).
    fit = min(width * ratio // pixels(FORM[0]), height * ratio // pixels(FORM[1]))
    dpi = 96 * fit if phone else round(96 * ratio)
    line = max(1, (dpi + 48) // 96)
    assert (form['width'], form['height']) == pytest.approx([pixels(edge, dpi) / ratio for edge in FORM], abs=0.05)
    assert sorted(controls) == sorted(DESIGN)
    image = page.screen()
    corner = (round(form['left'] * ratio), round(form['top'] * ratio))
    assert (form['left'] * ratio, form['top'] * ratio) == pytest.approx(corner, abs=0.05)
    for name, control in controls.items():
        # Every edge on a device pixel, each rounded on its own.
        left, top, w, h = DESIGN[name]
        edges = [pixels(left, dpi), pixels(top, dpi), pixels(left + w, dpi), pixels(top + h, dpi)]
        box = control['box']
        found = [box['left'], box['top'], box['right'], box['bottom']]
        assert [at * ratio for at in found] == pytest.approx([at + corner[i % 2] for i, at in enumerate(edges)], abs=0.05), name
        size = (edges[2] - edges[0], edges[3] - edges[1])
        for place, colour in LOOKS[look(name)]:  # a line's middle pixel; of two, the outer one
            device = tuple(corner[i] + edges[i] + (size[i] // 2 if at == 'mid' else at * line + (line - (at >= 0)) // 2
                                                      + (size[i] if at < 0 else 0)) for i, at in enumerate(place))
            found = image.getpixel(device)
            assert max(abs(a - b) for a, b in zip(found, colour)) <= (40 if colour == BLACK else 4), (name, place)
    # Crisp: across the form, three lines under the cells' top edge, every
    # pixel is one of the colours drawn there, never a blend of two.
    y = corner[1] + pixels(DESIGN[CELLS[0][0]][1], dpi) + 3 * line + line // 2
    drawn = {(192, 192, 255), PINK} | {(v,) * 3 for v in (160, 105, 255, 227, 173, 225)}  # GO's too, where it is
    assert {image.getpixel((x, y)) for x in range(corner[0], corner[0] + round(form['width'] * ratio))} <= drawn


# One play: start() sets the reels spinning, stop() stops them. Judged by
# the rules from the symbols the tree tells of after it, which must be those
# drawn; a screen reader hears the focus move to the first stop button and
# back to GO, and a few dozen changes at most.
def play(page, start, stop, tr=ENGLISH):
    balance, told = int(re.search(r'\d+', page.describe(tr.balance))[0]), page.describe('GO')
    page.js('heard.focus.length = heard.changes.length = heard.drawn.length = 0')
    start()
    wait(lambda: page.has(tr.stops[0], 'enabled', 'focused') and not page.has('GO', 'enabled'), 'the spin')
    drawn = [page.controls()[name]['text'] for name in tr.cells[0]]
    wait(lambda: [page.controls()[name]['text'] for name in tr.cells[0]] != drawn, 'the reels to move')
    stop()
    wait(lambda: page.has('GO', 'enabled', 'focused') and page.describe('GO') != told, 'the end of the play')
    grid = page.grid(tr)
    assert grid == [[page.controls()[name]['text'] for name in reel] for reel in tr.cells]
    lamps, balance, go = judge(grid, balance, tr)
    assert (page.describe('GO'), page.describe(tr.balance)) == (go, tr.coins(balance))
    assert {name: page.describe(name) for name in lamps} == lamps
    assert not any(page.has(name, 'enabled') for name in tr.stops)
    heard = page.js('return heard')
    assert heard['focus'][0] == tr.stops[0] and heard['focus'][-1] == 'GO', heard['focus']
    assert [(role, name) for role, name, _, states in page.tree() if states.get('focused') and role != 'RootWebArea'] \
        == [('button', 'GO')]
    # A write of what a control already shows or tells reaches no one.
    assert 0 < len(heard['changes']) <= 48 and all(old != now for *_, old, now in heard['changes']), heard['changes']
    # Many sweeps, each writing every cell; only a new text is drawn.
    assert heard['drawn'] and all(old != new for old, new in heard['drawn'])
    image = page.screen()
    lit = {name: image.getpixel(tuple(int(at * page.ratio) for at in page.centre(name))) for name in lamps}
    assert lit == {name: (255, 255, 192) if lamps[name] == tr.lit else (128, 128, 128) for name in lamps}


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
    page = browser(390, 844, 3, True) if go == 'tap' else browser()
    page.open(site.url)
    if player == 'mouse':
        assert_heard_at_start(page)
    press = page.tap if go == 'tap' else page.click

    def stop():
        focus = 0  # the spin starts with the focus on the left stop button; Tab skips GO, Shift+Tab goes back
        for step in stops:
            press(STOPS[step]) if isinstance(step, int) else page.key(step)
            if 'Tab' in step if isinstance(step, str) else False:
                focus = (focus + (2 if step.startswith('shift') else 1)) % 3
                wait(lambda: page.has(STOPS[focus], 'focused'), f'the focus on {STOPS[focus]}')
    for _ in range(2):
        play(page, lambda: press('GO') if go in ('click', 'tap') else page.key(go, held=True), stop)


# What the accessibility tree tells a screen reader when the page has
# loaded: every control's role, name and description, the stop buttons
# disabled, GO focused; and what the reels draw is not in it.
def assert_heard_at_start(page):
    tree = page.tree()
    controls = sorted((role, name, description, bool(states.get('disabled')), bool(states.get('focused')))
                      for role, name, description, states in tree if name in DESIGN)
    cells = [('group', name, page.describe(name), False, False) for reel in CELLS for name in reel]
    assert controls == sorted(cells + [('image', name, 'unlit', False, False) for name, _ in LINES]
                              + [('button', name, '', True, False) for name in STOPS]
                              + [('button', 'GO', 'Starts a play for 10 coins.', False, True),
                                 ('group', 'Balance', '500 coins', False, False)])
    assert all(description for _, _, description, _, _ in cells)
    assert not any(role == 'StaticText' and name in '$*-#7C?=+%0123456789' for role, name, *_ in tree)


# The game-over message is an alert dialog, modal, with the focus on OK;
# once it is dismissed the form goes, the page says that the game is over,
# and a new game starts from it.
@pytest.mark.parametrize('dismiss', ['click', 'Return'])
def test_running_out_of_coins_ends_the_game(browser, lowcoins_site, dismiss):
    page = browser().open(lowcoins_site.url)
    page.click('GO')
    wait(lambda: page.js("return document.getElementById('message').open"), 'the game-over message')
    tree = page.tree()
    assert [(role, name, description) for role, name, description, _ in tree if role == 'alertdialog'] == [
        ('alertdialog', 'GameOver', 'You ran out of your coins!')]
    assert [(role, name) for role, name, _, states in tree if states.get('focused') and role != 'RootWebArea'] == [
        ('button', 'OK')]
    assert page.describe('Balance') == '5 coins' and not page.has(STOPS[0], 'enabled')
    # Modal: neither the mouse nor a screen reader reaches the form behind it.
    assert not any(name in DESIGN for _, name, *_ in tree)
    assert page.js('return document.elementFromPoint(...arguments).closest("#form")', *page.centre('Balance')) is None
    page.click('#message button') if dismiss == 'click' else page.key('Return')
    wait(lambda: page.js("return !document.getElementById('ended').hidden"), 'the end of the game')
    assert page.controls() == {} and page.js('return document.activeElement.textContent') == 'New game'
    tree = page.tree()
    assert ('StaticText', 'The game is over.') in [(role, name) for role, name, *_ in tree]
    assert not any(name in DESIGN for _, name, *_ in tree)
    page.click('#ended button')
    wait(lambda: page.has('GO', 'enabled', 'focused'), 'a new game')
    assert page.describe('Balance') == '5 coins'


# The page in the player's language, Japanese first in the browser: every
# control named and described in Japanese, after a play too, judged against
# Python's gettext over the build's catalogue; the page's own words in
# Japanese; the game's own texts, its title and the game-over message among
# them, as they stand.
def test_in_japanese(browser, site, lowcoins_site):
    tr = Texts(pathlib.Path(os.environ['VANTU_PO_DIR'], 'ja.mo'))
    page = browser(lang='ja').open(site.url)
    assert page.js('return [document.documentElement.lang, document.title]') == ['ja', 'Vantu']
    names = [name for reel in tr.cells for name in reel] + [name for name, _ in tr.lines] + tr.stops
    assert sorted(page.controls()) == sorted(names + ['GO', tr.balance, 'form'])
    assert [tr.stops[0], tr.balance, tr.cells[1][0], page.describe('GO'), page.describe(tr.balance)] == [
        '左リールを停止', '所持コイン', '中リール、上段', 'コイン10枚で1回プレイします。', '500枚']
    heard = {(role, name, description) for role, name, description, _ in page.tree()}
    assert {('button', tr.stops[0], ''), ('image', tr.lines[2][0], tr.unlit)} <= heard
    assert [page.controls()[name]['text'] for name in ('GO', tr.stops[0])] == ['GO', '*']
    play(page, lambda: page.click('GO'), lambda: [page.click(name) for name in tr.stops], tr)

    page = browser(lang='ja').open(lowcoins_site.url)
    page.click('GO')
    wait(lambda: page.js("return document.getElementById('message').open"), 'the game-over message')
    assert [(name, description) for role, name, description, _ in page.tree() if role == 'alertdialog'] == [
        ('GameOver', 'You ran out of your coins!')]
    page.key('Return')
    wait(lambda: page.js("return !document.getElementById('ended').hidden"), 'the end of the game')
    assert page.js('return document.activeElement.textContent') == '新しいゲーム'
    assert ('StaticText', 'ゲームは終了しました。') in [(role, name) for role, name, *_ in page.tree()]


# Once loaded, the page plays with the network off, and a browser can
# install it: its manifest names the game and gives the icons a phone asks
# for. Each load starts the reels where the clock's seed puts them.
def test_offline_and_installable(browser):
    server = Server(os.environ['VANTU_SITE'])
    try:
        # Reloaded at once, while its worker installs: the worker is in all
        # the same, and controls the page from the next load on.
        page = browser().open(server.url).reload()
        wait(lambda: page.js('return navigator.serviceWorker.ready.then((registration) => !!registration.active)'),
             'the service worker')
        if page.engine == 'chromium':  # only Chromium's protocol tells what a browser makes of the manifest
            manifest = page.cdp('Page.getAppManifest')
            assert manifest['errors'] == [] and '"name": "Vantu"' in manifest['data']
            assert {'192x192', '512x512'} <= set(re.findall(r'"sizes": "(\d+x\d+)"', manifest['data']))
            assert page.cdp('Page.getInstallabilityErrors')['installabilityErrors'] == []
    finally:
        server.stop()
    starts = [page.grid()] + [page.reload().grid() for _ in range(2)]
    assert page.js('return !!navigator.serviceWorker.controller')
    assert starts[0] != starts[1] or starts[1] != starts[2], starts  # all three alike: one time in a million
    play(page, lambda: page.click('GO'), lambda: [page.click(name) for name in STOPS])
