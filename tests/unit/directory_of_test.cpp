#include "app/directory_of.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DirectoryCase {
  std::string path;
  std::string directory;
};

class DirectoryOfTable : public testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryOfTable, KeepsEverythingUpToTheLastRealBackslash) {
  EXPECT_EQ(app::DirectoryOf(GetParam().path), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DirectoryOfTable,
    testing::Values(DirectoryCase{"C:\\tools\\x.exe", "C:\\tools\\"},
                    // In a drive's root the backslash keeps it the root.
                    DirectoryCase{"C:\\x.exe", "C:\\"},
                    DirectoryCase{"\\\\server\\share\\x.exe", "\\\\server\\share\\"},
                    // 淺 (0x9C 0x5C) in the file name is no cut.
                    DirectoryCase{"D:\\a\\\x9c\x5c.exe", "D:\\a\\"},
                    DirectoryCase{"D:\\\x9c\x5c\\x.exe", "D:\\\x9c\x5c\\"},
                    DirectoryCase{"x.exe", ""},
                    DirectoryCase{"", ""},
                    DirectoryCase{std::string(300, 'd') + "\\x.exe", std::string(300, 'd') + "\\"}));

}  // namespace
