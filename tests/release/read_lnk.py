#!/usr/bin/env python3
"""Prints the target path and the arguments of a shell link (.lnk) file, one
per line, read from the LinkInfo and StringData structures of the format."""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, IS_UNICODE = 0x10, 0x20, 0x80


def c_string(data, at):
    return data[at:data.index(b"\0", at)].decode("cp1252")


def read_link(data):
    if struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise ValueError("not a shell link")
    flags = struct.unpack_from("<I", data, 20)[0]
    at = 76
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        size, _, info_flags, _, base_at, _, suffix_at = struct.unpack_from("<7I", data, at)
        if info_flags & 1:
            target = c_string(data, at + base_at) + c_string(data, at + suffix_at)
        at += size
    arguments = ""
    # StringData: name, relative path, working dir, arguments, icon location.
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, HAS_ARGUMENTS):
        if not flags & flag:
            continue
        count = struct.unpack_from("<H", data, at)[0]
        at += 2
        width = 2 if flags & IS_UNICODE else 1
        text = data[at:at + count * width].decode("utf-16-le" if width == 2 else "cp1252")
        text = text.rstrip("\0")  # some writers count the terminator
        at += count * width
        if flag == HAS_ARGUMENTS:
            arguments = text
    return target, arguments


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        target, arguments = read_link(f.read())
    print(target)
    print(arguments)
