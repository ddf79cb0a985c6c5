// SPDX-License-Identifier: MIT
// Not a test: draws the window after a sample search into a BMP file, for docs/screenshot-windows.png
// (scripts/screenshot-windows). The family name 王, a boy with a two-character name, born
// 2000-01-01 12:00; the message box is answered No; the first entry is current and the third is
// selected as well.
//   name_win32_screenshot.exe out.bmp
#include <windows.h>

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/tests/fake_desktop.h"
#include "app/win32/wide_text.h"
#include "app/win32/win32_window.h"
#include "chart/calendar.h"

namespace {

using app::win32::ControlId;

void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool WriteBmp(const wchar_t* path, HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store their rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD row = static_cast<DWORD>((width * 3 + 3) & ~3);
  std::vector<BYTE> pixels(static_cast<size_t>(row) * static_cast<size_t>(height));
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                DIB_RGB_COLORS) == 0) {
    return false;
  }
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = _wfopen(path, L"wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                       std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: name_win32_screenshot.exe out.bmp\n");
    return 2;
  }
  app::testing::FakeDesktop desktop;
  const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  app::win32::Win32Window window(GetModuleHandleW(nullptr), desktop, *calendar, {app::win32::TrackListPopup, false});
  const HWND main = window.Handle();
  if (main == nullptr) return 1;
  ShowWindow(main, SW_SHOWNORMAL);
  SetForegroundWindow(main);

  auto set = [&window](ControlId id, const wchar_t* text) {
    SendMessageW(window.Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  };
  set(app::win32::kIdtxtXingShi, L"王");
  set(app::win32::kIdcboYear, L"2000");
  set(app::win32::kIdcboMonth, L"1");
  set(app::win32::kIdcboDay, L"1");
  set(app::win32::kIdcboHour, L"12");
  set(app::win32::kIdcboMinute, L"0");
  SendMessageW(window.Control(app::win32::kIdcmdYes), BM_CLICK, 0, 0);
  // The button only posts the search; it fills the list once the message loop runs it, and only
  // then are there entries to select.
  Pump();
  const HWND list = window.Control(app::win32::kIdlstName);
  SetFocus(list);
  SendMessageW(list, LB_SETSEL, TRUE, 0);
  SendMessageW(list, LB_SETSEL, TRUE, 2);
  SendMessageW(list, LB_SETCARETINDEX, 0, FALSE);
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();

  RECT outer{};
  GetWindowRect(main, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  // Copies what the window has drawn, frame, menu bar and every control included.
  const HDC window_dc = GetWindowDC(main);
  BitBlt(memory, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
  ReleaseDC(main, window_dc);
  SelectObject(memory, old);
  const bool written = WriteBmp(argv[1], memory, bitmap, width, height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written ? 0 : 1;
}
