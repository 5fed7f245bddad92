#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compare/sample_comparison.h"
#include "test_files.h"

namespace tonalign {
namespace {

using testing::EncodeSamples;

// The plain per-pair definition the block search must agree with.
std::size_t CountMatchingPairsOneByOne(const std::vector<std::int16_t>& ref,
                                       const std::vector<std::int16_t>& in, double gainLinear,
                                       double threshold) {
  std::size_t i = 0;
  while (i < ref.size() && !(std::fabs(ref[i] * gainLinear - in[i]) > threshold)) ++i;
  return i;
}

TEST(CountMatchingPairs, AgreesWithThePerPairDefinition) {
  std::mt19937_64 random(7);
  const double inf = std::numeric_limits<double>::infinity();
  struct Setting {
    double gainLinear;
    double threshold;
  };
  const Setting settings[] = {{1.0, 327.68}, {0.5011872336272722, 164.2},
                              {1.0, 0.0},    {1.9952623149688795, 0.5},
                              {inf, 327.68}, {1.0, inf}};
  for (const Setting& s : settings) {
    for (int round = 0; round < 300; ++round) {
      std::size_t count = random() % 200;
      std::vector<std::int16_t> ref(count), in(count);
      for (std::size_t i = 0; i < count; ++i) {
        ref[i] = static_cast<std::int16_t>(random() % 2001) - 1000;
        in[i] = static_cast<std::int16_t>(
            std::nearbyint(ref[i] * s.gainLinear > 32767 ? 0 : ref[i] * s.gainLinear));
        // A zero reference under infinite gain makes NaN, which counts as matching.
        if (s.gainLinear == inf && random() % 2 == 0) ref[i] = 0;
      }
      if (count > 0 && random() % 3 != 0) {
        std::size_t at = random() % count;
        in[at] = static_cast<std::int16_t>(in[at] + static_cast<int>(random() % 700) - 350);
      }
      std::vector<unsigned char> r = EncodeSamples(ref), x = EncodeSamples(in);
      ASSERT_EQ(CountMatchingPairs(r.data(), x.data(), count, s.gainLinear, s.threshold),
                CountMatchingPairsOneByOne(ref, in, s.gainLinear, s.threshold))
          << "gain " << s.gainLinear << " threshold " << s.threshold << " round " << round;
    }
  }
}

// An input read that fails with a read error, not the end of the file, ends
// the comparison with the input read-failure line. A stream whose buffer
// holds a few samples and whose descriptor is a directory reads exactly so.
TEST(CompareStreamsDeathTest, InputReadErrorEndsTheRunWithoutSummary) {
  testing::TempFile refFile(EncodeSamples({1, 0, -1, -2, -3, -4, -5, -6}));
  RunParameters p;
  p.ErrorLimit = 10;
  p.Threshold = 327.68;
  std::string outputPath = std::string("/tmp/tonalign-death-") + std::to_string(getpid());
  for (std::int32_t verbose : {0, 2}) {
    p.VerboseLevel = verbose;
    std::int64_t nSampleCount = 20;
    // Fresh streams each time: the child shares the file offsets it reads.
    auto reference = testing::OpenStream(refFile);
    auto input = std::make_unique<SampleStream>();
    ASSERT_TRUE(input->Open("/tmp"));
    std::vector<unsigned char> held = EncodeSamples({0, -1, -2});
    std::copy(held.begin(), held.end(), input->buffer);
    input->filled = held.size();
    EXPECT_EXIT(
        {
          int fd = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
          dup2(fd, STDOUT_FILENO);
          CompareStreams(*reference, *input, p, PeakResult{2, 2}, PeakResult{2, 2}, nSampleCount);
        },
        ::testing::ExitedWithCode(1), "");
    std::string expected;
    if (verbose == 2) {
      expected =
          "SampleNo #20. Diff = 0.00  (2.00, 2.00)\n"
          "SampleNo #21. Diff = 1.00  (1.00, 0.00)\n"
          "SampleNo #22. Diff = 1.00  (0.00, -1.00)\n"
          "SampleNo #23. Diff = 1.00  (-1.00, -2.00)\n";
    }
    expected += "Error: Could not read from the input file (nSampleCount=23)\n";
    EXPECT_EQ(testing::ReadWholeFile(outputPath), expected) << "VerboseLevel " << verbose;
  }
  std::remove(outputPath.c_str());
}

}  // namespace
}  // namespace tonalign
