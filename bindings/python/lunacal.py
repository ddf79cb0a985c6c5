# SPDX-License-Identifier: MIT
"""The lunacal calendar library for Python, through ctypes and nothing else.

lunacal converts Gregorian moments to lunar dates for 1901-02-19 .. 2048-12-31 and lunar dates
back, gives the four sexagenary pillars of a moment and the moments of the 24 solar terms of the
Gregorian years 1880..2079. Its moments are DATE values read as civil time at UTC+8 (Beijing
time, the clock of the solar terms): this module converts an aware datetime to that clock first
and takes a naive datetime as already on it.

    >>> import datetime, lunacal
    >>> lunacal.lunar_date(datetime.datetime(2020, 5, 23))
    LunarDate(year=2020, month=4, day=1, leap=True)
    >>> lunacal.pillars(datetime.datetime(2000, 1, 1, 12))
    Pillars(year=16, month=13, day=55, hour=55)

The library is loaded on first use by the system's search (liblunacal.so.1, or lunacal.dll on
Windows, which needs a 32-bit Python); load() takes an explicit path instead. Every function
raises ValueError where the library answers with its fixed "no result" values.
"""

import ctypes
import datetime
import os
from typing import NamedTuple, Optional

__all__ = [
    "BEIJING", "FIRST_DAY", "LAST_DAY", "LunarDate", "Pillars", "date_value", "gregorian_date", "load", "lunar_date",
    "pillars", "solar_term",
]

# The clock of every DATE the library reads.
BEIJING = datetime.timezone(datetime.timedelta(hours=8), "UTC+08:00")

# Day 0 of DATE values.
_EPOCH = datetime.datetime(1899, 12, 30)

# The days that have lunar dates and pillars, as lunacal.h gives them (a test compares the two).
FIRST_DAY = datetime.date(1901, 2, 19)
LAST_DAY = datetime.date(2048, 12, 31)
_RANGE = f"{FIRST_DAY} .. {LAST_DAY}"

_DATE_EXPORTS = (
    "GetGLToRLNian", "GetGLToRLMonth", "GetGLToRLDay", "GetGLToRLRun",
    "GetSiZhuXHYear", "GetSiZhuXHMonth", "GetSiZhuXHDay", "GetSiZhuXHTime",
)
_TERM_EXPORTS = ("GetJieQiTime_Day", "GetJieQiTime_Hour", "GetJieQiTime_Minute",
                 "GetJieQiTime_Second")
_LUNAR_EXPORTS = ("RLToGL_Year", "RLToGL_Month", "RLToGL_Day")
_TEXT_EXPORTS = ("SysDiskID", "SysCPUID", "SysBIOSID")

# The argument types of all 18 exports; each returns a 32-bit signed integer. A DATE is a double:
# passed as an int it would reach the library as garbage.
SIGNATURES = {
    **{name: (ctypes.c_double,) for name in _DATE_EXPORTS},
    **{name: (ctypes.c_int32, ctypes.c_int32) for name in _TERM_EXPORTS},
    **{name: (ctypes.c_int32,) * 4 for name in _LUNAR_EXPORTS},
    **{name: (ctypes.c_char_p, ctypes.c_int32) for name in _TEXT_EXPORTS},
}

_INT32_MIN, _INT32_MAX = -2**31, 2**31 - 1

_library = None


class LunarDate(NamedTuple):
    """A lunar date; a leap month carries the number of the month it follows."""
    year: int
    month: int
    day: int
    leap: bool


class Pillars(NamedTuple):
    """The four pillars, each a sexagenary index 1 (甲子) .. 60 (癸亥)."""
    year: int
    month: int
    day: int
    hour: int


def load(path: Optional[str] = None) -> ctypes.CDLL:
    """Load lunacal from `path`, or by the system's search when None, and declare its exports.

    Later calls of this module's functions use the library loaded last.
    """
    global _library
    if os.name == "nt":
        library = ctypes.WinDLL(path or "lunacal.dll")  # stdcall exports
    else:
        library = ctypes.CDLL(path or "liblunacal.so.1")
    for name, argtypes in SIGNATURES.items():
        function = getattr(library, name)
        function.argtypes = argtypes
        function.restype = ctypes.c_int32
    _library = library
    return library


def _lib() -> ctypes.CDLL:
    return _library if _library is not None else load()


def _int32(value: int, what: str) -> int:
    # ctypes cuts a larger integer to its low 32 bits without a word, which would turn year
    # 2**32 + 2000 into 2000.
    if not isinstance(value, int):
        raise TypeError(f"{what} must be an int, not {type(value).__name__}")
    if not _INT32_MIN <= value <= _INT32_MAX:
        raise ValueError(f"{what} {value} does not fit in 32 bits")
    return int(value)


