// SPDX-License-Identifier: MIT
// Proves the headless test prefix of scripts/wine-prefix: message boxes speak Chinese, the Windows
// face names the program asks for reach fonts that hold its characters, and a window can be drawn
// into a picture with no display.
//   wine_prefix_check.exe [picture.bmp]
// The exit status is the number of failed checks.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

static int failures;

static void report(BOOL ok, const char *what, const wchar_t *detail) {
  char text[256] = "";
  if (detail) WideCharToMultiByte(CP_UTF8, 0, detail, -1, text, sizeof text, NULL, NULL);
  printf("%s %s %s\n", ok ? "ok  " : "FAIL", what, text);
  if (!ok) ++failures;
}

struct box_case {
  UINT type;
  int buttons[2];
  const wchar_t *captions[2];
};

// The buttons a Chinese Windows shows, with their access keys; the program's search asks Yes/No,
// its reports only OK.
static const struct box_case box_cases[] = {
    {MB_OK | MB_ICONINFORMATION, {IDOK, 0}, {L"确定", NULL}},
    {MB_YESNO, {IDYES, IDNO}, {L"是(&Y)", L"否(&N)"}},
};

struct box_run {
  UINT type;
  int result;
};

static DWORD WINAPI show_box(void *arg) {
  struct box_run *run = arg;
  run->result = MessageBoxW(NULL, L"检查", L"澄禾起名宝", run->type);
  return 0;
}

static BOOL CALLBACK find_dialog(HWND window, LPARAM found) {
  wchar_t class_name[16];
  if (GetClassNameW(window, class_name, 16) && wcscmp(class_name, L"#32770") == 0) {
    *(HWND *)found = window;
    return FALSE;
  }
  return TRUE;
}

static void check_message_box(const struct box_case *c) {
  struct box_run run = {c->type, 0};
  DWORD thread_id = 0;
  HANDLE thread = CreateThread(NULL, 0, show_box, &run, 0, &thread_id);
  HWND dialog = NULL;
  for (int i = 0; i < 500 && !dialog; ++i) {
    Sleep(10);
    EnumThreadWindows(thread_id, find_dialog, (LPARAM)&dialog);
  }
  report(dialog != NULL, "message box appears", NULL);
  if (!dialog) {
    TerminateThread(thread, 1);
    CloseHandle(thread);
    return;
  }
  wchar_t text[64];
  GetWindowTextW(dialog, text, 64);
  report(wcscmp(text, L"澄禾起名宝") == 0, "message box title", text);
  int last = 0;
  for (int b = 0; b < 2 && c->buttons[b]; ++b) {
    last = c->buttons[b];
    text[0] = 0;
    GetDlgItemTextW(dialog, last, text, 64);
    report(wcscmp(text, c->captions[b]) == 0, "message box button", text);
  }
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(last, BN_CLICKED), (LPARAM)GetDlgItem(dialog, last));
  BOOL ended = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
  report(ended && run.result == last, "message box answers with the pressed button", NULL);
  if (!ended) TerminateThread(thread, 1);
  CloseHandle(thread);
}

struct font_case {
  const wchar_t *face;
  BYTE charset;
  const wchar_t *family;
  // Characters the face must hold: the window's captions and a listed name, or for marlett the
  // minimise, maximise and close glyphs of the caption buttons.
  const wchar_t *sample;
};

static const struct font_case font_cases[] = {
    {L"宋体", GB2312_CHARSET, L"AR PL UMing CN", L"澄禾起名宝生成美名王袍确定"},
    {L"SimSun", GB2312_CHARSET, L"AR PL UMing CN", L"澄禾起名宝生成美名王袍确定"},
    {L"新宋体", GB2312_CHARSET, L"AR PL UMing CN", L"澄禾起名宝生成美名王袍确定"},
    {L"楷体_GB2312", GB2312_CHARSET, L"AR PL UKai CN", L"澄禾起名宝生成美名王袍确定"},
    {L"楷体", GB2312_CHARSET, L"AR PL UKai CN", L"澄禾起名宝生成美名王袍确定"},
    {L"Marlett", SYMBOL_CHARSET, L"Marlett", L"\xf030\xf031\xf072"},
};

