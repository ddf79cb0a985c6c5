// SPDX-License-Identifier: MIT
// The binding's platform part on Windows: LoadLibraryExW of a full path, GetProcAddress and
// FreeLibrary, and the DLL's own header read to tell the parents why a load failed.
#include "chart/lunacal_calendar_win32.h"

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "chart/lunacal_binding.h"
#include "chart/lunacal_calendar.h"

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

std::wstring DefaultLunacalPath() {
  std::wstring path = RunningProgramFolder();
  if (path.empty()) return {};
  path += L'\\';
  for (const char16_t c : kDllName) path += static_cast<wchar_t>(c);
  return path;
}

namespace library {
namespace {

// Only a full path is accepted, and the search for the DLL's dependencies is limited to that
// file's own folder, so a planted lunacal.dll in the current folder is never picked up.
void* Open(const std::wstring& path, std::u16string& failure_message) {
  const bool full_path = path.starts_with(L"\\\\") || (path.size() > 3 && path[1] == L':' && path[2] == L'\\');
  HMODULE module = full_path ? LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH) : nullptr;
  if (module != nullptr) return static_cast<void*>(module);
  const DWORD error = GetLastError();
  // The file is looked at only once loading has failed, to tell the parents why.
  const DllKind kind = full_path ? ReadDllKind(path) : DllKind::kMissing;
  if ((kind == DllKind::kX86 || kind == DllKind::kX64) && kind != kOwnDllKind) {
    failure_message = LunacalWrongArchitectureMessage(kind);
  } else if (kind == DllKind::kDamaged || (kind == kOwnDllKind && error == ERROR_BAD_EXE_FORMAT)) {
    failure_message = LunacalDamagedMessage();
  } else {
    failure_message = LunacalLoadFailureMessage(kDllName);
  }
  return nullptr;
}

}  // namespace

void* OpenFirst(const std::vector<std::wstring>& candidates, std::u16string& failure_message) {
  std::u16string why = LunacalLoadFailureMessage(kDllName);
  for (const std::wstring& path : candidates) {
    if (void* library = Open(path, why)) return library;
  }
  failure_message = why;
  return nullptr;
}

// Windows guarantees that the address GetProcAddress gives converts to the function it names.
void* FindSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void Close(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

std::vector<std::wstring> DefaultCandidatePaths() { return {DefaultLunacalPath()}; }

}  // namespace library
}  // namespace chart
