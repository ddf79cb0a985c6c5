// SPDX-License-Identifier: MIT
#pragma once
// The groups of checks of name_win32_test.exe.

#include <windows.h>

namespace app::win32::testing {

void RunWindowTests();
void RunDesktopTests();
void RunCalendarTests();
// At the screen's DPI; `expected_dpi` other than 0 is the DPI the window must have.
void RunDpiTests(UINT expected_dpi);

}  // namespace app::win32::testing
