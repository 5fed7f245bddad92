// The verdict: walks both aligned streams in lockstep, scales the reference
// by the expected gain and counts the input samples that stray from it by
// more than the threshold.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/run_parameters.h"
#include "compare/peak_alignment.h"
#include "pcm/sample_stream.h"

namespace tonalign {

// Returns only when the input stream ends, after printing the summary. The
// error limit and every failed read end the run with status 1.
void CompareStreams(SampleStream& reference, SampleStream& input, const RunParameters& parameters,
                    PeakResult referencePeak, PeakResult inputPeak, std::int64_t& nSampleCount);

// The number of leading pairs of two encoded sample blocks, each of count
// samples, whose difference is within threshold. The arithmetic is that of
// the per-sample path, to the bit.
std::size_t CountMatchingPairs(const unsigned char* reference, const unsigned char* input,
                               std::size_t count, double gainLinear, double threshold);

}  // namespace tonalign
