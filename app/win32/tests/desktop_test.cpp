// SPDX-License-Identifier: MIT
// Covers the Win32 desktop with the real system behind it: settings in the registry where the
// classic per-user settings functions keep them, the program folder, the clock, the shell's
// failure report, and real message boxes, read and answered from a second thread; and the binding
// of lunacal.dll by its full path.
#include <windows.h>

#include <string>

#include "app/form_texts.h"
#include "app/win32/tests/check.h"
#include "app/win32/tests/message_box_answerer.h"
#include "app/win32/tests/suites.h"
#include "app/win32/wide_text.h"
#include "app/win32/win32_desktop.h"
#include "chart/lunacal_calendar.h"
#include "chart/lunacal_calendar_win32.h"
#include "chart/lunacal_binding.h"

namespace app::win32::testing {
namespace {

struct Answer {
  DWORD thread;
  int button;
  SeenMessageBox seen;
};

DWORD WINAPI AnswerThread(void* data) {
  auto* answer = static_cast<Answer*>(data);
  answer->seen = AnswerMessageBox(answer->thread, answer->button, 10000);
  return 0;
}

// Runs `show` on this thread while a second thread answers the box it opens with `button`.
template <typename Show>
SeenMessageBox WithAnswer(int button, Show show) {
  Answer answer{GetCurrentThreadId(), button, {}};
  const HANDLE thread = CreateThread(nullptr, 0, AnswerThread, &answer, 0, nullptr);
  if (thread == nullptr) return {};
  show();
  WaitForSingleObject(thread, 15000);
  CloseHandle(thread);
  return answer.seen;
}

void Settings_AreWrittenWhereTheClassicFunctionsKeepThem() {
  CHECK(SettingsKeyPath(u"tavren", u"Start") == L"Software\\VB and VBA Program Settings\\tavren\\Start");
  Win32Desktop desktop;
  const std::u16string_view application = u"name-win32-test";
  desktop.SaveSetting(application, u"Start", u"Path", u"C:\\起名\\name");
  desktop.SaveSetting(application, u"Start", u"Ver", u"3.1");
  const std::wstring key = SettingsKeyPath(application, u"Start");
  for (const auto& [name, value] : {std::pair{L"Path", L"C:\\起名\\name"}, std::pair{L"Ver", L"3.1"}}) {
    wchar_t data[64] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, &type, data, &size);
    CHECK_EQ(status, ERROR_SUCCESS);
    CHECK_EQ(type, static_cast<DWORD>(REG_SZ));
    CHECK_EQ(Utf16(data), Utf16(value));
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\name-win32-test");
}

void ProgramFolder_IsTheFolderOfTheProgramFile() {
  Win32Desktop desktop;
  const std::u16string folder = desktop.ProgramFolder();
  CHECK(!folder.empty() && !folder.ends_with(u"\\"));
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  CHECK_EQ(Utf16(program), folder + u"\\name_win32_test.exe");
}

void Now_IsTheLocalTime() {
  Win32Desktop desktop;
  SYSTEMTIME before{};
  GetLocalTime(&before);
  const LocalDateTime now = desktop.Now();
  SYSTEMTIME after{};
  GetLocalTime(&after);
  auto same = [&now](const SYSTEMTIME& t) {
    return now.year == t.wYear && now.month == t.wMonth && now.day == t.wDay && now.hour == t.wHour &&
           now.minute == t.wMinute;
  };
  CHECK(same(before) || same(after));
}

void OpenAddress_ReportsTheShellsFailure() {
  Win32Desktop desktop;
  CHECK(!desktop.OpenAddress(u"Z:\\no-such-folder-here\\nothing.txt"));
}

void MessageBoxes_AreRealBoxesWithTheirIconsButtonsAndTitles() {
  Win32Desktop desktop;
  SeenMessageBox info = WithAnswer(IDOK, [&] { desktop.ShowMessage(texts::kChooseAName, MessageIcon::Information, u""); });
  CHECK(info.found);
  CHECK_EQ(info.title, texts::kAppTitle);
  CHECK_EQ(info.text, texts::kChooseAName);
  CHECK(info.has_icon);
  CHECK(info.buttons == std::vector<int>{IDOK});
  // Chinese whatever the locale: ctest runs these checks under an English one as well.
  CHECK(info.button_texts == std::vector<std::u16string>{u"确定"});

  SeenMessageBox critical = WithAnswer(IDOK, [&] {
    desktop.ShowMessage(texts::kBrowserError, MessageIcon::Critical, texts::kBrowserErrorTitle);
  });
  CHECK(critical.found);
  CHECK_EQ(critical.title, texts::kBrowserErrorTitle);
  CHECK_EQ(critical.text, texts::kBrowserError);
  CHECK(critical.has_icon);
  CHECK(critical.button_texts == std::vector<std::u16string>{u"确定"});

  for (const auto& [button, expected] : {std::pair{IDYES, true}, std::pair{IDNO, false}}) {
    bool answer = !expected;
    SeenMessageBox question =
        WithAnswer(button, [&] { answer = desktop.AskYesNo(u"是否马上访问？", texts::kAppTitle); });
    CHECK(question.found);
    CHECK_EQ(answer, expected);
    CHECK_EQ(question.title, texts::kAppTitle);
    CHECK_EQ(question.text, u"是否马上访问？");
    CHECK(!question.has_icon);
    CHECK(question.buttons == (std::vector<int>{IDYES, IDNO}));
    CHECK(question.button_texts == (std::vector<std::u16string>{u"是", u"否"}));
  }
}

void Calendar_BindsTheDllByItsFullPathOnly() {
  const std::wstring folder = chart::RunningProgramFolder();
  {
    chart::LunacalCalendar calendar({chart::DefaultLunacalPath()});
    CHECK(calendar.Call(chart::CalendarFunction::GetSiZhuXHYear, 36526.5) == int16_t{16});
    CHECK(calendar.Call(chart::CalendarFunction::GetSiZhuXHMonth, 36526.5) == int16_t{13});
    CHECK(calendar.Call(chart::CalendarFunction::GetSiZhuXHDay, 36526.5) == int16_t{55});
    CHECK(calendar.Call(chart::CalendarFunction::GetSiZhuXHTime, 36526.5) == int16_t{55});
    CHECK(calendar.Call(chart::CalendarFunction::GetGLToRLNian, 43974.0) == int16_t{2020});
    CHECK(calendar.Call(chart::CalendarFunction::GetGLToRLRun, 43974.0) == int16_t{1});
    CHECK(calendar.ErrorMessage().empty());
  }
  // A bare file name would go through the DLL search order, where a planted copy in the current
  // folder wins; it is refused even though lunacal.dll lies in the current folder here.
  for (const std::wstring& path : {std::wstring(L"lunacal.dll"), folder + L"\\missing\\lunacal.dll", std::wstring()}) {
    SetCurrentDirectoryW(folder.c_str());
    chart::LunacalCalendar calendar({path});
    CHECK(!calendar.Call(chart::CalendarFunction::GetGLToRLNian, 36526.5).has_value());
    CHECK_EQ(calendar.ErrorMessage(), chart::LunacalLoadFailureMessage(u"lunacal.dll"));
  }
  {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    chart::LunacalCalendar calendar({std::wstring(system) + L"\\kernel32.dll"});
    CHECK(!calendar.Call(chart::CalendarFunction::GetSiZhuXHDay, 36526.5).has_value());
    CHECK_EQ(calendar.ErrorMessage(), chart::LunacalMissingFunctionMessage("GetSiZhuXHDay"));
    CHECK(!calendar.Call(static_cast<chart::CalendarFunction>(8), 36526.5).has_value());
    CHECK_EQ(calendar.ErrorMessage(), chart::kLunacalNoSuchFunction);
  }
}

}  // namespace

void RunDesktopTests() {
  Settings_AreWrittenWhereTheClassicFunctionsKeepThem();
  ProgramFolder_IsTheFolderOfTheProgramFile();
  Now_IsTheLocalTime();
  OpenAddress_ReportsTheShellsFailure();
  MessageBoxes_AreRealBoxesWithTheirIconsButtonsAndTitles();
}

void RunCalendarTests() { Calendar_BindsTheDllByItsFullPathOnly(); }

}  // namespace app::win32::testing
