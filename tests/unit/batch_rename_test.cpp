#include "rename/batch_rename.h"

#include <gtest/gtest.h>

#include "tests/support/memory_file_system.h"

using batch::BatchRename;
using batch::CompletionNoticeText;

namespace {

using Files = MemoryFileSystem::Files;
using Calls = std::vector<std::pair<std::string, std::string>>;

// "k 个文件未能重命名（共 n 个）" in GBK.
std::string FailedLine(const std::string& k, const std::string& n) {
  return k + " \xb8\xf6\xce\xc4\xbc\xfe\xce\xb4\xc4\xdc\xd6\xd8\xc3\xfc\xc3\xfb\xa3\xa8\xb9\xb2 " + n +
         " \xb8\xf6\xa3\xa9";
}

TEST(BatchRenameTest, RenamesInListOrderAndSaysOk) {
  MemoryFileSystem fs(Files{{"D:\\photo\\IMG_0001.JPG", "1"},
                       {"D:\\photo\\IMG_0002.JPG", "2"},
                       {"E:\\scan\\page.png", "3"}});
  const auto result = BatchRename(
      "D:\\photo\\IMG_0001.JPG\r\nD:\\photo\\IMG_0002.JPG\r\nE:\\scan\\page.png\r\n", "trip", fs);
  EXPECT_EQ(fs.files, (Files{{"D:\\photo\\trip1.JPG", "1"},
                             {"D:\\photo\\trip2.JPG", "2"},
                             {"D:\\photo\\trip3.JPG", "3"}}));
  EXPECT_EQ(fs.renameCalls, (Calls{{"D:\\photo\\IMG_0001.JPG", "D:\\photo\\trip1.JPG"},
                                   {"D:\\photo\\IMG_0002.JPG", "D:\\photo\\trip2.JPG"},
                                   {"E:\\scan\\page.png", "D:\\photo\\trip3.JPG"}}));
  EXPECT_EQ(fs.notices, std::vector<std::string>{"OK"});
  EXPECT_FALSE(result.listWasEmpty);
  EXPECT_EQ(result.attempted, 3);
  EXPECT_EQ(result.failed, 0);
}

TEST(BatchRenameTest, OrderMattersAndAnExistingTargetIsNeverReplaced) {
  MemoryFileSystem fs(Files{{"D:\\p\\b.txt", "b"}, {"D:\\p\\t1.txt", "t1"}});
  BatchRename("D:\\p\\b.txt\r\nD:\\p\\t1.txt", "t", fs);
  EXPECT_EQ(fs.files, (Files{{"D:\\p\\b.txt", "b"}, {"D:\\p\\t2.txt", "t1"}}));
  EXPECT_EQ(fs.notices, std::vector<std::string>{"OK\r\n" + FailedLine("1", "2")});
}

TEST(BatchRenameTest, APathListedTwiceMovesOnceThenFails) {
  MemoryFileSystem fs(Files{{"C:\\a\\x.txt", "x"}});
  const auto result = BatchRename("C:\\a\\x.txt\r\nC:\\a\\x.txt", "n", fs);
  EXPECT_EQ(fs.files, (Files{{"C:\\a\\n1.txt", "x"}}));
  EXPECT_EQ(fs.renameCalls.size(), 2u);
  EXPECT_EQ(result.failed, 1);
}

TEST(BatchRenameTest, AnEmptyLineFailsAndLaterLinesKeepTheirNumbers) {
  MemoryFileSystem fs(Files{{"C:\\a\\x.txt", "x"}, {"C:\\a\\y.txt", "y"}});
  BatchRename("C:\\a\\x.txt\r\n\r\nC:\\a\\y.txt", "n", fs);
  EXPECT_EQ(fs.renameCalls, (Calls{{"C:\\a\\x.txt", "C:\\a\\n1.txt"},
                                   {"", "C:\\a\\n2.txt"},
                                   {"C:\\a\\y.txt", "C:\\a\\n3.txt"}}));
  EXPECT_EQ(fs.files, (Files{{"C:\\a\\n1.txt", "x"}, {"C:\\a\\n3.txt", "y"}}));
  EXPECT_EQ(fs.notices, std::vector<std::string>{"OK\r\n" + FailedLine("1", "3")});
}

TEST(BatchRenameTest, EveryRenameFailingChangesNothingAndStillEndsWithTheNotice) {
  const Files before{{"C:\\a\\x.txt", "x"}, {"C:\\a\\n1.txt", "old1"}, {"C:\\a\\n2.txt", "old2"}};
  MemoryFileSystem fs(before);
  const auto result = BatchRename("C:\\a\\x.txt\r\nC:\\a\\missing.txt", "n", fs);
  EXPECT_EQ(fs.files, before);
  EXPECT_EQ(result.failed, 2);
  EXPECT_EQ(fs.notices, std::vector<std::string>{"OK\r\n" + FailedLine("2", "2")});
}

TEST(BatchRenameTest, AMovedFileIsMovedAgainByALaterEntry) {
  MemoryFileSystem fs(Files{{"D:\\p\\a.txt", "A"}});
  // Entry 1 moves a.txt to n1.txt; entry 2 then names that target as its source.
  BatchRename("D:\\p\\a.txt\r\nD:\\p\\n1.txt", "n", fs);
  EXPECT_EQ(fs.files, (Files{{"D:\\p\\n2.txt", "A"}}));
}

TEST(BatchRenameTest, EmptyListRenamesNothingShowsNoNoticeAndTellsTheCaller) {
  MemoryFileSystem fs(Files{{"a", "a"}});
  const auto result = BatchRename("", "n", fs);
  EXPECT_TRUE(result.listWasEmpty);
  EXPECT_TRUE(fs.renameCalls.empty());
  EXPECT_TRUE(fs.notices.empty());
}

TEST(CompletionNoticeTextTest, SaysOkAloneOnlyWhenNothingFailed) {
  EXPECT_EQ(CompletionNoticeText(0, 0), "OK");
  EXPECT_EQ(CompletionNoticeText(0, 12), "OK");
  EXPECT_EQ(CompletionNoticeText(3, 12), "OK\r\n" + FailedLine("3", "12"));
}

}  // namespace
