# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The page over its life, in Chromium: hosted in a folder of a plain static
# server, updated in place to a new release (and once half way), played
# offline, audited, drawn whole at every density, and stepping with the
# frames.
import os
import pathlib
import re
import shutil
import subprocess
import time

import pytest
from selenium.common.exceptions import WebDriverException

from browser import Server
from player import play
from rules import STOPS, wait

SOURCE = pathlib.Path(__file__).parents[2]
AXE = pathlib.Path(os.environ.get('VANTU_NPM', ''), 'node_modules', 'axe-core', 'axe.min.js')
FOLDER = '/games/vantu/'  # where the host keeps the page: nothing of it may assume the top of the host
CELL = '[aria-label="Left reel, top row"]'


class Host(Server):
    # A plain static web server, as a host is (Python's: each file with its
    # Last-Modified and no Cache-Control, so that the browser may keep it for
    # days), with the site in FOLDER, replaced in place when told.
    def __init__(self, site, root):
        self.link = root / FOLDER.strip('/')
        self.link.parent.mkdir(parents=True)
        self.put(site)
        super().__init__(root)
        self.url += FOLDER[1:]

    def put(self, site):
        self.link.with_name('new').symlink_to(site)
        self.link.with_name('new').replace(self.link)


def release(site, folder, tag, date):
    # A copy of the built site as another release: every file the page
    # loads tells which release it came from, and its worker keeps it.
    shutil.copytree(site, folder)
    for name, added in [('index.html', f'<meta name="vantu-release" content="{tag}">\n</head>'),
                        ('vantu.js', f'\nwindow.vantuRelease = "{tag}";\n'),
                        ('vantu.css', f'\n:root {{ --release: {tag}; }}\n')]:
        text = (folder / name).read_text()
        (folder / name).write_text(text.replace('</head>', added) if name == 'index.html' else text + added)
    # A custom section at the end of the module: the same program, other bytes.
    with open(folder / 'vantu.wasm', 'ab') as wasm:
        wasm.write(bytes([0, 1 + len(b'release') + len(tag), len(b'release')]) + b'release' + tag.encode())
    kept = re.findall(r"^  '([^']+)': '", (folder / 'service-worker.js').read_text(), re.M)[1:]  # all but './'
    subprocess.run(['/usr/bin/python3', SOURCE / 'src/tools/web_assets.py', 'worker', SOURCE / 'src/forms/web/'
                    'service-worker.js.in', folder / 'service-worker.js', folder, *kept], check=True)
    for path in folder.rglob('*'):
        os.utime(path, (date, date))
    return folder


def name_of(folder):  # the release's name, as its worker gives it
    return re.search(r"RELEASE = '(\w+)'", (folder / 'service-worker.js').read_text())[1]


def assert_whole(page, folder, tag, others=()):
    # The page shows one release, the one its worker keeps whole (the last
    # bytes of each file), and every file it loaded is one its worker keeps;
    # other releases' caches are only those named.
    state = page.js('''return (async () => {
        const kept = {};
        for (const name of await caches.keys()) {
            const cache = await caches.open(name);
            kept[name.split(' ').pop()] = {};
            for (const request of await cache.keys())
                kept[name.split(' ').pop()][new URL(request.url).pathname] = Array.from(new Uint8Array(
                    await (await cache.match(request)).arrayBuffer())).slice(-16).join(',');
        }
        return {kept, waiting: !!(await navigator.serviceWorker.getRegistration())?.waiting,
                loaded: [document.querySelector('meta[name=vantu-release]').content, window.vantuRelease,
                         getComputedStyle(document.documentElement).getPropertyValue('--release').trim()],
                files: performance.getEntriesByType('resource').concat(performance.getEntriesByType('navigation'))
                    .map((entry) => new URL(entry.name)).filter((url) => url.origin === location.origin)
                    .map((url) => url.pathname)};
        })()''')
    assert state['loaded'] == [tag] * 3
    assert sorted(state['kept']) == sorted([name_of(folder), *others])
    kept = state['kept'][name_of(folder)]
    assert kept == {path: ','.join(map(str, (folder / (path[len(FOLDER):] or 'index.html')).read_bytes()[-16:]))
                    for path in kept}
    assert set(state['files']) <= set(kept), set(state['files']) - set(kept)
    return state


def visit(page, url):  # a visit: the page opened, until the player leaves it
    page.open(url).until('navigator.serviceWorker.ready.then(() => true)', 'the service worker')


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
    page = browser()
    (tmp_path / 'host').mkdir()
    (tmp_path / 'host/away.html').write_text('<!DOCTYPE html><title>Away</title><link rel="icon" href="data:,">')
    with Host(one, tmp_path / 'host') as host:
        for folder, taken in [(one, None), (half, False), (two, True)]:
            host.put(folder)
            visit(page, host.url)
            if taken is not None:
                # The browser looks for a new worker as the page registers
                # its own; asked again here, the look is over once that
                # resolves. The new worker is in once it waits; a failed one
                # is gone.
                page.js('return navigator.serviceWorker.getRegistration().then((r) => r.update()).catch(() => {})'
                        '.then(() => 0)')
                page.until('navigator.serviceWorker.getRegistration().then((r) => !r.installing)', 'the update tried')
            assert assert_whole(page, one, 'one', [name_of(two)] if taken else [])['waiting'] == bool(taken)
            # The player leaves for another page of the host's, and is away
            # until the browser has put the waiting worker in, as it does
            # in its own time once no page of the old release is open.
            page.driver.get(host.url[:-len(FOLDER)] + '/away.html')
            wait(lambda: page.driver.execute_script(
                'return navigator.serviceWorker.getRegistration(arguments[0])'
                '.then((r) => !r.waiting && r.active.state === "activated")', host.url), 'the old release closed')
        visit(page, host.url)
        assert_whole(page, two, 'two')
    assert_whole(page.reload(), two, 'two')
    play(page, 'click', [0, 1, 2])


