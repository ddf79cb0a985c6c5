// SPDX-License-Identifier: MIT
// Loading the built library without the test framework, so the benchmarks load it the same way.

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <filesystem>
#include <string>

#include "lunacal/tests/exports_library.h"

namespace {

#ifdef _WIN32
std::filesystem::path OwnProgram() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, length));
}

void* Open(const std::filesystem::path& path, std::string& error) {
  HMODULE module = LoadLibraryW(path.wstring().c_str());
  if (module == nullptr) error = "LoadLibraryW failed with error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(module);
}

void* Symbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
#else
std::filesystem::path OwnProgram() { return std::filesystem::read_symlink("/proc/self/exe"); }

void* Open(const std::filesystem::path& path, std::string& error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) error = dlerror();
  return handle;
}

void* Symbol(void* handle, const char* name) { return dlsym(handle, name); }
#endif

template <typename Pointer>
bool Resolve(void* handle, const char* name, Pointer& pointer) {
  void* symbol = Symbol(handle, name);
  pointer = reinterpret_cast<Pointer>(symbol);
  return symbol != nullptr;
}

}  // namespace

std::string LunacalPath() { return (OwnProgram().parent_path() / LUNACAL_FILE_NAME).string(); }

// The library stays loaded for the life of the process, as it does in the program.
const LunacalExports* LoadLunacal(std::string& error) {
  void* handle = Open(OwnProgram().parent_path() / LUNACAL_FILE_NAME, error);
  if (handle == nullptr) return nullptr;
  static LunacalExports exports;
#define LUNACAL_RESOLVE(name)                      \
  if (!Resolve(handle, #name, exports.name)) {     \
    error = "no export " #name;                    \
    return nullptr;                                \
  }
  LUNACAL_EXPORTS(LUNACAL_RESOLVE)
#undef LUNACAL_RESOLVE
  return &exports;
}
