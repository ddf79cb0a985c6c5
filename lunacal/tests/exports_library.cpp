// SPDX-License-Identifier: MIT
#include "lunacal/tests/exports_library.h"

#include <gtest/gtest.h>

const LunacalExports* Lunacal() {
  static std::string error;
  static const LunacalExports* const exports = LoadLunacal(error);
  if (exports == nullptr) ADD_FAILURE() << "cannot load " << LunacalPath() << ": " << error;
  return exports;
}
