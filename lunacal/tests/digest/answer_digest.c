/* SPDX-License-Identifier: MIT */
/* answer_digest: asks the 17 calendar functions of lunacal, through its public header only, about a
 * fixed set of about 2.7 million generated inputs and prints a digest of all their answers, so that
 * two builds of the library (Linux, sanitizers, Windows x86 and x64) can be shown to answer alike.
 *
 *   answer_digest            one line per block of 65536 inputs, "block N HEX", then
 *                            "answer digest HEX over N inputs and M answers"
 *   answer_digest --block N  every input of block N with its answers, one a line, so that the first
 *                            input on which two builds differ can be named
 *
 * The inputs are made from integers and exact bit patterns, and the few sums of doubles are IEEE
 * double arithmetic, so every build generates the very same inputs. */
#include <float.h>
#include <inttypes.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "lunacal/lunacal.h"

/* x87 arithmetic would make the generated inputs, and the library's rounding, depend on register
 * allocation. */
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "answer_digest needs IEEE double arithmetic (on 32-bit x86: -msse2 -mfpmath=sse)"
#endif

enum { kBlockSize = 65536 };

/* DATE values of the first and last day of the calendar range, 1901-02-19 and 2048-12-31, and the
 * margin of days asked about on either side. */
enum { kFirstDay = 416, kLastDay = 54423, kMarginDays = 400 };

static const double kHalfSecond = 0.5 / 86400.0;

typedef enum { kMoment, kTerm, kLunar } InputKind;

typedef struct {
  InputKind kind;
  double moment;
  int32_t year, month, day, leap; /* a term input uses year and month (the term number) */
} Input;

typedef struct {
  uint64_t digest;       /* over every answer so far */
  uint64_t block_digest; /* over the answers of the current block */
  uint64_t inputs;
  uint64_t answers;
  long dump_block; /* the block to print input by input, or -1 */
} Run;

/* FNV-1a, 64 bits, over each answer as four little-endian bytes. */
static uint64_t Mix(uint64_t hash, int32_t answer) {
  const uint32_t bits = (uint32_t)answer;
  for (int shift = 0; shift < 32; shift += 8) {
    hash ^= (bits >> shift) & 0xFFu;
    hash *= UINT64_C(0x100000001B3);
  }
  return hash;
}

static const uint64_t kFnvOffset = UINT64_C(0xCBF29CE484222325);

static double FromBits(uint64_t bits) {
  double value;
  memcpy(&value, &bits, sizeof value);
  return value;
}

static uint64_t BitsOf(double value) {
  uint64_t bits;
  memcpy(&bits, &value, sizeof bits);
  return bits;
}

static int Answers(const Input* input, int32_t answers[8]) {
  switch (input->kind) {
    case kMoment:
      answers[0] = GetGLToRLNian(input->moment);
      answers[1] = GetGLToRLMonth(input->moment);
      answers[2] = GetGLToRLDay(input->moment);
      answers[3] = GetGLToRLRun(input->moment);
      answers[4] = GetSiZhuXHYear(input->moment);
      answers[5] = GetSiZhuXHMonth(input->moment);
      answers[6] = GetSiZhuXHDay(input->moment);
      answers[7] = GetSiZhuXHTime(input->moment);
      return 8;
    case kTerm:
      answers[0] = GetJieQiTime_Day(input->year, input->month);
      answers[1] = GetJieQiTime_Hour(input->year, input->month);
      answers[2] = GetJieQiTime_Minute(input->year, input->month);
      answers[3] = GetJieQiTime_Second(input->year, input->month);
      return 4;
    case kLunar:
      answers[0] = RLToGL_Year(input->year, input->month, input->day, input->leap);
      answers[1] = RLToGL_Month(input->year, input->month, input->day, input->leap);
      answers[2] = RLToGL_Day(input->year, input->month, input->day, input->leap);
      return 3;
  }
  return 0;
}

