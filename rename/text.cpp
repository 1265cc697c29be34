#include "rename/text.h"

#include <charconv>

namespace batch {

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kBackslash = '\\';

// Length of the character that starts at `pos`: two bytes after a lead byte,
// unless the lead byte is the text's last byte.
std::size_t CharLength(TextView text, std::size_t pos) {
  return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::vector<TextView> SplitLines(TextView text) {
  std::vector<TextView> lines;
  std::size_t lineStart = 0;
  std::size_t pos = 0;
  while (text.size() - pos >= 2) {
    if (text[pos] == kCr && text[pos + 1] == kLf) {
      lines.push_back(text.substr(lineStart, pos - lineStart));
      pos += 2;
      lineStart = pos;
    } else {
      pos += CharLength(text, pos);
    }
  }
  if (lineStart < text.size()) lines.push_back(text.substr(lineStart));
  return lines;
}

std::int32_t LastBackslashPos(TextView text) {
  std::int32_t last = -1;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
    if (text[pos] == kBackslash) last = static_cast<std::int32_t>(pos + 1);
  }
  return last;
}

TextView LeftBytes(TextView text, std::int32_t n) {
  if (n <= 0) return {};
  return text.substr(0, static_cast<std::size_t>(n));
}

TextView RightBytes(TextView text, std::int32_t n) {
  if (n <= 0) return {};
  const auto count = static_cast<std::size_t>(n);
  return count >= text.size() ? text : text.substr(text.size() - count);
}

Text DecimalText(std::int32_t i) {
  char digits[12];
  const auto result = std::to_chars(digits, digits + sizeof digits, i);
  return Text(digits, result.ptr);
}

}  // namespace batch
