// SPDX-License-Identifier: MIT
/* Proves lunacal.dll as a Windows program of its architecture sees it: loaded with LoadLibrary,
 * every export found by its plain name and by its ordinal, and called as stdcall with a DATE passed
 * by value as 8 bytes, and its version resource; built for x64 it checks the same through the one
 * x64 convention. Exits non-zero on the first wrong result, a stack the callee did not clean or a DLL
 * built for the other architecture. */
#include <windows.h>

#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

/* For the version numbers only: the exports are looked up at run time, as a loading program does. */
#include "lunacal/lunacal.h"

typedef int32_t(__stdcall *DateExport)(double);
typedef int32_t(__stdcall *TermExport)(int32_t, int32_t);
typedef int32_t(__stdcall *LunarExport)(int32_t, int32_t, int32_t, int32_t);
typedef int32_t(__stdcall *TextExport)(char *, int32_t);

/* In ordinal order, as the module-definition file numbers them. */
static const char *const export_names[18] = {
    "GetGLToRLDay",      "GetGLToRLMonth",     "GetGLToRLNian",       "GetGLToRLRun",
    "GetJieQiTime_Day",  "GetJieQiTime_Hour",  "GetJieQiTime_Minute", "GetJieQiTime_Second",
    "GetSiZhuXHDay",     "GetSiZhuXHMonth",    "GetSiZhuXHTime",      "GetSiZhuXHYear",
    "RLToGL_Day",        "RLToGL_Month",       "RLToGL_Year",         "SysBIOSID",
    "SysCPUID",          "SysDiskID"};
static FARPROC exports[18];
static int failures = 0;

static int under_wine(void) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != NULL && GetProcAddress(ntdll, "wine_get_version") != NULL;
}

static FARPROC find(const char *name) {
  int i;
  for (i = 0; i < 18; ++i) {
    if (strcmp(export_names[i], name) == 0) return exports[i];
  }
  return NULL;
}

#if defined(__i386__)
/* A stdcall callee removes its own arguments; the stack pointer must be the same after the call
 * as before it, or the DLL was built with the wrong convention. */
