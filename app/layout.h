// SPDX-License-Identifier: MIT
#pragma once
// Where the controls of the main window go for a given window size. All lengths are in twips
// (1/1440 inch; 15 twips are one device-independent pixel), the unit the layout rules were drawn in,
// so the rules stay exact and the window only converts at the end.

namespace app {

inline constexpr double kTwipsPerPixel = 15;

// The window's outer size minus its client area: the design's borders, caption and menu bar. The
// window adds these to its client area instead of asking the window manager, so the layout is the
// same on every desktop and offscreen.
inline constexpr double kChromeWidth = 120;
inline constexpr double kChromeHeight = 675;

// The window opens at this outer size; its client area is then the design width of 10020 twips.
inline constexpr double kDefaultOuterWidth = 10140;
inline constexpr double kDefaultOuterHeight = 7000;

// Below this outer height the window keeps whatever layout it had.
inline constexpr double kMinimumOuterHeight = 4455;

struct TwipSize {
  double width = 0;
  double height = 0;
};

struct TwipRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// The geometry of every control the layout moves. `pic`, `lstName` and `txtOut` are placed in
// the client area, the four frames and the button inside `pic`.
struct FormLayout {
  TwipRect pic;
  TwipRect Frame1;
  TwipRect Frame2;
  TwipRect Frame3;
  TwipRect Frame4;
  TwipRect cmdYes;
  TwipRect lstName;
  TwipRect txtOut;
  friend bool operator==(const FormLayout&, const FormLayout&) = default;
};

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfToEven(double value);

// The layout for a window of outer size `outer_width` x `outer_height`; `current` is returned
// unchanged when the window is shorter than kMinimumOuterHeight. Widths and heights never go below
// zero, and the spacing of the top strip never goes below zero either, however narrow the window.
FormLayout ArrangeForm(const FormLayout& current, double outer_width, double outer_height);

// The layout of a window at its default size, which the window starts with.
FormLayout DefaultLayout();

}  // namespace app
