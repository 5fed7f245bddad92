#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "pcm/sample_stream.h"
#include "test_files.h"

namespace tonalign {
namespace {

using testing::EncodeSamples;
using testing::OpenStream;
using testing::TempFile;

struct DecodeCase {
  unsigned char low;
  unsigned char high;
  std::int16_t expected;
};

class SampleDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(SampleDecoding, LowByteFirstTwosComplement) {
  const DecodeCase& c = GetParam();
  const unsigned char bytes[] = {c.low, c.high};
  EXPECT_EQ(DecodeSample(bytes), c.expected);
  TempFile file({c.low, c.high});
  auto stream = OpenStream(file);
  std::int16_t sample = 0;
  ASSERT_TRUE(stream->ReadSample(sample));
  EXPECT_EQ(sample, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SampleDecoding,
                         ::testing::Values(DecodeCase{0x00, 0x80, -32768},
                                           DecodeCase{0xFF, 0x7F, 32767},
                                           DecodeCase{0xFF, 0xFF, -1}, DecodeCase{0x00, 0x00, 0},
                                           DecodeCase{0x01, 0x00, 1}, DecodeCase{0x00, 0x01, 256},
                                           DecodeCase{0x34, 0x12, 0x1234}));

// What each successive ReadSample gives: true with a sample, or false, and
// the end-of-file indicator after it.
struct ReadStep {
  bool ok;
  std::int16_t sample;
  bool atEnd;
};

void ExpectReads(const std::vector<unsigned char>& bytes, const std::vector<ReadStep>& steps) {
  TempFile file(bytes);
  auto stream = OpenStream(file);
  EXPECT_FALSE(stream->AtEnd()) << "nothing is read at opening";
  for (std::size_t i = 0; i < steps.size(); ++i) {
    std::int16_t sample = 0;
    EXPECT_EQ(stream->ReadSample(sample), steps[i].ok) << "read " << i;
    if (steps[i].ok) {
      EXPECT_EQ(sample, steps[i].sample) << "read " << i;
    }
    EXPECT_EQ(stream->AtEnd(), steps[i].atEnd) << "read " << i;
  }
}

TEST(SampleStream, EndOfFileIsSetOnlyByAReadThatFindsTooFewBytes) {
  // Empty file: the first read fails and sets the indicator, and it stays set.
  ExpectReads({}, {{false, 0, true}, {false, 0, true}});
  // Two bytes: the last sample is read without setting the indicator.
  ExpectReads({0x05, 0x00}, {{true, 5, false}, {false, 0, true}});
  // Three bytes: the lone third byte is consumed by the failing read.
  ExpectReads({0x05, 0x00, 0x07}, {{true, 5, false}, {false, 0, true}, {false, 0, true}});
}

TEST(SampleStream, ReadsAcrossManyBufferFillsInOrder) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < 3 * static_cast<int>(kStreamBufferBytes) / 2 + 7; ++i) {
    samples.push_back(static_cast<std::int16_t>(i * 7919));
  }
  TempFile file(EncodeSamples(samples));
  auto stream = OpenStream(file);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    std::int16_t sample = 0;
    ASSERT_TRUE(stream->ReadSample(sample)) << i;
    ASSERT_EQ(sample, samples[i]) << i;
  }
  std::int16_t sample = 0;
  EXPECT_FALSE(stream->ReadSample(sample));
  EXPECT_TRUE(stream->AtEnd());
}

TEST(SampleStream, ADirectoryOpensButEveryReadFailsWithoutEndOfFile) {
  SampleStream* stream = new SampleStream;
  ASSERT_TRUE(stream->Open("/tmp"));
  std::int16_t sample = 0;
  EXPECT_FALSE(stream->ReadSample(sample));
  EXPECT_FALSE(stream->ReadSample(sample));
  EXPECT_FALSE(stream->AtEnd());
  EXPECT_TRUE(stream->failed);
  stream->Close();
  delete stream;
}

TEST(SampleStream, MissingFileDoesNotOpen) {
  SampleStream* stream = new SampleStream;
  EXPECT_FALSE(stream->Open("/nonexistent/tonalign/file.pcm"));
  delete stream;
}

TEST(SampleStream, SkipStopsAtTheEndOfTheFile) {
  struct Row {
    std::size_t bytes;
    std::int64_t skip;
    bool atEnd;
    bool nextReadOk;
  };
  const Row rows[] = {
      {10, 4, false, true},   // fewer than held: the fifth sample is next
      {10, 5, false, false},  // exactly all: no failed read yet
      {10, 6, true, false},   // one more: the indicator is set
      {11, 5, false, false},  // all whole samples; the lone byte is still unread
      {11, 6, true, false},   // the failing read consumes the lone byte
      {10, 2147483647, true, false},
      {2 * kStreamBufferBytes + 6, 2 * static_cast<std::int64_t>(kStreamBufferBytes) / 2, false,
       true},
  };
  for (const Row& row : rows) {
    TempFile file(std::vector<unsigned char>(row.bytes, 0x01));
    auto stream = OpenStream(file);
    stream->SkipSamples(row.skip);
    EXPECT_EQ(stream->AtEnd(), row.atEnd) << row.bytes << " bytes, skip " << row.skip;
    std::int16_t sample = 0;
    EXPECT_EQ(stream->ReadSample(sample), row.nextReadOk)
        << row.bytes << " bytes, skip " << row.skip;
    if (row.nextReadOk) {
      EXPECT_EQ(sample, 0x0101);
    }
    EXPECT_EQ(stream->AtEnd(), row.atEnd || !row.nextReadOk);
  }
}

}  // namespace
}  // namespace tonalign
