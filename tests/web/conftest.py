# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

import os
import pathlib
import sys
from urllib.parse import urlsplit

import pytest

sys.path.insert(0, str(pathlib.Path(__file__).parents[1] / 'support'))  # the rules, shared with tests/e2e

from browser import BROWSERS, Server  # noqa: E402


# The page (VANTU_SITE) and the test build's page of 5 coins
# (VANTU_LOWCOINS_SITE), each served for the whole run.
def served(variable):
    server = Server(os.environ[variable])
    yield server
    server.stop()


@pytest.fixture(scope='session')
def site():
    yield from served('VANTU_SITE')


@pytest.fixture(scope='session')
def lowcoins_site():
    yield from served('VANTU_LOWCOINS_SITE')


# The browser engine a test plays in: Chromium, unless its module plays
# its tests in every engine of ENGINES.
@pytest.fixture
def engine():
    return 'chromium'


# A fresh browser of the engine, or several: browser(width, height, ratio,
# phone, lang); the test is skipped where the engine cannot show the page
# so. Each test's page must end with no console error, no request to
# another origin and nothing stored.
@pytest.fixture
def browser(engine):
    opened = []

    def start(width=400, height=400, ratio=1, phone=False, lang='en-US'):
        kind = BROWSERS[engine]
        if reason := kind.lacks(ratio, phone):
            pytest.skip(f'{engine}: {reason}')
        opened.append(kind(width, height, ratio, phone, lang))
        return opened[-1]
    yield start
    try:
        for page in opened:
            assert page.errors() == []
            origins = {urlsplit(url)[:2] for url in page.requests() if not url.startswith('data:')}
            assert len(origins) <= 1 and all(host.startswith('127.0.0.1:') for _, host in origins), origins
            if page.js('return !!document.body'):
                assert page.stored() == {'cookies': '', 'local': 0, 'session': 0, 'databases': 0}
    finally:
        for page in opened:
            page.quit()
