#!/usr/bin/env python3
"""Writes the seed corpus of each fuzz target: a few well-formed inputs that reach deep."""
import os

here = os.path.dirname(os.path.abspath(__file__))


def sum8(data):
    return sum(data) & 0xFF


def table(ident=b"KVAR2-0001", pointer=0x0120, interval=5, start=0, duration=0, end=0x7FFE,
          status=4, flags=0, memory_start=0x20):
    t = bytearray(ident.ljust(14, b"\0")[:14])
    t += bytes([pointer & 0xFF, pointer >> 8, interval, start, duration, 0, end & 0xFF, end >> 8,
                status, flags, memory_start])
    return bytes(t + bytes([sum8(t)]))


def block(data):
    data = bytes(data).ljust(32, b"\x11")
    return data + bytes([sum8(data)])


def frame(code):
    b2 = (code * 4) & 0xFF
    return bytes([0xA1, code, b2, (-(0xA1 + code + b2)) & 0xFF])


def write(target, name, data):
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


write("fuzz_info_tab", "one_channel", table() + b"\x2c\x01")
write("fuzz_info_tab", "two_channels_polish",
      table(ident="Chłodnia-7".encode("cp1250"), flags=0xF3, status=9) + b"\x00\x80")
write("fuzz_info_tab", "beyond_tables", table(ident=b"X" * 14, interval=40, start=9, duration=99,
                                              status=200, end=0x0010, memory_start=0xFF))

stream = b"#" + block([0x71, 0x01, 0x5E, 0xFF] * 8) + block([1, 2, 0xAA, 0xAA]) + b"#"
write("fuzz_memory_stream", "two_blocks", bytes([0, 1]) + b"\x40\x00" + stream)
write("fuzz_memory_stream", "cut_reads", bytes([3, 33, 7, 255, 0]) + b"\x10\x00" + stream)

info = table(status=4) + b"KVAR2-0001\0\0\0\0" + b"OK\0" + b"\0" * 10 + b"128 / 16368\0\0\0"
info += "Pomiar zakończony  \0".encode("cp1250")
write("fuzz_export_writer", "small", info + b"\x02" + b"\x0a\x00\x00" + bytes([0x71, 0x01, 0xF0, 0xFF] * 3))

host = b"X" + b"LKMR482" + frame(1) + frame(2) + frame(1) + frame(4) + b"#" + frame(1)
timed = b"".join(bytes([b, 5]) for b in host) + bytes([0, 1, 0, 0, 0, 0, 0, 0])
write("fuzz_emulator", "session", b"\x00" + b"\x40\x00" + b"\x00" + timed)
write("fuzz_emulator", "write_table",
      b"\x00" + b"\x20\x00" + b"\x00" +
      b"".join(bytes([b, 1]) for b in b"X" + b"LKMR482" + frame(3) + table() + frame(1)))
write("fuzz_emulator", "fault_knob", b"\x01" + b"\x40\x00" + b"\x0b" + b"bad-check=1" +
      b"".join(bytes([b, 2]) for b in b"X" + b"LKMR482" + frame(1) + frame(4)))

export = "\r\n".join(["Zorvant v2.0", "-" * 39, "Logger_ID    \t\tKVAR2-0001",
                       "Start:       \t\tNatychmiast", "Pomiar co:   \t\t1 min ",
                       "Zbieraj dane:\t\tbez limitu  ", "-" * 39, "Liczba próbek\t\t2 / 8184",
                       "Źródło:      \t\tkanały A,B", "STATUS       \t\tPomiar w toku      ",
                       "-" * 39, "23,0625\t-1,0000", "-11,1250\t0,5000", ""]).encode("cp1250")
write("fuzz_export_reader", "two_channels", b"\x0a\x00\x0f" + export)
write("fuzz_user_texts", "options", b"\x0f" + b"2\x0010 s\x00przez 10 min\x00ab\x00on\x00" +
      "Mroźnia ż".encode() + b"\x00" + table(ident=b"A/B:C") + b"2026-12-01T08:00:00\x00")
