// SPDX-License-Identifier: MIT
/* The public header compiles as plain C and links against the library; a few exports are called
 * through it, including the identification copy rule. */
#include "lunacal/lunacal.h"

#include <math.h>
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

/* With --date-values: one line "year month day hour minute second" in, its DATE value (or
 * "refused") out, so that other languages' conversions can be held to the header's. */
static int print_date_values(void) {
  int y, mo, d, h, mi, s;
  while (scanf("%d %d %d %d %d %d", &y, &mo, &d, &h, &mi, &s) == 6) {
    const lunacal_civil_time civil = {y, mo, d, h, mi, s};
    double moment = 0.0;
    if (lunacal_date_from_civil(&civil, &moment)) {
      printf("%.17g\n", moment);
    } else {
      printf("refused\n");
    }
  }
  return 0;
}

int main(int argc, char **argv) {
  const double noon_2000_01_01 = 36526.5;
  if (argc == 2 && strcmp(argv[1], "--date-values") == 0) return print_date_values();
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

  /* The header's conversions between civil times and DATE values, and its range, as plain C. */
  {
    const lunacal_civil_time first = {LUNACAL_FIRST_YEAR, LUNACAL_FIRST_MONTH, LUNACAL_FIRST_DAY, 0, 0, 0};
    const lunacal_civil_time no_day = {2001, 2, 29, 0, 0, 0};
    lunacal_civil_time civil;
    double moment = -1.0;
    expect("lunacal_date_from_civil of the first day", lunacal_date_from_civil(&first, &moment), 1);
    expect("the first day is LUNACAL_FIRST_MOMENT", moment == LUNACAL_FIRST_MOMENT, 1);
    expect("2001-02-29 refused", lunacal_date_from_civil(&no_day, &moment), 0);
    expect("a refusal leaves the moment", moment == LUNACAL_FIRST_MOMENT, 1);
    /* 2020-01-25 23:59:59.6 rounds into the next day, as every export reads it. */
    expect("lunacal_civil_from_date", lunacal_civil_from_date(43855.99999537, &civil), 1);
    expect("rounded day", civil.day * 10000 + civil.hour * 100 + civil.second, 260000);
    expect("a day before 1899-12-30", lunacal_civil_from_date(-1.25, &civil) * 100 + civil.hour, 106);
    expect("NaN has no fields", lunacal_civil_from_date(NAN, &civil) + civil.year, -1);
    /* The range and the term years the header gives are those the library answers for. */
    expect("the second before the range", GetGLToRLNian(LUNACAL_FIRST_MOMENT - 1.0 / 86400), 0);
    expect("the last second of the range", GetGLToRLNian(LUNACAL_END_MOMENT - 1.0 / 86400), LUNACAL_LAST_YEAR);
    expect("the end of the range has no lunar year", GetGLToRLNian(LUNACAL_END_MOMENT), 0);
    expect("the first term year", GetJieQiTime_Day(LUNACAL_FIRST_TERM_YEAR, 1) > 1, 1);
    expect("the last term year", GetJieQiTime_Day(LUNACAL_LAST_TERM_YEAR, 1) > 1, 1);
    expect("the year before the terms", GetJieQiTime_Day(LUNACAL_FIRST_TERM_YEAR - 1, 1), 1);
    expect("the year after the terms", GetJieQiTime_Day(LUNACAL_LAST_TERM_YEAR + 1, 1), 1);
    expect("lunacal_days_in_month", lunacal_days_in_month(2000, 2), 29);
  }

  memset(text, 'x', sizeof text);
  if (SysCPUID(text, (int32_t)sizeof text) == 1) {
    expect("SysCPUID text length", (int32_t)strlen(text), 35);
  }
  return failures == 0 ? 0 : 1;
}
