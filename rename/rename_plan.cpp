#include "rename/rename_plan.h"

#include <charconv>
#include <cstring>

namespace batch {

namespace {

constexpr std::int32_t kExtensionBytes = 3;

std::size_t DigitCount(std::int32_t i) {
  std::size_t digits = 1;
  for (; i >= 10; i /= 10) ++digits;
  return digits;
}

}  // namespace

// Fills a plan's storage front to back; each piece ends with a NUL byte.
class PlanWriter {
 public:
  PlanWriter(RenamePlan& plan, std::size_t bytes, std::size_t entries)
      : plan_(plan) {
    plan_.storage_ = std::make_unique_for_overwrite<char[]>(bytes);
    plan_.entries_.reserve(entries);
    cursor_ = plan_.storage_.get();
  }

  void Add(std::int32_t number, TextView source, TextView directory,
           TextView baseName, TextView extension) {
    const char* sourceStart = cursor_;
    Append(source);
    *cursor_++ = '\0';
    const char* targetStart = cursor_;
    Append(directory);
    Append(baseName);
    cursor_ = std::to_chars(cursor_, cursor_ + DigitCount(number), number).ptr;
    *cursor_++ = '.';
    Append(extension);
    const auto targetSize = static_cast<std::size_t>(cursor_ - targetStart);
    *cursor_++ = '\0';
    plan_.entries_.push_back(PlanEntry{number, TextView(sourceStart, source.size()),
                                       TextView(targetStart, targetSize)});
  }

 private:
  void Append(TextView piece) {
    if (piece.empty()) return;
    std::memcpy(cursor_, piece.data(), piece.size());
    cursor_ += piece.size();
  }

  RenamePlan& plan_;
  char* cursor_ = nullptr;
};

PlanResult FormRenamePlan(TextView listText, TextView baseName) {
  // Two passes over the list: one to size the storage, one to fill it.
  LineScanner sizing(listText);
  TextView firstLine;
  if (!sizing.Next(firstLine)) return IndexOutOfRange{};
  std::size_t lineCount = 1;
  std::size_t lineBytes = firstLine.size();
  for (TextView line; sizing.Next(line);) {
    ++lineCount;
    lineBytes += line.size();
  }

  const TextView directory = LeftBytes(firstLine, LastBackslashPos(firstLine));
  const TextView extension = RightBytes(firstLine, kExtensionBytes);

  // Each entry stores source NUL target NUL; a target is the directory, the
  // base name, the number, a dot and the extension.
  const auto count = static_cast<std::int32_t>(lineCount);
  const std::size_t fixedTargetBytes = directory.size() + baseName.size() + 1 + extension.size();
  std::size_t bytes = lineBytes + lineCount * (fixedTargetBytes + 2);
  for (std::int32_t i = 1; i <= count; ++i) bytes += DigitCount(i);

  RenamePlan plan;
  PlanWriter writer(plan, bytes, lineCount);
  LineScanner filling(listText);
  std::int32_t number = 0;
  for (TextView line; filling.Next(line);) {
    writer.Add(++number, line, directory, baseName, extension);
  }
  return plan;
}

}  // namespace batch
