# SPDX-FileCopyrightText: 2026 The Vantu developers
# SPDX-License-Identifier: MIT

# Build tool: makes the Windows icon from the icon, drawn once as a 32 x 32 XPM.
#   python3 make_ico.py INPUT.xpm OUTPUT.ico
# The .ico holds the sizes 16, 24, 32, 48, 64, 128 and 256. The 32 x 32 image
# is the drawing itself as a 16-colour bitmap, its palette the XPM's colour
# table in order; the others are 32-bit bitmaps (256 a PNG) scaled as in
# make_icons.cpp, each pixel taking the drawn pixel under its centre. The file
# is written under a temporary name and renamed, so a failed run leaves none.

import os
import re
import struct
import sys
import tempfile
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)
DRAWN = 32


def read_xpm(text):
    """Returns the palette, a list of (r, g, b), and the rows of the drawing,
    lists of palette indices with None for a transparent pixel."""
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', text)
    header = strings[0].split() if strings else []
    if len(header) != 4 or not all(h.isdigit() for h in header) or header[:2] != ['32', '32']:
        raise ValueError('the header is not "32 32 COLOURS CHARS_PER_PIXEL"')
    colours, cpp = int(header[2]), int(header[3])
    if cpp < 1 or len(strings) != 1 + colours + DRAWN:
        raise ValueError(f'expected {colours} colours and {DRAWN} rows of pixels')
    palette, keys = [], {}
    for line in strings[1:1 + colours]:
        words = line[cpp:].split()
        value = dict(zip(words[::2], words[1::2])).get('c', '')
        if value.lower() == 'none':
            keys[line[:cpp]] = None
        elif re.fullmatch(r'#[0-9A-Fa-f]{6}', value):
            keys[line[:cpp]] = len(palette)
            palette.append(tuple(int(value[i:i + 2], 16) for i in (1, 3, 5)))
        else:
            raise ValueError(f'colour "{line}" is neither None nor #RRGGBB')
    if len(palette) > 16:
        raise ValueError(f'{len(palette)} colours, more than the 16 a classic icon holds')
    rows = []
    for line in strings[1 + colours:]:
        if len(line) != DRAWN * cpp:
            raise ValueError(f'row "{line}" is not {DRAWN} pixels long')
        row = [keys.get(line[i:i + cpp], -1) for i in range(0, len(line), cpp)]
        if -1 in row:
            raise ValueError(f'row "{line}" uses a key missing from the colour table')
        rows.append(row)
    return palette, rows


def scaled(rows, size):
    pick = [(2 * i + 1) * DRAWN // (2 * size) for i in range(size)]
    return [[rows[y][x] for x in pick] for y in pick]


def bitmap(rows, bits, pixels, palette=b''):
    """A bitmap as icons keep it: header, palette, the rows bottom-up, then
    the 1-bit mask (1 = transparent), every row padded to 4 bytes."""
    size, stride = len(rows), (len(rows) + 31) // 32 * 4
    out = bytearray(struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, bits, 0, 0, 0, 0, 0, 0))
    out += palette + b''.join(pixels(row) for row in reversed(rows))
    for row in reversed(rows):
        mask = ''.join('1' if index is None else '0' for index in row).ljust(8 * stride, '0')
        out += int(mask, 2).to_bytes(stride, 'big')
    return bytes(out)


def make_ico(palette, rows):
    table = palette + [(0, 0, 0)] * (16 - len(palette))
    black = table.index((0, 0, 0)) if (0, 0, 0) in table else 0
    rgba = [bytes(colour) + b'\xff' for colour in palette]

    def nibbles(row):
        row = [black if index is None else index for index in row]
        return bytes(row[x] << 4 | row[x + 1] for x in range(0, len(row), 2))

    def bgra(row):
        return b''.join(b'\0\0\0\0' if i is None else rgba[i][2::-1] + b'\xff' for i in row)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    images = []
    for size in SIZES:
        if size == DRAWN:
            quads = b''.join(bytes((b, g, r, 0)) for r, g, b in table)
            images.append((size, 16, 4, bitmap(rows, 4, nibbles, quads)))
        elif size < 256:
            images.append((size, 0, 32, bitmap(scaled(rows, size), 32, bgra)))
        else:
            raw = b''.join(b'\0' + b''.join(b'\0\0\0\0' if i is None else rgba[i] for i in row)
                           for row in scaled(rows, size))
            images.append((0, 0, 32, b'\x89PNG\r\n\x1a\n'
                           + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
                           + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = len(out) + 16 * len(images)
    for side, colours, bits, data in images:
        out += struct.pack('<BBBBHHII', side, side, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, _, _, data in images)


def write_atomically(path, data):
    fd, temp = tempfile.mkstemp(prefix='.make_ico-', dir=os.path.dirname(os.path.abspath(path)))
    try:
        with os.fdopen(fd, 'wb') as file:
            file.write(data)
        os.chmod(temp, 0o644)
        os.replace(temp, path)
    except BaseException:
        os.unlink(temp)
        raise


def main(argv):
    if len(argv) != 3:
        print('usage: make_ico.py INPUT.xpm OUTPUT.ico', file=sys.stderr)
        return 2
    try:
        with open(argv[1], encoding='utf-8') as file:
            data = make_ico(*read_xpm(file.read()))
    except OSError as error:
        sys.exit(f'make_ico: cannot read {argv[1]}: {error.strerror or error}')
    except ValueError as error:
        sys.exit(f'make_ico: {argv[1]}: {error}')
    try:
        write_atomically(argv[2], data)
    except OSError as error:
        sys.exit(f'make_ico: cannot write {argv[2]}: {error.strerror or error}')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
