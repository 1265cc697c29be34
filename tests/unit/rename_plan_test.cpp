#include "rename/rename_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "rename/program_texts.h"

using batch::FormRenamePlan;
using batch::IndexOutOfRange;
using batch::RenamePlan;

namespace {

struct Row {
  std::int32_t number;
  std::string source;
  std::string target;
  friend bool operator==(const Row&, const Row&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.number << " [" << row.source << "] -> [" << row.target << "]";
  }
};

std::vector<Row> Plan(std::string_view list, std::string_view base) {
  const auto result = FormRenamePlan(list, base);
  const auto* plan = std::get_if<RenamePlan>(&result);
  if (plan == nullptr) {
    ADD_FAILURE() << "expected a plan";
    return {};
  }
  std::vector<Row> rows;
  for (const auto& entry : plan->Entries()) {
    rows.push_back({entry.number, std::string(entry.source), std::string(entry.target)});
  }
  return rows;
}

TEST(FormRenamePlanTest, EmptyListIsIndexOutOfRange) {
  EXPECT_TRUE(std::holds_alternative<IndexOutOfRange>(FormRenamePlan("", "trip")));
}

TEST(FormRenamePlanTest, TargetsTakeDirectoryAndExtensionFromLineOne) {
  EXPECT_EQ(Plan("D:\\photo\\IMG_0001.JPG\r\nD:\\photo\\IMG_0002.JPG\r\nE:\\scan\\page.png\r\n", "trip"),
            (std::vector<Row>{{1, "D:\\photo\\IMG_0001.JPG", "D:\\photo\\trip1.JPG"},
                              {2, "D:\\photo\\IMG_0002.JPG", "D:\\photo\\trip2.JPG"},
                              {3, "E:\\scan\\page.png", "D:\\photo\\trip3.JPG"}}));
}

TEST(FormRenamePlanTest, EmptyLinesKeepTheirNumberAndEmptyBaseNameIsAllowed) {
  EXPECT_EQ(Plan("C:\\docs\\report.jpeg\r\n\r\nC:\\docs\\app.js", ""),
            (std::vector<Row>{{1, "C:\\docs\\report.jpeg", "C:\\docs\\1.peg"},
                              {2, "", "C:\\docs\\2.peg"},
                              {3, "C:\\docs\\app.js", "C:\\docs\\3.peg"}}));
}

TEST(FormRenamePlanTest, ExtensionIsTheLastThreeBytesDotIncluded) {
  EXPECT_EQ(Plan("C:\\docs\\app.js\r\nC:\\docs\\x.txt", "")[1].target, "C:\\docs\\2..js");
}

struct TargetCase {
  const char* what;
  std::string list;
  std::string base;
  std::vector<std::string> targets;
};

std::ostream& operator<<(std::ostream& out, const TargetCase& c) { return out << c.what; }

class TargetTable : public testing::TestWithParam<TargetCase> {};

TEST_P(TargetTable, FormsTheseTargets) {
  std::vector<std::string> targets;
  for (const auto& row : Plan(GetParam().list, GetParam().base)) targets.push_back(row.target);
  EXPECT_EQ(targets, GetParam().targets) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TargetTable,
    testing::Values(
        TargetCase{"one CR LF: empty source, no directory, no extension", "\r\n", "x", {"x1."}},
        TargetCase{"two trailing CR LF add one empty entry", "a\\b.txt\r\n\r\n", "t", {"a\\t1.txt", "a\\t2.txt"}},
        TargetCase{"leading CR LF: line 1 empty", "\r\nD:\\p\\a.jpg", "x", {"x1.", "x2."}},
        TargetCase{"no backslash in line 1", "C:/x/a.jpg\r\nD:\\y\\b.png", "n", {"n1.jpg", "n2.jpg"}},
        TargetCase{"0x5C as a second byte is no backslash", "D:\\photo\\\x9c\x5c.jpg", "t", {"D:\\photo\\t1.jpg"}},
        TargetCase{"line 1 shorter than three bytes", "ab", "t", {"t1.ab"}},
        TargetCase{"line 1 ending in a backslash", "D:\\\r\nD:\\x", "trip", {"D:\\trip1.D:\\", "D:\\trip2.D:\\"}},
        TargetCase{"half a two-byte character in the extension",
                   "D:\\\xce\xc4\xb5\xb5\\\xcb\xb5\xc3\xf7", "x", {"D:\\\xce\xc4\xb5\xb5\\x1.\xb5\xc3\xf7"}},
        TargetCase{"a lead byte as the last byte of line 1", "D:\\a\x81", "x", {"D:\\x1.\\a\x81"}},
        TargetCase{"trailing spaces belong to the extension", "D:\\a.b  ", "x", {"D:\\x1.b  "}},
        TargetCase{"a backslash in the base name is copied", "D:\\a.txt", "sub\\n", {"D:\\sub\\n1.txt"}},
        TargetCase{"GBK base name", "D:\\a.txt", "\xc2\xc3\xd0\xd0", {"D:\\\xc2\xc3\xd0\xd0" "1.txt"}}));

TEST(FormRenamePlanTest, TheListHintGivesSevenEntriesWithBareTargets) {
  const std::string hintLine =
      std::string(25, ' ') + "\xb0\xd1\xce\xc4\xbc\xfe\xcd\xcf\xb5\xbd\xd5\xe2\xc0\xef";
  EXPECT_EQ(Plan(texts::kFileListHint, "x"),
            (std::vector<Row>{{1, "", "x1."}, {2, "", "x2."}, {3, "", "x3."}, {4, "", "x4."},
                              {5, "", "x5."}, {6, "", "x6."}, {7, hintLine, "x7."}}));
}

TEST(FormRenamePlanTest, NumbersPastNineAreNotPadded) {
  std::string list;
  for (int i = 0; i < 1234; ++i) list += "C:\\d\\f" + std::to_string(i) + ".txt\r\n";
  const auto rows = Plan(list, "trip");
  ASSERT_EQ(rows.size(), 1234u);
  EXPECT_EQ(rows[8].target, "C:\\d\\trip9.txt");
  EXPECT_EQ(rows[9].target, "C:\\d\\trip10.txt");
  EXPECT_EQ(rows[99].target, "C:\\d\\trip100.txt");
  EXPECT_EQ(rows[1233].number, 1234);
  EXPECT_EQ(rows[1233].target, "C:\\d\\trip1234.txt");
  EXPECT_EQ(rows[1233].source, "C:\\d\\f1233.txt");
}

TEST(FormRenamePlanTest, EntriesAreNulTerminatedAndSurviveAMove) {
  auto result = FormRenamePlan("a\\b.c\r\nd", "n");
  RenamePlan plan = std::move(std::get<RenamePlan>(result));
  for (const auto& entry : plan.Entries()) {
    EXPECT_EQ(entry.source.data()[entry.source.size()], '\0');
    EXPECT_EQ(entry.target.data()[entry.target.size()], '\0');
  }
  EXPECT_EQ(plan.Entries()[1].source, "d");
  EXPECT_EQ(plan.Entries()[1].target, "a\\n2.b.c");
}

}  // namespace
