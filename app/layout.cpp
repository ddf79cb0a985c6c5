// SPDX-License-Identifier: MIT
#include "app/layout.h"

#include <algorithm>
#include <cmath>

namespace app {
namespace {

// Sizes of the strip's parts as they were drawn; the layout moves them but never resizes them.
constexpr double kFrame1Width = 1500;
constexpr double kFrame2Width = 1215;
constexpr double kFrame3Width = 1200;
constexpr double kFrame4Width = 3975;
constexpr double kFrameTop = 50;
constexpr double kFrameHeight = 1000;
constexpr double kButtonWidth = 1095;
constexpr double kButtonTop = 150;
constexpr double kButtonHeight = 945;
constexpr double kPicHeight = 1215;

constexpr double kListLeft = 120;
constexpr double kListWidth = 1815;
constexpr double kOutLeft = 2040;

double NotNegative(double value) { return std::max(0.0, value); }

}  // namespace

// The default floating-point rounding mode is to nearest, ties to even.
double RoundHalfToEven(double value) { return std::nearbyint(value); }

FormLayout ArrangeForm(const FormLayout& current, double outer_width, double outer_height) {
  if (outer_height < kMinimumOuterHeight) return current;
  FormLayout layout;

  const double text_height = NotNegative(outer_height - kFrameTop - kFrameHeight - 1200);
  const double text_top = kPicHeight + 200;
  layout.txtOut = {kOutLeft, text_top, NotNegative(outer_width - kListWidth - 600), text_height};
  layout.lstName = {kListLeft, text_top, kListWidth, text_height};

  layout.pic = {100, 100, NotNegative(outer_width - 300), kPicHeight};

  // A negative gap would push the first frame out of the strip on the left; at zero the parts
  // simply stand side by side and the strip clips them on the right.
  const double fixed = kFrame1Width + kFrame2Width + kFrame3Width + kFrame4Width + kButtonWidth;
  const double g = NotNegative(RoundHalfToEven((layout.pic.width - fixed) / 6));
  layout.Frame2 = {g, kFrameTop, kFrame2Width, kFrameHeight};
  layout.Frame1 = {kFrame2Width + 1.5 * g, kFrameTop, kFrame1Width, kFrameHeight};
  layout.Frame3 = {kFrame2Width + kFrame1Width + 2 * g, kFrameTop, kFrame3Width, kFrameHeight};
  layout.Frame4 = {kFrame2Width + kFrame1Width + kFrame3Width + 2.5 * g, kFrameTop, kFrame4Width,
                   kFrameHeight};
  layout.cmdYes = {kFrame2Width + kFrame1Width + kFrame3Width + kFrame4Width + 4 * g, kButtonTop,
                   kButtonWidth, kButtonHeight};
  return layout;
}

FormLayout DefaultLayout() { return ArrangeForm(FormLayout{}, kDefaultOuterWidth, kDefaultOuterHeight); }

}  // namespace app
