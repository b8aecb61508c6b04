#!/usr/bin/python3
"""Reads the version record and the icon of a Windows executable with pefile, from outside
Windows, and checks them against Spirex's metadata: the version, the texts, and a 64 x 64 icon of
24-bit colour. Usage: check_version_record.py EXE"""
import sys

import pefile

exe = pefile.PE(sys.argv[1])
strings = {}
for info in exe.FileInfo[0]:
    if info.Key == b"StringFileInfo":
        for table in info.StringTable:
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
fixed = exe.VS_FIXEDFILEINFO[0]
version = (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
           fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF)

expected = {
    "FileVersion": "1.01",
    "ProductVersion": "1.01",
    "FileDescription": "Programma per il calcolo delle bobine toroidali",
    "Comments": "Calcolo delle spire nelle bobine toroidali con nuclei Amidon",
    "ProductName": "Spirex",
}
failures = [f"{k}: {strings.get(k)!r}, want {v!r}" for k, v in expected.items() if strings.get(k) != v]
if version != (1, 1, 0, 0):
    failures.append(f"numeric version {version}, want (1, 1, 0, 0)")

# The icon group: a header of three 16-bit words, then 14 bytes for each image (width, height,
# colours, reserved, planes, bits per pixel, size, id).
groups = [entry for entry in exe.DIRECTORY_ENTRY_RESOURCE.entries
          if entry.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]]
images = []
for group in groups:
    for name in group.directory.entries:
        for language in name.directory.entries:
            data = exe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
            count = int.from_bytes(data[4:6], "little")
            for i in range(count):
                entry = data[6 + 14 * i:20 + 14 * i]
                images.append((entry[0] or 256, entry[1] or 256,
                               int.from_bytes(entry[6:8], "little")))
print("icon images (width, height, bits per pixel):", images)
if (64, 64, 24) not in images:
    failures.append("no 64 x 64 icon image of 24-bit colour")

print("numeric version:", ".".join(map(str, version)))
for key in sorted(strings):
    print(f"{key}: {strings[key]}")
if failures:
    print("FAILED:", *failures, sep="\n  ")
    sys.exit(1)
print("version record: all as expected")
