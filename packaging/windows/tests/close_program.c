// SPDX-License-Identifier: MIT
// Starts a Windows program, waits until it shows a top-level window, leaves it running for a
// moment and closes it the way a user does, with WM_CLOSE; so the installer test proves that the
// installed program starts, draws its window and ends cleanly.
//   close_program.exe PROGRAM
// Exits 0 when the program showed a window and ended by itself with status 0.
#include <windows.h>

#include <stdio.h>

struct search {
  DWORD process_id;
  HWND window;
};

static BOOL CALLBACK find_window(HWND window, LPARAM arg) {
  struct search *search = (struct search *)arg;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
    search->window = window;
    return FALSE;
  }
  return TRUE;
}

int wmain(int argc, wchar_t **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: close_program.exe PROGRAM\n");
    return 2;
  }
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessW(argv[1], NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
    fprintf(stderr, "close_program: cannot start the program (error %lu)\n", GetLastError());
    return 1;
  }
  WaitForInputIdle(process.hProcess, 10000);
  struct search search = {process.dwProcessId, NULL};
  for (int i = 0; i < 200 && !search.window; ++i) {
    EnumWindows(find_window, (LPARAM)&search);
    if (!search.window) Sleep(50);
  }
  int status = 0;
  if (!search.window) {
    fprintf(stderr, "close_program: the program showed no window\n");
    TerminateProcess(process.hProcess, 1);
    status = 1;
  } else {
    Sleep(1000);
    PostMessageW(search.window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) {
      fprintf(stderr, "close_program: the program did not end after WM_CLOSE\n");
      TerminateProcess(process.hProcess, 1);
      status = 1;
    } else if (GetExitCodeProcess(process.hProcess, &code) && code != 0) {
      fprintf(stderr, "close_program: the program ended with status %lu\n", code);
      status = 1;
    } else {
      printf("close_program: window shown and closed, program ended with status 0\n");
    }
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}
