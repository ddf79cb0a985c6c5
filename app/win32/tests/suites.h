// SPDX-License-Identifier: MIT
#pragma once
// The groups of checks of name_win32_test.exe.

namespace app::win32::testing {

void RunWindowTests();
void RunDesktopTests();
void RunCalendarTests();

}  // namespace app::win32::testing