static void PrintInput(const Input* input) {
  switch (input->kind) {
    case kMoment:
      printf("moment 0x%016" PRIx64, BitsOf(input->moment));
      break;
    case kTerm:
      printf("term %" PRId32 " %" PRId32, input->year, input->month);
      break;
    case kLunar:
      printf("lunar %" PRId32 " %" PRId32 " %" PRId32 " %" PRId32, input->year, input->month, input->day,
             input->leap);
      break;
  }
}

static void EndBlock(Run* run) {
  printf("block %" PRIu64 " %016" PRIx64 "\n", (run->inputs - 1) / kBlockSize, run->block_digest);
  run->block_digest = kFnvOffset;
}

static void Ask(Run* run, const Input* input) {
  int32_t answers[8];
  const int count = Answers(input, answers);
  const long block = (long)(run->inputs / kBlockSize);
  for (int i = 0; i < count; ++i) {
    run->digest = Mix(run->digest, answers[i]);
    run->block_digest = Mix(run->block_digest, answers[i]);
  }
  run->answers += (uint64_t)count;
  run->inputs += 1;
  if (run->dump_block == block) {
    PrintInput(input);
    printf(" =>");
    for (int i = 0; i < count; ++i) printf(" %" PRId32, answers[i]);
    printf("\n");
  } else if (run->dump_block < 0 && run->inputs % kBlockSize == 0) {
    EndBlock(run);
  }
}

static void AskMoment(Run* run, double moment) {
  const Input input = {kMoment, moment, 0, 0, 0, 0};
  Ask(run, &input);
}

/* A value, and the doubles one unit in the last place below and above it. */
static void AskMomentAndNeighbours(Run* run, double moment) {
  AskMoment(run, nextafter(moment, -INFINITY));
  AskMoment(run, moment);
  AskMoment(run, nextafter(moment, INFINITY));
}

/* splitmix64: a fixed seed gives the same sequence on every platform. */
static uint64_t NextRandom(uint64_t* state) {
  uint64_t z = (*state += UINT64_C(0x9E3779B97F4A7C15));
  z = (z ^ (z >> 30)) * UINT64_C(0xBF58476D1CE4E5B9);
  z = (z ^ (z >> 27)) * UINT64_C(0x94D049BB133111EB);
  return z ^ (z >> 31);
}

/* Every day of the range and its margin at midnight and at 23:00 (where the day pillar turns), and
 * the half-second ties before both, each with its neighbours. */
static void AskEveryDay(Run* run) {
  for (int32_t day = kFirstDay - kMarginDays; day <= kLastDay + kMarginDays; ++day) {
    const double boundaries[2] = {(double)day, day + 23.0 / 24.0};
    for (int i = 0; i < 2; ++i) {
      AskMomentAndNeighbours(run, boundaries[i]);
      AskMomentAndNeighbours(run, boundaries[i] - kHalfSecond);
    }
  }
}

static void AskRandomMoments(Run* run) {
  const uint32_t days = kLastDay - kFirstDay + 1 + 2 * kMarginDays;
  uint64_t state = UINT64_C(20261208);
  for (int i = 0; i < 800000; ++i) {
    const int32_t day = kFirstDay - kMarginDays + (int32_t)(NextRandom(&state) % days);
    const double fraction = (double)(NextRandom(&state) >> 11) * 0x1p-53; /* [0, 1), exact */
    AskMoment(run, day + fraction);
  }
  for (int i = 0; i < 300000; ++i) {
    const int32_t day = kFirstDay - kMarginDays + (int32_t)(NextRandom(&state) % days);
    const int32_t second = (int32_t)(NextRandom(&state) % 86400);
    AskMomentAndNeighbours(run, day + second / 86400.0 - kHalfSecond);
  }
}

