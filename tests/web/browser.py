# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The page as a player and a screen reader meet it in real browsers, each
# from the system's packages: Chromium through its DevTools protocol,
# Firefox through its own WebDriver BiDi agent, and WebKitGTK through its
# WebDriver. Served over HTTP as any host serves it, driven with real input
# (the browser's own mouse, keyboard and touch events), read through the
# accessibility tree where the browser gives it, and probed on the screen
# where only pixels tell.
import atexit
import base64
import io
import json
import os
import pathlib
import socket
import string
import subprocess
import tempfile
import time
import urllib.request

import websocket
from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import NoSuchFrameException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.remote.command import Command

from rules import TIMEOUT, Texts, wait

HERE = pathlib.Path(__file__).parent
RECORDER = (HERE / 'recorder.js').read_text()  # what a player and a screen reader notice
# The keys a player presses, by their X names: as the DOM names them (key,
# code, Windows' key number) and as WebDriver sends them. Shift+Tab is Tab
# with Shift held. A key held down repeats after half a second, as a
# keyboard's keys do.
KEYS = {'space': (' ', 'Space', 32, ' '), 'Return': ('Enter', 'Enter', 13, '\ue006'),
        'KP_Enter': ('Enter', 'NumpadEnter', 13, '\ue007'), 'Tab': ('Tab', 'Tab', 9, '\ue004')}
SHIFT, DELAY = '\ue008', 0.5


def free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


def answers(url):
    try:
        return urllib.request.urlopen(url, timeout=1).status == 200
    except OSError:
        return False


class Server:
    # The folder over HTTP on a free port of this machine, as any static web
    # server gives it; a context manager, stopped at its end.
    def __init__(self, folder):
        port = free_port()
        self.url = f'http://127.0.0.1:{port}/'
        self.process = subprocess.Popen(['/usr/bin/python3', '-m', 'http.server', str(port), '--bind', '127.0.0.1',
                                         '--directory', folder], stderr=subprocess.DEVNULL)
        wait(lambda: answers(self.url), 'the web server')

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.process.terminate()
        self.process.wait(timeout=TIMEOUT)


# What every browser is asked the same way: the page's state through its
# scripts (js), and input as WebDriver's actions describe it (perform). A
# page is the adapter that player.py plays through, in the language of tr.
class Page:
    lacks = {}  # why this browser cannot show the page as asked: on a 'phone', at a 'ratio' but 1, in 'forced' colours
    repeats = 2  # a key held down repeats twice before it is let go: it is pressed again before it is let go

    def __init__(self, ratio, lang):
        self.ratio, self.tr = ratio, Texts.of(lang)

    def open(self, url=None):  # the page at url, or again; once its form is there, in its own faces
        self.go(url)
        wait(lambda: self.js("return document.fonts.status === 'loaded' && !!document.getElementById('form')"),
             'the form')
        self.js('heard.focus.length = heard.changes.length = heard.drawn.length = 0')
        return self

    def reload(self):
        return self.open()

    def controls(self):  # see recorder.js
        return self.js('return probe.controls()')

    def describe(self, name):
        return self.controls()[name]['description']

    def has(self, name, *states):
        control = self.controls().get(name)
        return control is not None and all(control[state] for state in states)

    def tree(self):  # see recorder.js
        return self.js('return probe.tree()')

    def until(self, script, what):  # waits for the script's expression to be true
        return wait(lambda: self.js(f'return {script}'), what)

    # The centre of a control, by name, or of the element a CSS selector finds.
    def centre(self, target):
        box = self.controls().get(target, {}).get('box') or self.js(
            'return document.querySelector(arguments[0]).getBoundingClientRect().toJSON()', target)
        return box['x'] + box['width'] / 2, box['y'] + box['height'] / 2

    def click(self, name):
        x, y = self.centre(name)
        self.perform({'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'}, 'actions': [
            {'type': 'pointerMove', 'x': round(x), 'y': round(y), 'origin': 'viewport'},
            {'type': 'pointerDown', 'button': 0}, {'type': 'pointerUp', 'button': 0}]})

    def key(self, name, held=False):
        key, shift = KEYS[name.removeprefix('shift+')][3], [SHIFT] * name.startswith('shift+')
        repeats = [{'type': 'pause', 'duration': int(DELAY * 1000)}, *[{'type': 'keyDown', 'value': key}] * self.repeats]
        self.perform({'type': 'key', 'id': 'keyboard', 'actions': [
            {'type': 'keyDown', 'value': value} for value in shift + [key]] + repeats * held + [
            {'type': 'keyUp', 'value': value} for value in [key] + shift]})

    def reels(self):  # the symbols the cells show, by reel and row
        controls = self.controls()
        return [[controls[name]['text'] for name in reel] for reel in self.tr.cells]

    def screen(self):  # in device pixels
        return Image.open(io.BytesIO(self.png())).convert('RGB')

    def colours(self, names):
        image = self.screen()
        return [image.getpixel(tuple(int(at * self.ratio) for at in self.centre(name))) for name in names]

    def stored(self):
        return self.js('return probe.stored()')


