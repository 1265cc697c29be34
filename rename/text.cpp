#include "rename/text.h"

#include <charconv>
#include <cstring>

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

// A CR found by memchr starts a character exactly when the run of bytes of
// 0x80 and above right before it has even length: the run begins at a
// character start, because the byte before it (below 0x80) is either a
// one-byte character or the second byte of a pair, and `known_` (a position
// known to start a character) bounds the run otherwise. The byte after any
// CR starts a character, so each byte is looked at backwards at most once.
bool LineScanner::Next(TextView& line) {
  const std::size_t size = text_.size();
  while (size - known_ >= 2) {
    // A CR in the last byte can end no separator, so it is not searched for.
    const void* found = std::memchr(text_.data() + known_, kCr, size - known_ - 1);
    if (found == nullptr) break;
    const auto cr = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
    std::size_t run = 0;
    while (cr - run > known_ && IsLeadByte(text_[cr - run - 1])) ++run;
    known_ = cr + 1;
    if (run % 2 == 0 && text_[cr + 1] == kLf) {
      line = text_.substr(lineStart_, cr - lineStart_);
      lineStart_ = cr + 2;
      known_ = cr + 2;
      return true;
    }
  }
  known_ = size;
  if (lineStart_ == size) return false;
  line = text_.substr(lineStart_);
  lineStart_ = size;
  return true;
}

std::vector<TextView> SplitLines(TextView text) {
  std::vector<TextView> lines;
  LineScanner scanner(text);
  for (TextView line; scanner.Next(line);) lines.push_back(line);
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
