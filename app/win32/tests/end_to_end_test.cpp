// SPDX-License-Identifier: MIT
// name_e2e_test.exe: drives the real name.exe from outside, as a user would, with the real message
// boxes, the real lunacal.dll and the real registry: the search for 王, boy, two characters, born
// 2000-01-01 12:00, answered No; then a bad date; then closing. A copy of it in a folder named in
// Chinese with spaces is run first; after each run the settings it wrote are read back here.
//   name_e2e_test.exe [path\to\name.exe]   (default: name.exe beside this program)
#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "app/form_texts.h"
#include "app/win32/control_ids.h"
#include "app/win32/tests/check.h"
#include "app/win32/tests/message_box_answerer.h"
#include "app/win32/wide_text.h"

namespace app::win32::testing {
namespace {

struct Found {
  HWND window = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring_view(name) == kWindowClass) {
    reinterpret_cast<Found*>(found)->window = window;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForMainWindow(DWORD thread) {
  Found found;
  for (int i = 0; i < 1000 && found.window == nullptr; ++i) {
    EnumThreadWindows(thread, FindMainWindow, reinterpret_cast<LPARAM>(&found));
    if (found.window == nullptr) Sleep(10);
  }
  return found.window;
}

// The window's texts are read and written with the messages the system carries across processes.
void SetText(HWND control, std::u16string_view text) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

// GetWindowText does not ask a window of another process for its text; WM_GETTEXT does.
std::u16string TextOf(HWND control) {
  const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return Utf16(text);
}

std::u16string ListEntry(HWND list, int index) {
  wchar_t text[64] = {};
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return Utf16(text);
}

std::u16string VersionValue(const std::wstring& program, const wchar_t* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(program.c_str(), 0, size, data.data())) return {};
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || length == 0) return {};
  return Utf16(static_cast<const wchar_t*>(value));
}

std::wstring DefaultProgram() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.rfind(L'\\') + 1) + L"name.exe";
}

bool Start(const std::wstring& program, PROCESS_INFORMATION& process) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command = L"\"" + program + L"\"";
  // The program's own folder is not the current one, so nothing may depend on it.
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &startup,
                      &process)) {
    Fail(__FILE__, __LINE__, "name.exe does not start: " + Utf8(Utf16(program)));
    return false;
  }
  WaitForInputIdle(process.hProcess, 10000);
  return true;
}

// The program has been asked to close: it ends by itself, with status 0.
void WaitForTheEnd(PROCESS_INFORMATION& process) {
  const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
  CHECK(ended);
  if (!ended) TerminateProcess(process.hProcess, 99);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CHECK_EQ(status, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

void Run(const std::wstring& program) {
  CHECK_EQ(VersionValue(program, L"ProductName"), texts::kAppTitle);
  CHECK_EQ(VersionValue(program, L"FileVersion"), u"3.1");
  CHECK_EQ(VersionValue(program, L"OriginalFilename"), u"name.exe");

  PROCESS_INFORMATION process{};
  if (!Start(program, process)) return;
  const HWND main = WaitForMainWindow(process.dwThreadId);
  CHECK(main != nullptr);
  if (main != nullptr) {
    CHECK_EQ(TextOf(main), texts::kAppTitle);
    CHECK(IsWindowVisible(main));
    auto control = [main](ControlId id) { return FindControl(main, id); };
    CHECK_EQ(TextOf(control(kIdtxtXingShi)), texts::ktxtXingShi);
    CHECK_EQ(SendMessageW(control(kIdcboYear), CB_GETCOUNT, 0, 0), 66);
    CHECK(TextOf(control(kIdtxtOut)).starts_with(texts::kFeaturePieces[0]));

    SetText(control(kIdtxtXingShi), u"王");
    const std::array<std::pair<ControlId, std::u16string_view>, 5> birth = {
        {{kIdcboYear, u"2000"}, {kIdcboMonth, u"1"}, {kIdcboDay, u"1"}, {kIdcboHour, u"12"}, {kIdcboMinute, u"0"}}};
    for (const auto& [id, text] : birth) SetText(control(id), text);
    // Posted, as the click runs until its message box is answered.
    PostMessageW(control(kIdcmdYes), BM_CLICK, 0, 0);
    const SeenMessageBox question = AnswerMessageBox(process.dwThreadId, IDNO, 20000);
    CHECK(question.found);
    CHECK_EQ(question.title, texts::kAppTitle);
    CHECK(question.text.starts_with(u"本次共生成 26728 个好名；"));
    CHECK(question.buttons == (std::vector<int>{IDYES, IDNO}));
    CHECK(!question.has_icon);

    // The chart follows once the box is answered.
    std::u16string out;
    for (int i = 0; i < 500 && out.find(u"干支日期：") == std::u16string::npos; ++i) {
      Sleep(10);
      out = TextOf(control(kIdtxtOut));
    }
    CHECK(out.find(u"\r\n干支日期：己卯年 丙子月 戊午日 戊午时\r\n") != std::u16string::npos);
    CHECK(out.find(u"农历日期：1999年11月25日\r\n") != std::u16string::npos);
    const HWND list = control(kIdlstName);
    CHECK_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 24);
    CHECK_EQ(ListEntry(list, 0), u"王袍灌");

    // A date that does not exist: a message with the information icon, and nothing replaced.
    SetText(control(kIdcboMonth), u"2");
    SetText(control(kIdcboDay), u"30");
    PostMessageW(control(kIdcmdYes), BM_CLICK, 0, 0);
    const SeenMessageBox bad_date = AnswerMessageBox(process.dwThreadId, IDOK, 20000);
    CHECK(bad_date.found);
    CHECK(bad_date.has_icon);
    CHECK(bad_date.buttons == std::vector<int>{IDOK});
    CHECK_EQ(bad_date.title, texts::kAppTitle);
    CHECK_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 24);
    CHECK_EQ(TextOf(control(kIdtxtOut)), out);

    // Closing opens the site (under wine the shell reports success) and ends the program.
    PostMessageW(main, WM_CLOSE, 0, 0);
  }
  WaitForTheEnd(process);
}

