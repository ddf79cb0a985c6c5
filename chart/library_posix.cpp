// SPDX-License-Identifier: MIT
// The binding's platform part on Linux and other POSIX systems: dlopen, dlsym, dlclose.
#include "chart/lunacal_calendar.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string_view>

#include "chart/lunacal_binding.h"
#include "lunacal/utf8.h"

namespace chart {
namespace {

using lunacal::text::FromUtf8;

// The SONAME: the .so link without the number belongs to the development files and may one day
// point at an incompatible major version.
constexpr char kLibraryFile[] = "liblunacal.so.1";

// The folder of the running program, from /proc/self/exe; empty when it cannot be read.
std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) >= path.size()) {
    return {};
  }
  path.resize(static_cast<size_t>(length));
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return {};
  }
  return path.substr(0, slash + 1);
}

}  // namespace

std::vector<std::string> LunacalCandidatePaths(const std::string& program_folder, const std::string& bin_to_libdir) {
  std::vector<std::string> paths;
  if (!program_folder.empty()) {
    std::string folder = program_folder;
    if (folder.back() != '/') {
      folder += '/';
    }
    paths.push_back(folder + kLibraryFile);
    std::string relative = bin_to_libdir;
    while (!relative.empty() && relative.back() == '/') {
      relative.pop_back();
    }
    if (!relative.empty() && relative != ".") {
      paths.push_back(folder + relative + '/' + kLibraryFile);
    }
  }
  paths.emplace_back(kLibraryFile);
  return paths;
}

namespace library {

void* OpenFirst(const std::vector<std::string>& candidates, std::u16string& failure_message) {
  std::u16string tried;
  for (const std::string& path : candidates) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library != nullptr) {
      return library;
    }
    // dlerror usually starts with the path itself; it is said once, before the reason.
    const char* reason = dlerror();
    std::string_view why = reason != nullptr ? reason : "";
    if (why.substr(0, path.size()) == path && why.substr(path.size(), 2) == ": ") {
      why.remove_prefix(path.size() + 2);
    }
    tried += u"\r\n";
    tried += FromUtf8(path);
    tried += u"：";
    tried += FromUtf8(why);
  }
  failure_message = LunacalLoadFailureMessage(FromUtf8(kLibraryFile));
  failure_message += kLunacalPlacesTried;
  failure_message += tried;
  return nullptr;
}

void* FindSymbol(void* library, const char* name) { return dlsym(library, name); }

void Close(void* library) { dlclose(library); }

std::vector<std::string> DefaultCandidatePaths() { return LunacalCandidatePaths(ProgramFolder(), CHART_BIN_TO_LIBDIR); }

}  // namespace library
}  // namespace chart
