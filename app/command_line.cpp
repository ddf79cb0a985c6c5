// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <string_view>

namespace app {
namespace {

// The same words as the manual page app/name.1, which says more.
constexpr std::string_view kHelp =
    "Usage: name [--help | --version] [toolkit options]\n"
    "\n"
    "澄禾起名宝 proposes Chinese given names by five-grid stroke numerology and writes the\n"
    "child's birth chart (lunar date, four pillars, Nayin, lacking elements). It opens a window\n"
    "on the desktop; it reads no files and writes only two per-user settings.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Other options, such as -platform or -style, go to the Qt toolkit.\n"
    "See name(1).\n";

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out) {
  for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") {
      break;
    }
    if (argument == "-h" || argument == "--help") {
      out << kHelp;
      return out.good() ? 0 : 1;
    }
    if (argument == "--version") {
      out << "name " NAME_VERSION "\n";
      return out.good() ? 0 : 1;
    }
  }
  return std::nullopt;
}

}  // namespace app
