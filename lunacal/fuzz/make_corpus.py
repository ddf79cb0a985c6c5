#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the seed corpus of the exports fuzz target into lunacal/fuzz/corpus/.

Every seed is one input as exports_fuzz.cpp reads it: a DATE value (little-endian double), then
four little-endian 32-bit integers a, b, c, d, used as (year, term) by the solar-term exports and
as (lunar year, month, day, leap flag) by the lunar-to-Gregorian ones. The seeds sit on the edges
of every range the library has: the first and last second of the calendar, the rounding to the
second, the DATE limits, NaN and the infinities, the years and term numbers of the solar-term
table, impossible lunar dates and the leap flags. A few are shorter than a whole input.

Run it from anywhere; it replaces the folder's contents, so the corpus only ever holds what this
script makes:  python3 lunacal/fuzz/make_corpus.py
"""

import math
import pathlib
import shutil
import struct

SECOND = 1.0 / 86400.0
INT_MIN, INT_MAX = -(2**31), 2**31 - 1

# DATE values: days since 1899-12-30, the time of day as the fraction.
MOMENTS = {
    "first-day": 416.0,  # 1901-02-19, lunar 1901-1-1
    "second-before-first-day": 416.0 - SECOND,
    "rounds-into-first-day": 416.0 - 0.4 * SECOND,
    "stays-before-first-day": 416.0 - 0.6 * SECOND,
    "last-second": 54424.0 - SECOND,  # 2048-12-31 23:59:59
    "after-last-day": 54424.0,  # 2049-01-01
    "noon-2000-01-01": 36526.5,
    "leap-month-2020": 43974.0,  # 2020-05-23, leap month 4
    "lichun-2000": 36560.0 + (20 * 3600 + 40 * 60 + 23) * SECOND,  # the year pillar turns
    "second-before-lichun-2000": 36560.0 + (20 * 3600 + 40 * 60 + 22) * SECOND,
    "zi-hour-starts": 36526.0 + 23 * 3600 * SECOND,  # the day pillar turns at 23:00
    "second-before-zi-hour": 36526.0 + (23 * 3600 - 1) * SECOND,
    "date-zero": 0.0,
    "negative-zero": -0.0,
    "date-minimum": -657434.0,
    "below-date-minimum": -657434.0 - SECOND,
    "date-maximum": 2958465.0,
    "above-date-maximum": 2958465.0 + SECOND,
    "negative-fraction": -0.25,
    "nan": math.nan,
    "infinity": math.inf,
    "minus-infinity": -math.inf,
    "smallest-subnormal": 5e-324,
    "largest": 1.7976931348623157e308,
    "huge-negative": -1e300,
}

# (year, term): the table covers 1880..2079 and terms 1..24.
YEARS = [INT_MIN, -1, 0, 1879, 1880, 1900, 1901, 2000, 2048, 2049, 2079, 2080, 2000 + 65536, INT_MAX]
TERMS = [INT_MIN, -1, 0, 1, 2, 12, 22, 23, 24, 25, INT_MAX]

# (lunar year, month, day, leap flag): real dates at the edges, impossible ones, odd leap flags.
LUNAR_DATES = [
    (1901, 1, 1, 0),
    (1901, 1, 1, 1),
    (1900, 12, 30, 0),
    (2048, 11, 27, 0),
    (2048, 11, 28, 0),
    (2048, 12, 1, 0),
    (2049, 1, 1, 0),
    (2020, 4, 1, 1),
    (2020, 4, 1, 0),
    (2020, 4, 1, -1),
    (2020, 4, 1, 2),
    (2020, 4, 30, 1),
    (2020, 4, 29, 1),
    (2020, 5, 1, 1),
    (2000, 1, 30, 0),
    (2000, 0, 1, 0),
    (2000, 13, 1, 0),
    (2000, 1, 0, 0),
    (2000, 1, 31, 0),
    (2000, INT_MAX, INT_MAX, INT_MAX),
    (INT_MIN, INT_MIN, INT_MIN, INT_MIN),
    (2000 + 65536, 1, 1, 0),
]


def seed(moment, a, b, c, d):
    return struct.pack("<d4i", moment, a, b, c, d)


def seeds():
    # Each moment with an ordinary term and lunar date, so the other exports stay in range.
    for name, moment in MOMENTS.items():
        yield f"moment-{name}", seed(moment, 2000, 1, 1, 0)
    # The same moments with every other argument out of range.
    for name, moment in MOMENTS.items():
        yield f"moment-{name}-others-refused", seed(moment, 2080, 25, 31, 1)
    # The hour pillar turns at every odd hour: a second before and the turn itself.
    for hour in range(1, 24, 2):
        turn = 36526.0 + hour * 3600 * SECOND
        yield f"hour-{hour:02}-turns", seed(turn, 2000, 24, 30, 0)
        yield f"hour-{hour:02}-second-before", seed(turn - SECOND, 2000, 24, 30, 0)
    # Every year with every term; day and leap flag walk through their edges alongside.
    days, leaps = [0, 1, 29, 30, 31], [-1, 0, 1, 2]
    for i, (year, term) in enumerate((y, t) for y in YEARS for t in TERMS):
        yield f"term-{year}-{term}", seed(36526.5, year, term, days[i % len(days)], leaps[i % len(leaps)])
    moments = list(MOMENTS.values())
    for i, date in enumerate(LUNAR_DATES):
        yield "lunar-" + "-".join(str(v) for v in date), seed(moments[i % len(moments)], *date)
    # Inputs cut short: the missing bytes read as zeroes.
    whole = seed(416.0, 2000, 23, 1, 1)
    for size in (0, 1, 7, 8, 12, 20, 23):
        yield f"short-{size}-bytes", whole[:size]


def main():
    folder = pathlib.Path(__file__).resolve().parent / "corpus"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir()
    count = 0
    for name, data in seeds():
        (folder / name).write_bytes(data)
        count += 1
    print(f"make_corpus: {count} seeds in {folder}")


if __name__ == "__main__":
    main()
