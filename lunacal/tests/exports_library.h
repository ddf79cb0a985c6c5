// SPDX-License-Identifier: MIT
#pragma once
// The built lunacal loaded as any program loads it: by file name from the folder of the running
// binary, every export looked up by name and called through a pointer of its declared type.

#include <string>

#include "lunacal/lunacal.h"

// The 18 exported names, the only names the library's dynamic symbol table may hold.
#define LUNACAL_EXPORTS(X)                                                                      \
  X(GetGLToRLDay) X(GetGLToRLMonth) X(GetGLToRLNian) X(GetGLToRLRun) X(GetJieQiTime_Day)        \
  X(GetJieQiTime_Hour) X(GetJieQiTime_Minute) X(GetJieQiTime_Second) X(GetSiZhuXHDay)           \
  X(GetSiZhuXHMonth) X(GetSiZhuXHTime) X(GetSiZhuXHYear) X(RLToGL_Day) X(RLToGL_Month)          \
  X(RLToGL_Year) X(SysBIOSID) X(SysCPUID) X(SysDiskID)

struct LunacalExports {
#define LUNACAL_EXPORT_MEMBER(name) decltype(&::name) name = nullptr;
  LUNACAL_EXPORTS(LUNACAL_EXPORT_MEMBER)
#undef LUNACAL_EXPORT_MEMBER
};

// The DATE value of a Gregorian moment, worked out here independently of the engine: days from
// 1899-12-30 by the civil-from-days count of 400-year eras, time as the fraction.
constexpr double Moment(int year, int month, int day, int hour = 0, int minute = 0,
                        double second = 0.0) {
  const int y = month <= 2 ? year - 1 : year;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int year_of_era = y - era * 400;                                         // [0, 399]
  const int day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
  const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  const int days_since_1970 = era * 146097 + day_of_era - 719468;
  return (days_since_1970 + 25569) + (hour * 3600 + minute * 60 + second) / 86400.0;
}
static_assert(Moment(2000, 1, 1) == 36526.0);
static_assert(Moment(1899, 12, 30) == 0.0);

// The full path of the built library beside the test binary.
std::string LunacalPath();
// Loads the library and resolves every export; null, with the reason in `error`, when the file
// or an export is missing. Call it once: the library stays loaded.
const LunacalExports* LoadLunacal(std::string& error);
// Loads the library once; a missing file or export is reported as a failure of the calling test
// and gives null.
const LunacalExports* Lunacal();
