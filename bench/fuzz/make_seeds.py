#!/usr/bin/env python3
"""Writes the loader fuzzer's seed inputs (the folder layouts of fuzz_folder.h) into bench/fuzz/corpus."""
import os
import struct
import sys

RAW_NAME, LOCKED, DELETED, DIRECTORY, REPEATED = 0x01, 0x02, 0x04, 0x08, 0x10


def record(time, kind, p1, p2=0):
    return struct.pack("<iBii", time, kind, p1, p2)


# The file format's own examples: a move to (300, 200) at 500 ms, key A down and up at 750 ms.
MOVE = bytes.fromhex("F4 01 00 00 00 2C 01 00 00 C8 00 00 00")
A_DOWN = bytes.fromhex("EE 02 00 00 41 00 00 00 00 00 00 00 00")
A_UP = bytes.fromhex("EE 02 00 00 41 02 00 00 00 00 00 00 00")
assert MOVE == record(500, 0, 300, 200) and A_DOWN == record(750, 65, 0) and A_UP == record(750, 65, 2)


def folder(*files):
    """files: (flags, name bytes, content, repeat); the last file's content is the rest of the input."""
    out = bytearray([len(files) - 1])
    for index, (flags, name, content, repeat) in enumerate(files):
        out += bytes([flags, len(name)]) + name
        if flags & REPEATED:
            out += struct.pack("<H", repeat - 1)
        if index + 1 < len(files):
            out += struct.pack("<H", len(content))
        out += content
    return bytes(out)


def f(name, content=b"", flags=0, repeat=1):
    return (flags, name.encode("utf-8") if isinstance(name, str) else name, content, repeat)


def seeds():
    example = MOVE + A_DOWN + A_UP
    yield "example", folder(f("demo", example))
    yield "empty", folder(f("empty"))
    for size in range(1, 13):
        yield f"fragment-{size:02}", folder(f("frag", example + bytes([0x1A] * size)), f("bits", bytes(size)))
    odd_kinds = b"".join([record(-5, 0, -100, -1), record(0, 3, 7, 7), record(20, 26, 0), record(30, 26, 2),
                          record(40, 255, 0), record(50, 255, 2), record(-2147483648, 0, 65535, -65536)])
    yield "odd-kinds", folder(f("kinds", odd_kinds))
    buttons = b"".join([record(10, 1, 0), record(20, 2, 0), record(30, 4, 0), record(40, 5, 0), record(50, 6, 0),
                        record(60, 113, 0), record(70, 115, 0), record(80, 16, 1)])
    yield "left-down", folder(f("held", buttons))
    yield "odd-names", folder(f("", example), f("dot..MRC", A_DOWN, RAW_NAME), f("x.MRC", MOVE, RAW_NAME),
                              f("sub\\inner", example))
    yield "wide-names", folder(f("录制 2011年8月8日", example), f(b"\xff\xfe\x00name", A_UP), f(" a b ", MOVE),
                               f("notes.txt", example, RAW_NAME))
    yield "unreadable", folder(f("busy", example, LOCKED), f("gone", example, DELETED), f("x.mrc", b"", RAW_NAME | DIRECTORY),
                               f("fine", example))
    # Two records repeated 46001 times, cut at the cap: 92001 records and a 12-byte fragment.
    yield "over-capacity", folder(f("long", MOVE + A_DOWN, REPEATED, 46001))
    yield "repeated-fragment", folder(f("r", MOVE + b"\x01\x02\x03", REPEATED, 300))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus")
    os.makedirs(out_dir, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(out_dir, "seed-" + name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