# Hosted in a folder, the page is installable as an app of that folder
# (only Chromium's protocol tells what a browser makes of the manifest): the
# manifest names the game, and gives the icons a phone asks for and no
# orientation. The worker answers only the page's own addresses: another
# file of the host's opens as itself, and a mistyped address fails, offline
# too.
def test_hosted_in_a_folder(browser, tmp_path):
    page = browser()
    with Host(pathlib.Path(os.environ['VANTU_SITE']), tmp_path) as host:
        visit(page, host.url)
        assert page.cdp('Page.getInstallabilityErrors')['installabilityErrors'] == []
        manifest = page.cdp('Page.getAppManifest')
        assert manifest['errors'] == [] and '"name": "Vantu"' in manifest['data']
        assert '"orientation"' not in manifest['data']
        assert {'192x192', '512x512'} <= set(re.findall(r'"sizes": "(\d+x\d+)"', manifest['data']))
        assert page.cdp('Page.getAppId')['appId'] == host.url
        for address, expected in [('index.html?from=home', 'game'), ('fonts/fonts-liberation2.txt', 'Liberation'),
                                  ('no-such-page', 'Error response')]:
            page.driver.get(host.url + address)
            shown = page.js("return document.getElementById('stage') ? 'game' : document.body.innerText")
            assert expected in shown, (address, shown)
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
# message open, and on the end page; the page has one heading, and no
# control is taken out of the page's order.
def test_accessibility_audit(browser, site, lowcoins_site):
    assert AXE.is_file(), f'{AXE}: make web-test-deps installs axe-core'
    page = browser().open(site.url)
    assert page.js("return [...document.querySelectorAll('h1')].map((h) => h.textContent)") == ['Vantu']
    assert page.js("return [...document.querySelectorAll('[tabindex]')].filter((e) => e.tabIndex > 0).length") == 0

    def audit(state):
        page.js(AXE.read_text())
        assert page.js('return axe.run(document).then((r) => r.violations.map((v) => [v.id, v.nodes.length]))') \
            == [], state
    audit('at rest')
    page.click('GO')
    wait(lambda: page.has(STOPS[0], 'enabled'), 'the spin')
    audit('during a spin')
    page = browser().open(lowcoins_site.url)
    page.click('GO')
    page.until("document.getElementById('message').open", 'the game-over message')
    audit('the game-over message')
    page.key('Return')
    page.until("!document.getElementById('ended').hidden", 'the end of the game')
    audit('the end page')


# Every symbol whole in its cell, at every density: the ink a symbol puts
# in the cell (what changes on the screen as it is written) is all the ink
# it puts in a copy of the cell wide enough to hold any glyph.
@pytest.mark.parametrize('ratio', [1, 2])
def test_every_symbol_whole(browser, site, ratio):
    page = browser(ratio=ratio).open(site.url)
    boxes = page.js(f'''const cell = document.querySelector('{CELL}'), copy = cell.cloneNode(true);
        copy.id = 'copy';
        for (const [name, at] of Object.entries({{'--left': 0, '--top': 0, '--width': 300}}))
            copy.style.setProperty(name, at);
        Object.assign(copy.style, {{position: 'fixed', fontFamily: getComputedStyle(cell).fontFamily}});
        document.body.appendChild(copy);
        return [cell, copy].map((e) => e.getBoundingClientRect().toJSON());''')

    def show(text):
        page.js(f"for (const e of document.querySelectorAll('{CELL}, #copy')) e.querySelector('.face').textContent = "
                'arguments[0];', text)
        return page.screen()

    def ink(before, after, box):
        area = [round(box[edge] * ratio) for edge in ('left', 'top', 'right', 'bottom')]
        return sum(abs(a - b) for a, b in zip(before.crop(area).tobytes(), after.crop(area).tobytes()))
    for symbol in '$*-#7C?=+%':
        blank, shown = show(''), show(symbol)
        whole = ink(blank, shown, boxes[1])
        assert whole > 0 and ink(blank, shown, boxes[0]) >= 0.98 * whole, symbol


# The reels step once for each frame the browser draws, never faster than
# a player can see, and not at all while the page is in a tab in the
# background.
def test_the_reels_step_with_the_frames(browser, site):
    page = browser().open(site.url)
    page.js(f'''window.steps = {{visible: 0, hidden: 0, frames: 0}};
               new MutationObserver((records) => steps[document.visibilityState] += records.length).observe(
                   document.querySelector('{CELL} .face'), {{childList: true, characterData: true, subtree: true}});
               (function frame() {{ ++steps.frames; requestAnimationFrame(frame); }})();
               document.addEventListener('visibilitychange', () => steps.changed = true);''')
    page.click('GO')
    wait(lambda: page.has(STOPS[0], 'enabled'), 'the spin')
    page.js("steps.visible = steps.frames = 0")
    page.until('steps.frames >= 60', 'a second of frames')
    steps = page.js('return steps')
    assert 0.5 * steps['frames'] <= steps['visible'] <= steps['frames'] + 1, steps
    spinning = page.driver.current_window_handle
    page.driver.switch_to.new_window('tab')
    time.sleep(1)
    page.driver.switch_to.window(spinning)
    steps = page.js('return steps')
    assert steps.get('changed') and steps['hidden'] == 0, steps
