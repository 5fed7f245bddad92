// The printf baseline: prints the lines that tonalign prints for a run of
// differing pairs, formatted by printf. It reads both files side by side from
// the given aligned offsets (in samples) and prints one error line per pair
// ("errors"), or a SampleNo line and an error line per pair ("verbose").
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool ReadSample(std::FILE* file, std::int16_t& sample) {
  unsigned char bytes[2];
  if (std::fread(bytes, 1, 2, file) != 2) return false;
  sample = static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr,
                 "usage: printf_baseline errors|verbose REF IN START_SAMPLE_NO COUNT GAIN_DB\n");
    return 2;
  }
  bool verbose = std::strcmp(argv[1], "verbose") == 0;
  std::FILE* ref = std::fopen(argv[2], "rb");
  std::FILE* in = std::fopen(argv[3], "rb");
  if (ref == nullptr || in == nullptr) {
    std::perror("printf_baseline");
    return 2;
  }
  long long first = std::atoll(argv[4]);
  long long count = std::atoll(argv[5]);
  double gainLinear = std::pow(10.0, std::atof(argv[6]) * 0.05);
  std::fseek(ref, (first - 1) * 2, SEEK_SET);
  std::fseek(in, (first - 1) * 2, SEEK_SET);
  for (long long n = first; n < first + count; ++n) {
    std::int16_t r, x;
    if (!ReadSample(ref, r) || !ReadSample(in, x)) break;
    double scaled = r * gainLinear;
    double diff = std::fabs(scaled - x);
    if (verbose) {
      std::printf("SampleNo #%lld. Diff = %.2f  (%.2f, %.2f)\n", n, diff, scaled,
                  static_cast<double>(x));
    }
    std::printf("Error: SampleNo #%lld. Value differs. Diff=%.2f Ref=%.2f Val=%.2f\n", n, diff,
                scaled, static_cast<double>(x));
  }
  return 0;
}
