// SPDX-License-Identifier: MIT
// The binding's platform part on Linux and other POSIX systems: dlopen, dlsym, dlclose.
#include "chart/lunacal_calendar.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string_view>

#include "chart/lunacal_binding.h"

namespace chart {
namespace {

// The SONAME: the .so link without the number belongs to the development files and may one day
// point at an incompatible major version.
constexpr char kLibraryFile[] = "liblunacal.so.1";

// The places tried and the loader's reasons follow the message, so whoever installed the library
// can see what went wrong.
constexpr std::u16string_view kPlacesTried = u"\r\n已尝试：";

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

// Paths and the loader's texts are bytes, normally UTF-8; anything that does not decode becomes
// U+FFFD rather than being dropped or read past.
std::u16string FromUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
      length = 1, code = lead;
    } else if (lead >= 0xC2 && lead < 0xE0) {
      length = 2, code = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
      length = 3, code = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
      length = 4, code = lead & 0x07u, smallest = 0x10000;
    }
    // A broken sequence is replaced up to the byte that breaks it, which starts afresh.
    size_t used = 1;
    bool valid = length != 0;
    for (size_t k = 1; valid && k < length; ++k) {
      if (i + k >= bytes.size() || (static_cast<unsigned char>(bytes[i + k]) & 0xC0u) != 0x80u) {
        valid = false;
        break;
      }
      code = (code << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3Fu);  // at most 21 bits
      used = k + 1;
    }
    valid = valid && code >= smallest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    if (!valid) {
      text += u'\uFFFD';
      i += used;
      continue;
    }
    if (code >= 0x10000) {
      const char32_t offset = code - 0x10000;  // [0, 0xFFFFF]
      text += static_cast<char16_t>(0xD800 + (offset >> 10));
      text += static_cast<char16_t>(0xDC00 + (offset & 0x3FFu));
    } else {
      text += static_cast<char16_t>(code);
    }
    i += length;
  }
  return text;
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
  failure_message += kPlacesTried;
  failure_message += tried;
  return nullptr;
}

void* FindSymbol(void* library, const char* name) { return dlsym(library, name); }

void Close(void* library) { dlclose(library); }

std::vector<std::string> DefaultCandidatePaths() { return LunacalCandidatePaths(ProgramFolder(), CHART_BIN_TO_LIBDIR); }

}  // namespace library
}  // namespace chart
