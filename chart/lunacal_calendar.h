// SPDX-License-Identifier: MIT
#pragma once
// The calendar of the shared library lunacal, reached by name at run time, on every platform.
// MakeLunacalCalendar() in chart/calendar.h is the program's way in; the class is declared here so
// tests can point it at a missing file or at a library that lacks some functions. Beneath it, the
// platform's part (chart/library_posix.cpp, chart/library_win32.cpp) only opens a library, finds a
// symbol and says why opening failed.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chart/calendar.h"

namespace chart {

// A library file as the platform names it: bytes for dlopen, a wide full path for LoadLibraryExW.
#ifdef _WIN32
using LibraryPath = std::wstring;
#else
using LibraryPath = std::string;
#endif

class LunacalCalendar final : public Calendar {
 public:
  // The files tried in order; the first that loads is used.
  explicit LunacalCalendar(std::vector<LibraryPath> candidate_paths);
  ~LunacalCalendar() override;
  LunacalCalendar(const LunacalCalendar&) = delete;
  LunacalCalendar& operator=(const LunacalCalendar&) = delete;

  // Loads the library on the first call and binds each function on its own first call; a
  // failure leaves nothing bound, so a later call tries again.
  std::optional<int16_t> Call(CalendarFunction function, double moment) override;
  std::u16string ErrorMessage() const override;

  // Where the running program looks for the library: on Linux liblunacal.so.1 beside the program,
  // in the configured library folder, then by the system's search; on Windows lunacal.dll beside
  // the program only, by its full path, so no DLL planted elsewhere can stand in for it.
  static std::vector<LibraryPath> DefaultCandidatePaths();

 private:
  bool Load();

  std::vector<LibraryPath> candidate_paths_;
  void* library_ = nullptr;
  // The bound functions by CalendarFunction, null until their first call finds them.
  std::array<void*, 8> symbols_{};
  std::u16string error_message_;
};

// The platform's part: each opens the first candidate that loads, or gives the window's message.
namespace library {
void* OpenFirst(const std::vector<LibraryPath>& candidates, std::u16string& failure_message);
void* FindSymbol(void* library, const char* name);
void Close(void* library);
std::vector<LibraryPath> DefaultCandidatePaths();
}  // namespace library

#ifndef _WIN32
// liblunacal.so.1 in `program_folder` (the build tree keeps every binary in one folder), then in
// `bin_to_libdir` relative to it (an installed tree, wherever its prefix lies), then by the
// system's normal search. An empty folder is one that could not be found and is skipped.
std::vector<std::string> LunacalCandidatePaths(const std::string& program_folder, const std::string& bin_to_libdir);
#endif

}  // namespace chart
