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
  return 0;
}
