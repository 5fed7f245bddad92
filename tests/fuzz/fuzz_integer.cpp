// The integer conversion against strtol with base 0, clamped to 32 bits.
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/run_parameters.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // NUL-terminated copy
  long expected = std::strtol(text.c_str(), nullptr, 0);
  if (expected > INT32_MAX) expected = INT32_MAX;
  if (expected < INT32_MIN) expected = INT32_MIN;
  if (tonalign::ConvertInteger(text.c_str()) != expected) std::abort();
  return 0;
}
