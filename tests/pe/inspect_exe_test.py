#!/usr/bin/python3
"""Proves that inspect_exe.py notices faults: each case damages one fact in a
copy of the shipping program and expects exactly that check to fail.

    inspect_exe_test.py EXE [unittest options]
"""
import struct
import sys
import unittest

import pefile

import inspect_exe

EXE = None


def utf16(text):
    return text.encode("utf-16-le")


def replace_once(data, old, new):
    assert len(old) == len(new), "a resource keeps its size, so a replacement must too"
    assert data.count(old) == 1, f"{old!r} occurs {data.count(old)} times"
    return data.replace(old, new)


def put(data, offset, fmt, value):
    damaged = bytearray(data)
    struct.pack_into(fmt, damaged, offset, value)
    return bytes(damaged)


def header_field(data, header, field):
    return getattr(pefile.PE(data=data), header).get_field_absolute_offset(field)


def fixed_version_field(data, field):
    return pefile.PE(data=data).VS_FIXEDFILEINFO[0].get_field_absolute_offset(field)


def icon_group_offset(data):
    pe = pefile.PE(data=data)
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id == inspect_exe.RT_GROUP_ICON:
            return pe.get_offset_from_rva(kind.directory.entries[0].directory.entries[0].data.struct.OffsetToData)
    raise AssertionError("no icon group")


def value_after(data, key, value):
    """Where a version record's value first follows its key."""
    return data.index(value, data.index(utf16(key + "\0")))


def translation_offset(data):
    return value_after(data, "Translation", struct.pack("<HH", 0x0804, 1200))


# (what is wrong, aspect, check that must fail, damage)
CASES = [
    ("64-bit machine", "format", "machine",
     lambda d: put(d, header_field(d, "FILE_HEADER", "Machine"), "<H", 0x8664)),
    ("console program", "format", "subsystem",
     lambda d: put(d, header_field(d, "OPTIONAL_HEADER", "Subsystem"), "<H", 3)),
    ("needs a MinGW runtime DLL", "imports", "imports libgcc.dll",
     lambda d: replace_once(d, b"USER32.dll\0", b"libgcc.dll\0")),
    ("file version 1.0.0.1", "version", "fixed: file version",
     lambda d: put(d, fixed_version_field(d, "FileVersionLS"), "<I", 1)),
    ("a driver, not an application", "version", "fixed: file type (VFT_APP)",
     lambda d: put(d, fixed_version_field(d, "FileType"), "<I", 3)),
    ("product name misspelt", "version", "string: ProductName",
     lambda d: replace_once(d, utf16("Quorvel\0"), utf16("Quorvex\0"))),
    ("product version text 1.0.0.9", "version", "string: ProductVersion",
     lambda d: put(d, value_after(d, "ProductVersion", utf16("1.0.0.0")) + 12, "<H", ord("9"))),
    ("translation names Western code page", "version", "translation",
     lambda d: put(d, translation_offset(d) + 2, "<H", 1252)),
    ("icon at 32 bits per pixel", "icon", "group: bits per pixel",
     lambda d: put(d, icon_group_offset(d) + 6 + 6, "<H", 32)),
    ("icon at 48 x 48", "icon", "group: width",
     lambda d: put(d, icon_group_offset(d) + 6, "<B", 48)),
    ("asks for another execution level", "manifest", "execution level, uiAccess",
     lambda d: replace_once(d, b'"asInvoker"', b'"asInvokeR"')),
    ("Windows 10 id mistyped", "manifest", "supported OS ids",
     lambda d: replace_once(d, b"8e0f7a12-", b"8e0f7a13-")),
    ("declares DPI awareness", "manifest", "DPI awareness settings",
     lambda d: replace_once(d, b"<!-- Windows 10 and 11 -->", b"<dpiAware>true</dpiAware> ")),
    ("grown past 100 KB", "size", "file size under 100 KB",
     lambda d: d + bytes(inspect_exe.SIZE_LIMIT - len(d))),
]


class Inspector(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(EXE, "rb") as file:
            cls.data = file.read()

    def test_passes_the_program_as_built(self):
        for aspect in inspect_exe.ASPECTS:
            with self.subTest(aspect=aspect):
                self.assertEqual(inspect_exe.failures(inspect_exe.inspect(self.data, aspect)), [])

    def test_fails_exactly_the_damaged_fact(self):
        for wrong, aspect, check, damage in CASES:
            with self.subTest(wrong):
                failed = [name for name, _, _ in inspect_exe.failures(inspect_exe.inspect(damage(self.data), aspect))]
                self.assertEqual(failed, [check])


if __name__ == "__main__":
    EXE = sys.argv.pop(1)
    unittest.main()
