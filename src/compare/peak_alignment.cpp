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

[[noreturn]] void FailRead(StreamRole role, std::int64_t nSampleCount) {
  if (role == StreamRole::Reference) {
    PrintReferenceReadFailure();
  } else {
    PrintInputReadFailure(nSampleCount);
  }
  EndRun(1);
}

}  // namespace

void PrintReferenceReadFailure() {
  Print("Error: Could not read from the Reference file\n");
}

void PrintInputReadFailure(std::int64_t nSampleCount) {
  Print("Error: Could not read from the input file (nSampleCount=", nSampleCount, ")\n");
}

PeakResult FindFirstPeak(SampleStream& stream, StreamRole role, std::int32_t VerboseLevel,
                         std::int64_t& nSampleCount) {
  bool armed = false;
  // Starting above zero, the first sample can never arm the search.
  std::int16_t previous = 1;
  std::int16_t peak = 0;
  for (;;) {
    std::int16_t sample;
    if (!stream.ReadSample(sample)) FailRead(role, nSampleCount);
    if (VerboseLevel > 0) PrintTrace(role, sample);
    if (role == StreamRole::Input) ++nSampleCount;
    if (armed) {
      // The climb ends at the first sample not above the peak.
      if (sample <= peak) {
        PrintPeak(role, peak);
        return PeakResult{peak, sample};
      }
      peak = sample;
    } else if (previous <= 0 && sample > 0) {
      // The sample that arms the search is never itself a peak candidate.
      armed = true;
    }
    previous = sample;
  }
}

}  // namespace tonalign
