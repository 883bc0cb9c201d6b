# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# What the web page costs a player, in a headless Chromium on this machine:
# its files' bytes, raw and compressed as a web server sends them; how long
# from navigation to the form shown, against the same page with a program
# that only returns (median of cold loads, each in a fresh profile); and the
# CPU it takes idle and while the reels spin (all of Chromium, and the
# renderer that runs the page), with the sweeps a second.
# Prints figures; asserts nothing about speed.
#   /usr/bin/python3 bench/web.py build-web/site build-web/bench-empty
import gzip
import os
import pathlib
import shutil
import statistics
import sys
import tempfile
import time

import brotli

sys.path[:0] = [os.path.join(os.path.dirname(__file__), '..', 'tests', folder) for folder in ('web', 'support')]
from browser import Chromium, Server  # noqa: E402
from rules import STOPS, wait  # noqa: E402

LOADS = 10
site, empty = map(pathlib.Path, sys.argv[1:3])

print('The page\'s files, in bytes: raw, gzip -9, brotli')
total = [0, 0, 0]
for path in sorted(p for p in site.rglob('*') if p.is_file()):
    data = path.read_bytes()
    sizes = [len(data), len(gzip.compress(data, 9, mtime=0)), len(brotli.compress(data))]
    total = [t + s for t, s in zip(total, sizes)]
    print(f'  {str(path.relative_to(site)):32} {sizes[0]:8} {sizes[1]:8} {sizes[2]:8}')
print(f'  {"the whole page":32} {total[0]:8} {total[1]:8} {total[2]:8}'
      f'   ({total[1] / 1024:.1f} KiB gzip, {total[2] / 1024:.1f} KiB brotli; goal: at most 128 KiB)')


# Milliseconds from navigation to the form shown, in a fresh profile: the
# page cold, the browser settled after its start.
def browser_window():  # a fresh profile in a headless Chromium, as the tests start one
    return Chromium(800, 600, 1, False, 'en-US', None)


def shown(url):
    browser = browser_window()
    try:
        time.sleep(1)
        browser.driver.get(url)
        return wait(lambda: browser.js("return performance.getEntriesByName('form shown')[0]?.startTime"),
                    'the form shown')
    finally:
        browser.quit()


with tempfile.TemporaryDirectory(prefix='vantu-bench-') as folder:
    yardstick = pathlib.Path(folder, 'site')
    shutil.copytree(site, yardstick)
    for name in ('vantu.js', 'vantu.wasm'):
        shutil.copy(empty / name, yardstick / name)
    with Server(str(site)) as game_server, Server(str(yardstick)) as bare_server:
        servers, times = [game_server, bare_server], [[], []]
        for _ in range(LOADS):  # alternately, so that both meet the machine alike
            for server, measured in zip(servers, times):
                measured.append(shown(server.url))
        game, bare = map(statistics.median, times)
        print(f'\nNavigation to the form shown, median of {LOADS} cold loads: {game:.0f} ms; the same page with a '
              f'program that only returns: {bare:.0f} ms; ratio {game / bare:.2f} (goal: at most 1.2)')


# The CPU that Chromium's processes took in `seconds`, as shares of one
# core: all of them, and the renderers, which run the page (its script,
# layout, paint and compositing).
def cpu(seconds):
    def used():
        total = renderers = 0
        for pid in filter(str.isdigit, os.listdir('/proc')):
            try:
                if 'chrom' not in pathlib.Path(f'/proc/{pid}/comm').read_text():
                    continue
                command = pathlib.Path(f'/proc/{pid}/cmdline').read_bytes()
                stat = pathlib.Path(f'/proc/{pid}/stat').read_text().rsplit(')', 1)[1].split()
            except OSError:
                continue
            ticks = int(stat[11]) + int(stat[12])
            total += ticks
            renderers += ticks if b'--type=renderer' in command else 0
        return total, renderers
    before, start = used(), time.monotonic()
    time.sleep(seconds)
    after, elapsed = used(), time.monotonic() - start
    return [(a - b) / os.sysconf('SC_CLK_TCK') / elapsed for a, b in zip(after, before)]


def shares(figures):  # the median of each figure over the runs
    return '  '.join(f'{statistics.median(run[i] for run in figures):6.1%}' for i in range(2))


RUNS, SECONDS = 3, 5
with Server(str(site)) as server:
    browser = browser_window().open(server.url)
    try:
        wait(lambda: browser.js('return navigator.serviceWorker.ready.then((registration) => !!registration.active)'),
             'the service worker')  # registered two seconds after the form is shown, and installed
        time.sleep(1)
        print(f'\nCPU as a share of one core (this machine: {os.cpu_count()} cores), the median of {RUNS} runs of '
              f'{SECONDS} s:\n{"":36}Chromium  the page\'s renderer')
        print(f'  the page idle:                    {shares([cpu(SECONDS) for _ in range(RUNS)])}   (goal: 0)')
        browser.js('''window.sweeps = 0; new MutationObserver(() => ++sweeps).observe(
            document.querySelector('[aria-label="Left reel, top row"] .face'),
            { childList: true, characterData: true, subtree: true });''')
        browser.click('GO')
        wait(lambda: browser.has(STOPS[0], 'enabled'), 'the spin')
        browser.js('sweeps = 0')
        spinning = [cpu(SECONDS) for _ in range(RUNS)]
        sweeps = browser.js('return sweeps') / (RUNS * SECONDS)
        print(f'  the reels spinning:               {shares(spinning)}   (goal: at most 15 %), '
              f'{sweeps:.0f} sweeps a second')
        for name in STOPS:
            browser.click(name)
        wait(lambda: browser.has('GO', 'enabled'), 'the end of the play')
        print(f'  idle again after the play:        {shares([cpu(SECONDS) for _ in range(RUNS)])}')
    finally:
        browser.quit()
