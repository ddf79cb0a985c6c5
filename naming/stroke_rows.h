// SPDX-License-Identifier: MIT
#pragma once
// The rows of the stroke dictionary, for the lookups in stroke_dictionary.cpp and for tests that
// check the table itself; everything else asks GetBiHua and GetBiHuaZi.

#include <array>
#include <string_view>

#include "naming/stroke_dictionary.h"

namespace naming {

// Index k - 1 holds, in stored order and with repeats, every character counted k strokes.
extern const std::array<std::u16string_view, kMaxStrokes> dictionary_rows;

}  // namespace naming
