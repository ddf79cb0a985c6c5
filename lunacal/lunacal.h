// SPDX-License-Identifier: MIT
/*
 * lunacal: the Chinese lunar calendar for 1901..2048 through 18 plain C functions.
 *
 * Concepts
 *
 *   DATE value. A moment is one IEEE 754 double: the days since 1899-12-30 00:00, the time of day
 *   as the fraction (an OLE Automation date). 36526.5 is 2000-01-01 12:00:00; 416.0 is 1901-02-19.
 *   Every function that takes a DATE first rounds it to the nearest second, so 23:59:59.6 already
 *   belongs to the next day. NaN, the infinities and anything outside -657434.0 .. 2958465.0 are
 *   no moment at all.
 *
 *   Clock. A DATE is read as civil time at UTC+8 (Beijing time), the clock on which the solar
 *   terms, and with them the pillars, are given; a caller elsewhere converts its moment first.
 *   From a time_t, seconds since 1970-01-01 00:00 UTC (25569 is the DATE of that day):
 *     double moment = ((double)t + 8 * 3600) / 86400.0 + 25569.0;
 *   This holds from 1899-12-30 on, which covers the whole calendar range.
 *
 *   Calendar range. Lunar dates and the four pillars are known from 1901-02-19 (lunar 1901, month
 *   1, day 1) to 2048-12-31; solar terms for the Gregorian years 1880..2079, at Beijing time
 *   (UTC+8), to the second.
 *
 *   Results. Every function takes its arguments by value and returns one 32-bit signed integer.
 *   Nothing fails loudly: there are no error codes and no exceptions. Input outside a function's
 *   range gives the fixed results listed with its group, which a caller can test for.
 *
 *   Sexagenary index. A pillar is its place 1..60 in the cycle of stem-branch pairs, 1 = 甲子 ...
 *   60 = 癸亥; its stem is (n - 1) % 10 + 1 (甲..癸) and its branch (n - 1) % 12 + 1 (子..亥).
 *
 *   Calling. On 32-bit Windows the functions are __stdcall and exported from lunacal.dll under
 *   their plain names with fixed ordinals (GetGLToRLDay 1 ... SysDiskID 18, alphabetical); a DATE
 *   is passed as 8 bytes on the stack. Elsewhere they use the platform's C convention. A program
 *   that loads the library at run time (dlopen, LoadLibrary) calls through pointers such as
 *   int32_t (LUNACAL_CALL *)(double), and on Linux finds the 18 names and no others. A Windows
 *   program that includes this header links with the import library lunacal.dll.a (mingw) or
 *   lunacal.lib (MSVC): both map the names the compiler asks for (_GetGLToRLNian@8) to the plain
 *   exports.
 *
 *   State. The library keeps none: the calendar needs no file, setting or initialisation (only the
 *   identification functions ask the machine), and every function may be called from any number
 *   of threads at once. Nothing is allocated that the caller must free.
 *
 *   Example, one call of each group:
 *     double now = ((double)time(NULL) + 8 * 3600) / 86400.0 + 25569.0;
 *     int32_t lunar_year = GetGLToRLNian(now);          0 outside 1901-02-19 .. 2048-12-31
 *     int32_t day_pillar = GetSiZhuXHDay(now);          1 甲子 .. 60 癸亥
 *     int32_t spring_day = GetJieQiTime_Day(2024, 1);   4: 立春 2024 is on February 4
 *     int32_t new_year = RLToGL_Day(2024, 1, 1, 0);     10: lunar new year 2024 is February 10
 *     char cpu[36];
 *     if (SysCPUID(cpu, (int32_t)sizeof cpu) == 1) puts(cpu);
 */
#ifndef LUNACAL_LUNACAL_H
#define LUNACAL_LUNACAL_H

#include <stdint.h>

/* LUNACAL_CALL is the calling convention of every export, LUNACAL_API marks an export. A program
 * defines neither; the library's own build defines LUNACAL_BUILDING. */
#if defined(_WIN32) && !defined(_WIN64)
#define LUNACAL_CALL __stdcall
#else
#define LUNACAL_CALL
#endif

#if defined(_WIN32)
#if defined(LUNACAL_BUILDING)
#define LUNACAL_API __declspec(dllexport)
#else
#define LUNACAL_API __declspec(dllimport)
#endif
#elif defined(LUNACAL_BUILDING)
#define LUNACAL_API __attribute__((visibility("default")))
#else
#define LUNACAL_API
#endif

/* The library's version, major.minor.patch; the build takes it from here. */
#define LUNACAL_VERSION_MAJOR 1
#define LUNACAL_VERSION_MINOR 0
#define LUNACAL_VERSION_PATCH 0

/* The calendar range, in which lunar dates and pillars are known: 1901-02-19 00:00:00 (DATE 416.0)
 * up to the end of 2048-12-31, the moment before 2049-01-01 00:00:00 (DATE 54424.0). */
