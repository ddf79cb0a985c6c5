// SPDX-License-Identifier: MIT
#pragma once
// The calendar of lunacal.dll, reached by name at run time on Windows. MakeLunacalCalendar() in
// chart/calendar.h is the program's way in; the class is declared here so tests can point it at a
// missing file or at a DLL that lacks the functions.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "chart/calendar.h"

namespace chart {

// The folder that holds the running program file, without a trailing backslash; empty when it
// cannot be read.
std::wstring RunningProgramFolder();

// The architecture a DLL file is built for, read from its PE header without loading it, so a
// DLL that LoadLibrary refuses can be told apart: one for the other kind of Windows program, or
// a damaged file.
enum class DllKind {
  kMissing,   // the file cannot be opened
  kDamaged,   // too short for its headers, or not a PE file at all
  kX86,       // a 32-bit program's DLL
  kX64,       // a 64-bit program's DLL
  kOther,     // a PE file for some other processor
};
DllKind ReadDllKind(const std::wstring& path);

// The kind of DLL that this program itself can load.
constexpr DllKind kOwnDllKind = sizeof(void*) == 8 ? DllKind::kX64 : DllKind::kX86;

// What the window says when lunacal.dll is there but is not for this program's architecture
// (`found` is kX86 or kX64), and when it is damaged.
std::u16string LunacalWrongArchitectureMessage(DllKind found);
std::u16string LunacalDamagedMessage();

class LunacalDllCalendar final : public Calendar {
 public:
  // `dll_path` is a full path: the DLL is loaded from there and nowhere else.
  explicit LunacalDllCalendar(std::wstring dll_path);
  ~LunacalDllCalendar() override;
  LunacalDllCalendar(const LunacalDllCalendar&) = delete;
  LunacalDllCalendar& operator=(const LunacalDllCalendar&) = delete;

  // Loads the DLL on the first call and binds each function on its own first call; a failure
  // leaves nothing bound, so a later call tries again.
  std::optional<int16_t> Call(CalendarFunction function, double moment) override;
  std::u16string ErrorMessage() const override;

  // lunacal.dll in the folder of the running program; empty when that folder cannot be read.
  static std::wstring DefaultPath();

 private:
  bool Load();

  std::wstring dll_path_;
  // Any function pointer converts to and from this type without a cast warning.
  using AnyFunction = void (*)();

  void* module_ = nullptr;
  // The bound functions by CalendarFunction, null until their first call finds them.
  std::array<AnyFunction, 8> symbols_{};
  std::u16string error_message_;
};

}  // namespace chart
