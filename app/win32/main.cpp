// SPDX-License-Identifier: MIT
// name.exe: the calendar library bound from the program's folder, the desktop and the window.
#include <windows.h>

#include <memory>

#include "app/win32/win32_desktop.h"
#include "app/win32/win32_window.h"
#include "chart/calendar.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  app::win32::Win32Desktop desktop;
  app::win32::Win32Window window(instance, desktop, *calendar);
  if (window.Handle() == nullptr) return 1;
  desktop.SetOwner(window.Handle());
  ShowWindow(window.Handle(), show);
  UpdateWindow(window.Handle());
  return app::win32::RunMessageLoop(window.Handle());
}
