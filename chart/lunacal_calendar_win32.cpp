// SPDX-License-Identifier: MIT
#include "chart/lunacal_calendar_win32.h"

#include <windows.h>

#include <string_view>
#include <utility>

#include "chart/lunacal_binding.h"

namespace chart {
namespace {

constexpr std::u16string_view kDllName = u"lunacal.dll";

}  // namespace

LunacalDllCalendar::LunacalDllCalendar(std::wstring dll_path) : dll_path_(std::move(dll_path)) {}

LunacalDllCalendar::~LunacalDllCalendar() {
  if (module_ != nullptr) FreeLibrary(static_cast<HMODULE>(module_));
}

std::wstring RunningProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    // The path was cut to the buffer's size: try again with room for a long path.
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  const size_t backslash = path.rfind(L'\\');
  if (backslash == std::wstring::npos) return {};
  path.resize(backslash);
  return path;
}

std::wstring LunacalDllCalendar::DefaultPath() {
  std::wstring path = RunningProgramFolder();
  if (path.empty()) return {};
  path += L'\\';
  for (const char16_t c : kDllName) path += static_cast<wchar_t>(c);
  return path;
}

bool LunacalDllCalendar::Load() {
  if (module_ != nullptr) return true;
  // Only a full path is accepted, and the search is limited to that file's own folder for the
  // DLL's dependencies, so a planted lunacal.dll in the current folder is never picked up.
  const bool full_path = dll_path_.starts_with(L"\\\\") || (dll_path_.size() > 3 && dll_path_[1] == L':' && dll_path_[2] == L'\\');
  if (full_path) {
    module_ = LoadLibraryExW(dll_path_.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  if (module_ == nullptr) {
    error_message_ = LunacalLoadFailureMessage(kDllName);
    return false;
  }
  return true;
}

std::optional<int16_t> LunacalDllCalendar::Call(CalendarFunction function, double moment) {
  const auto slot = static_cast<size_t>(function);
  if (slot >= symbols_.size()) {
    error_message_ = kLunacalNoSuchFunction;
    return std::nullopt;
  }
  if (!Load()) return std::nullopt;
  if (symbols_[slot] == nullptr) {
    const FARPROC address = GetProcAddress(static_cast<HMODULE>(module_), kLunacalExportNames[slot]);
    if (address == nullptr) {
      error_message_ = LunacalMissingFunctionMessage(kLunacalExportNames[slot]);
      return std::nullopt;
    }
    symbols_[slot] = reinterpret_cast<AnyFunction>(address);
  }
  // Windows guarantees that the address GetProcAddress gives converts to the function it names.
  const auto bound = reinterpret_cast<LunacalExportPointer>(symbols_[slot]);
  return LunacalLowSigned16(bound(moment));
}

std::u16string LunacalDllCalendar::ErrorMessage() const { return error_message_; }

std::unique_ptr<Calendar> MakeLunacalCalendar() {
  return std::make_unique<LunacalDllCalendar>(LunacalDllCalendar::DefaultPath());
}

}  // namespace chart
