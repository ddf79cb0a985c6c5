// SPDX-License-Identifier: MIT
// A stand-in name.exe for the package tests of a tree that has no Win32 window yet: one top-level
// window with the program's title that ends when it is closed, which is all the installer test
// asks of the program it installs.
#include <windows.h>

static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR command_line, int show) {
  (void)previous;
  (void)command_line;
  WNDCLASSW window_class = {0, window_procedure, 0, 0, instance, NULL, NULL, (HBRUSH)(COLOR_BTNFACE + 1),
                            NULL, L"frmName"};
  if (!RegisterClassW(&window_class)) return 1;
  HWND window = CreateWindowExW(0, L"frmName", L"澄禾起名宝", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, NULL, NULL, instance, NULL);
  if (!window) return 1;
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return (int)message.wParam;
}
