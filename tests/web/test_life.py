# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The page over its life, in Chromium: hosted in a folder of a plain static
# server, updated in place to a new release (and once half way), played
# offline, audited, and seen in a high-contrast theme.
import os
import pathlib
import re
import shutil
import subprocess
import time

import pytest
from selenium.common.exceptions import WebDriverException

from browser import Server
from rules import STOPS, wait

WEB_ASSETS = pathlib.Path(__file__).parents[2] / 'src' / 'tools' / 'web_assets.py'
AXE = pathlib.Path(os.environ.get('VANTU_NPM', ''), 'node_modules', 'axe-core', 'axe.min.js')
FOLDER = '/games/vantu/'  # where the host keeps the page: nothing of it may assume the top of the host


class Host:
    # A plain static web server, as a host is (Python's: each file with its
    # Last-Modified and no Cache-Control, so that the browser may keep it for
    # days), with the site in FOLDER, replaced in place when told.
    def __init__(self, site, root):
        self.link = root / FOLDER.strip('/')
        self.link.parent.mkdir(parents=True)
        self.put(site)
        self.server = Server(str(root))
        self.url = self.server.url + FOLDER[1:]

    def put(self, site):
        self.link.with_name('new').symlink_to(site)
        self.link.with_name('new').replace(self.link)

    def stop(self):
        self.server.stop()


def release(site, folder, tag, date):
    # A copy of the built site as another release: every file the page
    # loads tells which release it came from, and its worker keeps it.
    shutil.copytree(site, folder)
    text = lambda name: (folder / name).read_text()  # noqa: E731
    (folder / 'index.html').write_text(text('index.html').replace(
        '</head>', f'<meta name="vantu-release" content="{tag}">\n</head>'))
    (folder / 'vantu.js').write_text(text('vantu.js') + f'\nwindow.vantuRelease = "{tag}";\n')
    (folder / 'vantu.css').write_text(text('vantu.css') + f'\n:root {{ --release: {tag}; }}\n')
    # A custom section at the end of the module: the same program, other bytes.
    with open(folder / 'vantu.wasm', 'ab') as wasm:
        name, payload = b'release', tag.encode()
        wasm.write(bytes([0, 1 + len(name) + len(payload), len(name)]) + name + payload)
    kept = re.findall(r"^  '([^']+)': '", text('service-worker.js'), re.M)[1:]  # all but './', index.html's twin
    subprocess.run(['/usr/bin/python3', WEB_ASSETS, 'worker', pathlib.Path(__file__).parents[2] / 'src' / 'forms'
                    / 'web' / 'service-worker.js.in', folder / 'service-worker.js', folder, *kept], check=True)
    for path in folder.rglob('*'):
        os.utime(path, (date, date))
    return folder


def name_of(folder):  # the release's name, as its worker gives it
    return re.search(r"RELEASE = '(\w+)'", (folder / 'service-worker.js').read_text())[1]


# Which release each thing the page shows and keeps came from: the page,
# its script and its style as loaded, and every kept file, by cache.
def seen(page):
    return page.driver.execute_async_script('''
        const done = arguments[arguments.length - 1];
        const loaded = [document.querySelector('meta[name=vantu-release]').content, window.vantuRelease,
                        getComputedStyle(document.documentElement).getPropertyValue('--release').trim()];
        (async () => {
            const kept = {};
            for (const name of await caches.keys()) {
                const cache = await caches.open(name);
                kept[name] = {};
                for (const request of await cache.keys())
                    kept[name][new URL(request.url).pathname] = Array.from(new Uint8Array(
                        await (await cache.match(request)).arrayBuffer())).slice(-16).join(',');
            }
            const registration = await navigator.serviceWorker.getRegistration();
            return {loaded, kept, waiting: !!(registration && registration.waiting),
                    files: performance.getEntriesByType('resource').concat(performance.getEntriesByType('navigation'))
                        .map((entry) => new URL(entry.name)).filter((url) => url.origin === location.origin)
                        .map((url) => url.pathname)};
        })().then(done);''')


