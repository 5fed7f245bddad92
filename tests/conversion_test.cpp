#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "app/run_parameters.h"

namespace tonalign {
namespace {

struct IntegerCase {
  const char* text;
  std::int32_t expected;
};

class IntegerConversion : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerConversion, ReadsAsStrtolWithBaseZeroSaturated) {
  EXPECT_EQ(ConvertInteger(GetParam().text), GetParam().expected)
      << "text '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerConversion,
    ::testing::Values(IntegerCase{"0", 0}, IntegerCase{"42", 42}, IntegerCase{"-7", -7},
                      IntegerCase{"+7", 7}, IntegerCase{"0x10", 16}, IntegerCase{"0X1f", 31},
                      IntegerCase{"010", 8}, IntegerCase{"09", 0}, IntegerCase{"  12abc", 12},
                      IntegerCase{"\t\n-3", -3}, IntegerCase{"abc", 0}, IntegerCase{"", 0},
                      IntegerCase{"0x", 0}, IntegerCase{"2147483647", 2147483647},
                      IntegerCase{"2147483648", 2147483647}, IntegerCase{"-2147483648", INT32_MIN},
                      IntegerCase{"-2147483649", INT32_MIN}, IntegerCase{"99999999999", 2147483647},
                      IntegerCase{"-99999999999", INT32_MIN},
                      IntegerCase{"99999999999999999999999", 2147483647}));

struct FloatCase {
  const char* text;
  double expected;
};

class FloatConversion : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatConversion, ReadsDecimalTextWithEOrDExponent) {
  double value = ConvertFloat(GetParam().text);
  double expected = GetParam().expected;
  // Bit-exact, so that -0 and +0 differ and infinities compare.
  EXPECT_EQ(std::signbit(value), std::signbit(expected)) << "text '" << GetParam().text << "'";
  EXPECT_EQ(value, expected) << "text '" << GetParam().text << "'";
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Table, FloatConversion,
    ::testing::Values(FloatCase{"0", 0.0}, FloatCase{"-40", -40.0}, FloatCase{"+6", 6.0},
                      FloatCase{"  -6.5dB", -6.5}, FloatCase{".5", 0.5}, FloatCase{"-.5", -0.5},
                      FloatCase{"5.", 5.0}, FloatCase{".", 0.0}, FloatCase{"-", 0.0},
                      FloatCase{"1d1", 10.0}, FloatCase{"1D+2", 100.0}, FloatCase{"2E-1", 0.2},
                      FloatCase{"2e-1", 0.2}, FloatCase{"1e", 1.0}, FloatCase{"1e+", 1.0},
                      FloatCase{"1d-x", 1.0}, FloatCase{"1.5.5", 1.5}, FloatCase{"0.1", 0.1},
                      FloatCase{"1e400", kInf}, FloatCase{"-1e400", -kInf},
                      FloatCase{"1e-400", 0.0}, FloatCase{"-1e-400", 0.0}, FloatCase{"1e-310", 0.0},
                      FloatCase{"-0", 0.0},
                      FloatCase{"2.2250738585072014e-308", 2.2250738585072014e-308},
                      FloatCase{"1.7976931348623157e308", 1.7976931348623157e308},
                      FloatCase{"abc", 0.0}, FloatCase{"inf", 0.0}, FloatCase{"nan", 0.0},
                      FloatCase{"0x10", 0.0}, FloatCase{"", 0.0},
                      // A halfway case that only a correctly rounded conversion gets right.
                      FloatCase{"9007199254740993", 9007199254740992.0}));

TEST(ParseParameters, DerivesLinearGainToleranceAndThreshold) {
  struct Row {
    const char* gain;
    const char* tolerance;
    double gainLinear;
    double threshold;
  };
  for (const Row& row : {Row{"0", "-40", 1.0, 327.68}, Row{"-6", "-40", 0.501187, 164.23},
                         Row{"6", "0", 1.995262, 65380.76}, Row{"0", "0", 1.0, 32768.0}}) {
    char* argv[] = {const_cast<char*>("tonalign"), const_cast<char*>("r"),
                    const_cast<char*>("i"),        const_cast<char*>("1"),
                    const_cast<char*>(row.gain),   const_cast<char*>(row.tolerance),
                    const_cast<char*>("0")};
    RunParameters p = ParseParameters(7, argv);
    EXPECT_NEAR(p.GainLinear, row.gainLinear, 1e-6) << row.gain;
    EXPECT_NEAR(p.Threshold, row.threshold, 0.01) << row.gain << " " << row.tolerance;
    EXPECT_EQ(p.Threshold, (p.ToleranceLinear * p.GainLinear) * 32768.0);
    EXPECT_EQ(p.VerboseLevel, 0);
  }
}

TEST(ParseParameters, ReadsTheOptionalVerboseLevel) {
  char* argv[] = {const_cast<char*>("tonalign"), const_cast<char*>("r"), const_cast<char*>("i"),
                  const_cast<char*>("0x10"),     const_cast<char*>("0"), const_cast<char*>("-40"),
                  const_cast<char*>("-5"),       const_cast<char*>("2")};
  RunParameters p = ParseParameters(8, argv);
  EXPECT_EQ(p.ErrorLimit, 16);
  EXPECT_EQ(p.SkipSamples, -5);
  EXPECT_EQ(p.VerboseLevel, 2);
}

TEST(CheckArgumentCount, AcceptsSixOrSevenArguments) {
  for (int count = 0; count <= 10; ++count) {
    EXPECT_EQ(CheckArgumentCount(count), count == 7 || count == 8) << count;
  }
}

}  // namespace
}  // namespace tonalign
