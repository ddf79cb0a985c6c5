// SPDX-License-Identifier: MIT
// name_win32_test.exe: every group of checks; the exit status is the number that failed.
#include <cstdio>

#include "app/win32/tests/check.h"
#include "app/win32/tests/suites.h"

int wmain() {
  using namespace app::win32::testing;
  RunCalendarTests();
  RunDesktopTests();
  RunWindowTests();
  std::fprintf(stderr, "name_win32_test: %d failed checks\n", failures);
  return failures;
}
