// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to all 18 exports: DATE values of any bit pattern (NaN payloads, the
// infinities, subnormals), every 32-bit integer as year, term, month, day and leap flag, and
// identification buffers of a fuzzed length inside a bounded local buffer. Results must stay in
// their documented ranges, and a copy must never pass the length it was given.
//
// The identification exports ask the machine on every call (a disk text takes about 340 us), a
// thousand times longer than a calendar call, so they are called for about one input in a
// thousand, chosen by a hash of the input so that a crash replays; the calendar exports are
// called for every input.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lunacal/lunacal.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Take() {
    T value{};
    const std::size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
    std::memcpy(&value, data_, n);
    data_ += n;
    size_ -= n;
    return value;
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
};

void Require(bool condition) {
  if (!condition) std::abort();
}

bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

// FNV-1a over the whole input.
uint32_t InputHash(const uint8_t* data, std::size_t size) {
  uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  return hash;
}

constexpr uint32_t kIdentificationShare = 1000;

void FuzzMoment(double moment) {
  const int32_t year = GetGLToRLNian(moment);
  const int32_t month = GetGLToRLMonth(moment);
  const int32_t day = GetGLToRLDay(moment);
  const int32_t leap = GetGLToRLRun(moment);
  if (year == 0) {
    Require(month == 0 && day == 0 && leap == 0);
  } else {
    Require(InRange(year, 1901, 2048) && InRange(month, 1, 12) && InRange(day, 1, 30) &&
            InRange(leap, 0, 1));
  }
  const int32_t pillars[] = {GetSiZhuXHYear(moment), GetSiZhuXHMonth(moment),
                             GetSiZhuXHDay(moment), GetSiZhuXHTime(moment)};
  for (const int32_t index : pillars) Require(InRange(index, 0, 60));
  // A moment has either all four pillars or none.
  Require((pillars[0] == 0) == (pillars[1] == 0) && (pillars[0] == 0) == (pillars[2] == 0) &&
          (pillars[0] == 0) == (pillars[3] == 0));
}

void FuzzSolarTerm(int32_t year, int32_t term) {
  Require(InRange(GetJieQiTime_Day(year, term), 1, 31));
  Require(InRange(GetJieQiTime_Hour(year, term), 0, 23));
  Require(InRange(GetJieQiTime_Minute(year, term), 0, 59));
  Require(InRange(GetJieQiTime_Second(year, term), 0, 59));
}

void FuzzLunarDate(int32_t year, int32_t month, int32_t day, int32_t leap) {
  const int32_t g_year = RLToGL_Year(year, month, day, leap);
  const int32_t g_month = RLToGL_Month(year, month, day, leap);
  const int32_t g_day = RLToGL_Day(year, month, day, leap);
  if (g_year == 1899) {
    Require(g_month == 12 && g_day == 30);
  } else {
    Require(InRange(g_year, 1901, 2048) && InRange(g_month, 1, 12) && InRange(g_day, 1, 31));
  }
}

void FuzzText(int32_t(LUNACAL_CALL* call)(char*, int32_t), int32_t length) {
  constexpr std::size_t kBuffer = 256;
  constexpr char kFill = '\x7F';
  char buffer[kBuffer];
  std::memset(buffer, kFill, sizeof buffer);
  // Lengths beyond the local buffer would let the library write where the caller never allowed:
  // a negative length is kept (no limit, the texts are shorter than 201 bytes), others are folded.
  const int32_t bounded = length < 0 ? length : length % static_cast<int32_t>(kBuffer + 1);
  const int32_t result = call(buffer, bounded);
  Require(result == 0 || result == 1);
  const std::size_t allowed = bounded < 0 ? 201 : static_cast<std::size_t>(bounded);
  for (std::size_t i = allowed; i < kBuffer; ++i) Require(buffer[i] == kFill);
  if (result == 0) {
    for (const char c : buffer) Require(c == kFill);
  }
  Require(call(nullptr, bounded) == result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Input input(data, size);
  FuzzMoment(input.Take<double>());
  const int32_t a = input.Take<int32_t>();
  const int32_t b = input.Take<int32_t>();
  const int32_t c = input.Take<int32_t>();
  const int32_t d = input.Take<int32_t>();
  FuzzSolarTerm(a, b);
  FuzzLunarDate(a, b, c, d);
  if (InputHash(data, size) % kIdentificationShare == 0) {
    FuzzText(SysDiskID, a);
    FuzzText(SysCPUID, b);
    FuzzText(SysBIOSID, c);
  }
  return 0;
}
