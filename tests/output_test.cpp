#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "app/output.h"

namespace tonalign {
namespace {

std::string Fixed2Text(double value) {
  char text[kMaxFixed2Chars];
  return std::string(text, FormatFixed2(text, value));
}

std::string PrintfText(double value) {
  char text[kMaxFixed2Chars + 8];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

TEST(FormatFixed2, MatchesPrintfOnChosenValues) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kTiny = std::numeric_limits<double>::denorm_min();
  constexpr double kHuge = std::numeric_limits<double>::max();
  // clang-format off
  const double values[] = {0.0, -0.0, 1.0, -1.0, 327.68, 0.01, 0.125, 0.375, -0.125, 2.675,
                           1.005, 0.005, 0.015, 0.025, -0.005, 0.0049999999, 1e-300, -1e-300,
                           99.995, 32768, -32768, 1e22, 0x1p53 - 1, 0x1p53, 0x1p52 + 0.5, 0x1p-60, 199.526231496888, kTiny, kHuge, -kHuge,
                           kInf, -kInf};
  // clang-format on
  for (double v : values) EXPECT_EQ(Fixed2Text(v), PrintfText(v)) << v;
}

TEST(FormatFixed2, MatchesPrintfOnHalfwayAndRandomValues) {
  // Every k/8 is exact in binary, so k/8 with an odd k and a third decimal of 5
  // is a true tie; printf rounds ties to even.
  for (int k = -4000; k <= 4000; ++k) {
    double v = k / 8.0;
    ASSERT_EQ(Fixed2Text(v), PrintfText(v)) << v;
  }
  std::mt19937_64 random(20261211);
  std::uniform_int_distribution<int> sample(-32768, 32767);
  std::uniform_real_distribution<double> gainDb(-60.0, 20.0);
  for (int i = 0; i < 200000; ++i) {
    // The values the comparison prints: scaled samples and their differences.
    double ref = sample(random) * std::pow(10.0, gainDb(random) * 0.05);
    double diff = std::fabs(ref - sample(random));
    ASSERT_EQ(Fixed2Text(ref), PrintfText(ref)) << ref;
    ASSERT_EQ(Fixed2Text(diff), PrintfText(diff)) << diff;
    // Every binary magnitude the exact integer path handles, and beyond it.
    double magnitude = std::ldexp(std::uniform_real_distribution<double>(0.5, 1.0)(random),
                                  static_cast<int>(random() % 80) - 24);
    ASSERT_EQ(Fixed2Text(magnitude), PrintfText(magnitude)) << magnitude;
    ASSERT_EQ(Fixed2Text(-magnitude), PrintfText(-magnitude)) << -magnitude;
    std::uint64_t bits = random();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    if (!std::isnan(any)) {
      ASSERT_EQ(Fixed2Text(any), PrintfText(any)) << any;
    }
  }
}

}  // namespace
}  // namespace tonalign
