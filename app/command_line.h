// SPDX-License-Identifier: MIT
#pragma once
// The options the program answers itself, before any window or display is touched, so that
// `name --help` and `name --version` work on a console, over ssh and in package checks.

#include <optional>
#include <ostream>

namespace app {

// Prints the help or the version to `out` and returns the exit code when one of -h, --help or
// --version comes before any "--"; returns nullopt when the window should start. Every other
// argument is left to the toolkit, which has options of its own (-platform, -style, ...).
std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out);

}  // namespace app
