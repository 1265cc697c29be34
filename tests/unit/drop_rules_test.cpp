#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ui/drop_effect.h"
#include "ui/dropped_file_text.h"

using ui::DroppedFileText;
using ui::EffectFor;
namespace drop = ui::drop;

namespace {

constexpr std::uint32_t N = drop::kEffectNone;
constexpr std::uint32_t C = drop::kEffectCopy;
constexpr std::uint32_t M = drop::kEffectMove;
constexpr std::uint32_t L = drop::kEffectLink;

constexpr std::uint32_t kCtrl = drop::kControlKey;
constexpr std::uint32_t kShift = drop::kShiftKey;
// Key-state bits that must play no part: left, right and middle button, Alt.
constexpr std::uint32_t kIgnoredKeys = 0x1 | 0x2 | 0x10 | 0x20;

struct EffectRow {
  std::uint32_t allowed;
  // Expected effect with no modifier, Ctrl, Shift, Ctrl+Shift.
  std::array<std::uint32_t, 4> expected;
};
void PrintTo(const EffectRow& row, std::ostream* out) { *out << "allowed " << row.allowed; }

constexpr std::array<std::uint32_t, 4> kKeyColumns = {0, kCtrl, kShift, kCtrl | kShift};

class EffectTable : public testing::TestWithParam<EffectRow> {};

TEST_P(EffectTable, ChoosesByCtrlAndShiftAmongTheAllowedEffects) {
  const EffectRow& row = GetParam();
  for (std::size_t column = 0; column < kKeyColumns.size(); ++column) {
    const std::uint32_t keys = kKeyColumns[column];
    SCOPED_TRACE(testing::Message() << "allowed " << row.allowed << ", keys " << keys);
    EXPECT_EQ(EffectFor(true, keys, row.allowed), row.expected[column]);
    EXPECT_EQ(EffectFor(true, keys | kIgnoredKeys, row.allowed), row.expected[column]);
  }
}

TEST_P(EffectTable, RefusesEverythingWhenTheDataHoldsNoFileList) {
  for (const std::uint32_t keys : kKeyColumns) {
    EXPECT_EQ(EffectFor(false, keys, GetParam().allowed), N) << "keys " << keys;
    EXPECT_EQ(EffectFor(false, keys | kIgnoredKeys, GetParam().allowed), N) << "keys " << keys;
  }
}

INSTANTIATE_TEST_SUITE_P(AllowedEffects, EffectTable,
                         testing::Values(
                             //       allowed     none ctrl shift ctrl+shift
                             EffectRow{N,         {N, N, N, N}},
                             EffectRow{C,         {C, C, N, N}},
                             EffectRow{M,         {M, N, M, N}},
                             EffectRow{C | M,     {C, C, M, N}},
                             EffectRow{L,         {L, N, N, N}},
                             EffectRow{C | L,     {C, C, N, N}},
                             EffectRow{M | L,     {M, N, M, N}},
                             EffectRow{C | M | L, {C, C, M, N}}));

struct TextCase {
  const char* name;
  std::vector<std::string> paths;
  std::string text;
};
void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class DroppedFileTextTable : public testing::TestWithParam<TextCase> {};

TEST_P(DroppedFileTextTable, ListsEveryPathInOrder) {
  EXPECT_EQ(DroppedFileText(GetParam().paths), GetParam().text);
}

const std::string kLongPath = "C:\\" + std::string(293, 'x') + ".jpg";  // 300 bytes

INSTANTIATE_TEST_SUITE_P(
    Cases, DroppedFileTextTable,
    testing::Values(
        TextCase{"NoPath", {}, ""},
        TextCase{"OnePathStandsAlone", {"C:\\a.jpg"}, "C:\\a.jpg"},
        TextCase{"ThreePathsEachEndWithCrLf",
                 {"C:\\a.jpg", "C:\\b.jpg", "D:\\c.png"},
                 "C:\\a.jpg\r\nC:\\b.jpg\r\nD:\\c.png\r\n"},
        TextCase{"AFolderIsListedLikeAFile", {"C:\\photos"}, "C:\\photos"},
        TextCase{"FoldersAmongFilesStay", {"C:\\a.jpg", "C:\\photos"}, "C:\\a.jpg\r\nC:\\photos\r\n"},
        TextCase{"DuplicatesStay", {"C:\\a.jpg", "C:\\a.jpg"}, "C:\\a.jpg\r\nC:\\a.jpg\r\n"},
        TextCase{"LongPathWhole", {kLongPath}, kLongPath},
        TextCase{"LongPathWholeInAList", {kLongPath, "C:\\b.jpg"}, kLongPath + "\r\nC:\\b.jpg\r\n"},
        // 文档 in GBK: bytes pass through untouched.
        TextCase{"MultibyteBytesPassThrough",
                 {"C:\\\xce\xc4\xb5\xb5\\1.jpg", "C:\\2.jpg"},
                 "C:\\\xce\xc4\xb5\xb5\\1.jpg\r\nC:\\2.jpg\r\n"}),
    [](const testing::TestParamInfo<TextCase>& param) { return std::string(param.param.name); });

}  // namespace
