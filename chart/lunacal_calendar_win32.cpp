// SPDX-License-Identifier: MIT
#include "chart/lunacal_calendar_win32.h"

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <utility>

#include "chart/lunacal_binding.h"

namespace chart {
namespace {

constexpr std::u16string_view kDllName = u"lunacal.dll";

std::u16string_view BitsOf(DllKind kind) { return kind == DllKind::kX64 ? u"64位" : u"32位"; }

// Reads exactly `size` bytes at `offset`, or fails.
bool ReadAt(HANDLE file, uint32_t offset, void* data, DWORD size) {
  LARGE_INTEGER position{};
  position.QuadPart = offset;
  DWORD read = 0;
  return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, data, size, &read, nullptr) &&
         read == size;
}

}  // namespace

DllKind ReadDllKind(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return DllKind::kMissing;
  // The DOS header gives the offset of the PE signature, which the file header's machine follows.
  IMAGE_DOS_HEADER dos{};
  DWORD signature = 0;
  IMAGE_FILE_HEADER header{};
  const bool whole = ReadAt(file, 0, &dos, sizeof dos) && dos.e_magic == IMAGE_DOS_SIGNATURE &&
                     dos.e_lfanew > 0 && ReadAt(file, static_cast<uint32_t>(dos.e_lfanew), &signature, sizeof signature) &&
                     signature == IMAGE_NT_SIGNATURE &&
                     ReadAt(file, static_cast<uint32_t>(dos.e_lfanew) + sizeof signature, &header, sizeof header);
  CloseHandle(file);
  if (!whole) return DllKind::kDamaged;
  switch (header.Machine) {
    case IMAGE_FILE_MACHINE_I386: return DllKind::kX86;
    case IMAGE_FILE_MACHINE_AMD64: return DllKind::kX64;
    default: return DllKind::kOther;
  }
}

std::u16string LunacalWrongArchitectureMessage(DllKind found) {
  std::u16string message = u"找到的日历库 lunacal.dll 是";
  (message += BitsOf(found)) += u" Windows 程序用的，而本程序是";
  (message += BitsOf(kOwnDllKind)) += u"程序，需要";
  (message += BitsOf(kOwnDllKind)) += u"的 lunacal.dll，无法生成生辰八字。";
  return message;
}

std::u16string LunacalDamagedMessage() { return u"日历库 lunacal.dll 已损坏或不完整，无法生成生辰八字。"; }

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
    const DWORD error = GetLastError();
    // The file is looked at only once loading has failed, to tell the parents why.
    const DllKind kind = full_path ? ReadDllKind(dll_path_) : DllKind::kMissing;
    if ((kind == DllKind::kX86 || kind == DllKind::kX64) && kind != kOwnDllKind) {
      error_message_ = LunacalWrongArchitectureMessage(kind);
    } else if (kind == DllKind::kDamaged || (kind == kOwnDllKind && error == ERROR_BAD_EXE_FORMAT)) {
      error_message_ = LunacalDamagedMessage();
    } else {
      error_message_ = LunacalLoadFailureMessage(kDllName);
    }
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
