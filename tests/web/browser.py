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
import subprocess
import tempfile
import urllib.request

import websocket
from PIL import Image
from selenium import webdriver
from selenium.common.exceptions import NoSuchFrameException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.remote.command import Command

from rules import ENGLISH, TIMEOUT, wait

RECORDER = (pathlib.Path(__file__).parent / 'recorder.js').read_text()  # what a player and a screen reader notice


def free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


class Server:
    # The site folder over HTTP on a free port of this machine, as any
    # static web server gives it.
    def __init__(self, site):
        self.site = site
        self.port = free_port()
        self.url = f'http://127.0.0.1:{self.port}/'
        self.process = None
        self.process = subprocess.Popen(['/usr/bin/python3', '-m', 'http.server', str(self.port), '--bind',
                                         '127.0.0.1', '--directory', self.site], stderr=subprocess.DEVNULL)
        wait(self.answers, 'the web server')

    def answers(self):
        try:
            return urllib.request.urlopen(self.url, timeout=1).status == 200
        except OSError:
            return False

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=TIMEOUT)


# What every browser is asked the same way: the page's state through its
# scripts (js), and input as WebDriver's actions describe it (perform).
class Page:
    ratio = 1

    # Why this browser cannot show the page as asked, or None: a phone's
    # touch screen, or a device pixel ratio other than 1.
    @staticmethod
    def lacks(ratio, phone):
        return None

    def ready(self):
        wait(lambda: self.js("return document.fonts.status === 'loaded' && !!document.getElementById('form')"),
             'the form')
        self.js('heard.focus.length = heard.changes.length = heard.drawn.length = 0')
        return self

    # The controls by name: role, description, box (CSS pixels), text drawn,
    # whether enabled and focused, as the DOM has them.
    def controls(self):
        return self.js('''
            const form = document.getElementById('form');
            if (!form) return {};
            return Object.fromEntries([form, ...form.querySelectorAll('.control')].map((e) => [
                e === form ? 'form' : e.getAttribute('aria-label'), {
                role: e.getAttribute('role') || e.tagName.toLowerCase(),
                description: e.getAttribute('aria-description') || '',
                box: e.getBoundingClientRect().toJSON(), text: e.textContent,
                enabled: !e.disabled, focused: document.activeElement === e}]));''')

    def describe(self, name):
        return self.controls()[name]['description']

    def has(self, name, *states):
        control = self.controls().get(name)
        return control is not None and all(control[state] for state in states)

    # What a screen reader is told: (role, name, description, its states) of
    # each node shown. No driver but Chromium's reads the accessibility tree,
    # so elsewhere the ARIA attributes that the page writes stand for it, in
    # Chromium's words: what is hidden, aria-hidden, or behind a modal dialog
    # is left out, as a browser leaves it out.
    def tree(self):
        return self.js('''
            const modal = document.querySelector('dialog:modal'), nodes = [];
            const text = (ids) => (ids || '').split(' ').map((id) => document.getElementById(id)?.textContent || '')
                .join(' ').trim();
            const visit = (node) => {
              if (node.nodeType === Node.TEXT_NODE && node.textContent.trim())
                nodes.push(['StaticText', node.textContent.trim(), '', {}]);
              if (node.nodeType !== Node.ELEMENT_NODE || node.getAttribute('aria-hidden') === 'true'
                  || !node.checkVisibility() || (modal && !modal.contains(node) && !node.contains(modal)))
                return;
              const role = node.getAttribute('role') || (node.tagName === 'BUTTON' ? 'button' : '');
              if (role) {
                const states = {};
                if (node === document.activeElement) states.focused = true;
                if (node.disabled) states.disabled = true;
                nodes.push([role === 'img' ? 'image' : role,
                            node.getAttribute('aria-label') || text(node.getAttribute('aria-labelledby'))
                              || (role === 'button' ? node.textContent.trim() : ''),
                            node.getAttribute('aria-description') || text(node.getAttribute('aria-describedby')),
                            states]);
              }
              node.childNodes.forEach(visit);
            };
            visit(document.body);
            return nodes;''')

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

    # A key as the keyboard sends it: Space, Return, the keypad's Enter, Tab
    # or Shift+Tab; held, it repeats twice before it is let go (a key pressed
    # again before it is let go is a repeat).
    repeats = 2

    def key(self, name, held=False):
        key = {'space': ' ', 'Return': '\ue006', 'KP_Enter': '\ue007', 'Tab': '\ue004', 'shift+Tab': '\ue004'}[name]
        shift = [{'type': 'keyDown', 'value': '\ue008'}] if name.startswith('shift') else []
        actions = shift + [{'type': 'keyDown', 'value': key}] * (1 + (self.repeats if held else 0))
        actions += [{'type': 'keyUp', 'value': key}] + [{'type': 'keyUp', 'value': '\ue008'}] * len(shift)
        self.perform({'type': 'key', 'id': 'keyboard', 'actions': actions})

    def grid(self, tr=ENGLISH):  # the symbols that the cells tell of, in the language of tr
        symbols = {word: symbol for symbol, word in tr.words.items()}
        controls = self.controls()
        return [[symbols.get(controls[name]['description']) for name in reel] for reel in tr.cells]

    def stored(self):
        return self.js('''
            return indexedDB.databases().then((databases) => ({cookies: document.cookie,
                local: localStorage.length, session: sessionStorage.length, databases: databases.length}));''')


