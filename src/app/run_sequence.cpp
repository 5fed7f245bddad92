#include "app/run_sequence.h"

#include <cstdint>
#include <cstdlib>

#include "app/output.h"
#include "app/run_parameters.h"
#include "compare/peak_alignment.h"
#include "compare/sample_comparison.h"
#include "pcm/sample_stream.h"

namespace tonalign {
namespace {

// The two streams carry large buffers; they live for the whole process.
SampleStream gReference;
SampleStream gInput;

}  // namespace

void EndRun(int status) {
  if (!FlushOutput()) status = 1;
  std::exit(status);
}

void RunTonalign(int argc, char** argv) {
  PrintBanner();
  if (!CheckArgumentCount(argc)) {
    PrintUsage();
    EndRun(1);
  }
  if (!gReference.Open(argv[1])) {
    Print("Error: Could open not Reference file ", argv[1], "\n");
    EndRun(1);
  }
  if (!gInput.Open(argv[2])) {
    Print("Error: Could open not open input file ", argv[2], "\n");
    EndRun(1);
  }
  const RunParameters parameters = ParseParameters(argc, argv);
  PrintParameters(parameters);

  // 64 bits, so that files beyond 2^31 samples are still counted exactly.
  std::int64_t nSampleCount = 0;
  Print("Finding peak in Reference file...\n");
  const PeakResult referencePeak =
      FindFirstPeak(gReference, StreamRole::Reference, parameters.VerboseLevel, nSampleCount);

  Print("Skipping ", std::int64_t{parameters.SkipSamples}, " samples in Input file...\n");
  if (parameters.SkipSamples > 0) {
    // Skipped reads count whether or not they succeed.
    nSampleCount = parameters.SkipSamples;
    gInput.SkipSamples(parameters.SkipSamples);
  }
  if (gInput.AtEnd()) {
    Print("Error: Unexpected EOF while skipping samples\n");
    EndRun(1);
  }

  Print("Finding peak in Input file...\n");
  const PeakResult inputPeak =
      FindFirstPeak(gInput, StreamRole::Input, parameters.VerboseLevel, nSampleCount);

  Print("Processing...\n");
  CompareStreams(gReference, gInput, parameters, referencePeak, inputPeak, nSampleCount);

  gReference.Close();
  gInput.Close();
  Print("Done.\n");
  EndRun(0);
}

}  // namespace tonalign