static HFONT make_font(const wchar_t *face, BYTE charset, int pixels) {
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

static void check_font(const struct font_case *c) {
  HDC dc = CreateCompatibleDC(NULL);
  HFONT font = make_font(c->face, c->charset, 19);
  HGDIOBJ old = SelectObject(dc, font);
  UINT size = GetOutlineTextMetricsW(dc, 0, NULL);
  OUTLINETEXTMETRICW *metrics = size ? malloc(size) : NULL;
  const wchar_t *family = L"(none)";
  if (metrics && GetOutlineTextMetricsW(dc, size, metrics))
    family = (const wchar_t *)((const char *)metrics + (UINT_PTR)metrics->otmpFamilyName);
  report(wcscmp(family, c->family) == 0, "font family for", c->face);
  report(wcscmp(family, c->family) == 0, "  realised as", family);

  WORD glyphs[32];
  int count = (int)wcslen(c->sample);
  DWORD got = GetGlyphIndicesW(dc, c->sample, count, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  BOOL all = got == (DWORD)count;
  for (int i = 0; all && i < count; ++i) all = glyphs[i] != 0xffff;
  report(all, "font has every sample character:", c->face);
  free(metrics);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
}

static BOOL write_bmp(const char *path, const void *pixels, int width, int height) {
  BITMAPINFOHEADER info = {sizeof info, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  DWORD bytes = (DWORD)width * (DWORD)height * 4;
  BITMAPFILEHEADER file = {0x4d42, sizeof file + sizeof info + bytes, 0, 0, sizeof file + sizeof info};
  FILE *out = fopen(path, "wb");
  if (!out) return FALSE;
  BOOL ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
            fwrite(pixels, bytes, 1, out) == 1;
  return fclose(out) == 0 && ok;
}

struct label {
  const wchar_t *face;
  const wchar_t *text;
};

static const struct label labels[] = {
    {L"宋体", L"宋体：王袍 王亮 王建  确定"},
    {L"楷体_GB2312", L"楷体_GB2312：姓氏 生成美名"},
    {L"MS Sans Serif", L"MS Sans Serif：出生时间 农历"},
};

static void check_picture(const char *path) {
  enum { width = 420, height = 200 };
  HINSTANCE instance = GetModuleHandleW(NULL);
  WNDCLASSW window_class = {0, DefWindowProcW, 0, 0, instance, NULL, LoadCursorW(NULL, (LPCWSTR)IDC_ARROW),
                            (HBRUSH)(COLOR_BTNFACE + 1), NULL, L"prefix_check"};
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"prefix_check", L"澄禾起名宝", WS_OVERLAPPEDWINDOW, 0, 0, width,
                                height, NULL, NULL, instance, NULL);
  HFONT fonts[sizeof labels / sizeof labels[0]];
  for (size_t i = 0; i < sizeof labels / sizeof labels[0]; ++i) {
    HWND label = CreateWindowExW(0, L"STATIC", labels[i].text, WS_CHILD | WS_VISIBLE, 10,
                                 10 + 34 * (int)i, 390, 30, window, NULL, instance, NULL);
    fonts[i] = make_font(labels[i].face, GB2312_CHARSET, 19);
    SendMessageW(label, WM_SETFONT, (WPARAM)fonts[i], FALSE);
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&message);

  BITMAPINFO info = {{sizeof info.bmiHeader, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {{0}}};
  void *pixels = NULL;
  HDC dc = CreateCompatibleDC(NULL);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, NULL, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  // Wine's PrintWindow draws neither the frame nor the child windows; the window's own device
  // context holds both once they have painted.
  HDC window_dc = GetWindowDC(window);
  report(BitBlt(dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY), "window copied into a picture", NULL);
  ReleaseDC(window, window_dc);
  GdiFlush();

  // Text and background both present: a failed capture is one flat colour.
  unsigned char *bytes = pixels;
  int dark = 0, light = 0;
  for (int i = 0; i < width * height; ++i) {
    // GDI leaves the fourth byte 0, which picture readers take for fully transparent.
    bytes[4 * i + 3] = 0xff;
    int sum = bytes[4 * i] + bytes[4 * i + 1] + bytes[4 * i + 2];
    if (sum < 200) ++dark;
    if (sum > 500) ++light;
  }
  report(dark > 500 && light > width * height / 4, "picture holds text on a light ground", NULL);
  report(write_bmp(path, pixels, width, height), "picture written", NULL);

  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  DestroyWindow(window);
  for (size_t i = 0; i < sizeof fonts / sizeof fonts[0]; ++i) DeleteObject(fonts[i]);
}

int main(int argc, char **argv) {
  for (size_t i = 0; i < sizeof box_cases / sizeof box_cases[0]; ++i) check_message_box(&box_cases[i]);
  for (size_t i = 0; i < sizeof font_cases / sizeof font_cases[0]; ++i) check_font(&font_cases[i]);
  if (argc > 1) check_picture(argv[1]);
  printf("%d failed\n", failures);
  return failures;
}
