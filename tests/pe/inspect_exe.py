#!/usr/bin/python3
"""Checks the shipping quorvel.exe as Windows will see it, without running it.

    inspect_exe.py EXE --check ASPECT     ASPECT: one of ASPECTS below

Prints one row per fact (name, expected, actual) and exits 1 if any differs.
Needs Debian's python3-pefile, hence /usr/bin/python3.
"""
import argparse
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

VERSION = "1.0.0.0"
VERSION_NUMBERS = (1, 0, 0, 0)
PRODUCT_NAME = "Quorvel"
STRING_TABLE = "080404B0"  # Chinese (PRC), UTF-16
TRANSLATION = (0x0804, 1200)  # matches STRING_TABLE
SIZE_LIMIT = 100 * 1024

# DLLs that every Windows install has; a MinGW runtime DLL (libgcc,
# libstdc++, libwinpthread) would stop the program on a clean machine.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "advapi32.dll", "comctl32.dll",
               "msvcrt.dll"}

SUPPORTED_OS = {  # compatibility GUIDs, one per Windows release
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
COMMON_CONTROLS_6 = "Microsoft.Windows.Common-Controls"

IMAGE_FILE_MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
SUBSYSTEM_WINDOWS_GUI = 2
VOS__WINDOWS32 = 0x4
VFT_APP = 0x1
RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24


def resource_entries(pe, type_id):
    """{name or id: [(language, bytes)]} for one resource type."""
    found = {}
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in root.entries if root else []:
        if kind.id != type_id:
            continue
        for entry in kind.directory.entries:
            key = str(entry.name) if entry.name is not None else entry.id
            found[key] = [(language.id, pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size))
                          for language in entry.directory.entries]
    return found


