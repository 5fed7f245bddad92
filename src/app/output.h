// Standard output of a run: one buffer, written out with write(2) when full
// and when the run ends. Messages are built from pieces so that no format
// string is parsed per line; a double piece prints as printf's "%.2f" does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tonalign {

// A double to be printed with two decimals, rounded as printf's "%.2f".
struct Fixed2 {
  double value;
};

// Large enough for any double in fixed notation with two decimals.
inline constexpr std::size_t kMaxFixed2Chars = 330;

// Writes value as printf("%.2f") would and returns the end of the text.
char* FormatFixed2(char* first, double value);

void PrintPiece(std::string_view text);
void PrintPiece(std::int64_t number);
void PrintPiece(Fixed2 number);

template <typename... Pieces>
void Print(const Pieces&... pieces) {
  (PrintPiece(pieces), ...);
}

// Writes out what is buffered. Gives false once any write to standard output
// has failed: the rest of the output is then dropped, and the run must not
// report success.
bool FlushOutput();

}  // namespace tonalign