#define CALL_CHECKED(result, call)                                  \
  do {                                                              \
    uintptr_t esp_before, esp_after;                                \
    __asm__ volatile("movl %%esp, %0" : "=r"(esp_before));          \
    (result) = (call);                                              \
    __asm__ volatile("movl %%esp, %0" : "=r"(esp_after));           \
    if (esp_before != esp_after) {                                  \
      printf("stack not cleaned by the callee: %s\n", #call);       \
      ++failures;                                                   \
    }                                                               \
  } while (0)
#define EXPECTED_MACHINE IMAGE_FILE_MACHINE_I386
#else
/* x64 has one calling convention, so there is no stack to check; what can go wrong there is a
 * DLL of the other architecture, which the machine check in main() catches. */
#define CALL_CHECKED(result, call) ((result) = (call))
#define EXPECTED_MACHINE IMAGE_FILE_MACHINE_AMD64
#endif

static void expect(const char *what, int32_t got, int32_t wanted) {
  if (got != wanted) {
    printf("%s: got %ld, wanted %ld\n", what, (long)got, (long)wanted);
    ++failures;
  }
}

static void expect_date(const char *name, double moment, int32_t wanted) {
  DateExport f = (DateExport)(void (*)(void))find(name);
  int32_t got;
  char what[96];
  CALL_CHECKED(got, f(moment));
  snprintf(what, sizeof what, "%s(%.6f)", name, moment);
  expect(what, got, wanted);
}

static void expect_term(const char *name, int32_t year, int32_t term, int32_t wanted) {
  TermExport f = (TermExport)(void (*)(void))find(name);
  int32_t got;
  char what[96];
  CALL_CHECKED(got, f(year, term));
  snprintf(what, sizeof what, "%s(%ld, %ld)", name, (long)year, (long)term);
  expect(what, got, wanted);
}

static void expect_lunar(const char *name, int32_t year, int32_t month, int32_t day, int32_t leap,
                         int32_t wanted) {
  LunarExport f = (LunarExport)(void (*)(void))find(name);
  int32_t got;
  char what[96];
  CALL_CHECKED(got, f(year, month, day, leap));
  snprintf(what, sizeof what, "%s(%ld, %ld, %ld, %ld)", name, (long)year, (long)month, (long)day,
           (long)leap);
  expect(what, got, wanted);
}

static void check_calendar(void) {
  const double noon_2000_01_01 = 36526.5;
  const double first_day = 416.0;                      /* 1901-02-19 */
  const double second_before = 416.0 - 1.0 / 86400.0; /* 1901-02-18 23:59:59 */
  const double rounds_up = 416.0 - 0.4 / 86400.0;      /* 1901-02-18 23:59:59.6 */

  expect_date("GetSiZhuXHYear", noon_2000_01_01, 16);
  expect_date("GetSiZhuXHMonth", noon_2000_01_01, 13);
  expect_date("GetSiZhuXHDay", noon_2000_01_01, 55);
  expect_date("GetSiZhuXHTime", noon_2000_01_01, 55);
  expect_date("GetSiZhuXHYear", first_day, 38);
  expect_date("GetSiZhuXHYear", second_before, 0);
  expect_date("GetSiZhuXHYear", 54424.0, 0); /* 2049-01-01 */
  expect_date("GetSiZhuXHYear", NAN, 0);

  expect_date("GetGLToRLNian", first_day, 1901);
  expect_date("GetGLToRLMonth", first_day, 1);
  expect_date("GetGLToRLDay", first_day, 1);
  expect_date("GetGLToRLRun", first_day, 0);
  expect_date("GetGLToRLNian", second_before, 0);
  expect_date("GetGLToRLNian", rounds_up, 1901);
  expect_date("GetGLToRLRun", 43974.0, 1); /* 2020-05-23, leap month 4 */
  expect_date("GetGLToRLNian", INFINITY, 0);

  expect_term("GetJieQiTime_Day", 2000, 1, 4);
  expect_term("GetJieQiTime_Hour", 2000, 1, 20);
  expect_term("GetJieQiTime_Minute", 2000, 1, 40);
  expect_term("GetJieQiTime_Second", 2000, 1, 23);
  expect_term("GetJieQiTime_Day", 2000, 23, 6);
  expect_term("GetJieQiTime_Second", 2000, 23, 41);
  expect_term("GetJieQiTime_Day", 1879, 1, 1);
  expect_term("GetJieQiTime_Hour", 2080, 1, 0);
  expect_term("GetJieQiTime_Day", 2000, 25, 1);
  expect_term("GetJieQiTime_Day", 2000 + 65536, 1, 1);

  expect_lunar("RLToGL_Year", 1901, 1, 1, 0, 1901);
  expect_lunar("RLToGL_Month", 1901, 1, 1, 0, 2);
  expect_lunar("RLToGL_Day", 1901, 1, 1, 0, 19);
  expect_lunar("RLToGL_Year", 1901, 13, 1, 0, 1899);
  expect_lunar("RLToGL_Month", 1901, 13, 1, 0, 12);
  expect_lunar("RLToGL_Day", 1901, 13, 1, 0, 30);
  expect_lunar("RLToGL_Month", 2020, 4, 1, 1, 5);
  expect_lunar("RLToGL_Month", 2020, 4, 1, -1, 4);
}

static void check_identification(void) {
  TextExport cpu = (TextExport)(void (*)(void))find("SysCPUID");
  const char *const text_exports[2] = {"SysDiskID", "SysBIOSID"};
  char whole[64], cut[64], untouched[64];
  int32_t got;
  int i;

  memset(whole, 'x', sizeof whole);
  CALL_CHECKED(got, cpu(whole, -1));
  expect("SysCPUID(whole, -1)", got, 1);
  expect("SysCPUID text length", (int32_t)strnlen(whole, sizeof whole), 35);

  memset(cut, 'x', sizeof cut);
  CALL_CHECKED(got, cpu(cut, 10));
  expect("SysCPUID(cut, 10)", got, 1);
  expect("SysCPUID cut to 10 bytes", memcmp(cut, whole, 10) == 0 && cut[10] == 'x', 1);

  memset(untouched, 'x', sizeof untouched);
  CALL_CHECKED(got, cpu(untouched, 0));
  expect("SysCPUID(untouched, 0)", got, 1);
  expect("SysCPUID length 0 leaves the buffer", untouched[0] == 'x', 1);

  for (i = 0; i < 2; ++i) {
    TextExport f = (TextExport)(void (*)(void))find(text_exports[i]);
    char buffer[256];
    memset(buffer, 'x', sizeof buffer);
    CALL_CHECKED(got, f(buffer, -1));
    if (got == 0) {
      expect(text_exports[i], buffer[0] == 'x', 1);
    } else {
      expect(text_exports[i], got == 1 && memchr(buffer, '\0', 201) != NULL, 1);
    }
    /* Wine offers no disk identification and no BIOS area or date: the text must be empty. */
    if (under_wine()) expect(text_exports[i], got, 0);
  }
}

/* The version resource holds the version that lunacal.h gives. */
static void check_version(const char *path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  static char info[4096];
  VS_FIXEDFILEINFO *fixed = NULL;
  UINT fixed_size = 0;
  char *text = NULL;
  UINT text_size = 0;
  char wanted[32];
  if (size == 0 || size > sizeof info || !GetFileVersionInfoA(path, 0, size, info) ||
      !VerQueryValueA(info, "\\", (void **)&fixed, &fixed_size) || fixed_size < sizeof *fixed) {
    printf("%s has no version resource (error %lu)\n", path, (unsigned long)GetLastError());
    ++failures;
    return;
  }
  expect("file version major", (int32_t)HIWORD(fixed->dwFileVersionMS), LUNACAL_VERSION_MAJOR);
  expect("file version minor", (int32_t)LOWORD(fixed->dwFileVersionMS), LUNACAL_VERSION_MINOR);
  expect("file version patch", (int32_t)HIWORD(fixed->dwFileVersionLS), LUNACAL_VERSION_PATCH);
  expect("a DLL", (int32_t)fixed->dwFileType, VFT_DLL);
  snprintf(wanted, sizeof wanted, "%d.%d.%d", LUNACAL_VERSION_MAJOR, LUNACAL_VERSION_MINOR,
           LUNACAL_VERSION_PATCH);
  if (!VerQueryValueA(info, "\\StringFileInfo\\040904B0\\FileVersion", (void **)&text, &text_size) ||
      strcmp(text, wanted) != 0) {
    printf("FileVersion text: got %s, wanted %s\n", text != NULL ? text : "(none)", wanted);
    ++failures;
  }
}

int main(void) {
  HMODULE dll = LoadLibraryA("lunacal.dll");
  int i;
  if (dll == NULL) {
    printf("cannot load lunacal.dll (error %lu)\n", (unsigned long)GetLastError());
    return 2;
  }
  {
    const IMAGE_DOS_HEADER *dos = (const IMAGE_DOS_HEADER *)(void *)dll;
    const IMAGE_NT_HEADERS *nt = (const IMAGE_NT_HEADERS *)(const void *)((const char *)dll + dos->e_lfanew);
    expect("machine of lunacal.dll", nt->FileHeader.Machine, EXPECTED_MACHINE);
  }
  for (i = 0; i < 18; ++i) {
    FARPROC by_name = GetProcAddress(dll, export_names[i]);
    FARPROC by_ordinal = GetProcAddress(dll, (LPCSTR)MAKEINTRESOURCEA(i + 1));
    if (by_name == NULL || by_name != by_ordinal) {
      printf("export %s: by name %p, by ordinal %d %p\n", export_names[i],
             (void *)(uintptr_t)by_name, i + 1, (void *)(uintptr_t)by_ordinal);
      ++failures;
    }
    exports[i] = by_ordinal;
  }
  if (failures == 0) {
    check_calendar();
    check_identification();
  }
  check_version("lunacal.dll");
  FreeLibrary(dll);
  printf("lunacal.dll: %s (%d failures)\n", failures == 0 ? "all checks passed" : "FAILED", failures);
  return failures == 0 ? 0 : 1;
}
