# SPDX-License-Identifier: MIT
"""Covers the ctypes module: that every export is declared with DATE as a double, the DATE
conversion (naive, aware, before 1899-12-30), each plain function against the library's known
answers and its refusals, integers too large for 32 bits, and a lunar round trip over the range.

LUNACAL_LIBRARY names the library to test (the build's, or a package's); without it the
system's search finds one.
"""

import ctypes
import datetime
import doctest
import os
import pathlib
import re
import subprocess
import unittest

import lunacal

UTC = datetime.timezone.utc
D = datetime.datetime


def setUpModule():
    lunacal.load(os.environ.get("LUNACAL_LIBRARY"))


class Declarations(unittest.TestCase):
    def test_every_export_of_the_library_is_declared(self):
        # lunacal.def lists the library's exports, the list the linker's version script is made from.
        def_file = pathlib.Path(__file__).resolve().parents[3] / "lunacal" / "lunacal.def"
        exports = re.findall(r"^\s+(\w+)@\d+\s+@\d+$", def_file.read_text(), re.MULTILINE)
        self.assertEqual(len(exports), 18)
        self.assertEqual(sorted(lunacal.SIGNATURES), sorted(exports))
        library = lunacal.load(os.environ.get("LUNACAL_LIBRARY"))
        for name in exports:
            function = getattr(library, name)
            self.assertEqual(function.restype, ctypes.c_int32, name)
            self.assertIsNotNone(function.argtypes, name)

    def test_the_range_is_the_headers(self):
        header = (pathlib.Path(__file__).resolve().parents[3] / "lunacal" / "lunacal.h").read_text()
        macros = dict(re.findall(r"^#define (LUNACAL_\w+) (\d+)$", header, re.MULTILINE))
        for day, end in ((lunacal.FIRST_DAY, "FIRST"), (lunacal.LAST_DAY, "LAST")):
            self.assertEqual((day.year, day.month, day.day),
                             tuple(int(macros[f"LUNACAL_{end}_{part}"]) for part in ("YEAR", "MONTH", "DAY")))

    def test_a_date_goes_as_a_double(self):
        library = lunacal.load(os.environ.get("LUNACAL_LIBRARY"))
        for name in ("GetGLToRLNian", "GetSiZhuXHTime"):
            self.assertEqual(tuple(getattr(library, name).argtypes), (ctypes.c_double,))
        # 2000-01-01 12:00 and 22:59 share a day; 23:00 starts the next day's 子 hour. An integer
        # DATE would lose exactly this.
        self.assertEqual(library.GetSiZhuXHTime(36526.5), 55)
        self.assertEqual(library.GetSiZhuXHTime(36526.0 + 23 / 24), 1)


class DateValue(unittest.TestCase):
    def test_conversion(self):
        beijing = lunacal.BEIJING
        cases = [
            (D(2000, 1, 1, 12), 36526.5),
            (D(1901, 2, 19), 416.0),
            (D(1899, 12, 30), 0.0),
            (D(1899, 12, 29, 6), -1.25),
            (D(1899, 12, 29), -1.0),
            # Aware moments are read on the UTC+8 clock.
            (D(2000, 1, 1, 4, tzinfo=UTC), 36526.5),
            (D(2000, 1, 1, 12, tzinfo=beijing), 36526.5),
            (D(1999, 12, 31, 23, tzinfo=datetime.timezone(datetime.timedelta(hours=-5))), 36526.5),
        ]
        for moment, value in cases:
            with self.subTest(moment=moment):
                self.assertAlmostEqual(lunacal.date_value(moment), value, places=9)

    @unittest.skipUnless(os.environ.get("LUNACAL_HEADER_TEST"), "needs the C header's converter")
    def test_the_same_values_as_the_c_header(self):
        moments = [D(year, month, day, *time)
                   for year in (100, 1582, 1899, 1900, 1901, 2000, 2024, 2048, 2049, 9999)
                   for month, day in ((1, 1), (2, 28), (12, 29), (12, 31))
                   for time in ((0, 0, 0), (6, 0, 0), (12, 34, 56), (23, 59, 59))]
        lines = "".join(f"{m.year} {m.month} {m.day} {m.hour} {m.minute} {m.second}\n" for m in moments)
        answers = subprocess.run([os.environ["LUNACAL_HEADER_TEST"], "--date-values"], input=lines,
                                 capture_output=True, text=True, check=True).stdout.split()
        self.assertEqual(len(answers), len(moments))
        for moment, answer in zip(moments, answers):
            with self.subTest(moment=moment):
                # The header refuses only the times after midnight of the range's first and last
                # days, which lie outside it (before 1899-12-30 time counts away from zero).
                if answer == "refused":
                    self.assertIn(moment.date(), (datetime.date(100, 1, 1), datetime.date(9999, 12, 31)))
                    self.assertNotEqual(moment.time(), datetime.time())
                else:
                    self.assertEqual(lunacal.date_value(moment), float(answer))

    def test_only_a_datetime(self):
        with self.assertRaises(TypeError):
            lunacal.date_value(datetime.date(2000, 1, 1))
        with self.assertRaises(TypeError):
            lunacal.lunar_date(36526.5)


