#include "app/run_parameters.h"

#include <cctype>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/output.h"

namespace tonalign {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The white space that strtol and strtod skip in the C locale.
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

const char* SkipDigits(const char* p) {
  while (IsDigit(*p)) ++p;
  return p;
}

}  // namespace

std::int32_t ConvertInteger(const char* text) {
  long value = std::strtol(text, nullptr, 0);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

double ConvertFloat(const char* text) {
  const char* p = text;
  while (IsSpace(*p)) ++p;
  const char* start = p;
  if (*p == '+' || *p == '-') ++p;
  const char* integerEnd = SkipDigits(p);
  bool hasDigits = integerEnd != p;
  const char* end = integerEnd;
  if (*end == '.') {
    const char* fractionEnd = SkipDigits(end + 1);
    hasDigits = hasDigits || fractionEnd != end + 1;
    end = fractionEnd;
  }
  if (!hasDigits) return 0.0;
  std::string number(start, end);
  if (*end == 'e' || *end == 'E' || *end == 'd' || *end == 'D') {
    const char* exponent = end + 1;
    if (*exponent == '+' || *exponent == '-') ++exponent;
    const char* exponentEnd = SkipDigits(exponent);
    // A marker without digits is not part of the number.
    if (exponentEnd != exponent) {
      number += 'e';
      number.append(end + 1, exponentEnd);
    }
  }
  // The text is now plain decimal, which strtod rounds correctly; its
  // overflow gives an infinity of the right sign.
  double value = std::strtod(number.c_str(), nullptr);
  if (std::fabs(value) < DBL_MIN) return 0.0;
  return value;
}

void PrintBanner() {
  Print("Tonalign: Compares two sinewave audio files (same frequency)\n");
}

bool CheckArgumentCount(int count) {
  return count == 7 || count == 8;
}

void PrintUsage() {
  Print(
      "Usage:\n"
      "  Tonalign <RefFile><InFile> <ErrorLimit> <gain> <tolerance> <SkipSamples> "
      "[VerboseLevel]\n"
      "\n"
      "where:\n"
      "\n"
      "  <ErrorLimit> is the number of errors that are acceptable\n"
      "  <Gain> is the gain difference between <RefFile> and <InFile> (in dB)\n"
      "  <Tolerance> is the accepted sample value discrepancy (in dB)\n"
      "  <SkipSamples> is the number of samples to skip in <InFile>\n"
      "\n"
      "The two files must be in 16-bit signed PCM format.\n"
      "The reference file must be single tone sinewave.\n"
      "\n");
}

RunParameters ParseParameters(int count, char* const* arguments) {
  RunParameters p;
  p.RefFile = arguments[1];
  p.InFile = arguments[2];
  p.ErrorLimit = ConvertInteger(arguments[3]);
  p.Gain = ConvertFloat(arguments[4]);
  p.Tolerance = ConvertFloat(arguments[5]);
  p.SkipSamples = ConvertInteger(arguments[6]);
  if (count > 7) p.VerboseLevel = ConvertInteger(arguments[7]);
  // 0.05 rather than a division by 20, so the values match to the last bit.
  p.GainLinear = std::pow(10.0, p.Gain * 0.05);
  p.ToleranceLinear = std::pow(10.0, p.Tolerance * 0.05);
  p.Threshold = (p.ToleranceLinear * p.GainLinear) * 32768.0;
  return p;
}

void PrintParameters(const RunParameters& p) {
  Print("Reference file : ", p.RefFile, "\n");
  Print("Input file     : ", p.InFile, "\n");
  Print("Error Limit    : ", std::int64_t{p.ErrorLimit}, "\n");
  Print("Input gain     : ", Fixed2{p.Gain}, " (", Fixed2{p.GainLinear}, ")\n");
  Print("Input tolerance: ", Fixed2{p.Tolerance}, " (", Fixed2{p.ToleranceLinear}, ", ",
        Fixed2{p.Threshold}, ")\n");
}

}  // namespace tonalign
