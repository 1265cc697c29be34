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

// 1-based byte position of the last backslash that starts a character, or -1.
std::int32_t LastBackslashPos(TextView text);

// The first / last n bytes; empty for n <= 0, the whole text for n >= size.
// Cuts ignore character boundaries.
TextView LeftBytes(TextView text, std::int32_t n);
TextView RightBytes(TextView text, std::int32_t n);

// i in decimal as "%d" writes it.
Text DecimalText(std::int32_t i);

}  // namespace batch
