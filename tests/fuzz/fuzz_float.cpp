// The floating conversion against strtod. Text whose number uses a d or D
// exponent marker is checked against strtod on the same text with every d
// and D turned into e. strtod also reads names, hexadecimal and exponent
// markers that the tool does not; such inputs are checked only for a sane
// result.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/run_parameters.h"

namespace {

// Whether strtod read only the tool's decimal syntax from text.
bool ReadOnlyDecimalSyntax(const char* text, const char* end) {
  for (const char* p = text; p < end; ++p) {
    if (std::strchr("0123456789.eE+- \t\n\v\f\r", *p) == nullptr) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // NUL-terminated copy
  const double value = tonalign::ConvertFloat(text.c_str());
  if (std::isnan(value)) std::abort();
  if (value != 0.0 && std::fabs(value) < DBL_MIN) std::abort();
  if (value == 0.0 && std::signbit(value)) std::abort();

  std::string rewritten = text.substr(0, std::strlen(text.c_str()));
  for (char& c : rewritten) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  char* end = nullptr;
  double expected = std::strtod(rewritten.c_str(), &end);
  if (!ReadOnlyDecimalSyntax(rewritten.c_str(), end)) return 0;
  if (std::fabs(expected) < DBL_MIN) expected = 0.0;  // the tool flushes tiny values to +0
  if (std::memcmp(&value, &expected, sizeof value) != 0) std::abort();
  return 0;
}
