// SPDX-License-Identifier: MIT
// Loading the built library without the test framework, so the benchmarks load it the same way.

#include <dlfcn.h>

#include <filesystem>

#include "lunacal/tests/exports_library.h"

std::string LunacalPath() {
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
  return (self.parent_path() / LUNACAL_FILE_NAME).string();
}

namespace {

template <typename Pointer>
bool Resolve(void* handle, const char* name, Pointer& pointer) {
  void* symbol = dlsym(handle, name);
  pointer = reinterpret_cast<Pointer>(symbol);
  return symbol != nullptr;
}

}  // namespace

// The library stays loaded for the life of the process, as it does in the program.
const LunacalExports* LoadLunacal(std::string& error) {
  void* handle = dlopen(LunacalPath().c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    error = dlerror();
    return nullptr;
  }
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
