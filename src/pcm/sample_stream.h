// A headerless 16-bit signed little-endian PCM file, read one sample at a
// time through a buffer, with the end-of-file and error indicators of a C
// stream: the end-of-file indicator is set only by a read that finds fewer
// than two bytes, and a lone trailing byte is consumed by that read.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tonalign {

// Bytes fetched from the operating system per read request.
inline constexpr std::size_t kStreamBufferBytes = std::size_t{1} << 17;

// Decodes the sample whose low byte is at bytes[0] and high byte at bytes[1].
inline std::int16_t DecodeSample(const unsigned char* bytes) {
  if constexpr (std::endian::native == std::endian::little) {
    // One plain 16-bit load, which the comparison's vector loop relies on.
    std::int16_t sample;
    std::memcpy(&sample, bytes, sizeof sample);
    return sample;
  } else {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
  }
}

struct SampleStream {
  int fd = -1;
  bool atEnd = false;
  bool failed = false;     // a read failed for a reason other than the end of the file
  std::size_t next = 0;    // offset of the next unread byte in buffer
  std::size_t filled = 0;  // bytes of buffer holding file data
  alignas(64) unsigned char buffer[kStreamBufferBytes];

  // Opens path for reading; nothing is read yet. Gives false if it cannot.
  bool Open(const char* path);

  // Gives the next sample, or false at the end of the file or on a read error.
  bool ReadSample(std::int16_t& sample) {
    if (filled - next < 2 && !Refill()) return false;
    sample = DecodeSample(buffer + next);
    next += 2;
    return true;
  }

  // Discards up to count samples as count calls of ReadSample would, but stops
  // early once a read has failed, since no later read can succeed.
  void SkipSamples(std::int64_t count);

  bool AtEnd() const { return atEnd; }

  // Whole samples that ReadSample can hand out without another read request.
  std::size_t BufferedSamples() const { return (filled - next) / 2; }
  const unsigned char* BufferedBytes() const { return buffer + next; }
  void ConsumeSamples(std::size_t count) { next += 2 * count; }

  void Close();

 private:
  // Makes at least two bytes available. Gives false, with the indicator set,
  // when the file ends first (taking a lone byte with it) or a read fails.
  bool Refill();
};

}  // namespace tonalign
