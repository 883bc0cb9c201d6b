# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

import os
import pathlib
import sys
from urllib.parse import urlsplit

import pytest

sys.path.insert(0, str(pathlib.Path(__file__).parents[1] / 'support'))  # the rules and the player, as in tests/e2e

from browser import BROWSERS, Server  # noqa: E402


# The page (VANTU_SITE) and the test build's page of 5 coins
# (VANTU_LOWCOINS_SITE), each served for the whole run.
@pytest.fixture(scope='session')
def site():
    with Server(os.environ['VANTU_SITE']) as server:
        yield server


@pytest.fixture(scope='session')
def lowcoins_site():
    with Server(os.environ['VANTU_LOWCOINS_SITE']) as server:
        yield server


# The browser engine a test plays in: Chromium, unless its module plays
# its tests in every engine of ENGINES.
@pytest.fixture
def engine():
    return 'chromium'


# A fresh browser of the engine, or several: browser(width, height, ratio,
# phone, lang, forced), forced being the scheme ('light' or 'dark') of
# forced colours; the test is skipped where the engine cannot show the page
# so. Each test's page must end with no console error, no request to
# another origin and nothing stored.
@pytest.fixture
def browser(engine):
    opened = []

    def start(width=400, height=400, ratio=1, phone=False, lang='en-US', forced=None):
        kind = BROWSERS[engine]
        lacking = [kind.lacks[what] for what, asked in [('phone', phone), ('ratio', ratio != 1), ('forced', forced)]
                   if asked and what in kind.lacks]
        if lacking:
            pytest.skip(f'{engine}: {lacking[0]}')
        opened.append(kind(width, height, ratio, phone, lang, forced))
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