def check_format(pe, data):
    characteristics = pe.FILE_HEADER.Characteristics
    return [
        ("machine", hex(IMAGE_FILE_MACHINE_I386), hex(pe.FILE_HEADER.Machine)),
        ("optional header magic (PE32)", hex(PE32_MAGIC), hex(pe.OPTIONAL_HEADER.Magic)),
        ("subsystem", SUBSYSTEM_WINDOWS_GUI, pe.OPTIONAL_HEADER.Subsystem),
        ("is a program, not a DLL", True,
         bool(characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_EXECUTABLE_IMAGE"])
         and not characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_DLL"]),
    ]


def check_imports(pe, data):
    names = [entry.dll.decode("ascii", "replace") for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    names += [entry.dll.decode("ascii", "replace") for entry in getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", [])]
    rows = [("imports kernel32.dll", True, "kernel32.dll" in (name.lower() for name in names))]
    rows += [(f"imports {name}", "a system DLL", "a system DLL" if name.lower() in SYSTEM_DLLS else "not allowed")
             for name in names]
    return rows


def version_numbers(most, least):
    return (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)


def version_blocks(pe):
    """The StringFileInfo and VarFileInfo blocks of the first version record."""
    return pe.FileInfo[0] if getattr(pe, "FileInfo", None) else []


def string_tables(pe):
    tables = {}
    for info in version_blocks(pe):
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                tables[table.LangID.decode()] = {key.decode(): value.decode() for key, value in table.entries.items()}
    return tables


def translations(pe):
    """How many (language, code page) pairs the Translation value holds, and
    the last of them: pefile keeps only the last one it reads."""
    for info in version_blocks(pe):
        if info.Key == b"VarFileInfo":
            for var in info.Var:
                if b"Translation" in var.entry:
                    language, code_page = (int(word, 16) for word in var.entry[b"Translation"].split())
                    return var.ValueLength // 4, (language, code_page)
    return 0, None


def check_version(pe, data):
    fixed = pe.VS_FIXEDFILEINFO[0] if getattr(pe, "VS_FIXEDFILEINFO", None) else None
    if fixed is None:
        return [("version record", "present", "missing")]
    rows = [
        ("fixed: signature", hex(0xFEEF04BD), hex(fixed.Signature)),
        ("fixed: file version", VERSION_NUMBERS, version_numbers(fixed.FileVersionMS, fixed.FileVersionLS)),
        ("fixed: product version", VERSION_NUMBERS, version_numbers(fixed.ProductVersionMS, fixed.ProductVersionLS)),
        ("fixed: operating system (VOS__WINDOWS32)", hex(VOS__WINDOWS32), hex(fixed.FileOS)),
        ("fixed: file type (VFT_APP)", hex(VFT_APP), hex(fixed.FileType)),
        ("fixed: flags (not debug, not prerelease)", 0, fixed.FileFlags & fixed.FileFlagsMask),
    ]
    tables = string_tables(pe)
    rows.append(("string tables", [STRING_TABLE], sorted(tables)))
    strings = tables.get(STRING_TABLE, {})
    web_site = strings.get("FileDescription", "")
    expected = {"FileVersion": VERSION, "ProductVersion": VERSION, "ProductName": PRODUCT_NAME,
                "FileDescription": web_site, "Comments": web_site}
    rows += [(f"string: {key}", value, strings.get(key)) for key, value in expected.items()]
    rows.append(("string: no others", [], sorted(set(strings) - set(expected))))
    rows.append(("translation", (1, TRANSLATION), translations(pe)))
    # The description is the product's web address: the same host whose pages
    # the menu opens, so the code must hold it followed by a page's path.
    rows.append(("web site is an http address", True, re.fullmatch(r"https?://[\w.-]+", web_site) is not None))
    rows.append(("menu opens pages of that web site", True, bool(web_site) and (web_site + "/").encode() in data))
    return rows


def check_icon(pe, data):
    groups = resource_entries(pe, RT_GROUP_ICON)
    rows = [("icon groups", ["DEFAULT_ICON"], sorted(map(str, groups)))]
    group = groups.get("DEFAULT_ICON")
    if not group:
        return rows
    directory = group[0][1]
    _, kind, count = struct.unpack_from("<HHH", directory)
    rows += [("group: type icon", 1, kind), ("group: images", 1, count)]
    if count < 1:
        return rows
    width, height, _, _, planes, bits, size, image_id = struct.unpack_from("<BBBBHHIH", directory, 6)
    rows += [("group: width", 32, width), ("group: height", 32, height), ("group: bits per pixel", 16, bits),
             ("group: planes", 1, planes)]
    images = resource_entries(pe, RT_ICON)
    image = images.get(image_id, [(None, b"")])[0][1]
    rows.append(("image: found under its id", True, len(image) >= 40))
    if len(image) < 40:
        return rows
    header_size, dib_width, dib_height, _, dib_bits, compression = struct.unpack_from("<IiiHHI", image)
    rows += [
        ("image: header size", 40, header_size),
        ("image: width", 32, dib_width),
        ("image: height (colour and mask)", 64, dib_height),
        ("image: bits per pixel", 16, dib_bits),
        ("image: uncompressed", 0, compression),
        ("image: bytes (header, pixels, mask)", 40 + 32 * 32 * 2 + 32 * 4, len(image)),
        ("image: bytes as the group says", size, len(image)),
    ]
    return rows


def local_name(element):
    return element.tag.rsplit("}", 1)[-1]


def check_manifest(pe, data):
    manifests = resource_entries(pe, RT_MANIFEST)
    rows = [("manifest resource ids", [1], sorted(manifests))]
    if 1 not in manifests:
        return rows
    try:
        root = ElementTree.fromstring(manifests[1][0][1])
    except ElementTree.ParseError as error:
        return rows + [("manifest is well-formed XML", True, str(error))]
    elements = list(root.iter())
    levels = [(e.get("level"), e.get("uiAccess")) for e in elements if local_name(e) == "requestedExecutionLevel"]
    os_ids = sorted(e.get("Id", "").lower() for e in elements if local_name(e) == "supportedOS")
    rows += [
        ("execution level, uiAccess", [("asInvoker", "false")], levels),
        ("supported OS ids", sorted(SUPPORTED_OS), os_ids),
        # Either would change how the controls are drawn or scaled.
        ("DPI awareness settings", [], [local_name(e) for e in elements if local_name(e).startswith("dpiAware")]),
        ("common controls 6 dependency", [],
         [e.get("name") for e in elements if local_name(e) == "assemblyIdentity" and e.get("name") == COMMON_CONTROLS_6]),
    ]
    identities = [e for e in root if local_name(e) == "assemblyIdentity"]
    if identities:
        rows.append(("assembly version equals the version record", VERSION, identities[0].get("version")))
    return rows


def check_size(pe, data):
    return [("file size under 100 KB", True, len(data) < SIZE_LIMIT)]


ASPECTS = {
    "format": check_format,
    "imports": check_imports,
    "version": check_version,
    "icon": check_icon,
    "manifest": check_manifest,
    "size": check_size,
}


def inspect(data, aspect):
    """The rows of (name, expected, actual) for one aspect of the file's bytes."""
    return ASPECTS[aspect](pefile.PE(data=data), data)


def failures(rows):
    return [row for row in rows if row[1] != row[2]]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe")
    parser.add_argument("--check", choices=sorted(ASPECTS), required=True)
    arguments = parser.parse_args()
    try:
        with open(arguments.exe, "rb") as file:
            data = file.read()
    except OSError as error:
        print(f"cannot read the program (build the win32 preset first): {error}")
        return 1
    rows = inspect(data, arguments.check)
    print(f"{arguments.exe}: {len(data)} bytes")
    for name, expected, actual in rows:
        print(f"{'ok  ' if expected == actual else 'FAIL'} {name}: expected {expected!r}, actual {actual!r}")
    return 1 if failures(rows) else 0


if __name__ == "__main__":
    sys.exit(main())
