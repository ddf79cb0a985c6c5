// SPDX-License-Identifier: MIT
// name_win32_test.exe: every group of checks; the exit status is the number that failed.
//   name_win32_test.exe             every group, at the prefix's DPI
//   name_win32_test.exe --dpi=144   only the window's fit, which must be drawn at 144 DPI
#include <cstdio>
#include <cwchar>
#include <string_view>

#include "app/win32/tests/check.h"
#include "app/win32/tests/suites.h"

int wmain(int argc, wchar_t** argv) {
  using namespace app::win32::testing;
  constexpr std::wstring_view kDpiFlag = L"--dpi=";
  if (argc == 2 && std::wstring_view(argv[1]).starts_with(kDpiFlag)) {
    const long dpi = std::wcstol(argv[1] + kDpiFlag.size(), nullptr, 10);
    if (dpi <= 0 || dpi > 960) {
      std::fprintf(stderr, "usage: name_win32_test.exe [--dpi=N]\n");
      return 2;
    }
    RunDpiTests(static_cast<UINT>(dpi));
  } else if (argc == 1) {
    RunCalendarTests();
    RunDesktopTests();
    RunWindowTests();
    RunDpiTests(0);
  } else {
    std::fprintf(stderr, "usage: name_win32_test.exe [--dpi=N]\n");
    return 2;
  }
  std::fprintf(stderr, "name_win32_test: %d failed checks\n", failures);
  return failures;
}