class LunarDate(unittest.TestCase):
    def test_known_dates(self):
        cases = [
            (D(2020, 5, 23), (2020, 4, 1, True)),
            (D(2020, 4, 23), (2020, 4, 1, False)),
            (D(2000, 1, 1, 12), (1999, 11, 25, False)),
            (D(1901, 2, 19), (1901, 1, 1, False)),
            (D(2048, 12, 31, 23, 59, 59), (2048, 11, 27, False)),
            # 2020-05-22 17:00 UTC is already 2020-05-23 01:00 at UTC+8.
            (D(2020, 5, 22, 17, tzinfo=UTC), (2020, 4, 1, True)),
        ]
        for moment, expected in cases:
            with self.subTest(moment=moment):
                self.assertEqual(lunacal.lunar_date(moment), expected)

    def test_outside_the_range(self):
        for moment in (D(1901, 2, 18, 23, 59, 59), D(2049, 1, 1), D(1, 1, 1), D(9999, 12, 31)):
            with self.subTest(moment=moment), self.assertRaises(ValueError):
                lunacal.lunar_date(moment)


class Pillars(unittest.TestCase):
    def test_known_moments(self):
        cases = [
            (D(2000, 1, 1, 12), (16, 13, 55, 55)),
            (D(2000, 1, 1, 23), (16, 13, 56, 1)),
            (D(2000, 1, 1, 15, tzinfo=UTC), (16, 13, 56, 1)),
            # 立春 2000 falls at 20:40:23.
            (D(2000, 2, 4, 20, 40), (16, 14, 29, 47)),
            (D(2000, 2, 4, 20, 41), (17, 15, 29, 47)),
        ]
        for moment, expected in cases:
            with self.subTest(moment=moment):
                self.assertEqual(lunacal.pillars(moment), expected)
        # The first moment of the range, in the year 辛丑.
        self.assertEqual(lunacal.pillars(D(1901, 2, 19)).year, 38)

    def test_outside_the_range(self):
        for moment in (D(1901, 2, 18, 23, 59, 59), D(2049, 1, 1)):
            with self.subTest(moment=moment), self.assertRaises(ValueError):
                lunacal.pillars(moment)


class SolarTerm(unittest.TestCase):
    def test_known_terms(self):
        cases = [
            ((2000, 1), D(2000, 2, 4, 20, 40, 23)),
            ((2000, 23), D(2000, 1, 6, 9, 0, 41)),
        ]
        for (year, term), naive in cases:
            with self.subTest(year=year, term=term):
                moment = lunacal.solar_term(year, term)
                self.assertEqual(moment, naive.replace(tzinfo=lunacal.BEIJING))
                self.assertEqual(moment.utcoffset(), datetime.timedelta(hours=8))

    def test_months_follow_the_term_numbers(self):
        months = [lunacal.solar_term(2024, term).month for term in range(1, 25)]
        self.assertEqual(months, [2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11,
                                  12, 12, 1, 1])
        for year in (1880, 2079):
            moments = [lunacal.solar_term(year, term) for term in range(1, 23)]
            self.assertEqual(moments, sorted(moments), year)

    def test_refusals(self):
        for year, term in ((1879, 1), (2080, 1), (2000, 0), (2000, 25), (2000, -1),
                           (2**32 + 2000, 1), (2000, 2**32 + 1)):
            with self.subTest(year=year, term=term), self.assertRaises(ValueError):
                lunacal.solar_term(year, term)
        with self.assertRaises(TypeError):
            lunacal.solar_term(2000.0, 1)


class GregorianDate(unittest.TestCase):
    def test_known_dates(self):
        cases = [
            ((2020, 4, 1, True), datetime.date(2020, 5, 23)),
            ((2020, 4, 1, False), datetime.date(2020, 4, 23)),
            # No leap month follows month 5 of 2020: the ordinary month.
            ((2020, 5, 1, True), datetime.date(2020, 6, 21)),
            ((1901, 1, 1, False), datetime.date(1901, 2, 19)),
            ((2048, 11, 27, False), datetime.date(2048, 12, 31)),
        ]
        for arguments, expected in cases:
            with self.subTest(arguments=arguments):
                self.assertEqual(lunacal.gregorian_date(*arguments), expected)

    def test_refusals(self):
        for arguments in ((2020, 13, 1), (2020, 1, 31), (1900, 1, 1), (2049, 1, 1),
                          (2**32 + 2020, 4, 1), (2020, 2**32 + 4, 1)):
            with self.subTest(arguments=arguments), self.assertRaises(ValueError):
                lunacal.gregorian_date(*arguments)

    def test_round_trip_over_the_range(self):
        day = datetime.date(1901, 2, 19)
        while day <= datetime.date(2048, 12, 31):
            lunar = lunacal.lunar_date(D(day.year, day.month, day.day, 12))
            self.assertEqual(lunacal.gregorian_date(*lunar), day, lunar)
            day += datetime.timedelta(days=13)


class Docstrings(unittest.TestCase):
    def test_examples_hold(self):
        failures, tried = doctest.testmod(lunacal, optionflags=doctest.ELLIPSIS)
        self.assertGreater(tried, 0)
        self.assertEqual(failures, 0)


if __name__ == "__main__":
    unittest.main()
