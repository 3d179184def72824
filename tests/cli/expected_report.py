#!/usr/bin/env python3
"""Checks a report's figures against ones worked out here from the logger's memory dump, from
first principles: the readings decoded on their own, the statistics by their textbook
formulas (exact fractions where the report rounds, the mean kinetic temperature summed as
written), the times from the start and the interval.

usage: expected_report.py MEMORY_DUMP CHANNELS INTERVAL_S START LOW HIGH REPORT.json [REPORT.txt]
START is YYYY-MM-DDTHH:MM:SS+HH:MM (a fixed offset); LOW and HIGH are degrees as typed, or
A:B for each channel's own; REPORT.txt is `pdftotext` of the Polish page. Prints each mismatch
and exits 1 on any."""
import datetime
import json
import math
import sys
from fractions import Fraction

R = 8.314462618
DH = 83144.0


def reading(word):
    value = word & 0xFFF
    return value - 0x1000 if value >= 0x800 else value


def channels_of(memory, mode):
    words = [memory[i] | memory[i + 1] << 8 for i in range(0, len(memory) - 1, 2)]
    slots = len(words) // mode
    return [[reading(words[s * mode + c]) for s in range(slots)] for c in range(mode)]


def half_away(fraction, places):
    scaled = fraction * 10 ** places
    whole = math.floor(abs(scaled) + Fraction(1, 2))
    return (-whole if scaled < 0 else whole) / 10 ** places


def excursions(values, low, high):
    """Runs beyond the limits: a reading's exact value (sixteenths) against the typed limit."""
    sides = ["below" if Fraction(v, 16) < low else "above" if Fraction(v, 16) > high else None
             for v in values]
    runs = []
    for slot, side in enumerate(sides):
        if side is None:
            continue
        if runs and runs[-1][1] == side and runs[-1][0] + runs[-1][2] == slot:
            runs[-1][2] += 1
        else:
            runs.append([slot, side, 1])
    return runs


def expected_channel(values, low, high, interval, clock):
    n = len(values)
    mean = Fraction(sum(values), 16 * n)
    deviation = math.sqrt(sum((v / 16 - float(mean)) ** 2 for v in values) / n)
    kinetic = DH / R / -math.log(sum(math.exp(-DH / R / (v / 16 + 273.15)) for v in values) / n)
    runs = excursions(values, low, high)
    beyond = sum(r[2] for r in runs)
    lo, hi = min(values), max(values)

    def side(name):
        own = [r[2] for r in runs if r[1] == name]
        return {"readings": sum(own), "excursions": len(own), "beyond_readings": sum(own),
                "beyond_s": sum(own) * interval, "longest_readings": max(own, default=0),
                "longest_s": max(own, default=0) * interval}
    return {
        "readings": n, "min_c": lo / 16, "min_slot": values.index(lo), "min_at": clock(values.index(lo)),
        "max_c": hi / 16, "max_slot": values.index(hi), "max_at": clock(values.index(hi)),
        "mean_c": half_away(mean, 2), "std_dev_c": round(deviation, 2),
        "mkt_c": round(kinetic - 273.15, 2),
        "below": sum(1 for v in values if Fraction(v, 16) < low),
        "above": sum(1 for v in values if Fraction(v, 16) > high),
        "below_low": side("below"), "above_high": side("above"),
        "limits": {"low_c": float(low), "high_c": float(high)},
        "excursions": len(runs), "beyond_readings": beyond, "beyond_s": beyond * interval,
        "longest_readings": max((r[2] for r in runs), default=0),
        "longest_s": max((r[2] for r in runs), default=0) * interval,
        "first_excursion": {"slot": runs[0][0], "at": clock(runs[0][0]), "side": runs[0][1]} if runs else None,
        "time_in_range": round((n - beyond) / n, 6),
        "verdict": "exceeded" if runs else "within",
    }


def polish(number, places):
    return ("%.*f" % (places, number)).replace(".", ",")


def page_words(channel):
    """What the Polish page must say of a channel's figures."""
    words = [polish(channel["mean_c"], 2) + " °C", polish(channel["mkt_c"], 2) + " °C",
             polish(channel["std_dev_c"], 2) + " °C"]
    for key in ("min_c", "max_c"):  # as few decimals as the value needs, but one
        text = ("%.4f" % channel[key]).rstrip("0")
        words.append(text.replace(".", ",") + ("0" if text.endswith(".") else "") + " °C")
    for key in ("min_at", "max_at"):
        words.append(channel[key].replace("T", " ")[:19] + " UTC" + channel[key][19:])
    return words


def main():
    memory_path, mode, interval, start, low, high, report = sys.argv[1:8]
    text = open(sys.argv[8], encoding="utf-8").read() if len(sys.argv) > 8 else None
    mode, interval = int(mode), int(interval)
    # Each channel's limits, exactly as typed.
    lows = [Fraction(v.replace(",", ".")) for v in low.split(":")]
    highs = [Fraction(v.replace(",", ".")) for v in high.split(":")]
    origin = datetime.datetime.fromisoformat(start)

    def clock(slot):
        return (origin + datetime.timedelta(seconds=slot * interval)).isoformat()

    memory = open(memory_path, "rb").read()
    got = json.load(open(report, encoding="utf-8"))
    failures = []

    def expect(what, actual, wanted):
        close = isinstance(wanted, float) and isinstance(actual, (int, float)) and abs(actual - wanted) < 0.0051
        if actual != wanted and not (close and what.endswith(("std_dev_c", "mkt_c"))):
            failures.append("%s: report %r, expected %r" % (what, actual, wanted))

    readings = channels_of(memory, mode)
    n = len(readings[0])
    expect("readings", got["recording"]["readings"], n)
    expect("first_reading_at", got["recording"]["first_reading_at"], clock(0))
    expect("last_reading_at", got["recording"]["last_reading_at"], clock(n - 1))
    expect("span_s", got["recording"]["span_s"], (n - 1) * interval)
    expect("channels", [c["channel"] for c in got["channels"]], ["a", "b"][:mode])
    for index, (values, channel) in enumerate(zip(readings, got["channels"])):
        wanted = expected_channel(values, lows[index % len(lows)], highs[index % len(highs)],
                                  interval, clock)
        for key, value in wanted.items():
            expect("channel %s %s" % (channel["channel"], key), channel.get(key), value)
        if text is not None:
            for word in page_words(wanted):
                if word not in text:
                    failures.append("page lacks %r (channel %s)" % (word, channel["channel"]))
    if text is not None:
        days, rest = divmod((n - 1) * interval, 86400)
        span = "%d d %02d:%02d:%02d" % (days, rest // 3600, rest // 60 % 60, rest % 60)
        for word in (span, clock(0).replace("T", " ")[:19], "%d na kanał" % n):
            if word not in text:
                failures.append("page lacks %r" % word)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
