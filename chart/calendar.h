// SPDX-License-Identifier: MIT
#pragma once
// The eight calendar functions the birth chart needs, behind an interface so the report is tested
// with a fake calendar as well as with the real library.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace chart {

enum class CalendarFunction {
  GetGLToRLNian,
  GetGLToRLMonth,
  GetGLToRLDay,
  GetGLToRLRun,
  GetSiZhuXHYear,
  GetSiZhuXHMonth,
  GetSiZhuXHDay,
  GetSiZhuXHTime,
};

class Calendar {
 public:
  virtual ~Calendar() = default;
  // The low 16 bits of the function's result for `moment`, as a signed number; nullopt when the
  // function cannot be reached, with ErrorMessage() saying which library or function is missing.
  virtual std::optional<int16_t> Call(CalendarFunction function, double moment) = 0;
  virtual std::u16string ErrorMessage() const = 0;

  // True when every function can be reached. A binding that loads on first use loads and binds
  // them all here, so a caller can learn of a missing library before it starts any work.
  bool Reachable() {
    // Any moment of the calendar's range serves; only the binding matters, not the results.
    constexpr double kAnyMoment = 36526.5;
    for (int function = 0; function <= static_cast<int>(CalendarFunction::GetSiZhuXHTime); ++function) {
      if (!Call(static_cast<CalendarFunction>(function), kAnyMoment)) return false;
    }
    return true;
  }
};

// The shared library lunacal, each function bound on its first call. On Linux it is looked for
// next to the program, in the configured library folder, then by the system's search; on Windows
// only beside the program, by its full path, so no DLL planted elsewhere can stand in for it.
std::unique_ptr<Calendar> MakeLunacalCalendar();

}  // namespace chart
