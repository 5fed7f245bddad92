// Small fixture files for the unit tests, removed when the test ends.
#pragma once

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "pcm/sample_stream.h"

namespace tonalign::testing {

inline std::vector<unsigned char> EncodeSamples(const std::vector<std::int16_t>& samples) {
  std::vector<unsigned char> bytes;
  for (std::int16_t s : samples) {
    auto bits = static_cast<std::uint16_t>(s);
    bytes.push_back(static_cast<unsigned char>(bits & 0xFF));
    bytes.push_back(static_cast<unsigned char>(bits >> 8));
  }
  return bytes;
}

class TempFile {
 public:
  explicit TempFile(const std::vector<unsigned char>& bytes) {
    char name[] = "/tmp/tonalign-test-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) std::abort();
    path_ = name;
    if (!bytes.empty() &&
        write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      std::abort();
    }
    close(fd);
  }
  ~TempFile() { std::remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

// A stream over a file; the stream's buffer is too large for comfort on the stack.
inline std::unique_ptr<SampleStream> OpenStream(const TempFile& file) {
  auto stream = std::make_unique<SampleStream>();
  if (!stream->Open(file.path())) std::abort();
  return stream;
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tonalign::testing
