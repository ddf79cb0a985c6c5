// SPDX-License-Identifier: MIT
// The one conversion between UTF-16 and UTF-8: characters of every length both ways, and what
// stands for no character becomes U+FFFD instead of being dropped or read past.

#include "lunacal/utf8.h"

#include <gtest/gtest.h>

namespace {

using lunacal::text::FromUtf8;
using lunacal::text::ToUtf8;

TEST(Utf8, charactersOfEveryLength_convertBothWays) {
  const struct {
    std::u16string_view utf16;
    std::string_view utf8;
  } cases[] = {
      {u"", ""},
      {u"A", "A"},
      {u"\u00e9", "\xc3\xa9"},
      {u"甲子 海中金", "\xe7\x94\xb2\xe5\xad\x90 \xe6\xb5\xb7\xe4\xb8\xad\xe9\x87\x91"},
      {u"\U00020BB7", "\xf0\xa0\xae\xb7"},  // outside the basic plane: a surrogate pair
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToUtf8(c.utf16), c.utf8);
    EXPECT_EQ(FromUtf8(c.utf8), c.utf16);
  }
}

TEST(Utf8, whatStandsForNoCharacter_becomesTheReplacementCharacter) {
  EXPECT_EQ(ToUtf8(std::u16string{u'a', char16_t{0xD800}, u'b'}), "a\xef\xbf\xbd" "b");
  EXPECT_EQ(ToUtf8(std::u16string{char16_t{0xDC00}}), "\xef\xbf\xbd");
  const struct {
    std::string_view bytes;
    std::u16string_view text;
  } cases[] = {
      {"\xff", u"\uFFFD"},
      {"\xc0\x80", u"\uFFFD\uFFFD"},            // an overlong form
      {"\xe4\xb8", u"\uFFFD"},                  // cut short at the end
      {"\xe4\xb8" "A", u"\uFFFDA"},             // broken by a byte that starts afresh
      {"\xed\xa0\x80", u"\uFFFD"},              // a surrogate's own code
      {"\xf4\x90\x80\x80", u"\uFFFD"},          // beyond U+10FFFF
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FromUtf8(c.bytes), c.text) << c.bytes.size() << " bytes";
  }
}

}  // namespace
