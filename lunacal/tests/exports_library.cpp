#include "lunacal/tests/exports_library.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

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

// The library stays loaded for the life of the test process, as it does in the program.
const LunacalExports* Load(std::string& error) {
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

}  // namespace

const LunacalExports* Lunacal() {
  static std::string error;
  static const LunacalExports* const exports = Load(error);
  if (exports == nullptr) ADD_FAILURE() << "cannot load " << LunacalPath() << ": " << error;
  return exports;
}