def tail(folder, path):  # the last bytes of a file of the release, as seen() gives them
    name = 'index.html' if path.endswith('/') else path[len(FOLDER):]
    return ','.join(map(str, (folder / name).read_bytes()[-16:]))


def assert_whole(page, folder, tag, others=()):
    # The page shows one release, the one its worker keeps whole, and every
    # file it loaded is one its worker keeps; other releases' caches are
    # only those named.
    state = seen(page)
    assert state['loaded'] == [tag] * 3
    caches = {name.rsplit(' ', 1)[1]: files for name, files in state['kept'].items()}
    assert sorted(caches) == sorted([name_of(folder), *others])
    kept = caches[name_of(folder)]
    assert kept == {path: tail(folder, path) for path in kept}
    assert set(state['files']) <= set(kept), set(state['files']) - set(kept)
    return state


def visit(page, url):  # a visit: the page opened, until the player leaves it
    page.open(url)
    wait(lambda: page.driver.execute_async_script(
        'navigator.serviceWorker.ready.then(() => arguments[0](true))'), 'the service worker')


def leave(page):
    page.driver.get('about:blank')


# A new release put in place of the old on a plain host reaches a returning
# player whole within two visits, never mixed with the old one; a release
# that the host has only half put in place is not taken; the old release's
# cache goes once the new one is in; the new one plays offline.
def test_an_update_reaches_the_player_whole(browser, tmp_path):
    site = pathlib.Path(os.environ['VANTU_SITE'])
    one = release(site, tmp_path / 'one', 'one', 1_700_000_000)
    two = release(site, tmp_path / 'two', 'two', 1_710_000_000)
    half = tmp_path / 'half'  # the new release, but for its program, which is still the old one's
    shutil.copytree(two, half)
    shutil.copy2(one / 'vantu.wasm', half / 'vantu.wasm')
    host = Host(one, tmp_path / 'host')
    try:
        page = browser()
        visit(page, host.url)
        assert_whole(page, one, 'one')
        leave(page)
        for folder, taken in [(half, False), (two, True)]:
            host.put(folder)
            visit(page, host.url)
            # The browser looks for a new worker as the page registers its
            # own; asked again here, the look is over once that resolves. The
            # new worker is in once it waits; a failed one is gone.
            page.driver.execute_async_script('''navigator.serviceWorker.getRegistration()
                .then((r) => r.update()).catch(() => {}).then(() => arguments[0]())''')
            wait(lambda: page.driver.execute_async_script('''navigator.serviceWorker.getRegistration()
                .then((r) => arguments[0](!r.installing))'''), 'the update tried')
            state = assert_whole(page, one, 'one', [name_of(two)] if taken else [])
            assert state['waiting'] == taken
            leave(page)
        visit(page, host.url)
        assert_whole(page, two, 'two')
    finally:
        host.stop()
    page.reload()
    assert_whole(page, two, 'two')
    page.click('GO')
    wait(lambda: page.has(STOPS[0], 'enabled'), 'the spin, offline')
    for name in STOPS:
        page.click(name)
    wait(lambda: page.has('GO', 'enabled', 'focused'), 'the end of the play, offline')


# Hosted in a folder, the page is installable as an app of that folder;
# the worker answers only the page's own addresses: another file of the
# host's opens as itself, and a mistyped address fails, offline too.
def test_hosted_in_a_folder(browser, tmp_path):
    host = Host(pathlib.Path(os.environ['VANTU_SITE']), tmp_path)
    try:
        page = browser()
        visit(page, host.url)
        assert page.cdp('Page.getInstallabilityErrors')['installabilityErrors'] == []
        manifest = page.cdp('Page.getAppManifest')
        assert manifest['errors'] == [] and '"orientation"' not in manifest['data']
        assert page.cdp('Page.getAppId')['appId'] == host.url
        for address, expected in [('index.html?from=home', 'game'), ('fonts/fonts-liberation2.txt', 'Liberation'),
                                  ('no-such-page', 'Error response')]:
            page.driver.get(host.url + address)
            shown = 'game' if page.js("return !!document.getElementById('stage')") else page.js(
                'return document.body.innerText')
            assert expected in shown, (address, shown)
    finally:
        host.stop()
    for address in ('no-such-page', 'fonts/fonts-liberation2.txt'):
        try:
            page.driver.get(host.url + address)
        except WebDriverException as error:  # the browser's own error page
            assert 'ERR_CONNECTION_REFUSED' in error.msg
        assert not page.js("return !!document.getElementById('stage')"), address
    page.open(host.url)
    page.driver.get_log('browser')  # the failed addresses' errors, expected