class Selenium(Page):
    # What Selenium's drivers share.
    prelude = ''  # run before every script

    def js(self, script, *arguments):
        try:
            return self.driver.execute_script(self.prelude + script, *arguments)
        except NoSuchFrameException:  # the page went as it ran, as a new game reloads it: again, in the new one
            return self.driver.execute_script(self.prelude + script, *arguments)

    def go(self, url):
        self.driver.get(url) if url else self.driver.refresh()

    def perform(self, *sources):
        self.driver.execute(Command.W3C_ACTIONS, {'actions': list(sources)})


class Chromium(Selenium):
    # A fresh profile in a headless Chromium: a desktop of the given size and
    # device pixel ratio, or a phone's touch screen, in forced colours of a
    # light or dark scheme if asked, whose player's language is lang.
    engine = 'chromium'

    def __init__(self, width, height, ratio, phone, lang, forced):
        super().__init__(ratio, lang)
        self.profile = tempfile.TemporaryDirectory(prefix='vantu-chromium-')
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in ['--headless=new', '--no-sandbox', '--disable-dev-shm-usage', '--no-first-run',
                         '--disable-background-networking', '--disable-component-update', '--hide-scrollbars',
                         f'--user-data-dir={self.profile.name}', f'--window-size={width},{height}',
                         f'--force-device-scale-factor={ratio}', f'--lang={lang}']:
            options.add_argument(argument)
        options.add_experimental_option('prefs', {'intl.accept_languages': lang})
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL', 'performance': 'ALL'})
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        # The ratio is the screen's, as a real one's is: emulated, Chromium
        # would lay the page out in CSS pixels and only then scale it.
        self.cdp('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=0,
                 mobile=phone)
        self.cdp('Emulation.setTouchEmulationEnabled', enabled=phone, maxTouchPoints=5)
        self.cdp('Emulation.setEmulatedMedia', features=bool(forced) * [
            {'name': 'forced-colors', 'value': 'active'}, {'name': 'prefers-color-scheme', 'value': forced}])
        self.cdp('Page.addScriptToEvaluateOnNewDocument', source=RECORDER)
        self.cdp('Accessibility.enable')
        self.driver.get_log('performance')  # the browser's own new tab, before the page

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    def tree(self):  # the accessibility tree itself
        value = (lambda node, key: str(node.get(key, {}).get('value', '')))
        return [(value(n, 'role'), value(n, 'name'), value(n, 'description'),
                 {p['name']: p['value'].get('value') for p in n.get('properties', [])})
                for n in self.cdp('Accessibility.getFullAXTree')['nodes'] if not n.get('ignored')]

    # Chromium's own input events: its driver's actions have no touch, and
    # send a key held down with its repeats unmarked.
    def tap(self, name):
        x, y = self.centre(name)
        self.cdp('Input.dispatchTouchEvent', type='touchStart', touchPoints=[{'x': x, 'y': y}])
        self.cdp('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])

    def key(self, name, held=False):
        key, code, number, _ = KEYS[name.removeprefix('shift+')]
        text, common = {' ': ' ', 'Enter': '\r'}.get(key, ''), dict(
            key=key, code=code, windowsVirtualKeyCode=number, modifiers=8 * name.startswith('shift+'))
        for repeat in [False] + [True] * (self.repeats * held):
            time.sleep(DELAY * repeat)
            self.cdp('Input.dispatchKeyEvent', type='keyDown' if text else 'rawKeyDown', text=text,
                     autoRepeat=repeat, **common)
        self.cdp('Input.dispatchKeyEvent', type='keyUp', **common)

    def png(self):
        return base64.b64decode(self.cdp('Page.captureScreenshot', format='png')['data'])

    # What the page asked of the network, and every console message of an
    # error.
    def requests(self):
        events = [json.loads(entry['message'])['message'] for entry in self.driver.get_log('performance')]
        return [e['params']['request']['url'] for e in events if e['method'] == 'Network.requestWillBeSent']

    def errors(self):
        return [entry['message'] for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']

    def quit(self):
        self.driver.quit()
        self.profile.cleanup()


class Firefox(Page):
    # A fresh profile (user.js) in a headless Firefox ESR, driven over its
    # WebDriver BiDi socket, in a window of its own: a headless Firefox never
    # gives its first window the focus.
    engine = 'firefox'
    lacks = {'phone': "no touch screen: Firefox's WebDriver BiDi emulates none",
             'forced': 'no forced colours: the tests emulate them in Chromium alone'}

    def __init__(self, width, height, ratio, phone, lang, forced):
        super().__init__(ratio, lang)
        self.profile = tempfile.TemporaryDirectory(prefix='vantu-firefox-')
        folder = pathlib.Path(self.profile.name)
        (folder / 'user.js').write_text(string.Template((HERE / 'user.js').read_text()).substitute(
            lang=lang, ratio=ratio))
        self.log = open(folder / 'firefox.log', 'w')
        self.process = subprocess.Popen(['/usr/bin/firefox-esr', '--headless', '--remote-debugging-port=0',
                                         '--profile', str(folder), '--no-remote'], stdout=self.log, stderr=self.log,
                                        env=dict(os.environ, MOZ_CRASHREPORTER_DISABLE='1'))
        self.socket, self.sent, self.events = None, 0, []
        try:
            url = wait(lambda: self.listening(folder / 'firefox.log'), 'Firefox to listen')
            # Firefox refuses a connection with an Origin that it was not told of.
            self.socket = websocket.create_connection(url + '/session', timeout=TIMEOUT, suppress_origin=True)
            self.command('session.new', capabilities={})
            self.context = self.command('browsingContext.create', type='window')['context']
            self.command('session.subscribe', events=['log.entryAdded', 'network.beforeRequestSent'],
                         contexts=[self.context])
            self.command('script.addPreloadScript', functionDeclaration=f'() => {{\n{RECORDER}\n}}',
                         contexts=[self.context])
            self.command('browsingContext.setViewport', context=self.context,
                         viewport={'width': width, 'height': height})
        except BaseException:
            self.quit()
            raise

    def listening(self, log):
        assert self.process.poll() is None, 'Firefox ended'
        return next((line.split()[-1] for line in log.read_text().splitlines()
                     if line.startswith('WebDriver BiDi listening on ')), None)

    # One command, and the events that came before its answer.
    def command(self, method, **parameters):
        self.sent += 1
        self.socket.send(json.dumps({'id': self.sent, 'method': method, 'params': parameters}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('id') == self.sent:
                assert message['type'] == 'success', message
                return message['result']
            if message.get('type') == 'event':
                self.events.append(message)

    # The script's value, through JSON, as WebDriver's scripts give it.
    def js(self, script, *arguments):
        result = self.command('script.callFunction', target={'context': self.context}, awaitPromise=True,
                              functionDeclaration=f'async function() {{ return JSON.stringify(await (function() {{'
                                                  f'\n{script}\n}}).apply(this, {json.dumps(arguments)}) ?? null); }}')
        assert result['type'] == 'success', result
        return json.loads(result['result']['value'])

    def go(self, url):
        self.command('browsingContext.navigate' if url else 'browsingContext.reload', context=self.context,
                     wait='complete', **({'url': url} if url else {}))

    def perform(self, *sources):
        self.command('input.performActions', context=self.context, actions=list(sources))

    def png(self):
        return base64.b64decode(self.command('browsingContext.captureScreenshot', context=self.context)['data'])

    def logged(self, method):
        self.command('session.status')  # the events so far
        return [event['params'] for event in self.events if event['method'] == method]

    def requests(self):
        return [event['request']['url'] for event in self.logged('network.beforeRequestSent')]

    def errors(self):
        return [event['text'] for event in self.logged('log.entryAdded') if event['level'] == 'error']

    def quit(self):
        if self.socket:
            try:
                self.command('browser.close')
            except Exception:  # gone already, or going: it is ended below either way
                pass
            self.socket.close()
        try:
            self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()
        self.profile.cleanup()


class WebKit(Selenium):
    # MiniBrowser, WebKitGTK's own browser, in automation mode under a
    # virtual X display that every WebKit page of the run shares, through
    # WebKitGTK's WebDriver, whose window's size is the page's; the player's
    # language is its locale's. In automation mode it keeps the sites' data,
    # the service worker's among it, in memory, and the rest in a fresh home
    # folder of its own.
    engine = 'webkit'
    lacks = {'phone': 'no touch screen: WebKitGTK emulates none',
             'ratio': 'no device pixel ratio but 1: its driver sets none',
             'forced': 'no forced colours: the tests emulate them in Chromium alone'}
    repeats = 0  # its driver sends a key held down once, with no repeats
    display = None

    def __init__(self, width, height, ratio, phone, lang, forced):
        super().__init__(ratio, lang)
        if WebKit.display is None:
            WebKit.desktop = tempfile.TemporaryDirectory(prefix='vantu-desktop-', ignore_cleanup_errors=True)
            server = subprocess.Popen(['/usr/bin/Xvfb', '-displayfd', '1', '-screen', '0', '1920x1080x24', '-nolisten',
                                       'tcp'], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            WebKit.display = ':' + server.stdout.readline().decode().strip()
            atexit.register(server.terminate)
        self.home = tempfile.TemporaryDirectory(prefix='vantu-webkit-', ignore_cleanup_errors=True)
        environment = {name: value for name, value in os.environ.items() if not name.startswith(('LC_', 'LANG'))}
        environment.update(DISPLAY=self.display, XDG_CACHE_HOME=f'{self.desktop.name}/cache', HOME=self.home.name,
                           LOCPATH=f'{self.desktop.name}/locales', LANG=self.locale(lang),
                           XDG_DATA_HOME=f'{self.home.name}/data', XDG_CONFIG_HOME=f'{self.home.name}/config')
        port = free_port()
        self.service = subprocess.Popen(['/usr/bin/WebKitWebDriver', f'--port={port}'], env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        options = webdriver.WebKitGTKOptions()
        options.binary_location = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'
        options.add_argument('--automation')  # the driver adds it only to a MiniBrowser of its own finding
        options.capabilities.pop('platform', None)  # a capability of old that Selenium 4.8 warns of
        try:
            wait(lambda: answers(f'http://127.0.0.1:{port}/status'), "WebKitGTK's driver")
            self.driver = webdriver.Remote(command_executor=f'http://127.0.0.1:{port}', options=options)
        except BaseException:
            self.service.terminate()
            raise
        # The window around the page as large as asked, the toolbar's height
        # more, or as narrow as the toolbar allows.
        self.driver.set_window_rect(width=width, height=height)
        inside = self.js('return [innerWidth, innerHeight]')
        self.driver.set_window_rect(width=2 * width - inside[0], height=2 * height - inside[1])
        self.kept = {'errors': [], 'requests': []}

    # The C library's locale for a language, which is where WebKitGTK
    # takes the player's language from: compiled for the run (LOCPATH) from
    # the system's locale sources, in the country of the language's name
    # where there is one, as ja_JP or de_DE.
    def locale(self, lang):
        language, _, country = lang.partition('-')
        sources = sorted(path.name for path in pathlib.Path('/usr/share/i18n/locales').glob(f'{language}_*'))
        source = next((name for name in sources if name == f'{language}_{(country or language).upper()}'), sources[0])
        if not (made := pathlib.Path(self.desktop.name, 'locales', f'{source}.UTF-8')).exists():
            made.parent.mkdir(exist_ok=True)
            subprocess.run(['/usr/bin/localedef', '-i', source, '-f', 'UTF-8', made], check=True)
        return made.name

    # WebKitGTK's driver runs no script before the page's own, and keeps no
    # log: the recorder comes with the first script once the page has
    # loaded, and what it and the page's resource timings saw is kept when a
    # page goes. Errors and requests before then are not seen.
    prelude = f'if (!window.heard) {{\n{RECORDER}\n}}\n'

    def go(self, url):
        for kind, found in self.now().items():
            self.kept[kind] += found
        super().go(url)

    def now(self):  # what the page shown now saw
        return self.js('''return {errors: window.heard?.errors ?? [], requests: [location.href,
            ...performance.getEntriesByType('resource').map((entry) => entry.name)]};''')

    # The window's last frame drawn, as WebKitGTK's driver takes it: after
    # the frames that show what the page has now.
    def png(self):
        self.js('return new Promise((drawn) => requestAnimationFrame(() => requestAnimationFrame(drawn)))')
        return self.driver.get_screenshot_as_png()

    def requests(self):
        return [url for url in self.kept['requests'] + self.now()['requests'] if url != 'about:blank']

    def errors(self):
        return self.kept['errors'] + self.now()['errors']

    def quit(self):
        try:
            self.driver.quit()
        finally:
            self.service.terminate()
            self.service.wait(timeout=TIMEOUT)
            self.home.cleanup()


BROWSERS = {browser.engine: browser for browser in (Chromium, Firefox, WebKit)}
ENGINES = os.environ.get('VANTU_ENGINES', ' '.join(BROWSERS)).split()  # the browsers that play the page