/* No moment at all, the edges of the DATE range -657434.0 .. 2958465.0, and values around zero. */
static void AskSpecialMoments(Run* run) {
  static const uint64_t bits[] = {
      UINT64_C(0x7FF8000000000000), /* NaN */
      UINT64_C(0xFFF8000000000000), /* negative NaN */
      UINT64_C(0x7FF0000000000001), /* signalling NaN */
      UINT64_C(0x7FF0000000000000), /* +infinity */
      UINT64_C(0xFFF0000000000000), /* -infinity */
      UINT64_C(0x0000000000000000), /* +0 */
      UINT64_C(0x8000000000000000), /* -0 */
      UINT64_C(0x0000000000000001), /* smallest subnormal */
      UINT64_C(0x8000000000000001), /* its negative */
      UINT64_C(0x0010000000000000), /* smallest normal */
      UINT64_C(0x7FEFFFFFFFFFFFFF), /* largest double */
      UINT64_C(0xFFEFFFFFFFFFFFFF), /* most negative double */
  };
  for (size_t i = 0; i < sizeof bits / sizeof bits[0]; ++i) AskMoment(run, FromBits(bits[i]));
  static const double values[] = {
      -657434.0, 2958465.0, -657435.0, 2958466.0, -657434.5, 2958465.5, -1.25, -1.0, -0.5,
      -1e-9,     1e-9,      0.5,       1.0,       1e300,     -1e300,    2147483648.0, -2147483649.0,
      9007199254740992.0,  -9007199254740992.0,   415.0,     54424.0,   54424.999,    36526.5,
  };
  for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i) AskMomentAndNeighbours(run, values[i]);
}

/* Every year 1870..2090 with every term number -1..26, and the extremes of the integers. */
static void AskTerms(Run* run) {
  for (int32_t year = 1870; year <= 2090; ++year) {
    for (int32_t term = -1; term <= 26; ++term) {
      const Input input = {kTerm, 0.0, year, term, 0, 0};
      Ask(run, &input);
    }
  }
  static const int32_t extremes[][2] = {
      {INT32_MIN, 1}, {INT32_MAX, 1}, {2000, INT32_MIN}, {2000, INT32_MAX}, {65536 + 2000, 1}};
  for (size_t i = 0; i < sizeof extremes / sizeof extremes[0]; ++i) {
    const Input input = {kTerm, 0.0, extremes[i][0], extremes[i][1], 0, 0};
    Ask(run, &input);
  }
}

/* Every lunar year 1895..2055 with every month -1..14, day -1..32 and leap flag -1..2, and inputs
 * that wrap when taken as 16-bit numbers. */
static void AskLunarDates(Run* run) {
  for (int32_t year = 1895; year <= 2055; ++year) {
    for (int32_t month = -1; month <= 14; ++month) {
      for (int32_t day = -1; day <= 32; ++day) {
        for (int32_t leap = -1; leap <= 2; ++leap) {
          const Input input = {kLunar, 0.0, year, month, day, leap};
          Ask(run, &input);
        }
      }
    }
  }
  static const int32_t extremes[][4] = {
      {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
      {65536 + 2020, 4, 1, 1},  {2020, 65536 + 4, 1, 1}, {2020, 4, 65536 + 1, 1},
      {2020, 4, 1, INT32_MIN}, {2020, 4, 1, INT32_MAX}, {-2020, 4, 1, 0},
  };
  for (size_t i = 0; i < sizeof extremes / sizeof extremes[0]; ++i) {
    const Input input = {kLunar, 0.0, extremes[i][0], extremes[i][1], extremes[i][2], extremes[i][3]};
    Ask(run, &input);
  }
}

int main(int argc, char** argv) {
  Run run = {kFnvOffset, kFnvOffset, 0, 0, -1};
  if (argc == 3 && strcmp(argv[1], "--block") == 0) {
    char* end = NULL;
    run.dump_block = strtol(argv[2], &end, 10);
    if (*end != '\0' || run.dump_block < 0) run.dump_block = -2;
  }
  if (argc != 1 && run.dump_block < 0) {
    fprintf(stderr, "usage: answer_digest [--block N]\n");
    return 2;
  }
  AskEveryDay(&run);
  AskRandomMoments(&run);
  AskSpecialMoments(&run);
  AskTerms(&run);
  AskLunarDates(&run);
  if (run.dump_block < 0) {
    if (run.inputs % kBlockSize != 0) EndBlock(&run);
    printf("answer digest %016" PRIx64 " over %" PRIu64 " inputs and %" PRIu64 " answers\n", run.digest,
           run.inputs, run.answers);
  }
  return 0;
}
