# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# The Windows files of a release as a player gets them, under Wine on the X
# server that wine-desktop runs, in a Wine prefix of their own: the installer
# installed, started from its shortcut, installed again, replaced by a later
# version and removed without a trace; the zip's files. They read dist/ and
# build-release/, where `make release` left them.
import gettext
import os
import re
import subprocess
import time
import uuid
import zipfile
from pathlib import Path

import pytest

SOURCE = Path(__file__).resolve().parents[2]
DIST = SOURCE / 'dist'
BUILD = SOURCE / 'build-release'  # what the release was made from
FILES = BUILD / 'windows-files'  # what it packed for Windows
PROJECT = dict(line.split('=', 1) for line in (BUILD / 'windows/release/release.env').read_text().splitlines())
VERSION, HOMEPAGE = PROJECT['VANTU_VERSION'], PROJECT['VANTU_HOMEPAGE']
MSI = DIST / f'vantu-{VERSION}-windows-x64.msi'
ZIP = DIST / f'vantu-{VERSION}-windows-x64.zip'
# The README in English and in each language, by its first sentence as the
# language's catalogue has it.
SUMMARY = 'A small slot machine: three reels, five pay lines, one window.'
READMES = {'README.txt': SUMMARY} | {
    f'README.{language}.txt': gettext.GNUTranslations(open(BUILD / f'windows/po/{language}.mo', 'rb')).gettext(SUMMARY)
    for language in re.findall(r'^(\w+)$', (SOURCE / 'po/LINGUAS').read_text(), re.M)}
TEXTS = ['LICENSE.txt', *READMES]
PREFIX = Path(os.environ['WINEPREFIX'])
DRIVE_C = PREFIX / 'drive_c'
UNINSTALL = 'Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\'
TIMEOUT = 120


@pytest.fixture(scope='module', autouse=True)
def prefix():  # a Wine prefix made whole before the first look at it
    assert run('wineboot', '--init') == 0
    run('wineserver', '-w')


