// SPDX-License-Identifier: MIT
/* A stand-in for lunacal with five of the eight functions the birth chart calls (no
 * GetSiZhuXHDay, GetSiZhuXHTime or GetGLToRLRun), whose results carry bits above the low 16 so the
 * binding's narrowing is seen. */
#include "lunacal/lunacal.h"

int32_t LUNACAL_CALL GetGLToRLNian(double moment) {
  (void)moment;
  return 0x10000 + 2020;
}

int32_t LUNACAL_CALL GetGLToRLMonth(double moment) {
  (void)moment;
  return 0xFFFF;
}

int32_t LUNACAL_CALL GetGLToRLDay(double moment) {
  (void)moment;
  return -0x10000 + 7;
}

int32_t LUNACAL_CALL GetSiZhuXHYear(double moment) {
  /* Echoes the moment's day count, so a test sees the DATE value crossed intact. */
  return (int32_t)moment;
}

int32_t LUNACAL_CALL GetSiZhuXHMonth(double moment) {
  (void)moment;
  return INT32_MIN;
}