constexpr const wchar_t* kSettingsKey = L"Software\\VB and VBA Program Settings\\tavren\\Start";

// One value the program wrote at its start, or the empty text.
std::u16string SavedSetting(const wchar_t* name) {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return {};
  }
  return Utf16(data);
}

std::wstring FolderOf(const std::wstring& program) { return program.substr(0, program.rfind(L'\\')); }

// What the program writes at every start: its folder and its version.
void CheckSettingsOf(const std::wstring& program) {
  CHECK_EQ(SavedSetting(L"Path"), Utf16(FolderOf(program)));
  CHECK_EQ(SavedSetting(L"Ver"), u"3.1");
}

// A program folder whose name holds Chinese characters and spaces, as an installation under a
// Chinese Windows's own folders has: the Path setting holds it exactly, and the library is found.
void Run_FromAFolderWithChineseAndSpaces(const std::wstring& program) {
  const std::wstring source = FolderOf(program);
  const std::wstring folder = source + L"\\起名 宝 程序 3.1";
  CHECK(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring copied = folder + L"\\name.exe";
  CHECK(CopyFileW(program.c_str(), copied.c_str(), FALSE));
  CHECK(CopyFileW((source + L"\\lunacal.dll").c_str(), (folder + L"\\lunacal.dll").c_str(), FALSE));
  PROCESS_INFORMATION process{};
  if (Start(copied, process)) {
    const HWND main = WaitForMainWindow(process.dwThreadId);
    // The settings are written before the window is first shown.
    for (int i = 0; i < 1000 && main != nullptr && !IsWindowVisible(main); ++i) Sleep(10);
    CHECK(main != nullptr && IsWindowVisible(main));
    CHECK_EQ(SavedSetting(L"Path"), Utf16(folder));
    if (main != nullptr) {
      // The chart needs lunacal.dll from the same folder: after the search's usual question the
      // chart is written, where a missing library would show a box instead.
      SetText(FindControl(main, kIdtxtXingShi), u"王");
      PostMessageW(FindControl(main, kIdcmdYes), BM_CLICK, 0, 0);
      const SeenMessageBox question = AnswerMessageBox(process.dwThreadId, IDNO, 20000);
      CHECK(question.text.starts_with(u"本次共生成 26728 个好名；"));
      std::u16string out;
      for (int i = 0; i < 500 && out.find(u"干支日期：") == std::u16string::npos; ++i) {
        Sleep(10);
        out = TextOf(FindControl(main, kIdtxtOut));
      }
      CHECK(out.find(u"干支日期：") != std::u16string::npos);
      PostMessageW(main, WM_CLOSE, 0, 0);
    }
    WaitForTheEnd(process);
  }
  CHECK(DeleteFileW(copied.c_str()));
  CHECK(DeleteFileW((folder + L"\\lunacal.dll").c_str()));
  CHECK(RemoveDirectoryW(folder.c_str()));
}

}  // namespace
}  // namespace app::win32::testing

int wmain(int argc, wchar_t** argv) {
  using namespace app::win32::testing;
  const std::wstring program = argc > 1 ? std::wstring(argv[1]) : DefaultProgram();
  // Settings left by an earlier run must not stand in for those this one writes.
  RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
  Run_FromAFolderWithChineseAndSpaces(program);
  Run(program);
  CheckSettingsOf(program);
  std::fprintf(stderr, "name_e2e_test: %d failed checks\n", failures);
  return failures;
}
