// SPDX-License-Identifier: MIT
// Copied into the bindir of a scratch install by check_installed_lookup.cmake: binds lunacal the
// way the program does, but without the system's search, so only the path from the program's
// folder to the configured libdir can succeed. Prints the lunar year of 2000-01-01 12:00.
#include <iostream>

#include "chart/lunacal_calendar.h"

int main() {
  std::vector<std::string> paths = chart::LunacalCalendar::DefaultCandidatePaths();
  paths.pop_back();
  chart::LunacalCalendar calendar(paths);
  const auto year = calendar.Call(chart::CalendarFunction::GetGLToRLNian, 36526.5);
  if (!year) {
    std::cerr << "lookup_probe: no library in";
    for (const std::string& path : paths) {
      std::cerr << ' ' << path;
    }
    std::cerr << '\n';
    return 1;
  }
  std::cout << *year << '\n';
  return 0;
}
