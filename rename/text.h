// Byte-level text rules of the rename plan.
//
// Text is a byte string in the system's multibyte code page (GBK here). Every
// rule counts bytes. A byte of 0x80 or above leads a two-byte character
// together with the byte after it, recognised by its value alone; the second
// byte of such a character is never tested for a separator or a backslash.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

using Text = std::string;
using TextView = std::string_view;

constexpr bool IsLeadByte(char byte) {
  return static_cast<unsigned char>(byte) >= 0x80;
}

// Lines separated by CR LF. An empty text yields no line; one trailing CR LF
// adds no line. The views point into `text`.
std::vector<TextView> SplitLines(TextView text);

// The lines of SplitLines one at a time, without a list of them.
class LineScanner {
 public:
  explicit LineScanner(TextView text) : text_(text) {}
  // Sets `line` to the next line; false once every line has been given.
  bool Next(TextView& line);

 private:
  TextView text_;
  std::size_t lineStart_ = 0;
  std::size_t known_ = 0;  // starts a character; no separator begins before it
};

// 1-based byte position of the last backslash that starts a character, or -1.
std::int32_t LastBackslashPos(TextView text);

// The first / last n bytes; empty for n <= 0, the whole text for n >= size.
// Cuts ignore character boundaries.
TextView LeftBytes(TextView text, std::int32_t n);
TextView RightBytes(TextView text, std::int32_t n);

// i in decimal as "%d" writes it.
Text DecimalText(std::int32_t i);

}  // namespace batch
