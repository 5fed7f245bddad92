// The sample stream and the peak search over arbitrary bytes: no crash, no
// read beyond the data, and the StartSample is the sample at which the
// search says it stopped.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/output.h"
#include "compare/peak_alignment.h"
#include "pcm/sample_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const int fd = memfd_create("fuzz-stream", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  static auto stream = std::make_unique<tonalign::SampleStream>();
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
    std::abort();
  }
  if (!stream->Open(path.c_str())) std::abort();

  const std::int64_t wholeSamples = static_cast<std::int64_t>(size / 2);
  std::int64_t nSampleCount = 0;
  tonalign::PeakResult result;
  bool found =
      tonalign::SearchFirstPeak(*stream, tonalign::StreamRole::Input, 0, nSampleCount, result);
  if (found) {
    // The search stops inside the data, at a sample not above the peak.
    if (nSampleCount < 3 || nSampleCount > wholeSamples || stream->AtEnd()) std::abort();
    const std::uint8_t* last = data + 2 * (nSampleCount - 1);
    if (result.StartSample != tonalign::DecodeSample(last)) std::abort();
    if (result.StartSample > result.Peak || result.Peak < 0) std::abort();
    std::int16_t next;
    bool more = stream->ReadSample(next);
    if (more != (nSampleCount < wholeSamples)) std::abort();
    if (more && next != tonalign::DecodeSample(last + 2)) std::abort();
  } else {
    // Only the end of the data stops a search without a peak.
    if (nSampleCount != wholeSamples || !stream->AtEnd()) std::abort();
  }
  stream->Close();
  tonalign::FlushOutput();
  return 0;
}