def date_value(moment: datetime.datetime) -> float:
    """The DATE value of `moment`: days since 1899-12-30 00:00 at UTC+8, the time as fraction.

    An aware datetime is converted to UTC+8 first; a naive one is taken as UTC+8 already. Before
    1899-12-30 the fraction is the time of day counted away from zero, as DATE values have it:
    1899-12-29 06:00 is -1.25.
    """
    if not isinstance(moment, datetime.datetime):
        raise TypeError(f"moment must be a datetime, not {type(moment).__name__}")
    if moment.tzinfo is not None and moment.utcoffset() is not None:
        moment = moment.astimezone(BEIJING).replace(tzinfo=None)
    else:
        moment = moment.replace(tzinfo=None)
    elapsed = moment - _EPOCH
    time_of_day = (elapsed.seconds + elapsed.microseconds / 1e6) / 86400.0  # [0, 1)
    if elapsed.days >= 0:
        return elapsed.days + time_of_day
    return elapsed.days - time_of_day


def lunar_date(moment: datetime.datetime) -> LunarDate:
    """The lunar date of `moment`, for FIRST_DAY .. LAST_DAY (UTC+8).

    >>> lunar_date(datetime.datetime(2000, 1, 1, 12))
    LunarDate(year=1999, month=11, day=25, leap=False)
    """
    value = date_value(moment)
    library = _lib()
    year = library.GetGLToRLNian(value)
    if year == 0:
        raise ValueError(f"{moment} lies outside the lunar calendar's range {_RANGE}")
    return LunarDate(year, library.GetGLToRLMonth(value), library.GetGLToRLDay(value),
                     library.GetGLToRLRun(value) == 1)


def pillars(moment: datetime.datetime) -> Pillars:
    """The four pillars of `moment` as sexagenary indices 1..60.

    The year pillar turns at 立春, the month pillar at each month-opening solar term, the day
    pillar at 23:00, where the 子 hour begins.

    >>> pillars(datetime.datetime(2000, 1, 1, 23))
    Pillars(year=16, month=13, day=56, hour=1)
    """
    value = date_value(moment)
    library = _lib()
    result = Pillars(library.GetSiZhuXHYear(value), library.GetSiZhuXHMonth(value),
                     library.GetSiZhuXHDay(value), library.GetSiZhuXHTime(value))
    if 0 in result:
        raise ValueError(f"{moment} lies outside the pillars' range {_RANGE}")
    return result


def solar_term(year: int, term: int) -> datetime.datetime:
    """The moment of solar term `term` of Gregorian year `year` (1880..2079), at UTC+8.

    Terms count from 立春: 1 立春, 2 雨水, ... 22 冬至, then 23 小寒 and 24 大寒 of the same
    January.

    >>> solar_term(2000, 1)
    datetime.datetime(2000, 2, 4, 20, 40, 23, tzinfo=datetime.timezone(...'UTC+08:00'))
    """
    year = _int32(year, "year")
    term = _int32(term, "term")
    library = _lib()
    fields = [function(year, term) for function in
              (library.GetJieQiTime_Day, library.GetJieQiTime_Hour, library.GetJieQiTime_Minute,
               library.GetJieQiTime_Second)]
    # No term falls on the first of a month at midnight; that answer means "not in the table".
    if fields == [1, 0, 0, 0]:
        raise ValueError(f"no solar term {term} of {year} (years 1880..2079, terms 1..24)")
    month = 1 if term >= 23 else (term + 1) // 2 + 1
    return datetime.datetime(year, month, *fields, tzinfo=BEIJING)


def gregorian_date(year: int, month: int, day: int, leap: bool = False) -> datetime.date:
    """The Gregorian date of a lunar date from 1901-1-1 to 2048-11-27.

    `leap` asks for the leap month that follows month `month`; for a month that no leap month
    follows it is ignored.

    >>> gregorian_date(2020, 4, 1, leap=True)
    datetime.date(2020, 5, 23)
    """
    arguments = (_int32(year, "year"), _int32(month, "month"), _int32(day, "day"),
                 1 if leap else 0)
    library = _lib()
    result = datetime.date(library.RLToGL_Year(*arguments), library.RLToGL_Month(*arguments),
                           library.RLToGL_Day(*arguments))
    if result == _EPOCH.date():
        raise ValueError(f"no lunar date {year}-{month}-{day}{' (leap)' if leap else ''} "
                         "in 1901-1-1 .. 2048-11-27")
    return result
