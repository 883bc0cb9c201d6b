#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT
#
# Makes the web page's files that come from other files, the same bytes from
# the same input:
#   web_assets.py font SOURCE.ttf OUT.woff2 FAMILY TEXT
#       the glyphs of TEXT from SOURCE, as a font of its own name, FAMILY.
#       TEXT is ranges of code points and files, U+FIRST-LAST,FILE..., the
#       code points and every character of the files that SOURCE has; or
#       GLYPHS:FACE:WEIGHT, the characters that the line of FACE and WEIGHT
#       in the file GLYPHS (made by the glyphs tool) gives
#   web_assets.py icon ICON.xpm OUT.png SIZE
#       the XPM icon as a PNG of SIZE pixels a side, each pixel a square
#   web_assets.py join OUT FILE...
#       the files one after the other
#   web_assets.py worker TEMPLATE OUT SITE FILE...
#       the service worker, which keeps FILE... (relative to SITE), each
#       known by its SHA-256, as a release named after all of them
import hashlib
import pathlib
import re
import struct
import sys
import zlib


def font(source, out, family, text):
    from fontTools import subset
    from fontTools.ttLib import TTFont
    options = subset.Options()
    options.flavor = 'woff2'
    options.layout_features = ['kern']
    options.name_IDs = []  # every name goes; the font's own are set below
    options.notdef_outline = True
    options.hinting = True
    options.drop_tables += ['FFTM']  # FontForge's timestamps
    face = TTFont(source, recalcTimestamp=False)
    style = face['name'].getDebugName(2) or 'Regular'
    copyright_ = face['name'].getDebugName(0) or ''
    licence = face['name'].getDebugName(13) or ''
    subsetter = subset.Subsetter(options)
    if not text.startswith('U+'):
        path, design, weight = text.rsplit(':', 2)
        lines = [line.split('\t') for line in pathlib.Path(path).read_text(encoding='utf-8').splitlines()]
        found = [characters for name, bold, characters in lines if (name, bold) == (design, weight)]
        if not found:
            sys.exit(f'{path} has no glyphs of {design} {weight}')
        text = found[0]
    if text.startswith('U+'):  # ranges of code points, and the characters of files: U+0020-00FF,page-texts.js
        points = set()
        for part in text.split(','):
            if part.startswith('U+'):
                first, last = (int(point, 16) for point in part[2:].split('-'))
                points.update(range(first, last + 1))
            else:
                points.update(map(ord, pathlib.Path(part).read_text(encoding='utf-8')))
        subsetter.populate(unicodes=sorted(points))
    else:
        subsetter.populate(text=text)
    subsetter.subset(face)
    # A subset is a modified font: it takes a name of its own, and keeps its
    # copyright and its licence.
    names = face['name']
    full = family if style == 'Regular' else f'{family} {style}'
    for name_id, value in [(0, copyright_), (1, family), (2, style), (3, f'{full}; subset for Vantu'),
                           (4, full), (5, 'Version 1.00; subset for Vantu'), (6, full.replace(' ', '-')),
                           (13, licence)]:
        if value:
            names.setName(value, name_id, 3, 1, 0x409)
    face.flavor = 'woff2'
    face.save(out, reorderTables=True)


def xpm_pixels(path):
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', pathlib.Path(path).read_text())
    width, height, ncolors, per = map(int, strings[0].split()[:4])
    colors = {}
    for line in strings[1:1 + ncolors]:
        key, rest = line[:per], line[per:].split()
        value = rest[rest.index('c') + 1]
        colors[key] = None if value.lower() == 'none' else bytes.fromhex(value[1:]) + b'\xff'
    rows = strings[1 + ncolors:1 + ncolors + height]
    return width, height, [[colors[row[x * per:(x + 1) * per]] or b'\0\0\0\0' for x in range(width)] for row in rows]


def icon(xpm, out, size):
    width, height, pixels = xpm_pixels(xpm)
    raw = b''.join(b'\0' + b''.join(pixels[y * height // size][x * width // size] for x in range(size))
                   for y in range(size))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    pathlib.Path(out).write_bytes(png)


def worker(template, out, site, files):
    # The page is kept as './', its folder's address, and as index.html.
    sums = {name: hashlib.sha256((pathlib.Path(site) / name).read_bytes()).hexdigest() for name in files}
    sums = {'./': sums['index.html'], **sums}
    release = hashlib.sha256(''.join(f'{name}\0{sum_}\n' for name, sum_ in sums.items()).encode()).hexdigest()
    listed = ',\n'.join(f"  '{name}': '{sum_}'" for name, sum_ in sums.items())
    text = pathlib.Path(template).read_text()
    text = text.replace('@RELEASE@', release[:16]).replace('@FILES@', listed)
    pathlib.Path(out).write_text(text)


if __name__ == '__main__':
    command, args = sys.argv[1], sys.argv[2:]
    if command == 'font':
        font(args[0], args[1], args[2], args[3])
    elif command == 'icon':
        icon(args[0], args[1], int(args[2]))
    elif command == 'join':
        pathlib.Path(args[0]).write_bytes(b''.join(pathlib.Path(name).read_bytes() for name in args[1:]))
    elif command == 'worker':
        worker(args[0], args[1], args[2], args[3:])
    else:
        sys.exit(f'usage: {sys.argv[0]} font|icon|worker ...')
