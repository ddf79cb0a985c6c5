// SPDX-License-Identifier: MIT
#pragma once
// The name search: every combination of given-name stroke counts whose grids and three talents are
// good; the list receives the names of the first good combination, the total counts all of them.

#include <cstdint>
#include <string>
#include <string_view>

namespace naming {

enum class NameLength { One, Two };
enum class Sex { Boy, Girl };

// The list the search fills: the window's list box, or a vector in tests.
class NameList {
 public:
  virtual ~NameList() = default;
  virtual void Clear() = 0;
  virtual void AddEntry(std::u16string_view entry) = 0;
};

// Adds family name + character entries for one qualifying combination, but only while
// `first_batch_listed` is false, then sets it. `second_row` is empty for one-character names.
// Returns how many names the combination stands for (row lengths multiplied, repeats included).
int32_t ListNames(NameList& list, bool& first_batch_listed, std::u16string_view family_name,
                  std::u16string_view first_row, std::u16string_view second_row);

// Clears `list`, searches a = 1..30 (and b = 1..30 for two characters) in ascending order, lists the
// first qualifying combination and returns the running total of all qualifying names.
int32_t GenerateNames(NameList& list, std::u16string_view family_name, NameLength length, Sex sex);

// The text of the message box that reports the total after a search.
std::u16string GenerateNamesMessage(int32_t total);

}  // namespace naming
