#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/output.h"
#include "compare/peak_alignment.h"
#include "test_files.h"

namespace tonalign {
namespace {

using testing::EncodeSamples;
using testing::OpenStream;
using testing::TempFile;

struct PeakCase {
  const char* name;
  std::vector<std::int16_t> samples;
  std::int16_t peak;
  std::int16_t startSample;
  int samplesRead;  // how many samples the search consumes
};

class PeakSearch : public ::testing::TestWithParam<PeakCase> {};

TEST_P(PeakSearch, EndsAtTheFirstSampleNotAboveThePeak) {
  const PeakCase& c = GetParam();
  std::vector<std::int16_t> samples = c.samples;
  samples.push_back(1234);  // a sentinel the search must not reach
  TempFile file(EncodeSamples(samples));

  for (StreamRole role : {StreamRole::Reference, StreamRole::Input}) {
    auto stream = OpenStream(file);
    std::int64_t nSampleCount = 10;  // as if ten samples had been skipped
    PeakResult result = FindFirstPeak(*stream, role, 0, nSampleCount);
    EXPECT_EQ(result.Peak, c.peak);
    EXPECT_EQ(result.StartSample, c.startSample);
    EXPECT_EQ(nSampleCount, role == StreamRole::Input ? 10 + c.samplesRead : 10)
        << "only the input role counts";
    std::int16_t next = 0;
    ASSERT_TRUE(stream->ReadSample(next));
    EXPECT_EQ(next, samples[static_cast<std::size_t>(c.samplesRead)]);
  }
  FlushOutput();
}

INSTANTIATE_TEST_SUITE_P(
    Table, PeakSearch,
    ::testing::Values(PeakCase{"FlatTopEndsAtItsSecondSample", {5, -3, 0, 4, 9, 12, 12}, 12, 12, 7},
                      PeakCase{"ArmingSampleIsNoCandidate", {-1, 100, 50, 60, 60}, 60, 60, 5},
                      PeakCase{
                          "ArmingSampleIsNoCandidateFallingAfter", {-1, 100, 50, 40}, 50, 40, 4},
                      PeakCase{"DropRightAfterArmingGivesPeakZero", {-2, 3, -1}, 0, -1, 3},
                      PeakCase{"FirstSampleNeverArms", {7, 8, 0, 1, 2, 1}, 2, 1, 6},
                      PeakCase{"ZeroBeforeRiseArms", {0, 1, 2, 2}, 2, 2, 4},
                      PeakCase{"ClimbToFullScale", {-32768, 1, 32767, 32767}, 32767, 32767, 4},
                      PeakCase{"InputAfterSkip", {-1, 5, 9, 7}, 9, 7, 4}),
    [](const ::testing::TestParamInfo<PeakCase>& info) { return std::string(info.param.name); });

// A stream that runs out before its peak ends the run with status 1.
TEST(PeakSearchDeathTest, StreamWithoutAPeakEndsTheRun) {
  for (const std::vector<std::int16_t>& samples :
       {std::vector<std::int16_t>{0, 0, 0}, {5, 6, 7}, {-1, 2, 3, 4}, {}}) {
    TempFile file(EncodeSamples(samples));
    auto stream = OpenStream(file);
    std::int64_t nSampleCount = 0;
    EXPECT_EXIT(FindFirstPeak(*stream, StreamRole::Input, 0, nSampleCount),
                ::testing::ExitedWithCode(1), "");
  }
}

}  // namespace
}  // namespace tonalign
