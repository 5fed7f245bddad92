// Brings a stream to the phase where the comparison starts: the first
// upward zero crossing, followed up the rising half-wave to its top.
#pragma once

#include <cstdint>

#include "pcm/sample_stream.h"

namespace tonalign {

struct PeakResult {
  std::int16_t Peak = 0;         // top of the climb, printed only
  std::int16_t StartSample = 0;  // the sample that ended the climb, compared first
};

enum class StreamRole { Reference, Input };

// The read-failure lines of the two roles, shared with the comparison.
void PrintReferenceReadFailure();
void PrintInputReadFailure(std::int64_t nSampleCount);

// Reads stream up to the end of its first climb and gives true with the
// result, or false when a read fails first. For the input role every sample
// read advances nSampleCount. Prints the trace lines and the peak line.
bool SearchFirstPeak(SampleStream& stream, StreamRole role, std::int32_t VerboseLevel,
                     std::int64_t& nSampleCount, PeakResult& result);

// SearchFirstPeak for the run: a stream that runs out first ends the run
// with its read-failure line and status 1.
PeakResult FindFirstPeak(SampleStream& stream, StreamRole role, std::int32_t VerboseLevel,
                         std::int64_t& nSampleCount);

}  // namespace tonalign
