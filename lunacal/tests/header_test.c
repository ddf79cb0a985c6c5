// SPDX-License-Identifier: MIT
/* The public header compiles as plain C and links against the library; a few exports are called
 * through it, including the identification copy rule. */
#include "lunacal/lunacal.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

static int failures = 0;

static void expect(const char *what, int32_t got, int32_t wanted) {
  if (got != wanted) {
    fprintf(stderr, "%s: got %ld, wanted %ld\n", what, (long)got, (long)wanted);
    ++failures;
  }
}

int main(void) {
  const double noon_2000_01_01 = 36526.5;
  char text[64];

  expect("GetSiZhuXHYear", GetSiZhuXHYear(noon_2000_01_01), 16);
  expect("GetSiZhuXHTime", GetSiZhuXHTime(noon_2000_01_01), 55);
  expect("GetGLToRLNian", GetGLToRLNian(416.0), 1901);
  expect("GetJieQiTime_Day", GetJieQiTime_Day(2000, 1), 4);
  expect("RLToGL_Year refused", RLToGL_Year(1901, 13, 1, 0), 1899);
  expect("RLToGL_Day", RLToGL_Day(1901, 1, 1, 0), 19);

  /* The header's recipe and examples: 2000-01-01 12:00 UTC is 20:00 at UTC+8, the 戌 hour 59 壬戌
   * (at 12:00 it would be 55 戊午). */
  {
    const time_t noon_utc = (time_t)946728000;
    const double moment = ((double)noon_utc + 8 * 3600) / 86400.0 + 25569.0;
    expect("GetSiZhuXHTime of a time_t", GetSiZhuXHTime(moment), 59);
    expect("GetJieQiTime_Day 2024", GetJieQiTime_Day(2024, 1), 4);
    expect("RLToGL_Month 2024", RLToGL_Month(2024, 1, 1, 0), 2);
    expect("RLToGL_Day 2024", RLToGL_Day(2024, 1, 1, 0), 10);
  }

  memset(text, 'x', sizeof text);
  if (SysCPUID(text, (int32_t)sizeof text) == 1) {
    expect("SysCPUID text length", (int32_t)strlen(text), 35);
  }
  return failures == 0 ? 0 : 1;
}