class Browser(Page):
    # A fresh profile in a headless Chromium: a desktop of the given size and
    # device pixel ratio, or a phone's touch screen, whose player's language
    # is lang.
    engine = 'chromium'

    def __init__(self, width=400, height=400, ratio=1, phone=False, lang='en-US'):
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
        if phone:
            self.cdp('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=5)
        self.cdp('Page.addScriptToEvaluateOnNewDocument', source=RECORDER)
        self.cdp('Accessibility.enable')
        self.ratio = ratio
        self.driver.get_log('performance')  # the browser's own new tab, before the page

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def open(self, url):
        self.driver.get(url)
        return self.ready()

    def reload(self):
        self.driver.refresh()
        return self.ready()

    def tree(self):  # the accessibility tree itself
        nodes = self.cdp('Accessibility.getFullAXTree')['nodes']
        value = (lambda node, key: str(node.get(key, {}).get('value', '')))
        return [(value(n, 'role'), value(n, 'name'), value(n, 'description'),
                 {p['name']: p['value'].get('value') for p in n.get('properties', [])})
                for n in nodes if not n.get('ignored')]

    # Chromium's own input events: its driver's actions have no touch, and
    # a key held down is sent with its repeats marked as such.
    def click(self, name):
        x, y = self.centre(name)
        for kind in ('mouseMoved', 'mousePressed', 'mouseReleased'):
            self.cdp('Input.dispatchMouseEvent', type=kind, x=x, y=y, button='left', clickCount=1)

    def tap(self, name):
        x, y = self.centre(name)
        self.cdp('Input.dispatchTouchEvent', type='touchStart', touchPoints=[{'x': x, 'y': y}])
        self.cdp('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])

    def key(self, name, held=False):
        keys = {'space': (' ', 'Space', 32), 'Return': ('Enter', 'Enter', 13), 'KP_Enter': ('Enter', 'NumpadEnter', 13),
                'Tab': ('Tab', 'Tab', 9), 'shift+Tab': ('Tab', 'Tab', 9)}
        key, code, number = keys[name]
        text = {' ': ' ', 'Enter': '\r'}.get(key)
        common = dict(key=key, code=code, windowsVirtualKeyCode=number, modifiers=8 if name.startswith('shift') else 0)
        for repeat in [False] + [True] * (self.repeats if held else 0):
            self.cdp('Input.dispatchKeyEvent', type='keyDown' if text else 'rawKeyDown', text=text or '',
                     autoRepeat=repeat, **common)
        self.cdp('Input.dispatchKeyEvent', type='keyUp', **common)

    # The screen in device pixels.
    def screen(self):
        shot = self.cdp('Page.captureScreenshot', format='png')['data']
        return Image.open(io.BytesIO(base64.b64decode(shot))).convert('RGB')

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


# Firefox's preferences for a test: no first-run pages, no telemetry, no
# updates, nothing fetched from any host but the page's; WebDriver BiDi on.
FIREFOX_PREFERENCES = {
    'remote.active-protocols': 1, 'browser.shell.checkDefaultBrowser': False, 'browser.startup.page': 0,
    'browser.startup.homepage': 'about:blank', 'browser.startup.homepage_override.mstone': 'ignore',
    'startup.homepage_welcome_url': '', 'startup.homepage_welcome_url.additional': '',
    'browser.aboutwelcome.enabled': False, 'trailhead.firstrun.didSeeAboutWelcome': True,
    'browser.newtabpage.enabled': False, 'browser.tabs.warnOnClose': False,
    'datareporting.policy.dataSubmissionEnabled': False, 'datareporting.healthreport.uploadEnabled': False,
    'datareporting.usage.uploadEnabled': False, 'toolkit.telemetry.enabled': False,
    'toolkit.telemetry.unified': False, 'toolkit.telemetry.server': 'data:,', 'app.normandy.enabled': False,
    'app.shield.optoutstudies.enabled': False, 'messaging-system.rsexperimentloader.enabled': False,
    'services.settings.server': 'data:,#remote-settings-dummy/v1', 'app.update.auto': False,
    'app.update.disabledForTesting': True, 'app.update.checkInstallTime': False,
    'network.captive-portal-service.enabled': False, 'network.connectivity-service.enabled': False,
    'network.dns.disablePrefetch': True, 'network.prefetch-next': False, 'network.predictor.enabled': False,
    'browser.safebrowsing.malware.enabled': False, 'browser.safebrowsing.phishing.enabled': False,
    'browser.safebrowsing.downloads.enabled': False, 'browser.safebrowsing.blockedURIs.enabled': False,
    'browser.safebrowsing.update.enabled': False, 'extensions.update.enabled': False,
    'extensions.update.autoUpdateDefault': False, 'extensions.getAddons.cache.enabled': False,
    'extensions.blocklist.enabled': False, 'extensions.systemAddon.update.enabled': False,
    'browser.search.update': False, 'browser.region.update.enabled': False, 'browser.region.network.url': '',
    'geo.provider.network.url': '', 'media.gmp-manager.updateEnabled': False, 'media.gmp-gmpopenh264.enabled': False,
    'browser.topsites.contile.enabled': False, 'browser.sessionstore.resume_from_crash': False,
    'toolkit.startup.max_resumed_crashes': -1}


class Firefox(Page):
    # A fresh profile in a headless Firefox ESR, driven over its WebDriver
    # BiDi socket, in a window of its own: a headless Firefox never gives
    # its first window the focus.
    engine = 'firefox'

    @staticmethod
    def lacks(ratio, phone):
        return "no touch screen: Firefox's WebDriver BiDi emulates none" if phone else None

    def __init__(self, width=400, height=400, ratio=1, phone=False, lang='en-US'):
        self.profile = tempfile.TemporaryDirectory(prefix='vantu-firefox-')
        folder = pathlib.Path(self.profile.name)
        # The ratio is the screen's, as a real one's is: BiDi's emulated ratio
        # would draw the page at it without placing it on device pixels.
        preferences = dict(FIREFOX_PREFERENCES, **{'intl.accept_languages': lang,
                                                   'layout.css.devPixelsPerPx': str(ratio)})
        (folder / 'user.js').write_text(''.join(f'user_pref({json.dumps(name)}, {json.dumps(value)});\n'
                                                for name, value in preferences.items()))
        self.log = open(folder / 'firefox.log', 'w+')
        self.process = subprocess.Popen(['/usr/bin/firefox-esr', '--headless', '--remote-debugging-port=0',
                                         '--profile', str(folder), '--no-remote'], stdout=self.log, stderr=self.log,
                                        env=dict(os.environ, MOZ_CRASHREPORTER_DISABLE='1'))
        self.socket, self.sent, self.events, self.ratio = None, 0, [], ratio
        try:
            url = wait(self.listening, 'Firefox to listen')
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

    def listening(self):
        self.log.seek(0)
        for line in self.log:
            if line.startswith('WebDriver BiDi listening on '):
                return line.split()[-1]
        assert self.process.poll() is None, 'Firefox ended'
        return None

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
        local = (lambda value: {'type': 'null'} if value is None else {
            'type': 'boolean' if isinstance(value, bool) else 'string' if isinstance(value, str) else 'number',
            'value': value})
        result = self.command('script.callFunction', target={'context': self.context}, awaitPromise=True,
                              functionDeclaration=f'async function() {{ return JSON.stringify(await (function() {{'
                                                  f'\n{script}\n}}).apply(this, arguments) ?? null); }}',
                              arguments=[local(value) for value in arguments])
        assert result['type'] == 'success', result
        return json.loads(result['result']['value'])

    def open(self, url):
        self.command('browsingContext.navigate', context=self.context, url=url, wait='complete')
        return self.ready()

    def reload(self):
        self.command('browsingContext.reload', context=self.context, wait='complete')
        return self.ready()

    def perform(self, *sources):
        self.command('input.performActions', context=self.context, actions=list(sources))

    def screen(self):
        shot = self.command('browsingContext.captureScreenshot', context=self.context)['data']
        return Image.open(io.BytesIO(base64.b64decode(shot))).convert('RGB')

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


class Desktop:
    # What every WebKitGTK window of the run shares: one X server, on a
    # display that it finds free itself, a cache, and the locales that its
    # players speak, in the environment of a player of lang.
    process = None

    @classmethod
    def environment(cls, lang):
        if cls.process is None:
            cls.folder = tempfile.TemporaryDirectory(prefix='vantu-desktop-', ignore_cleanup_errors=True)
            cls.process = subprocess.Popen(['/usr/bin/Xvfb', '-displayfd', '1', '-screen', '0', '1920x1080x24',
                                            '-nolisten', 'tcp'], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            cls.display = ':' + cls.process.stdout.readline().decode().strip()
            atexit.register(cls.process.terminate)
        return {'DISPLAY': cls.display, 'XDG_CACHE_HOME': f'{cls.folder.name}/cache',
                'LOCPATH': f'{cls.folder.name}/locales', 'LANG': cls.locale(lang)}

    # The C library's locale for a language, which is where WebKitGTK
    # takes the player's language from: compiled for the run (LOCPATH) from
    # the system's locale sources, in the country of the language's name
    # where there is one, as ja_JP or de_DE.
    @classmethod
    def locale(cls, lang):
        language, _, country = lang.partition('-')
        sources = sorted(path.name for path in pathlib.Path('/usr/share/i18n/locales').glob(f'{language}_*'))
        source = f'{language}_{(country or language).upper()}'
        name = (source if source in sources else sources[0]) + '.UTF-8'
        locales = pathlib.Path(cls.folder.name, 'locales')
        if not (locales / name).exists():
            locales.mkdir(exist_ok=True)
            subprocess.run(['/usr/bin/localedef', '-i', name[:-len('.UTF-8')], '-f', 'UTF-8',
                            str(locales / name)], check=True)
        return name


class WebKit(Page):
    # MiniBrowser, WebKitGTK's own browser, in automation mode under a
    # virtual X display, through WebKitGTK's WebDriver, whose window's size
    # is the page's; the player's language is its locale's. In automation
    # mode it keeps the sites' data, the service worker's among it, in
    # memory, and the rest in a fresh home folder of its own.
    engine = 'webkit'
    repeats = 0  # its driver sends a key held down once, with no repeats
    MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'

    @staticmethod
    def lacks(ratio, phone):
        return ('no touch screen: WebKitGTK emulates none' if phone else
                'no device pixel ratio but 1: its driver sets none' if ratio != 1 else None)

    def __init__(self, width=400, height=400, ratio=1, phone=False, lang='en-US'):
        self.home = tempfile.TemporaryDirectory(prefix='vantu-webkit-', ignore_cleanup_errors=True)
        port = free_port()
        environment = {name: value for name, value in os.environ.items() if not name.startswith(('LC_', 'LANG'))}
        environment.update(Desktop.environment(lang), HOME=self.home.name, XDG_DATA_HOME=f'{self.home.name}/data',
                           XDG_CONFIG_HOME=f'{self.home.name}/config')
        self.service = subprocess.Popen(['/usr/bin/WebKitWebDriver', f'--port={port}'], env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        options = webdriver.WebKitGTKOptions()
        options.binary_location = self.MINIBROWSER
        options.add_argument('--automation')  # the driver adds it only to a MiniBrowser of its own finding
        options.capabilities.pop('platform', None)  # a capability of old that Selenium 4.8 warns of
        try:
            wait(lambda: self.answers(port), "WebKitGTK's driver")
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

    @staticmethod
    def answers(port):
        try:
            return urllib.request.urlopen(f'http://127.0.0.1:{port}/status', timeout=1).status == 200
        except OSError:
            return False

    def js(self, script, *arguments):
        try:
            return self.driver.execute_script(script, *arguments)
        except NoSuchFrameException:  # the page went as it ran, as a new game reloads it: again, in the new one
            return self.driver.execute_script(script, *arguments)

    # WebKitGTK's driver runs no script before the page's own, and keeps no
    # log: the recorder comes once the page has loaded, and what it and the
    # page's resource timings saw is kept when a page goes. Errors and
    # requests before then are not seen.
    def ready(self):
        self.js(f'if (!window.heard) {{\n{RECORDER}\n}}')
        return super().ready()

    def now(self):  # what the page shown now saw
        return self.js('''return {errors: window.heard?.errors ?? [], requests: [location.href,
            ...performance.getEntriesByType('resource').map((entry) => entry.name)]};''')

    def leave(self):
        for kind, found in self.now().items():
            self.kept[kind] += found

    def open(self, url):
        self.leave()
        self.driver.get(url)
        return self.ready()

    def reload(self):
        self.leave()
        self.driver.refresh()
        return self.ready()

    def perform(self, *sources):
        self.driver.execute(Command.W3C_ACTIONS, {'actions': list(sources)})

    # The window's last frame drawn, as WebKitGTK's driver takes it: after
    # the frames that show what the page has now.
    def screen(self):
        self.js('return new Promise((drawn) => requestAnimationFrame(() => requestAnimationFrame(drawn)))')
        return Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert('RGB')

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


BROWSERS = {browser.engine: browser for browser in (Browser, Firefox, WebKit)}
ENGINES = os.environ.get('VANTU_ENGINES', ' '.join(BROWSERS)).split()  # the browsers that play the page