#define LUNACAL_FIRST_YEAR 1901
#define LUNACAL_FIRST_MONTH 2
#define LUNACAL_FIRST_DAY 19
#define LUNACAL_LAST_YEAR 2048
#define LUNACAL_LAST_MONTH 12
#define LUNACAL_LAST_DAY 31
#define LUNACAL_FIRST_MOMENT 416.0
#define LUNACAL_END_MOMENT 54424.0

/* The Gregorian years of the solar-term table. */
#define LUNACAL_FIRST_TERM_YEAR 1880
#define LUNACAL_LAST_TERM_YEAR 2079

/* Any DATE value lies in -657434.0 (0100-01-01 00:00:00) .. 2958465.0 (9999-12-31 00:00:00). */
#define LUNACAL_MIN_DATE (-657434.0)
#define LUNACAL_MAX_DATE 2958465.0

#if defined(_MSC_VER) && !defined(__cplusplus)
#define LUNACAL_INLINE static __inline
#else
#define LUNACAL_INLINE static inline
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A civil time, read as Beijing time (UTC+8) wherever it meets the library. */
typedef struct lunacal_civil_time {
  int32_t year;   /* 100..9999 */
  int32_t month;  /* 1..12 */
  int32_t day;    /* 1..31 */
  int32_t hour;   /* 0..23 */
  int32_t minute; /* 0..59 */
  int32_t second; /* 0..59 */
} lunacal_civil_time;

/* Converting between civil times and DATE values exactly as the library does, so a caller never
 * works it out again. The arithmetic is IEEE double (on 32-bit x86 build with SSE2, as the library
 * is). Helpers named lunacal_detail_ are steps of these two, not for callers. */

