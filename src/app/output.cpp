#include "app/output.h"

#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace tonalign {
namespace {

constexpr std::size_t kOutputBufferBytes = std::size_t{1} << 16;

struct OutputBuffer {
  char bytes[kOutputBufferBytes];
  std::size_t used = 0;
  bool failed = false;
};

OutputBuffer gOutput;

void WriteAll(const char* data, std::size_t size) {
  while (size > 0 && !gOutput.failed) {
    ssize_t written = write(STDOUT_FILENO, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      gOutput.failed = true;
      break;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

// Makes room for at least `size` bytes at the end of the buffer.
char* Reserve(std::size_t size) {
  if (kOutputBufferBytes - gOutput.used < size) FlushOutput();
  return gOutput.bytes + gOutput.used;
}

}  // namespace

char* FormatFixed2(char* first, double value) {
  return std::to_chars(first, first + kMaxFixed2Chars, value, std::chars_format::fixed, 2).ptr;
}

void PrintPiece(std::string_view text) {
  if (text.size() > kOutputBufferBytes / 2) {
    // A long path: no point copying it through the buffer.
    FlushOutput();
    WriteAll(text.data(), text.size());
    return;
  }
  char* end = Reserve(text.size());
  std::memcpy(end, text.data(), text.size());
  gOutput.used += text.size();
}

void PrintPiece(std::int64_t number) {
  char* end = Reserve(24);
  gOutput.used = static_cast<std::size_t>(std::to_chars(end, end + 24, number).ptr - gOutput.bytes);
}

void PrintPiece(Fixed2 number) {
  char* end = Reserve(kMaxFixed2Chars);
  gOutput.used = static_cast<std::size_t>(FormatFixed2(end, number.value) - gOutput.bytes);
}

bool FlushOutput() {
  WriteAll(gOutput.bytes, gOutput.used);
  gOutput.used = 0;
  return !gOutput.failed;
}

}  // namespace tonalign
