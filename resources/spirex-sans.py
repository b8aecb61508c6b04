#!/usr/bin/env python3
"""Spirex Sans: Liberation Sans 2 under a family name of Spirex's own.

The program builds this face into itself and draws every text with it, so that what it shows does
not depend on which fonts a machine holds: no other font answers to "Spirex Sans", whereas
"Liberation Sans" may be version 1 or 2, or whatever a user's font set-up makes of it. The Open
Font License asks the same of a changed copy: it may not keep the reserved name "Liberation".

    spirex-sans.py IN.ttf OUT.ttf
    spirex-sans.py --check IN.ttf     (whether IN.ttf would do, without writing anything)

Only the names change: every table but "name" is copied byte for byte, and the copyright, trademark
and licence notices stay as they are. The output depends on the input alone. A face that is not
Liberation Sans 2, or whose family would be named otherwise than Spirex Sans, is refused.
"""
import struct
import sys

RENAMED = {1, 3, 4, 6, 16, 17, 18, 21}  # family, unique, full, PostScript and typographic names
FAMILIES = {1, 16}  # the family names a font is found by
OLD, NEW = "Liberation", "Spirex"
FAMILY = "Spirex Sans"


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(f">{len(data) // 4}I", data)) & 0xFFFFFFFF


def renamed_names(table):
    form, count, storage = struct.unpack_from(">3H", table)
    if form != 0:
        sys.exit(f"spirex-sans: a name table of format {form} is not handled")
    records, strings = [], b""
    for i in range(count):
        platform, encoding, language, name_id, length, offset = struct.unpack_from(
            ">6H", table, 6 + 12 * i)
        codec = "mac_roman" if platform == 1 else "utf-16-be"
        text = table[storage + offset:storage + offset + length].decode(codec)
        if name_id == 5 and not text.startswith("Version 2."):
            sys.exit(f"spirex-sans: Liberation Sans 2 is needed, this is {text}")
        if name_id in RENAMED:
            text = text.replace(OLD, NEW)
        if name_id in FAMILIES and text != FAMILY:
            sys.exit(f"spirex-sans: the family would be named {text}, not {FAMILY}")
        data = text.encode(codec)
        records.append(struct.pack(">6H", platform, encoding, language, name_id, len(data),
                                   len(strings)))
        strings += data
    return struct.pack(">3H", 0, count, 6 + 12 * count) + b"".join(records) + strings


def main(source, target):
    with open(source, "rb") as file:
        font = file.read()
    version, count = struct.unpack_from(">IH", font)
    tables = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack_from(">4sIII", font, 12 + 16 * i)
        tables[tag] = font[offset:offset + length]
    tables[b"name"] = renamed_names(tables[b"name"])
    head = bytearray(tables[b"head"])
    head[8:12] = bytes(4)  # checkSumAdjustment, set once the whole file is known
    tables[b"head"] = bytes(head)

    # The table directory in order of tags, as the format asks, and the tables in that order, each
    # on a multiple of four bytes.
    search = 1 << (count.bit_length() - 1)
    out = bytearray(struct.pack(">IHHHH", version, count, search * 16, search.bit_length() - 1,
                                count * 16 - search * 16))
    offset = 12 + 16 * count
    body = bytearray()
    places = {}
    for tag in sorted(tables):
        data = tables[tag]
        out += struct.pack(">4sIII", tag, checksum(data), offset + len(body), len(data))
        places[tag] = offset + len(body)
        body += data + b"\0" * (-len(data) % 4)
    out += body
    adjustment = (0xB1B0AFBA - checksum(bytes(out))) & 0xFFFFFFFF
    struct.pack_into(">I", out, places[b"head"] + 8, adjustment)
    if target is not None:
        with open(target, "wb") as file:
            file.write(out)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, target = (sys.argv[2], None) if sys.argv[1] == "--check" else sys.argv[1:]
    try:
        main(source, target)
    except (struct.error, KeyError):
        sys.exit(f"spirex-sans: {source} is not a TrueType face")
