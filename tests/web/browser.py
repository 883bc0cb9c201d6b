# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The page as a player and a screen reader meet it in a real Chromium,
# headless: served over HTTP as any host serves it, driven with real input
# (the DevTools protocol's mouse, keyboard and touch events), read through
# the browser's accessibility tree, and probed on the screen where only
# pixels tell.
import base64
import io
import json
import pathlib
import socket
import subprocess
import tempfile
import urllib.request

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

from rules import ENGLISH, TIMEOUT, wait

RECORDER = (pathlib.Path(__file__).parent / 'recorder.js').read_text()  # what a player and a screen reader notice


class Server:
    # The site folder over HTTP on a free port of this machine, as any
    # static web server gives it.
    def __init__(self, site):
        self.site = site
        with socket.socket() as probe:
            probe.bind(('127.0.0.1', 0))
            self.port = probe.getsockname()[1]
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


class Browser:
    # A fresh profile in a headless Chromium: a desktop of the given size and
    # device pixel ratio, or a phone's touch screen, whose player's language
    # is lang.
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

    # The accessibility tree as the browser gives it to a screen reader:
    # (role, name, description, its properties) of each node it shows.
    def tree(self):
        nodes = self.cdp('Accessibility.getFullAXTree')['nodes']
        value = (lambda node, key: str(node.get(key, {}).get('value', '')))
        return [(value(n, 'role'), value(n, 'name'), value(n, 'description'),
                 {p['name']: p['value'].get('value') for p in n.get('properties', [])})
                for n in nodes if not n.get('ignored')]

    # The centre of a control, by name, or of the element a CSS selector finds.
    def centre(self, target):
        box = self.controls().get(target, {}).get('box') or self.js(
            'return document.querySelector(arguments[0]).getBoundingClientRect().toJSON()', target)
        return box['x'] + box['width'] / 2, box['y'] + box['height'] / 2

    def click(self, name):
        x, y = self.centre(name)
        for kind in ('mouseMoved', 'mousePressed', 'mouseReleased'):
            self.cdp('Input.dispatchMouseEvent', type=kind, x=x, y=y, button='left', clickCount=1)

    def tap(self, name):
        x, y = self.centre(name)
        self.cdp('Input.dispatchTouchEvent', type='touchStart', touchPoints=[{'x': x, 'y': y}])
        self.cdp('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])

    # A key as the keyboard sends it: Space, Return, the keypad's Enter, Tab
    # or Shift+Tab; held, it repeats twice before it is let go.
    def key(self, name, held=False):
        keys = {'space': (' ', 'Space', 32), 'Return': ('Enter', 'Enter', 13), 'KP_Enter': ('Enter', 'NumpadEnter', 13),
                'Tab': ('Tab', 'Tab', 9), 'shift+Tab': ('Tab', 'Tab', 9)}
        key, code, number = keys[name]
        text = {' ': ' ', 'Enter': '\r'}.get(key)
        common = dict(key=key, code=code, windowsVirtualKeyCode=number, modifiers=8 if name.startswith('shift') else 0)
        for repeat in [False] + [True] * (2 if held else 0):
            self.cdp('Input.dispatchKeyEvent', type='keyDown' if text else 'rawKeyDown', text=text or '',
                     autoRepeat=repeat, **common)
        self.cdp('Input.dispatchKeyEvent', type='keyUp', **common)

    # The screen in device pixels.
    def screen(self):
        shot = self.cdp('Page.captureScreenshot', format='png')['data']
        return Image.open(io.BytesIO(base64.b64decode(shot))).convert('RGB')

    def grid(self, tr=ENGLISH):  # the symbols that the cells tell of, in the language of tr
        symbols = {word: symbol for symbol, word in tr.words.items()}
        controls = self.controls()
        return [[symbols.get(controls[name]['description']) for name in reel] for reel in tr.cells]

    # What the page asked of the network, every console message of an error,
    # and what it stored.
    def requests(self):
        events = [json.loads(entry['message'])['message'] for entry in self.driver.get_log('performance')]
        return [e['params']['request']['url'] for e in events if e['method'] == 'Network.requestWillBeSent']

    def errors(self):
        return [entry['message'] for entry in self.driver.get_log('browser') if entry['level'] == 'SEVERE']

    def stored(self):
        return self.driver.execute_async_script('''
            const done = arguments[arguments.length - 1];
            indexedDB.databases().then((databases) => done({cookies: document.cookie, local: localStorage.length,
                session: sessionStorage.length, databases: databases.length}));''')

    def quit(self):
        self.driver.quit()
        self.profile.cleanup()
