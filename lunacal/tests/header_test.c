/* The public header compiles as plain C and links against the library; a few exports are called
 * through it, including the identification copy rule. */
#include "lunacal/lunacal.h"

#include <stdio.h>
#include <string.h>

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

  memset(text, 'x', sizeof text);
  if (SysCPUID(text, (int32_t)sizeof text) == 1) {
    expect("SysCPUID text length", (int32_t)strlen(text), 35);
  }
  return failures == 0 ? 0 : 1;
}
