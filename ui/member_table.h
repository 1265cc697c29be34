// The members of the main window as one table: kind, place, size, tab order
// and initial text. The window is built from it once and never changed.
#pragma once

#include <array>
#include <cstddef>

#include "rename/program_texts.h"

namespace ui {

enum class MemberKind { kPaintedLabel, kSingleLineEdit, kPushButton, kMultiLineEdit };

// Index of a member in the table; the control id is the index plus one.
enum class Member : std::size_t { kNameLabel, kBaseNameBox, kRenameButton, kFileListBox };

inline constexpr int kNotInTabOrder = -1;

struct MemberSpec {
  Member member;
  MemberKind kind;
  int left;
  int top;
  int width;
  int height;
  int tabIndex;
  const char* initialText;
};

// Places are relative to the client area's top-left corner, in layout order.
inline constexpr std::array<MemberSpec, 4> kMembers{{
    {Member::kNameLabel, MemberKind::kPaintedLabel, 16, 176, 48, 32, kNotInTabOrder, texts::kNameLabel},
    {Member::kBaseNameBox, MemberKind::kSingleLineEdit, 72, 179, 128, 24, 2, ""},
    {Member::kRenameButton, MemberKind::kPushButton, 218, 177, 136, 24, 1, texts::kRenameButton},
    {Member::kFileListBox, MemberKind::kMultiLineEdit, 1, 5, 376, 160, 0, texts::kFileListHint},
}};

inline constexpr int kWindowWidth = 386;
inline constexpr int kWindowHeight = 244;

constexpr int ControlId(Member member) { return static_cast<int>(member) + 1; }

}  // namespace ui
