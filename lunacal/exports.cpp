// SPDX-License-Identifier: MIT
// The 18 exports. Each one zeroes the outputs of its engine operation, calls it without looking at
// its success flag and returns one field, so a refused input always reads as the same fixed values.
// Nothing thrown inside may cross the C boundary: every body catches everything and answers with
// the values of a refused input.

#include "lunacal/lunacal.h"

#include "lunacal/calendar.h"
#include "lunacal/date_value.h"
#include "lunacal/hardware_id.h"
#include "lunacal/pillars.h"
#include "lunacal/solar_terms.h"

namespace {

using lunacal::DateField;

struct LunarFields {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  bool leap = false;
};

LunarFields LunarOf(double moment) {
  LunarFields lunar;
  try {
    lunacal::ToLunarDate(moment, lunar.year, lunar.month, lunar.day, lunar.leap);
  } catch (...) {
    lunar = {};
  }
  return lunar;
}

enum class Pillar { Year, Month, Day, Hour };

int32_t PillarOf(double moment, Pillar wanted) {
  int32_t index = 0;
  const auto slot = [&](Pillar pillar) { return pillar == wanted ? &index : nullptr; };
  try {
    lunacal::FourPillars(moment, slot(Pillar::Year), slot(Pillar::Month), slot(Pillar::Day),
                         slot(Pillar::Hour));
  } catch (...) {
    index = 0;
  }
  return index;
}

int32_t SolarTermField(int32_t year, int32_t term, DateField field) {
  try {
    return lunacal::SplitDate(lunacal::SolarTermTime(year, term), field);
  } catch (...) {
    // The fields of the fallback moment 0100-01-01 00:00:00.
    return field == DateField::Day ? 1 : 0;
  }
}

int32_t GregorianField(int32_t year, int32_t month, int32_t day, int32_t leap, DateField field) {
  try {
    double value = 0.0;
    lunacal::FromLunarDate(year, month, day, leap == 1, value);
    // The value is a midnight, a whole day count, so its fields need no rounding to the second.
    lunacal_civil_time civil;
    lunacal_detail_civil_from_days(static_cast<int32_t>(value), &civil);  // [0, 54423]
    return field == DateField::Year ? civil.year : field == DateField::Month ? civil.month : civil.day;
  } catch (...) {
    // The fields of DATE 0.0, 1899-12-30, which a refused lunar date leaves.
    return field == DateField::Year ? 1899 : field == DateField::Month ? 12 : 30;
  }
}

template <typename ReadInfo>
int32_t IdentificationText(ReadInfo read, char* buffer, int32_t length) {
  try {
    return lunacal::CopyIdText(read(lunacal::SystemProbe()), buffer, length);
  } catch (...) {
    return 0;
  }
}

}  // namespace

int32_t LUNACAL_CALL GetGLToRLNian(double moment) { return LunarOf(moment).year; }
int32_t LUNACAL_CALL GetGLToRLMonth(double moment) { return LunarOf(moment).month; }
int32_t LUNACAL_CALL GetGLToRLDay(double moment) { return LunarOf(moment).day; }
int32_t LUNACAL_CALL GetGLToRLRun(double moment) { return LunarOf(moment).leap ? 1 : 0; }

int32_t LUNACAL_CALL GetSiZhuXHYear(double moment) { return PillarOf(moment, Pillar::Year); }
int32_t LUNACAL_CALL GetSiZhuXHMonth(double moment) { return PillarOf(moment, Pillar::Month); }
int32_t LUNACAL_CALL GetSiZhuXHDay(double moment) { return PillarOf(moment, Pillar::Day); }
int32_t LUNACAL_CALL GetSiZhuXHTime(double moment) { return PillarOf(moment, Pillar::Hour); }

int32_t LUNACAL_CALL GetJieQiTime_Day(int32_t year, int32_t term) {
  return SolarTermField(year, term, DateField::Day);
}
int32_t LUNACAL_CALL GetJieQiTime_Hour(int32_t year, int32_t term) {
  return SolarTermField(year, term, DateField::Hour);
}
int32_t LUNACAL_CALL GetJieQiTime_Minute(int32_t year, int32_t term) {
  return SolarTermField(year, term, DateField::Minute);
}
int32_t LUNACAL_CALL GetJieQiTime_Second(int32_t year, int32_t term) {
  return SolarTermField(year, term, DateField::Second);
}

int32_t LUNACAL_CALL RLToGL_Year(int32_t year, int32_t month, int32_t day, int32_t leap) {
  return GregorianField(year, month, day, leap, DateField::Year);
}
int32_t LUNACAL_CALL RLToGL_Month(int32_t year, int32_t month, int32_t day, int32_t leap) {
  return GregorianField(year, month, day, leap, DateField::Month);
}
int32_t LUNACAL_CALL RLToGL_Day(int32_t year, int32_t month, int32_t day, int32_t leap) {
  return GregorianField(year, month, day, leap, DateField::Day);
}

int32_t LUNACAL_CALL SysDiskID(char* buffer, int32_t length) {
  return IdentificationText(
      [](const lunacal::HardwareProbe& probe) { return lunacal::DiskIdText(lunacal::ReadHDInfo(probe)); },
      buffer, length);
}
int32_t LUNACAL_CALL SysCPUID(char* buffer, int32_t length) {
  return IdentificationText(
      [](const lunacal::HardwareProbe& probe) { return lunacal::ReadCPUInfo(probe).id_text; },
      buffer, length);
}
int32_t LUNACAL_CALL SysBIOSID(char* buffer, int32_t length) {
  return IdentificationText(
      [](const lunacal::HardwareProbe& probe) { return lunacal::ReadBIOSInfo(probe).date_text; },
      buffer, length);
}