def run(*args):
    # No pipes: a program that Wine starts in the background would hold them.
    return subprocess.run(args, timeout=TIMEOUT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def msiexec(*args):
    status = run('wine', 'msiexec', *args, '/qn')
    run('wineserver', '-w')  # the registry is on disk once Wine has ended
    return status


def files():
    return {path.relative_to(DRIVE_C).as_posix() for path in DRIVE_C.rglob('*')}


def registry():  # every key of the prefix, with the lines of its values, from Wine's registry files
    keys = {}
    for hive in ('system.reg', 'user.reg'):
        key = None
        for line in (PREFIX / hive).read_text(encoding='utf-8', errors='replace').splitlines():
            if line.startswith('['):
                key = keys.setdefault(f'{hive}:{line[1:line.index("]")]}', [])
            elif key is not None and line and not line.startswith(('#', ';')):
                key.append(line)
    return keys


def uninstall_entries(keys):
    return {key: dict(value.split('=', 1) for value in values if value.startswith('"'))
            for key, values in keys.items() if UNINSTALL in key and '"DisplayName"="Vantu"' in values}


# Waits for the game's window and closes it, as a player does, then waits
# for the game to end.
def show_and_close():
    assert run('xdotool', 'search', '--sync', '--onlyvisible', '--name', '^Vantu$') == 0
    assert run('wmctrl', '-c', 'Vantu') == 0
    for _ in range(TIMEOUT * 5):
        if run('pgrep', '-f', r'\\vantu\.exe') != 0:
            return
        time.sleep(0.2)
    raise AssertionError('the game did not end when its window was closed')


def holds(link, path):  # whether a shortcut names the path, in either of the encodings it may use
    return path.encode('latin-1') in link or path.encode('utf-16-le') in link


def packed(code):  # a GUID as Windows Installer writes it in its own keys: each part reversed
    digits = code.strip('{}').replace('-', '').upper()
    return ''.join(part[::-1] for part in [digits[:8], digits[8:12], digits[12:16], *re.findall('..', digits[16:])])


def test_installer_installs_starts_upgrades_and_leaves_nothing(tmp_path):
    files_before, keys_before = files(), set(registry())
    assert msiexec('/i', MSI) == 0

    folder = DRIVE_C / 'Program Files/Vantu'
    assert sorted(path.name for path in folder.iterdir()) == sorted(TEXTS + ['vantu.exe'])
    assert (folder / 'vantu.exe').read_bytes() == zipfile.ZipFile(ZIP).read('vantu.exe')
    # Wine's Windows Installer puts an all-users shortcut in the user's Start
    # menu; Windows puts it in the one that all users share.
    shortcuts = list(DRIVE_C.rglob('Start Menu/Programs/*.lnk'))
    assert [path.name for path in shortcuts] == ['Vantu.lnk']
    link = shortcuts[0].read_bytes()
    assert holds(link, 'C:\\Program Files\\Vantu\\vantu.exe')

    keys = registry()
    [(key, entry)] = uninstall_entries(keys).items()
    product_code = key.rsplit('\\', 1)[1]
    assert entry['"DisplayVersion"'] == f'"{VERSION}"'
    assert entry['"Publisher"'] == '"The Vantu developers"'
    assert entry['"URLInfoAbout"'] == f'"{HOMEPAGE}"'
    # The entry's icon is the product's, which Windows Installer keeps with
    # the product's other data; the shortcut shows the same.
    product = keys[f'system.reg:Software\\\\Classes\\\\Installer\\\\Products\\\\{packed(product_code)}']
    [icon_path] = [value.split('=', 1)[1].strip('"').replace('\\\\', '\\') for value in product
                   if value.startswith('"ProductIcon"=')]
    assert holds(link, icon_path)
    assert (DRIVE_C / icon_path[3:].replace('\\', '/')).read_bytes() == (FILES / 'vantu.ico').read_bytes()

    # Wine's start does not wait for a program that a shortcut starts: the
    # status of these bytes is read when the zip's copy is closed.
    start_menu = str(shortcuts[0].relative_to(DRIVE_C)).replace('/', '\\')
    assert run('wine', 'start', f'C:\\{start_menu}') == 0
    show_and_close()

    # The same installer again, then a later version: one entry each time.
    assert msiexec('/i', MSI) == 0
    assert len(uninstall_entries(registry())) == 1
    later = f'{VERSION.split(".")[0]}.{int(VERSION.split(".")[1]) + 1:02d}'
    upgrade_code = PROJECT['VANTU_UPGRADE_CODE']
    later_msi = tmp_path / 'later.msi'
    subprocess.run([SOURCE / 'scripts/release-files', 'msi', later_msi, '0', SOURCE / 'resources/vantu.wxs', FILES,
                    f'Version={later}', f'ProductCode={str(uuid.uuid4()).upper()}', f'UpgradeCode={upgrade_code}',
                    f'Homepage={HOMEPAGE}'], check=True, capture_output=True)
    assert msiexec('/i', later_msi) == 0
    [entry] = uninstall_entries(registry()).values()
    assert entry['"DisplayVersion"'] == f'"{later}"'
    assert (folder / 'vantu.exe').exists()

    # Removed: no file, folder, shortcut or key of the game's is left, and
    # nothing names it, its product or its upgrade code.
    assert msiexec('/x', later_msi) == 0
    # Windows Installer's own cache folder, which every Windows has, stays.
    assert files() - files_before <= {'windows/Installer'}
    keys_after = registry()
    # Windows Installer's own keys stay, empty, as on any Windows that has
    # installed a package.
    left = {key: values for key, values in keys_after.items() if key not in keys_before}
    assert all('\\\\Installer\\\\' in key and not values for key, values in left.items()), left
    text = '\n'.join(f'{key}\n' + '\n'.join(values) for key, values in keys_after.items()).upper()
    for trace in ('VANTU', product_code.strip('{}'), packed(product_code), upgrade_code, packed(upgrade_code)):
        assert trace.upper() not in text, f'the registry still holds {trace}'


# The zip's game is the installer's, byte for byte (above); its texts, the
# README in English and in each language, have the line ends that Windows'
# Notepad reads.
def test_zip_holds_the_game_and_its_texts():
    with zipfile.ZipFile(ZIP) as archive:
        assert sorted(archive.namelist()) == sorted(TEXTS + ['vantu.exe'])
        for text in TEXTS:
            lines = archive.read(text).split(b'\n')
            assert lines[-1] == b'' and all(line.endswith(b'\r') for line in lines[:-1]), f'{text} has a bare line feed'
        for readme, summary in READMES.items():
            text = archive.read(readme).decode()
            assert f'Vantu {VERSION}' in text
            assert ' '.join(summary.split()) in ' '.join(text.split()), f'{readme} is not in its language'
