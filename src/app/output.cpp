#include "app/output.h"

#include <unistd.h>
#include <bit>
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
  // value is mantissa × 2^-shift exactly. Below 2^53, mantissa × 100 fits in
  // 64 bits, and rounding it to a whole number of hundredths, ties to even, is
  // what printf does with the exact binary value.
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const int shift = biasedExponent == 0 ? 1074 : 1075 - biasedExponent;
  if (shift < 1) {
    // 2^53 and beyond, infinities and NaN: rare enough for the general path.
    return std::to_chars(first, first + kMaxFixed2Chars, value, std::chars_format::fixed, 2).ptr;
  }
  const std::uint64_t mantissa =
      biasedExponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const std::uint64_t scaled = mantissa * 100;  // below 2^60
  std::uint64_t hundredths = 0;
  if (shift <= 60) {
    hundredths = scaled >> shift;
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (hundredths & 1) != 0)) ++hundredths;
  }
  char* p = first;
  if ((bits >> 63) != 0) *p++ = '-';  // printf keeps the sign of -0.00
  p = std::to_chars(p, p + 24, hundredths / 100).ptr;
  const auto cents = static_cast<unsigned>(hundredths % 100);
  p[0] = '.';
  p[1] = static_cast<char>('0' + cents / 10);
  p[2] = static_cast<char>('0' + cents % 10);
  return p + 3;
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
