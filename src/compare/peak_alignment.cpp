#include "compare/peak_alignment.h"

#include "app/output.h"
#include "app/run_sequence.h"

namespace tonalign {
namespace {

void PrintTrace(StreamRole role, std::int16_t sample) {
  Print(role == StreamRole::Reference ? "Ref Val = " : "Inp Val = ", std::int64_t{sample}, "\n");
}

void PrintPeak(StreamRole role, std::int16_t peak) {
  Print(role == StreamRole::Reference ? "Ref Peak = " : "Peak = ", std::int64_t{peak}, "\n");
}

}  // namespace

void PrintReferenceReadFailure() {
  Print("Error: Could not read from the Reference file\n");
}

void PrintInputReadFailure(std::int64_t nSampleCount) {
  Print("Error: Could not read from the input file (nSampleCount=", nSampleCount, ")\n");
}

bool SearchFirstPeak(SampleStream& stream, StreamRole role, std::int32_t VerboseLevel,
                     std::int64_t& nSampleCount, PeakResult& result) {
  bool armed = false;
  // Starting above zero, the first sample can never arm the search.
  std::int16_t previous = 1;
  std::int16_t peak = 0;
  for (;;) {
    std::int16_t sample;
    if (!stream.ReadSample(sample)) return false;
    if (VerboseLevel > 0) PrintTrace(role, sample);
    if (role == StreamRole::Input) ++nSampleCount;
    if (armed) {
      // The climb ends at the first sample not above the peak.
      if (sample <= peak) {
        PrintPeak(role, peak);
        result = PeakResult{peak, sample};
        return true;
      }
      peak = sample;
    } else if (previous <= 0 && sample > 0) {
      // The sample that arms the search is never itself a peak candidate.
      armed = true;
    }
    previous = sample;
  }
}

PeakResult FindFirstPeak(SampleStream& stream, StreamRole role, std::int32_t VerboseLevel,
                         std::int64_t& nSampleCount) {
  PeakResult result;
  if (!SearchFirstPeak(stream, role, VerboseLevel, nSampleCount, result)) {
    if (role == StreamRole::Reference) {
      PrintReferenceReadFailure();
    } else {
      PrintInputReadFailure(nSampleCount);
    }
    EndRun(1);
  }
  return result;
}

}  // namespace tonalign
