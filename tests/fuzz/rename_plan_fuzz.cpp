// Fuzz target for forming the rename plan and running it.
//
// Input: the first byte is the base name's length (clamped to what follows),
// then the base name, then the list text. Every result is checked against a
// reference model written here from the text rules alone:
//   - a byte is a character start unless it follows a lead byte (0x80 or
//     above) that is itself a character start; a lead byte that is the last
//     byte of the text is a character on its own;
//   - a separator is a CR LF whose CR starts a character;
//   - the lines are the pieces between separators, less one empty last piece
//     (so an empty text has no line and a trailing CR LF adds none);
//   - target i = line 1 up to its last backslash that starts a character,
//     the base name, i in decimal, ".", the last three bytes of line 1.
// A fault prints what failed and aborts, so libFuzzer keeps the input.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "rename/batch_rename.h"
#include "rename/rename_plan.h"
#include "rename/text.h"
#include "tests/support/memory_file_system.h"

namespace {

std::string_view currentCheck;

[[noreturn]] void Fail(const char* what, std::size_t index) {
  std::fprintf(stderr, "rename_plan_fuzz: %s (index %zu) during %.*s\n", what, index,
               static_cast<int>(currentCheck.size()), currentCheck.data());
  std::abort();
}

void Expect(bool holds, const char* what, std::size_t index = 0) {
  if (!holds) Fail(what, index);
}

// ---------------------------------------------------------------------------
// Reference model.

bool IsLead(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

std::vector<bool> CharacterStarts(std::string_view text) {
  std::vector<bool> starts(text.size(), true);
  for (std::size_t pos = 1; pos < text.size(); ++pos) {
    starts[pos] = !(starts[pos - 1] && IsLead(text[pos - 1]));
  }
  return starts;
}

bool IsSeparatorAt(std::string_view text, const std::vector<bool>& starts, std::size_t pos) {
  return pos + 1 < text.size() && starts[pos] && text[pos] == '\r' && text[pos + 1] == '\n';
}

std::vector<std::string_view> ReferenceLines(std::string_view text) {
  const std::vector<bool> starts = CharacterStarts(text);
  std::vector<std::string_view> pieces;
  std::size_t pieceStart = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (IsSeparatorAt(text, starts, pos)) {
      pieces.push_back(text.substr(pieceStart, pos - pieceStart));
      pieceStart = pos + 2;
    }
  }
  pieces.push_back(text.substr(pieceStart));
  if (pieces.back().empty()) pieces.pop_back();
  return pieces;
}

std::string_view ReferenceDirectory(std::string_view line) {
  const std::vector<bool> starts = CharacterStarts(line);
  for (std::size_t pos = line.size(); pos-- > 0;) {
    if (starts[pos] && line[pos] == '\\') return line.substr(0, pos + 1);
  }
  return {};
}

std::string_view ReferenceExtension(std::string_view line) {
  return line.size() <= 3 ? line : line.substr(line.size() - 3);
}

bool EndsWithSeparator(std::string_view text) {
  return text.size() >= 2 && IsSeparatorAt(text, CharacterStarts(text), text.size() - 2);
}

bool IsWithin(std::string_view part, std::string_view whole) {
  const auto begin = reinterpret_cast<std::uintptr_t>(whole.data());
  const auto at = reinterpret_cast<std::uintptr_t>(part.data());
  return at >= begin && at + part.size() <= begin + whole.size();
}

// ---------------------------------------------------------------------------
// Checks.

void CheckSplitLines(std::string_view text, const std::vector<std::string_view>& expected) {
  currentCheck = "SplitLines";
  const std::vector<batch::TextView> lines = batch::SplitLines(text);
  Expect(lines.size() == expected.size(), "line count differs from the reference");
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Expect(lines[i] == expected[i], "line differs from the reference", i);
    Expect(IsWithin(lines[i], text), "line does not view into the text", i);
    if (i > 0) {
      Expect(lines[i - 1].data() + lines[i - 1].size() + 2 == lines[i].data(),
             "lines are not two bytes apart", i);
      joined += "\r\n";
    }
    joined += lines[i];
  }
  // Joining the lines gives the text back, less the one trailing separator.
  if (EndsWithSeparator(text)) joined += "\r\n";
  Expect(joined == text, "joined lines do not give the text back");
}

void CheckPlan(std::string_view text, std::string_view baseName,
               const std::vector<std::string_view>& lines) {
  currentCheck = "FormRenamePlan";
  batch::PlanResult result = batch::FormRenamePlan(text, baseName);
  if (lines.empty()) {
    Expect(text.empty(), "the reference finds no line in a non-empty text");
    Expect(std::holds_alternative<batch::IndexOutOfRange>(result),
           "an empty list did not give IndexOutOfRange");
    return;
  }
  auto* formed = std::get_if<batch::RenamePlan>(&result);
  Expect(formed != nullptr, "a non-empty list gave no plan");
  // The entries must stay valid when the plan moves.
  const batch::RenamePlan plan = std::move(*formed);

  const std::string directory(ReferenceDirectory(lines.front()));
  const std::string extension(ReferenceExtension(lines.front()));
  const auto& entries = plan.Entries();
  Expect(entries.size() == lines.size(), "entry count differs from the line count");
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const batch::PlanEntry& entry = entries[i];
    Expect(entry.number >= 1 && static_cast<std::size_t>(entry.number) == i + 1,
           "numbers do not run 1..count", i);
    Expect(entry.source == lines[i], "source differs from its line", i);
    const std::string target =
        directory + std::string(baseName) + std::to_string(i + 1) + "." + extension;
    Expect(entry.target == target, "target differs from the reference", i);
    Expect(entry.source.data()[entry.source.size()] == '\0', "source is not NUL-terminated", i);
    Expect(entry.target.data()[entry.target.size()] == '\0', "target is not NUL-terminated", i);
  }
}

void CheckRun(std::string_view text, std::string_view baseName,
              const std::vector<std::string_view>& lines) {
  currentCheck = "BatchRename";
  // No file exists, so every rename fails and the notice must say so.
  MemoryFileSystem fileSystem;
  const batch::RunResult result = batch::BatchRename(text, baseName, fileSystem);
  Expect(result.listWasEmpty == lines.empty(), "listWasEmpty is wrong");
  Expect(fileSystem.renameCalls.size() == lines.size(), "rename count differs from the line count");
  for (std::size_t i = 0; i < fileSystem.renameCalls.size(); ++i) {
    Expect(fileSystem.renameCalls[i].first == lines[i], "rename out of list order", i);
  }
  Expect(result.attempted == static_cast<std::int32_t>(lines.size()), "attempted is wrong");
  Expect(result.failed == result.attempted, "a failed rename was counted as done");
  if (lines.empty()) {
    Expect(fileSystem.notices.empty(), "a notice was shown for an empty list");
  } else {
    Expect(fileSystem.notices.size() == 1, "not exactly one notice");
    Expect(fileSystem.notices.front() != "OK", "failures reported as plain success");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string_view baseName;
  std::string_view text;
  if (!input.empty()) {
    const std::size_t baseLength = std::min<std::size_t>(data[0], input.size() - 1);
    baseName = input.substr(1, baseLength);
    text = input.substr(1 + baseLength);
  }
  const std::vector<std::string_view> lines = ReferenceLines(text);
  CheckSplitLines(text, lines);
  CheckPlan(text, baseName, lines);
  CheckRun(text, baseName, lines);
  return 0;
}
