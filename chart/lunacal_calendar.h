// SPDX-License-Identifier: MIT
#pragma once
// The calendar of the shared library lunacal, reached by name at run time. MakeLunacalCalendar()
// in chart/calendar.h is the program's way in; the class is declared here so tests can point it at
// a missing file or at a library that lacks some functions.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chart/calendar.h"

namespace chart {

class LunacalCalendar final : public Calendar {
 public:
  // The files tried in order by dlopen; the first that loads is used.
  explicit LunacalCalendar(std::vector<std::string> candidate_paths);
  ~LunacalCalendar() override;
  LunacalCalendar(const LunacalCalendar&) = delete;
  LunacalCalendar& operator=(const LunacalCalendar&) = delete;

  // Loads the library on the first call and binds each function on its own first call; a
  // failure leaves nothing bound, so a later call tries again.
  std::optional<int16_t> Call(CalendarFunction function, double moment) override;
  std::u16string ErrorMessage() const override;

  // liblunacal.so.1 in `program_folder` (the build tree keeps every binary in one folder), then
  // in `bin_to_libdir` relative to it (an installed tree, wherever its prefix lies), then by the
  // system's normal search. An empty folder is one that could not be found and is skipped.
  static std::vector<std::string> CandidatePaths(const std::string& program_folder,
                                                 const std::string& bin_to_libdir);
  // CandidatePaths for the running program and the libdir configured at build time.
  static std::vector<std::string> DefaultCandidatePaths();

 private:
  bool Load();

  std::vector<std::string> candidate_paths_;
  void* handle_ = nullptr;
  // The bound functions by CalendarFunction, null until their first call finds them.
  std::array<void*, 8> symbols_{};
  std::u16string error_message_;
};

}  // namespace chart
