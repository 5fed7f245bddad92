#include "pcm/sample_stream.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

namespace tonalign {

bool SampleStream::Open(const char* path) {
  // Like fopen(path, "rb"): a directory opens too, and every read of it fails.
  do {
    fd = open(path, O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  atEnd = false;
  failed = false;
  next = 0;
  filled = 0;
  return fd >= 0;
}

bool SampleStream::Refill() {
  // Both indicators stick: after the end of the file nothing more is handed
  // out, and after a read error the byte position is no longer trustworthy.
  if (atEnd || failed) return false;
  std::size_t left = filled - next;
  std::memmove(buffer, buffer + next, left);
  next = 0;
  filled = left;
  while (filled < 2) {
    ssize_t got = read(fd, buffer + filled, kStreamBufferBytes - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      failed = true;
      return false;
    }
    if (got == 0) {
      atEnd = true;
      next = filled;  // the failed read takes a lone trailing byte with it
      return false;
    }
    filled += static_cast<std::size_t>(got);
  }
  return true;
}

void SampleStream::SkipSamples(std::int64_t count) {
  while (count > 0) {
    std::size_t buffered = BufferedSamples();
    if (buffered == 0) {
      std::int16_t discarded;
      if (!ReadSample(discarded)) return;
      --count;
      continue;
    }
    std::size_t taken =
        static_cast<std::uint64_t>(count) < buffered ? static_cast<std::size_t>(count) : buffered;
    ConsumeSamples(taken);
    count -= static_cast<std::int64_t>(taken);
  }
}

void SampleStream::Close() {
  if (fd >= 0) close(fd);
  fd = -1;
}

}  // namespace tonalign
