#!/usr/bin/env python3
"""Writes the export file that a memory image must give, from first principles: an
independent rendering of the layout, to compare the CLI's output with byte for byte.

usage: expected_export.py MEMORY_DUMP INFO_JSON OUT
INFO_JSON is `zorvant-cli info --json` of the same logger (texts and indices)."""
import json
import sys

START = ["Natychmiast", "Po 10s", "Po 1min", "Po 10min", "Po 30min", "Po 1h", "Po 2h", "Po 5h"]
INTERVAL = ["1 s", "2 s", "5 s", "10 s", "30 s", "1 min", "2 min", "5 min", "10 min", "30 min",
            "1 h", "1,5 h", "2 h", "2,5 h", "3 h", "4 h", "5 h"]
DURATION = ["bez limitu", "przez 1 min", "przez 10 min", "przez 30 min", "przez 1 h",
            "przez 2 h", "przez 5 h", "przez 12 h", "przez 24 h", "przez 48 h"]
CHANNELS = ["kanał A", "kanały A,B"]


def reading(word):
    """The sensor's 12-bit two's complement in sixteenths; bits 12-15 repeat the sign."""
    sixteenths = word & 0xFFF
    if sixteenths >= 0x800:
        sixteenths -= 0x1000
    sign = "-" if sixteenths < 0 else ""
    whole, sixteenth = divmod(abs(sixteenths), 16)
    return "%s%d,%04d" % (sign, whole, sixteenth * 625)


def main():
    memory = open(sys.argv[1], "rb").read()
    info = json.load(open(sys.argv[2], encoding="utf-8"))
    mode = info["channel_mode"]
    # The CLI recounts after a download of a different size; the count text is then
    # "N>>mode / ((end - start) >> mode) + 1".
    n = len(memory)
    if n != info["known_byte_count"]:
        span = (info["memory_end"] - info["memory_start"]) % 65536
        count = "%d / %d" % (n >> mode, (span >> mode) + 1)
    else:
        count = info["count_text"]
    lines = [
        "Zorvant v2.0",
        "-" * 39,
        "Logger_ID    \t\t" + info["logger_id"],
        "Start:       \t\t" + START[info["start_delay_index"]].ljust(11),
        "Pomiar co:   \t\t" + INTERVAL[info["interval_index"]].ljust(6),
        "Zbieraj dane:\t\t" + DURATION[info["duration_index"]].ljust(12),
        "-" * 39,
        "Liczba próbek\t\t" + count,
        "Źródło:      \t\t" + CHANNELS[mode - 1].ljust(10),
        "STATUS       \t\t" + info["status_text"].ljust(19),
        "-" * 39,
    ]
    text = "".join(line + "\r\n" for line in lines)
    for j in range(n // 2):
        text += reading(memory[2 * j] | memory[2 * j + 1] << 8)
        text += "\r\n" if (j + 1) % mode == 0 else "\t"
    open(sys.argv[3], "wb").write(text.encode("cp1250"))


if __name__ == "__main__":
    main()
