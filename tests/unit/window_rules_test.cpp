#include <gtest/gtest.h>

#include "ui/focus_cycle.h"
#include "ui/member_table.h"
#include "ui/window_placement.h"

using ui::CentredOrigin;
using ui::Member;
using ui::NextInTabOrder;
using ui::Origin;

namespace {

struct CentringCase {
  int screenWidth;
  int screenHeight;
  Origin origin;
};

class CentringTable : public testing::TestWithParam<CentringCase> {};

TEST_P(CentringTable, HalvesTowardZero) {
  const auto& c = GetParam();
  EXPECT_EQ(CentredOrigin(c.screenWidth, c.screenHeight, 386, 244), c.origin);
}

INSTANTIATE_TEST_SUITE_P(Cases, CentringTable,
                         testing::Values(CentringCase{1024, 768, {319, 262}},
                                         CentringCase{1920, 1080, {767, 418}},
                                         CentringCase{385, 243, {0, 0}},   // -1 / 2 is 0
                                         CentringCase{380, 240, {-3, -2}},
                                         CentringCase{387, 245, {0, 0}},
                                         CentringCase{0, 0, {-193, -122}}));

TEST(MemberTableTest, MembersStayInsideTheClientAreaAndDoNotOverlap) {
  int right = 0;
  int bottom = 0;
  for (const auto& a : ui::kMembers) {
    right = std::max(right, a.left + a.width);
    bottom = std::max(bottom, a.top + a.height);
    for (const auto& b : ui::kMembers) {
      if (&a == &b) continue;
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart) << static_cast<int>(a.member) << " overlaps " << static_cast<int>(b.member);
    }
  }
  EXPECT_EQ(right, 377);
  EXPECT_EQ(bottom, 208);
}

TEST(FocusCycleTest, TabGoesListButtonBaseNameAndAround) {
  const auto all = [](Member) { return true; };
  EXPECT_EQ(NextInTabOrder(Member::kFileListBox, false, all), Member::kRenameButton);
  EXPECT_EQ(NextInTabOrder(Member::kRenameButton, false, all), Member::kBaseNameBox);
  EXPECT_EQ(NextInTabOrder(Member::kBaseNameBox, false, all), Member::kFileListBox);
  EXPECT_EQ(NextInTabOrder(Member::kFileListBox, true, all), Member::kBaseNameBox);
  EXPECT_EQ(NextInTabOrder(Member::kBaseNameBox, true, all), Member::kRenameButton);
  EXPECT_EQ(NextInTabOrder(Member::kRenameButton, true, all), Member::kFileListBox);
}

TEST(FocusCycleTest, WithoutAFocusedMemberStartsAtEitherEnd) {
  const auto all = [](Member) { return true; };
  EXPECT_EQ(NextInTabOrder(std::nullopt, false, all), Member::kFileListBox);
  EXPECT_EQ(NextInTabOrder(std::nullopt, true, all), Member::kBaseNameBox);
  // The label is never in the tab order: from it Tab behaves as from nowhere.
  EXPECT_EQ(NextInTabOrder(Member::kNameLabel, false, all), Member::kFileListBox);
}

TEST(FocusCycleTest, SkipsMembersThatCannotTakeTheFocus) {
  const auto noButton = [](Member m) { return m != Member::kRenameButton; };
  EXPECT_EQ(NextInTabOrder(Member::kFileListBox, false, noButton), Member::kBaseNameBox);
  EXPECT_EQ(NextInTabOrder(Member::kBaseNameBox, true, noButton), Member::kFileListBox);
  EXPECT_EQ(NextInTabOrder(Member::kFileListBox, false, [](Member) { return false; }), std::nullopt);
}

}  // namespace
