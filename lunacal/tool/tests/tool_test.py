# SPDX-License-Identifier: MIT
"""Covers the lunacal tool as a process: its three commands on known cases, the JSON they print,
the month pillar on either side of a month-opening term, the errors with their exit status and
language, and its lunar dates for a few hundred days against the library's exports.

LUNACAL_TOOL is the command to run (a path, or a runner and a path such as "wine64 lunacal.exe");
LUNACAL_LIBRARY, when set, is the library that lunacal.py loads for the comparison.
"""

import datetime
import json
import os
import shlex
import subprocess
import unittest

TOOL = shlex.split(os.environ.get("LUNACAL_TOOL", "lunacal"))
ENGLISH = {"LC_ALL": "C"}
CHINESE = {"LC_ALL": "zh_CN.UTF-8"}


def run(*arguments, locale=None):
    environment = {k: v for k, v in os.environ.items() if k not in ("LC_ALL", "LC_MESSAGES", "LANG")}
    environment.update(locale or ENGLISH)
    done = subprocess.run(TOOL + list(arguments), capture_output=True, env=environment, timeout=60)
    # A Windows build writes CR LF.
    return (done.returncode, done.stdout.decode("utf-8").replace("\r\n", "\n"),
            done.stderr.decode("utf-8").replace("\r\n", "\n"))


def run_json(*arguments):
    status, out, err = run("--json", *arguments)
    if status != 0:
        raise AssertionError(f"{arguments}: exit {status}: {err}")
    return json.loads(out)


class MomentCommand(unittest.TestCase):
    def test_known_moments(self):
        cases = [
            # arguments, lunar, pillars, nayin, term, next term
            (("2000-01-01", "12:00"), [1999, 11, 25, False], ["己卯", "丙子", "戊午", "戊午"],
             ["城头土", "涧下水", "天上火", "天上火"],
             ("冬至", "1999-12-22 15:43:48"), ("小寒", "2000-01-06 09:00:41")),
            (("2020-05-23",), [2020, 4, 1, True], ["庚子", "辛巳", "丙寅", "戊子"],
             ["壁上土", "白蜡金", "炉中火", "霹雳火"],
             ("小满", "2020-05-20 21:49:02"), ("芒种", "2020-06-05 12:58:11")),
            # The last moment of the range: 23:00 already takes the next day's pillar.
            (("2048-12-31", "23:00:00"), [2048, 11, 27, False], ["戊辰", "甲子", "丙子", "戊子"],
             ["大林木", "海中金", "涧下水", "霹雳火"],
             ("冬至", "2048-12-21 13:01:23"), ("小寒", "2049-01-05 06:17:50")),
            # 1914: lunar 1914 has a leap 5th month; 1914-01-26 is the lunar new year.
            (("1914-01-26",), [1914, 1, 1, False], None, None, None, None),
            (("1914-06-23",), [1914, 5, 1, True], None, None, None, None),
        ]
        for arguments, lunar, pillars, nayin, term, next_term in cases:
            with self.subTest(arguments=arguments):
                got = run_json(*arguments)
                moment = arguments[0] + " " + (arguments[1] if len(arguments) > 1 else "00:00")
                self.assertEqual(got["gregorian"], moment + (":00" if moment.count(":") == 1 else ""))
                self.assertEqual([got["lunar"][k] for k in ("year", "month", "day", "leap")], lunar)
                self.assertEqual(set(got), {"gregorian", "lunar", "pillars", "nayin", "term", "next_term"})
                if pillars:
                    self.assertEqual([got["pillars"][k] for k in ("year", "month", "day", "hour")],
                                     pillars)
                    self.assertEqual(got["nayin"], nayin)
                    self.assertEqual((got["term"]["name"], got["term"]["moment"]), term)
                    self.assertEqual((got["next_term"]["name"], got["next_term"]["moment"]),
                                     next_term)

    def test_text_names_the_lunar_day_and_the_clock_once(self):
        cases = [
            ("2020-05-23", "闰四月初一", ENGLISH, "UTC+8"),
            ("2020-01-24", "腊月三十", ENGLISH, "UTC+8"),
            ("2020-01-25", "正月初一", CHINESE, "UTC+8"),
        ]
        for date, lunar_day, locale, clock in cases:
            with self.subTest(date=date):
                status, out, err = run(date, locale=locale)
                self.assertEqual((status, err), (0, ""))
                self.assertIn(lunar_day, out)
                self.assertEqual(out.count(clock), 1)

    def test_month_pillar_turns_at_the_moment_of_a_month_opening_term(self):
        # 惊蛰 2000 at 03-05 14:42:39; the 卯 month begins then, not at midnight.
        self.assertEqual(run_json("2000-03-05", "14:42")["pillars"]["month"], "戊寅")
        after = run_json("2000-03-05", "14:43")
        self.assertEqual(after["pillars"]["month"], "己卯")
        self.assertEqual(after["term"], {"name": "惊蛰", "moment": "2000-03-05 14:42:39"})

    def test_without_a_date_the_present_moment_at_utc8(self):
        before = datetime.datetime.now(datetime.timezone(datetime.timedelta(hours=8)))
        got = datetime.datetime.strptime(run_json()["gregorian"], "%Y-%m-%d %H:%M:%S")
        after = datetime.datetime.now(datetime.timezone(datetime.timedelta(hours=8)))
        self.assertLessEqual(before.replace(tzinfo=None, microsecond=0), got)
        self.assertLessEqual(got, after.replace(tzinfo=None))