# The page keeps only its own scripts: one written into it does not run.
def test_no_inline_script_runs(browser, site):
    page = browser().open(site.url)
    page.js('''const script = document.createElement('script');
               script.textContent = 'window.injected = true';
               document.head.appendChild(script);''')
    assert page.js('return window.injected === undefined')
    assert all('Content Security Policy' in entry for entry in page.errors())


# axe-core finds nothing to fault at rest, during a spin, with the game-over
# message open, and on the end page.
def test_accessibility_audit(browser, site, lowcoins_site):
    assert AXE.is_file(), f'{AXE}: make web-test-deps installs axe-core'
    source = AXE.read_text()

    def audit(page, state):
        page.js(source)
        found = page.driver.execute_async_script(
            'axe.run(document).then((r) => arguments[0](r.violations.map((v) => [v.id, v.impact, v.nodes.length])))')
        assert found == [], state

    page = browser().open(site.url)
    assert page.js("return [...document.querySelectorAll('h1')].map((h) => h.textContent)") == ['Vantu']
    assert page.js("return [...document.querySelectorAll('[tabindex]')].filter((e) => e.tabIndex > 0).length") == 0
    audit(page, 'at rest')
    page.click('GO')
    wait(lambda: page.has(STOPS[0], 'enabled'), 'the spin')
    audit(page, 'during a spin')
    page = browser().open(lowcoins_site.url)
    page.click('GO')
    wait(lambda: page.js("return document.getElementById('message').open"), 'the game-over message')
    audit(page, 'the game-over message')
    page.key('Return')
    wait(lambda: page.js("return !document.getElementById('ended').hidden"), 'the end of the game')
    audit(page, 'the end page')


# The form as designed, and in a high-contrast theme, light or dark, where
# it keeps its own colours as a desktop window does: every lamp round, with
# its outline and its grey; every button's frame and face; the cells and
# the counter as designed; each text in its colour, legible where it is
# drawn; and each in the page's own face, loaded.
LOOKS = {'standard': [], 'forced colours, dark': [{'name': 'forced-colors', 'value': 'active'},
                                                  {'name': 'prefers-color-scheme', 'value': 'dark'}],
         'forced colours, light': [{'name': 'forced-colors', 'value': 'active'},
                                   {'name': 'prefers-color-scheme', 'value': 'light'}]}


@pytest.mark.parametrize('scheme', LOOKS)
def test_look(browser, site, scheme):
    page = browser()
    page.cdp('Emulation.setEmulatedMedia', features=LOOKS[scheme])
    page.open(site.url)
    assert page.js("return matchMedia('(forced-colors: active)').matches") == bool(LOOKS[scheme])
    image = page.screen()

    def colour(name, dx=0.0, dy=0.0):  # the pixel at a fraction of the control's size from its centre
        box = page.controls()[name]['box']
        return image.getpixel((int((box['x'] + box['width'] * (0.5 + dx)) * page.ratio),
                               int((box['y'] + box['height'] * (0.5 + dy)) * page.ratio)))

    def style(name, property_):
        return page.js('return getComputedStyle(document.querySelector(`[aria-label="${arguments[0]}"]`))'
                       '[arguments[1]]', name, property_)

    looks = {'Middle row': [(0, 0, (128, 128, 128)), (0, -0.49, (0, 0, 0)), (-0.46, -0.46, (192, 192, 255))],
             'GO': [(-0.49, 0, (173, 173, 173)), (0, 0.3, (225, 225, 225))],
             STOPS[0]: [(-0.46, 0, (191, 191, 191)), (0.3, 0.3, (204, 204, 204))],
             'Left reel, top row': [(-0.375, -0.4, (255, 192, 192))], 'Balance': [(-0.45, 0, (0, 0, 128))]}
    for name, places in looks.items():
        for dx, dy, expected in places:
            assert max(map(abs, (a - b for a, b in zip(colour(name, dx, dy), expected)))) <= 40, (name, dx, dy)
    texts = {name: (style(name, 'color'), style(name, 'fontFamily').split(',')[0].strip('"'))
             for name in ('Left reel, top row', 'Balance', 'GO', STOPS[0])}
    assert texts == {'Left reel, top row': ('rgb(0, 0, 0)', 'Vantu Sans'), 'Balance': ('rgb(255, 255, 192)', 'Vantu Sans'),
                     'GO': ('rgb(0, 0, 0)', 'Vantu PGothic'), STOPS[0]: ('rgb(131, 131, 131)', 'Vantu PGothic')}
    loaded = page.js("return [...document.fonts].filter((f) => f.status === 'loaded')"
                     ".map((f) => f.family.replace(/\"/g, '') + ' ' + f.weight)")
    assert {'Vantu Sans 700', 'Vantu PGothic 400'} <= set(loaded), loaded


