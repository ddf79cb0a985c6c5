// SPDX-License-Identifier: MIT
// The layout rule of the main window as a plain function: the strip's spacing with its rounding,
// the threshold height below which nothing moves, and very narrow windows.

#include <gtest/gtest.h>

#include <cmath>

#include "app/layout.h"

namespace app {
namespace {

TEST(RoundHalfToEven, RoundsHalvesToTheEvenNeighbour) {
  const std::pair<double, double> cases[] = {{0.5, 0.0},     {1.5, 2.0},     {2.5, 2.0},  {142.5, 142.0},
                                             {143.5, 144.0}, {-1.5, -2.0},   {2.4, 2.0},  {2.6, 3.0}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfToEven(value), rounded) << value;
}

TEST(ArrangeForm, SpreadsTheStripAndSizesListAndOutput) {
  struct Case {
    double width, height, g;
  };
  // At the design width the strip leaves 855 twips for six gaps: 142.5, which rounds down to even.
  const Case cases[] = {{10140, 7000, 142}, {10146, 7000, 144}, {15000, 4455, 952}};
  for (const auto& [width, height, g] : cases) {
    const FormLayout layout = ArrangeForm(FormLayout{}, width, height);
    EXPECT_EQ(layout.pic, (TwipRect{100, 100, width - 300, 1215}));
    EXPECT_EQ(layout.txtOut, (TwipRect{2040, 1415, width - 2415, height - 2250}));
    EXPECT_EQ(layout.lstName, (TwipRect{120, 1415, 1815, height - 2250}));
    EXPECT_EQ(layout.Frame2, (TwipRect{g, 50, 1215, 1000}));
    EXPECT_EQ(layout.Frame1, (TwipRect{1215 + 1.5 * g, 50, 1500, 1000}));
    EXPECT_EQ(layout.Frame3, (TwipRect{2715 + 2 * g, 50, 1200, 1000}));
    EXPECT_EQ(layout.Frame4, (TwipRect{3915 + 2.5 * g, 50, 3975, 1000}));
    EXPECT_EQ(layout.cmdYes, (TwipRect{7890 + 4 * g, 150, 1095, 945}));
    // Two gaps remain to the right of the button, up to rounding.
    EXPECT_LE(std::abs(layout.pic.width - (layout.cmdYes.left + layout.cmdYes.width) - 2 * g), 3);
  }
}

TEST(ArrangeForm, BelowThresholdHeight_KeepsCurrentLayout) {
  const FormLayout current = ArrangeForm(FormLayout{}, 12000, 8000);
  EXPECT_EQ(ArrangeForm(current, 9000, 4454), current);
  EXPECT_EQ(ArrangeForm(current, 9000, 1000), current);
  const FormLayout at_threshold = ArrangeForm(current, 9000, 4455);
  EXPECT_NE(at_threshold, current);
  EXPECT_EQ(at_threshold.txtOut.height, 2205.0);
}

TEST(ArrangeForm, VeryNarrow_HasNoNegativeSizesOrGaps) {
  for (double width : {5000.0, 1000.0, 0.0}) {
    const FormLayout layout = ArrangeForm(FormLayout{}, width, 6000);
    for (const TwipRect& rect : {layout.pic, layout.Frame1, layout.Frame2, layout.Frame3, layout.Frame4,
                                 layout.cmdYes, layout.lstName, layout.txtOut}) {
      EXPECT_GE(rect.width, 0);
      EXPECT_GE(rect.height, 0);
      EXPECT_GE(rect.left, 0);
    }
    // The parts still follow each other without overlapping.
    EXPECT_GE(layout.Frame1.left, layout.Frame2.left + layout.Frame2.width);
    EXPECT_GE(layout.cmdYes.left, layout.Frame4.left + layout.Frame4.width);
  }
}

}  // namespace
}  // namespace app
