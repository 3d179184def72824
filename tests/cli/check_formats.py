#!/usr/bin/env python3
"""Checks zorvant-cli's CSV, JSON and summary of one memory image against the readings worked
out here independently, reading the CSV with the csv module as a spreadsheet would: every value
must parse as a number with a dot, and every row must be the slot it claims to be.

With POLISH_CSV (--csv-dialect excel-pl of the same memory and start) it checks that file as
well: a byte-order mark, CRLF line ends, ';' between fields and each reading written with a
decimal comma, exactly as the text export writes it.

usage: check_formats.py MEMORY_DUMP INFO_JSON CSV JSON SUMMARY [STARTED_AT [POLISH_CSV]]
Prints one line per problem and exits 1 if there was any."""
import csv
import datetime
import json
import os
import sys
from zoneinfo import ZoneInfo
from decimal import ROUND_HALF_UP, Decimal

from expected_export import INTERVAL, reading

UNIT = {"s": 1, "min": 60, "h": 3600}
problems = []


def expect(condition, what):
    if not condition:
        problems.append(what)


def interval_seconds(index):
    if index >= len(INTERVAL):
        return None
    amount, unit = INTERVAL[index].split(" ")
    return round(float(amount.replace(",", ".")) * UNIT[unit])


def channels(memory, mode):
    """Per channel, the readings as the text export writes them, slot by slot."""
    words = [reading(memory[2 * j] | memory[2 * j + 1] << 8) for j in range(len(memory) // 2)]
    return [words[c::mode] for c in range(mode)]


def same_number(got, want):
    return float(got) == float(want.replace(",", "."))


def slot_time(started, seconds):
    """The slot's wall time and offset in the start's zone, stepping in real (UTC) seconds."""
    at = (started.astimezone(datetime.timezone.utc) + datetime.timedelta(seconds=seconds))
    return at.astimezone(started.tzinfo)


def check_csv(path, chans, interval, started, delimiter=",", encoding="utf-8",
              same_reading=same_number, offset_column=False):
    with open(path, newline="", encoding=encoding) as f:
        rows = list(csv.reader(f, delimiter=delimiter))
    timed = (["time"] + (["utc_offset"] if offset_column else [])) if started else []
    names = ["index", "elapsed_s"] + timed + ["a_celsius"]
    names += ["b_celsius"] if len(chans) == 2 else []
    expect(rows and rows[0] == names, "CSV header %r" % (rows[:1],))
    body = rows[1:]
    expect(len(body) == len(chans[0]), "CSV has %d rows for %d slots" % (len(body), len(chans[0])))
    for slot, row in enumerate(body):
        record = dict(zip(names, row))
        expect(int(record["index"]) == slot, "CSV row %d index %s" % (slot, record["index"]))
        elapsed = "" if interval is None else str(slot * interval)
        expect(record["elapsed_s"] == elapsed, "CSV row %d elapsed %s" % (slot, record["elapsed_s"]))
        if started:
            at = None if interval is None else slot_time(started, slot * interval)
            if offset_column:
                want = at.strftime("%Y-%m-%d %H:%M:%S") if at else ""
                offset = "UTC" + at.isoformat()[19:] if at else ""
                expect(record["utc_offset"] == offset,
                       "CSV row %d offset %s" % (slot, record["utc_offset"]))
            else:
                want = at.isoformat() if at else ""
            expect(record["time"] == want, "CSV row %d time %s" % (slot, record["time"]))
        for c, name in enumerate(names[-len(chans):]):
            want = chans[c][slot] if slot < len(chans[c]) else None
            got = record[name]
            if want is None:
                expect(got == "", "CSV row %d %s should be empty" % (slot, name))
            else:
                expect(same_reading(got, want), "CSV row %d %s %s" % (slot, name, got))


def check_polish_csv(path, chans, interval, started):
    raw = open(path, "rb").read()
    expect(raw.startswith(b"\xef\xbb\xbf"), "Polish CSV: no byte-order mark")
    lines = raw.split(b"\r\n")
    expect(lines[-1] == b"" and not any(b"\r" in l or b"\n" in l for l in lines),
           "Polish CSV: a line that does not end in CRLF")
    # The reading's own text: a decimal comma, four places, as the text export writes it.
    check_csv(path, chans, interval, started, delimiter=";", encoding="utf-8-sig",
              same_reading=lambda got, want: got == want, offset_column=True)


def check_json(path, info, chans, interval, n):
    document = json.load(open(path, encoding="utf-8"))
    expect(document["info"] == info, "JSON info differs from info --json")
    expect(document["interval_s"] == interval, "JSON interval %s" % document["interval_s"])
    expect(document["byte_count"] == n, "JSON byte count %s" % document["byte_count"])
    # Complete slots, as the program counts them; a lone last A reading stands apart.
    complete = min(len(c) for c in chans)
    expect(document["slot_count"] == complete, "JSON slot count %s" % document["slot_count"])
    keys = ["a", "b"][: len(chans)]
    expect(sorted(document["readings"]) == keys, "JSON channels %s" % sorted(document["readings"]))
    for key, values in zip(keys, chans):
        got = document["readings"].get(key, [])
        want = [float(v.replace(",", ".")) for v in values[:complete]]
        expect(got == want, "JSON readings of %s" % key)
    partial = document["partial_slot"]
    if len(chans[0]) > complete:
        want = {"slot": complete, "a": float(chans[0][complete].replace(",", "."))}
        expect(partial == want, "JSON partial slot %s" % partial)
    else:
        expect(partial is None, "JSON partial slot %s where there is none" % partial)


def check_summary(path, chans):
    lines = open(path, encoding="utf-8").read().split("\n")
    expect(lines[0].split() == ["channel", "count", "min", "min_slot", "max", "max_slot", "mean"],
           "summary header %r" % lines[0])
    # Complete slots, as the report counts them: a lone last A reading is left out.
    complete = min(len(c) for c in chans)
    for key, values, line in zip("ab", chans, lines[1:]):
        values = values[:complete]
        numbers = [float(v.replace(",", ".")) for v in values]
        low, high = min(numbers), max(numbers)
        # The mean to four places, a half rounded away from zero.
        mean = sum(Decimal(v.replace(",", ".")) for v in values) / len(values)
        want = [key, str(len(numbers)), "%.4f" % low, str(numbers.index(low)), "%.4f" % high,
                str(numbers.index(high)), str(mean.quantize(Decimal("0.0001"), ROUND_HALF_UP))]
        expect(line.split() == want, "summary %r, expected %r" % (line, " ".join(want)))


def main():
    memory = open(sys.argv[1], "rb").read()
    info = json.load(open(sys.argv[2], encoding="utf-8"))
    # A start without an offset is a local time of the zone the CLI ran in (TZ).
    zone = ZoneInfo(os.environ.get("TZ", "UTC"))
    started = datetime.datetime.fromisoformat(sys.argv[6]) if len(sys.argv) > 6 else None
    if started is not None and started.tzinfo is None:
        started = started.replace(tzinfo=zone)
    chans = channels(memory, info["channel_mode"])
    interval = interval_seconds(info["interval_index"])
    check_csv(sys.argv[3], chans, interval, started)
    check_json(sys.argv[4], info, chans, interval, len(memory))
    check_summary(sys.argv[5], chans)
    if len(sys.argv) > 7:
        check_polish_csv(sys.argv[7], chans, interval, started)
    for problem in problems[:10]:
        print(problem)
    sys.exit(1 if problems else 0)


main()