# Every symbol whole in its cell, at every density: the ink a symbol puts
# in the cell (what changes on the screen as it is written) is all the ink
# it puts in a copy of the cell wide enough to hold any glyph.
@pytest.mark.parametrize('ratio', [1, 2])
def test_every_symbol_whole(browser, site, ratio):
    page = browser(ratio=ratio).open(site.url)
    page.js('''const cell = document.querySelector('[aria-label="Left reel, top row"]');
               const copy = cell.cloneNode(true);
               copy.id = 'copy';
               copy.style.setProperty('--left', 0);
               copy.style.setProperty('--top', 0);
               copy.style.setProperty('--width', 300);
               copy.style.position = 'fixed';
               copy.style.fontFamily = getComputedStyle(cell).fontFamily;
               document.body.appendChild(copy);''')
    boxes = [page.js('return document.querySelector(arguments[0]).getBoundingClientRect().toJSON()', target)
             for target in ('[aria-label="Left reel, top row"]', '#copy')]

    def ink(before, after, box):
        area = [round(box[edge] * ratio) for edge in ('left', 'top', 'right', 'bottom')]
        return sum(abs(a - b) for a, b in zip(before.crop(area).tobytes(), after.crop(area).tobytes()))

    def show(text):
        page.js('''for (const element of [document.querySelector('[aria-label="Left reel, top row"]'),
                                            document.getElementById('copy')])
                       element.querySelector('.face').textContent = arguments[0];''', text)
        return page.screen()
    for symbol in '$*-#7C?=+%':
        blank, shown = show(''), show(symbol)
        whole = ink(blank, shown, boxes[1])
        assert whole > 0 and ink(blank, shown, boxes[0]) >= 0.98 * whole, symbol


# The reels step once for each frame the browser draws, never faster than
# a player can see, and not at all while the page is in a tab in the
# background.
def test_the_reels_step_with_the_frames(browser, site):
    page = browser().open(site.url)
    page.js('''window.steps = {visible: 0, hidden: 0, frames: 0};
               new MutationObserver((records) => steps[document.visibilityState] += records.length).observe(
                   document.querySelector('[aria-label="Left reel, top row"] .face'), {childList: true});
               (function frame() { ++steps.frames; requestAnimationFrame(frame); })();
               document.addEventListener('visibilitychange', () => steps.changed = true);''')
    page.click('GO')
    wait(lambda: page.has(STOPS[0], 'enabled'), 'the spin')
    page.js("steps.visible = steps.frames = 0")
    wait(lambda: page.js('return steps.frames') >= 60, 'a second of frames')
    steps = page.js('return steps')
    assert 0.5 * steps['frames'] <= steps['visible'] <= steps['frames'] + 1, steps
    spinning = page.driver.current_window_handle
    page.driver.switch_to.new_window('tab')
    time.sleep(1)
    page.driver.switch_to.window(spinning)
    steps = page.js('return steps')
    assert steps.get('changed') and steps['hidden'] == 0, steps