class OtherCommands(unittest.TestCase):
    def test_lunar_to_gregorian(self):
        cases = [
            (("2020-04-01", "--leap"), "2020-05-23 00:00:00", True),
            (("2020-04-01",), "2020-04-23 00:00:00", False),
            (("1914-05-01", "--leap"), "1914-06-23 00:00:00", True),
            (("2048-11-27",), "2048-12-31 00:00:00", False),
            (("1901-01-01",), "1901-02-19 00:00:00", False),
        ]
        for arguments, gregorian, leap in cases:
            with self.subTest(arguments=arguments):
                got = run_json("--lunar", *arguments)
                self.assertEqual(set(got), {"gregorian", "lunar"})
                self.assertEqual(got["gregorian"], gregorian)
                self.assertIs(got["lunar"]["leap"], leap)

    def test_terms_of_a_year_in_time_order(self):
        for year, first, spring, last in [
                (2000, ("小寒", "2000-01-06 09:00:41"), ("立春", "2000-02-04 20:40:23"),
                 ("冬至", "2000-12-21 21:37:25")),
                (1880, ("小寒", "1880-01-06 05:41:45"), None, None),
                (2079, None, None, ("冬至", "2079-12-22 01:43:12"))]:
            with self.subTest(year=year):
                got = run_json("--terms", str(year))
                self.assertEqual(set(got), {"terms"})
                terms = [(t["name"], t["moment"]) for t in got["terms"]]
                self.assertEqual(len(terms), 24)
                self.assertEqual(len({name for name, _ in terms}), 24)
                self.assertEqual([m for _, m in terms], sorted(m for _, m in terms))
                for expected, where in ((first, 0), (spring, 2), (last, 23)):
                    if expected:
                        self.assertEqual(terms[where], expected)


class Errors(unittest.TestCase):
    def test_bad_input_and_usage(self):
        cases = [
            # arguments, status, words of the English message
            (("2023-02-29",), 1, "not a Gregorian date"),
            (("2000-1-1x",), 1, "not a Gregorian date"),
            (("2000-01-01", "24:00"), 1, "not a time of day"),
            (("2000-01-01", "12:60"), 1, "not a time of day"),
            (("1901-02-18", "23:59:59"), 1, "from 1901-02-19 to 2048-12-31"),
            (("2049-01-01",), 1, "from 1901-02-19 to 2048-12-31"),
            (("--lunar", "2021-04-01", "--leap"), 1, "has no leap month 4"),
            (("--lunar", "2020-04-30", "--leap"), 1, "has 29 days, not 30"),
            (("--lunar", "2023-01-30"), 1, "has 29 days, not 30"),
            (("--lunar", "2048-11-28"), 1, "to year 2048, month 11, day 27"),
            (("--lunar", "2049-01-01"), 1, "from lunar year 1901, month 1, day 1"),
            (("--lunar", "2020-13-01"), 1, "not a lunar date"),
            (("--terms", "1879"), 1, "for 1880 to 2079"),
            (("--terms", "2080"), 1, "for 1880 to 2079"),
            (("--terms", "20x0"), 1, "not a year"),
            (("--frobnicate",), 2, "unknown option"),
            (("--lunar",), 2, "needs a value"),
            (("2000-01-01", "12:00", "extra"), 2, "unexpected argument"),
            (("--terms", "2000", "2000-01-01"), 2, "unexpected argument"),
            (("--lunar", "2020-04-01", "--terms", "2020"), 2, "cannot be used together"),
            (("2020-04-01", "--leap"), 2, "goes only with"),
        ]
        for arguments, status, words in cases:
            with self.subTest(arguments=arguments):
                got_status, out, err = run(*arguments)
                self.assertEqual(got_status, status)
                self.assertEqual(out, "")
                self.assertEqual(err.count("\n"), 1, err)
                self.assertIn(words, err)
                # Under a Chinese locale the same error is told in Chinese.
                got_status, out, err = run(*arguments, locale=CHINESE)
                self.assertEqual((got_status, out), (status, ""))
                self.assertTrue(err.startswith("lunacal："), err)
                self.assertNotIn(words, err)

    def test_locale_variables_in_posix_order(self):
        cases = [({"LANG": "zh_TW.UTF-8"}, True), ({"LC_MESSAGES": "zh_CN.UTF-8", "LANG": "C"}, True),
                 ({"LC_ALL": "en_US.UTF-8", "LANG": "zh_CN.UTF-8"}, False),
                 ({"LC_ALL": "", "LANG": "zh_CN.UTF-8"}, True)]
        for locale, chinese in cases:
            with self.subTest(locale=locale):
                _, _, err = run("2023-02-29", locale=locale)
                self.assertEqual(err.startswith("lunacal："), chinese, err)


@unittest.skipUnless(os.environ.get("LUNACAL_LIBRARY"), "needs LUNACAL_LIBRARY for lunacal.py")
class AgainstTheExports(unittest.TestCase):
    def test_lunar_dates_of_a_few_hundred_days(self):
        import lunacal
        lunacal.load(os.environ["LUNACAL_LIBRARY"])
        first = datetime.date(1901, 2, 19)
        span = (datetime.date(2048, 12, 31) - first).days
        # Both ends, then days spread over the range at a step prime to the lunar month.
        days = [first, first + datetime.timedelta(days=span)]
        days += [first + datetime.timedelta(days=k * 181 % (span + 1)) for k in range(1, 299)]
        for day in days:
            expected = lunacal.lunar_date(datetime.datetime(day.year, day.month, day.day, 12))
            got = run_json(day.isoformat(), "12:00")["lunar"]
            self.assertEqual((got["year"], got["month"], got["day"], got["leap"]), tuple(expected),
                             day)
            back = run_json("--lunar", f"{got['year']}-{got['month']:02}-{got['day']:02}",
                            *(["--leap"] if got["leap"] else []))
            self.assertEqual(back["gregorian"], day.isoformat() + " 00:00:00")


if __name__ == "__main__":
    unittest.main()
