// SPDX-License-Identifier: MIT
#pragma once
// UTF-16 text, as the calendar's names and the window keep it, to and from UTF-8, as files,
// terminals and the system's loader speak it: the one conversion of the program and the tool.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lunacal::text {

// UTF-16 text as UTF-8; a lone surrogate, which stands for no character, becomes U+FFFD.
inline std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);  // [0x10000, 0x10FFFF]
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// UTF-8 bytes as UTF-16 text; anything that does not decode becomes U+FFFD rather than being
// dropped or read past, so paths and a loader's messages of any bytes can be shown.
inline std::u16string FromUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
      length = 1, code = lead;
    } else if (lead >= 0xC2 && lead < 0xE0) {
      length = 2, code = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
      length = 3, code = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
      length = 4, code = lead & 0x07u, smallest = 0x10000;
    }
    // A broken sequence is replaced up to the byte that breaks it, which starts afresh.
    size_t used = 1;
    bool valid = length != 0;
    for (size_t k = 1; valid && k < length; ++k) {
      if (i + k >= bytes.size() || (static_cast<unsigned char>(bytes[i + k]) & 0xC0u) != 0x80u) {
        valid = false;
        break;
      }
      code = (code << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3Fu);  // at most 21 bits
      used = k + 1;
    }
    valid = valid && code >= smallest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    if (!valid) {
      text += u'\uFFFD';
      i += used;
      continue;
    }
    if (code >= 0x10000) {
      const char32_t offset = code - 0x10000;  // [0, 0xFFFFF]
      text += static_cast<char16_t>(0xD800 + (offset >> 10));
      text += static_cast<char16_t>(0xDC00 + (offset & 0x3FFu));
    } else {
      text += static_cast<char16_t>(code);
    }
    i += length;
  }
  return text;
}

}  // namespace lunacal::text
