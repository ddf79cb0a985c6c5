/*
 * lunacal: the Chinese lunar calendar for 1901..2048 through 18 plain C functions.
 *
 * A DATE value is an IEEE 754 double counting days since 1899-12-30 00:00, the time of day as the
 * fraction (an OLE Automation date); values outside -657434.0 .. 2958465.0 (and NaN) are no moment.
 * Every function takes its arguments by value and returns one 32-bit integer. No function fails
 * loudly: out-of-range input gives fixed results, listed with each group. The library keeps no
 * state and may be called from several threads at once.
 */
#ifndef LUNACAL_LUNACAL_H
#define LUNACAL_LUNACAL_H

#include <stdint.h>

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

#ifdef __cplusplus
extern "C" {
#endif

/* Lunar date of a Gregorian moment in 1901-02-19 .. 2048-12-31; 0 from all four outside it.
 * Example: 2020-05-23 (DATE 43974.0) is lunar 2020, leap month 4, day 1: 2020, 4, 1 and 1. */
LUNACAL_API int32_t LUNACAL_CALL GetGLToRLNian(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetGLToRLMonth(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetGLToRLDay(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetGLToRLRun(double moment); /* 1 in a leap month, else 0 */

/* Sexagenary index 1..60 (1 = 甲子, 60 = 癸亥) of the year, month, day and hour pillar of a moment;
 * 0 outside 1901-02-19 00:00:00 .. 2048-12-31 23:59:59.
 * Example: 2000-01-01 12:00 gives 16, 13, 55 and 55. */
LUNACAL_API int32_t LUNACAL_CALL GetSiZhuXHYear(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetSiZhuXHMonth(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetSiZhuXHDay(double moment);
LUNACAL_API int32_t LUNACAL_CALL GetSiZhuXHTime(double moment);

/* Day, hour, minute and second (UTC+8) of a solar term of a Gregorian year 1880..2079. Term 1 is
 * 立春, 22 冬至, 23 小寒 and 24 大寒 (both in January of the same year). For a year or term outside
 * the table: day 1, hour, minute and second 0. Example: 2000, term 1 gives 4, 20, 40, 23. */
LUNACAL_API int32_t LUNACAL_CALL GetJieQiTime_Day(int32_t year, int32_t term);
LUNACAL_API int32_t LUNACAL_CALL GetJieQiTime_Hour(int32_t year, int32_t term);
LUNACAL_API int32_t LUNACAL_CALL GetJieQiTime_Minute(int32_t year, int32_t term);
LUNACAL_API int32_t LUNACAL_CALL GetJieQiTime_Second(int32_t year, int32_t term);

/* Gregorian year, month and day of a lunar date from 1901-1-1 to 2048-11-27; `leap` equal to 1 asks
 * for the leap month (any other value for the ordinary one). A lunar date that does not exist gives
 * 1899, 12 and 30. Example: 2020, 4, 1, leap 1 gives 2020, 5, 23. */
LUNACAL_API int32_t LUNACAL_CALL RLToGL_Year(int32_t year, int32_t month, int32_t day, int32_t leap);
LUNACAL_API int32_t LUNACAL_CALL RLToGL_Month(int32_t year, int32_t month, int32_t day, int32_t leap);
LUNACAL_API int32_t LUNACAL_CALL RLToGL_Day(int32_t year, int32_t month, int32_t day, int32_t leap);

/* Hardware identification texts, written into the caller's buffer: the first disk's model followed
 * by its serial, the processor text "%08X-%08X-%08X-%08X", and the BIOS date text. With `length` 0
 * or more at most `length` bytes are copied (a text that does not fit is cut without its
 * terminating zero); a negative length copies the whole text and its zero. The caller owns the
 * buffer, which must be writable for that many bytes. Return 1 when a text exists, else 0 with the
 * buffer untouched. */
LUNACAL_API int32_t LUNACAL_CALL SysDiskID(char *buffer, int32_t length);
LUNACAL_API int32_t LUNACAL_CALL SysCPUID(char *buffer, int32_t length);
LUNACAL_API int32_t LUNACAL_CALL SysBIOSID(char *buffer, int32_t length);

#ifdef __cplusplus
}
#endif

#endif /* LUNACAL_LUNACAL_H */
