// The command line: banner, usage text, argument conversion and the
// parameter lines printed once both files are open.
#pragma once

#include <cstdint>

namespace tonalign {

struct RunParameters {
  const char* RefFile = "";
  const char* InFile = "";
  std::int32_t ErrorLimit = 0;
  double Gain = 0.0;       // dB, of InFile relative to RefFile
  double Tolerance = 0.0;  // dB relative to full scale
  std::int32_t SkipSamples = 0;
  std::int32_t VerboseLevel = 0;
  double GainLinear = 1.0;
  double ToleranceLinear = 1.0;
  double Threshold = 0.0;  // largest accepted difference, in sample units
};

// strtol with base 0, saturated to the 32-bit range.
std::int32_t ConvertInteger(const char* text);

// Decimal text with an optional exponent marked e, E, d or D. Magnitudes
// beyond a double give an infinity; those below the smallest normal double
// give +0. Text that does not begin with a number gives 0.
double ConvertFloat(const char* text);

void PrintBanner();
bool CheckArgumentCount(int count);
void PrintUsage();

// argv as main receives it; the count must have passed CheckArgumentCount.
RunParameters ParseParameters(int count, char* const* arguments);
void PrintParameters(const RunParameters& parameters);

}  // namespace tonalign