/* Days of a Gregorian month: 28..31, or 0 for a month outside 1..12. Example: (2000, 2) gives 29. */
LUNACAL_INLINE int32_t lunacal_days_in_month(int32_t year, int32_t month) {
  static const int8_t days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (month < 1 || month > 12) return 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

/* Days from 0000-03-01 to 1899-12-30: a March epoch puts the leap day at the end of the year. */
#define LUNACAL_DETAIL_EPOCH_SHIFT 693899

/* Days from 1899-12-30 to a valid date of the years 100..9999, in [-657434, 2958465]. */
LUNACAL_INLINE int32_t lunacal_detail_days_from_civil(int32_t year, int32_t month, int32_t day) {
  const int32_t y = year - (month <= 2 ? 1 : 0);                                 /* [99, 9999] */
  const int32_t era = y / 400;                                                   /* [0, 24] */
  const int32_t yoe = y - era * 400;                                             /* [0, 399] */
  const int32_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1; /* [0, 365] */
  const int32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                    /* [0, 146096] */
  return era * 146097 + doe - LUNACAL_DETAIL_EPOCH_SHIFT;
}

/* The date `days` (in [-657434, 2958465]) days after 1899-12-30. */
LUNACAL_INLINE void lunacal_detail_civil_from_days(int32_t days, lunacal_civil_time *civil) {
  const int32_t z = days + LUNACAL_DETAIL_EPOCH_SHIFT;                           /* [36465, 3652364] */
  const int32_t era = z / 146097;                                                /* [0, 24] */
  const int32_t doe = z - era * 146097;                                          /* [0, 146096] */
  const int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;     /* [0, 399] */
  const int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                   /* [0, 365] */
  const int32_t mp = (5 * doy + 2) / 153;                                        /* [0, 11], 0 March */
  civil->day = doy - (153 * mp + 2) / 5 + 1;                                     /* [1, 31] */
  civil->month = mp < 10 ? mp + 3 : mp - 9;                                      /* [1, 12] */
  civil->year = yoe + era * 400 + (civil->month <= 2 ? 1 : 0);                   /* [100, 9999] */
}

/* A DATE value rounded to the nearest second (half a second added above 0, subtracted at 0 and
 * below, so 23:59:59.5 is the next midnight): its whole days, negative before 1899-12-30, and its
 * second of the day 0..86399. 0, nothing written, for a value outside the DATE range or NaN. */
LUNACAL_INLINE int32_t lunacal_detail_round_to_second(double moment, int32_t *days, int32_t *second_of_day) {
  const double half_second = 0.5 / 86400;
  double rounded, magnitude, fraction;
  int32_t second;
  /* A negated range test, so that NaN fails it too, before any conversion to an integer. */
  if (!(moment >= LUNACAL_MIN_DATE && moment <= LUNACAL_MAX_DATE)) return 0;
  rounded = moment > 0.0 ? moment + half_second : moment - half_second;
  magnitude = rounded < 0.0 ? -rounded : rounded;
  /* Truncating casts are trunc() and, for the non-negative magnitude, floor(), without libm. */
  fraction = magnitude - (double)(int32_t)magnitude;                             /* [0, 1) */
  second = (int32_t)(fraction * 86400);
  /* A fraction a hair below 1 may still round up to 86400 in the product: the last second. */
  *second_of_day = second < 86399 ? second : 86399;                              /* [0, 86399] */
  *days = (int32_t)rounded;                                                      /* [-657434, 2958465] */
  return 1;
}

/* The civil time of a DATE value, rounded to the nearest second as every export rounds it: 1, or 0
 * with every field -1 for a value outside LUNACAL_MIN_DATE .. LUNACAL_MAX_DATE (NaN included).
 * Example: 36526.5 gives 2000-01-01 12:00:00; 43855.99999537 (23:59:59.6) gives 2020-01-26
 * 00:00:00; -1.25 gives 1899-12-29 06:00:00. */
LUNACAL_INLINE int32_t lunacal_civil_from_date(double moment, lunacal_civil_time *civil) {
  int32_t days, second_of_day;
  if (!lunacal_detail_round_to_second(moment, &days, &second_of_day)) {
    civil->year = civil->month = civil->day = civil->hour = civil->minute = civil->second = -1;
    return 0;
  }
  lunacal_detail_civil_from_days(days, civil);
  civil->hour = second_of_day / 3600;                                           /* [0, 23] */
  civil->minute = second_of_day / 60 % 60;                                      /* [0, 59] */
  civil->second = second_of_day % 60;                                           /* [0, 59] */
  return 1;
}

/* The DATE value of a civil time: 1 and *moment written, or 0 and *moment untouched unless the
 * year is 100..9999, the month 1..12, the day within its month, the hour 0..23 and the minute and
 * second 0..59, and the value lies in the DATE range (so 9999-12-31 allows midnight only).
 * Example: 2000-01-01 12:00:00 gives 36526.5; 1899-12-29 06:00:00 gives -1.25. */
LUNACAL_INLINE int32_t lunacal_date_from_civil(const lunacal_civil_time *civil, double *moment) {
  int32_t days;
  double time, result;
  if (civil->year < 100 || civil->year > 9999 || civil->day < 1 ||
      civil->day > lunacal_days_in_month(civil->year, civil->month) || civil->hour < 0 || civil->hour > 23 ||
      civil->minute < 0 || civil->minute > 59 || civil->second < 0 || civil->second > 59) {
    return 0;
  }
  days = lunacal_detail_days_from_civil(civil->year, civil->month, civil->day);
  time = (double)(civil->hour * 3600 + civil->minute * 60 + civil->second) / 86400;
  /* Before 1899-12-30 the time of day counts away from zero: -1.25 is 1899-12-29 06:00. */
  result = days < 0 ? days - time : days + time;
  if (!(result >= LUNACAL_MIN_DATE && result <= LUNACAL_MAX_DATE)) return 0;
  *moment = result;
  return 1;
}

/* Gregorian moment to lunar date. A lunar year carries the number of the Gregorian year in which
 * it begins; a leap month carries the number of the month it follows. Outside 1901-02-19 ..
 * 2048-12-31 all four return 0.
 * Example: 2020-05-23 (DATE 43974.0) is lunar 2020, leap month 4, day 1: 2020, 4, 1 and 1;
 * 1901-02-18 23:59:59 gives 0, 0, 0 and 0. */
LUNACAL_API int32_t LUNACAL_CALL GetGLToRLNian(double moment);  /* lunar year 1901..2048 */
LUNACAL_API int32_t LUNACAL_CALL GetGLToRLMonth(double moment); /* lunar month 1..12 */
LUNACAL_API int32_t LUNACAL_CALL GetGLToRLDay(double moment);   /* lunar day 1..30 */
LUNACAL_API int32_t LUNACAL_CALL GetGLToRLRun(double moment);   /* 1 in a leap month, else 0 */

/* The four pillars of a moment, each a sexagenary index 1..60. The year pillar turns at 立春 and
 * the month pillar at each month-opening solar term, to the second; the day pillar turns at 23:00,
 * where the 子 hour begins. Outside 1901-02-19 00:00:00 .. 2048-12-31 23:59:59 all four return 0.
 * Example: 2000-01-01 12:00 (DATE 36526.5), still before 小寒, gives 16 己卯, 13 丙子, 55 戊午 and
 * 55 戊午; 1901-02-19 00:00 gives year 38 辛丑. */
LUNACAL_API int32_t LUNACAL_CALL GetSiZhuXHYear(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetSiZhuXHMonth(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetSiZhuXHDay(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetSiZhuXHTime(double moment);

/* The moment of a solar term of a Gregorian year 1880..2079, one field each: day of the month,
 * hour, minute and second at UTC+8. Terms are numbered from 立春: 1 立春, 2 雨水, ... 22 冬至, then
 * 23 小寒 and 24 大寒, which fall in January of the same year. The month is not returned; it
 * follows from the term number. For a year or term outside the table: day 1, hour, minute and
 * second 0.
 * Example: 2000, term 1 gives 4, 20, 40, 23 (立春 at 2000-02-04 20:40:23); 2000, term 23 gives
 * 6, 9, 0, 41 (小寒 at 2000-01-06 09:00:41). */
LUNACAL_API int32_t LUNACAL_CALL GetJieQiTime_Day(int32_t year, int32_t term);
LUNACAL_API int32_t LUNACAL_CALL GetJieQiTime_Hour(int32_t year, int32_t term);
LUNACAL_API int32_t LUNACAL_CALL GetJieQiTime_Minute(int32_t year, int32_t term);
LUNACAL_API int32_t LUNACAL_CALL GetJieQiTime_Second(int32_t year, int32_t term);

/* Lunar date to Gregorian date, one field each, for lunar 1901-1-1 (1901-02-19) to 2048-11-27
 * (2048-12-31). `leap` equal to 1 asks for the leap month that follows month `month`; any other
 * value, -1 included, asks for the ordinary month, as does 1 for a month that no leap month
 * follows. A lunar date that does not exist or falls outside the range gives 1899, 12 and 30
 * (DATE 0.0).
 * Example: 2020, 4, 1 with leap 1 gives 2020, 5, 23, with leap 0 2020, 4, 23; month 13 gives
 * 1899, 12, 30. */
LUNACAL_API int32_t LUNACAL_CALL RLToGL_Year(int32_t year, int32_t month, int32_t day, int32_t leap);
LUNACAL_API int32_t LUNACAL_CALL RLToGL_Month(int32_t year, int32_t month, int32_t day, int32_t leap);
LUNACAL_API int32_t LUNACAL_CALL RLToGL_Day(int32_t year, int32_t month, int32_t day, int32_t leap);

/* Hardware identification texts, copied into a buffer the caller owns:
 *   SysDiskID   the first physical disk's model (up to 40 characters) immediately followed by its
 *               serial number (up to 20), blanks trimmed;
 *   SysCPUID    "%08X-%08X-%08X-%08X" of EDX and EAX of CPUID leaf 1 and EDX and ECX of leaf 3,
 *               35 characters (leaf 3 reads as zeroes on processors without it);
 *   SysBIOSID   the BIOS date or identification text, up to 199 characters of space .. "q".
 * Where the machine does not offer a source (no disk model, no readable firmware, no CPUID) the
 * text is empty.
 * Sources on Windows, first to last; the first that gives a text wins:
 *   disk  SMART IDENTIFY of \\.\PhysicalDrive0 and the SCSI miniports \\.\Scsi0: .. Scsi15:
 *         (both need administrator rights), then the storage device descriptor of
 *         \\.\PhysicalDrive0 (IOCTL_STORAGE_QUERY_PROPERTY, for every user);
 *   BIOS  the area 0xF0000..0xFFFFF mapped from \Device\PhysicalMemory (refused to programs since
 *         Windows Server 2003 SP1), then a raw firmware table of GetSystemFirmwareTable that
 *         covers it; the text is looked for there, at the same three addresses; only when
 *         neither gives bytes, the BIOS release date of the SMBIOS table, under the same rule
 *         of characters.
 * The library is for the NT family of Windows only: it does not ask GetVersionExA, and the paths of Windows 95, 98 and ME (\\.\Smartvsd, reading the BIOS area in place) are left
 * out. On Linux the disk text comes from sysfs, the BIOS area from /dev/mem (root only), else the
 * firmware date of /sys/class/dmi/id/bios_date.
 * Copy rule: with `length` 0 or more at most `length` bytes are written, the text and then its
 * terminating zero, so a text that does not fit is cut without the zero; a negative length sets
 * no limit (a buffer of 201 bytes holds every text). The buffer must be writable for that many
 * bytes; a null buffer is never written.
 * Result: 1 when the text exists (also for length 0 or a null buffer, which receive nothing), 0
 * when it is empty, and then the buffer is untouched.
 * Example: char id[36]; SysCPUID(id, sizeof id) writes a text such as
 * "178BFBFF-00A10F11-00000000-00000000" and its zero and returns 1; SysCPUID(id, 10) then writes
 * only "178BFBFF-0", without the zero. */
LUNACAL_API int32_t LUNACAL_CALL SysDiskID(char *buffer, int32_t length);
LUNACAL_API int32_t LUNACAL_CALL SysCPUID(char *buffer, int32_t length);
LUNACAL_API int32_t LUNACAL_CALL SysBIOSID(char *buffer, int32_t length);

#ifdef __cplusplus
}
#endif

#endif /* LUNACAL_LUNACAL_H */
