// SPDX-License-Identifier: MIT
/* A program outside this project that uses the installed lunacal: it must compile against the
 * installed header and link and run against the installed library. */
#include <lunacal/lunacal.h>
#include <stdio.h>

int main(void) {
  /* 1901-02-19, the first day of the calendar range: lunar 1901-1-1. */
  const double first_day = 416.0;
  if (GetGLToRLNian(first_day) != 1901 || GetGLToRLMonth(first_day) != 1 ||
      GetGLToRLDay(first_day) != 1) {
    fprintf(stderr, "consumer: unexpected lunar date of DATE 416\n");
    return 1;
  }
  /* One export of each other argument list, so a Windows link proves every stdcall decoration
   * (@8 for two 32-bit integers or a DATE, @16 for four integers). */
  if (RLToGL_Year(1901, 1, 1, 0) != 1901 || GetJieQiTime_Day(2000, 1) != 4) {
    fprintf(stderr, "consumer: unexpected Gregorian date or solar term\n");
    return 1;
  }
  return 0;
}
