// Bad input through the real main window, in process: huge lists, huge lines,
// bytes that are no GBK, base names Windows refuses. The program's own rename
// (MoveFileA) works on real files in a temporary folder; only the notice is
// caught instead of shown. Whatever the input, the run ends, renames what it
// can, never replaces or loses a file, and its notice counts agree with what
// happened on disk.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rename/batch_rename.h"
#include "tests/support/real_folder.h"
#include "ui/box_text.h"
#include "ui/main_window.h"
#include "ui/run_services.h"

using ui::Member;

namespace {

// "OK", CR LF, "k 个文件未能重命名（共 n 个）" in GBK.
std::string FailedNotice(std::size_t failed, std::size_t attempted) {
  return "OK\r\n" + std::to_string(failed) +
         " \xb8\xf6\xce\xc4\xbc\xfe\xce\xb4\xc4\xdc\xd6\xd8\xc3\xfc\xc3\xfb\xa3\xa8\xb9\xb2 " +
         std::to_string(attempted) + " \xb8\xf6\xa3\xa9";
}

class RealRenameCaughtNotice final : public ui::RunServices {
 public:
  std::size_t renamed = 0;
  std::size_t failed = 0;
  std::vector<std::string> notices;
  int emptyListMessages = 0;

  bool RenameFile(batch::TextView source, batch::TextView target) override {
    const bool ok = real_.RenameFile(source, target);
    ++(ok ? renamed : failed);
    return ok;
  }
  void ShowCompletionNotice(batch::TextView text) override { notices.emplace_back(text); }
  void ShowEmptyListMessage() override { ++emptyListMessages; }

  void Reset() {
    renamed = failed = 0;
    notices.clear();
    emptyListMessages = 0;
  }

 private:
  ui::Win32RunServices real_;
};

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

using Tree = std::map<std::string, real_folder::TreeEntry>;

class BadInputTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.Ok());
    ASSERT_TRUE(current_.Ok());
    window_ = ui::MainWindow::Create(GetModuleHandleA(nullptr), services_, {}, [] {});
    ASSERT_NE(window_, nullptr);
    PumpMessages();
  }

  const std::string& Folder() const { return folder_.Path(); }
  std::string PathOf(const std::string& name) const { return Folder() + "\\" + name; }

  // Empties the folder, then makes files named as given, each holding its
  // own name.
  void MakeFiles(const std::vector<std::string>& names) {
    for (const real_folder::Found& entry : real_folder::ListFolder(Folder())) {
      real_folder::RemoveTree(PathOf(entry.name));
      DeleteFileA(PathOf(entry.name).c_str());
    }
    for (const std::string& name : names) ASSERT_TRUE(real_folder::WriteNewFile(PathOf(name), name));
  }
  Tree FolderTree() const { return real_folder::ReadTree(Folder()); }

  // Fills both boxes as a drop and typing would, then clicks the button.
  void Run(const std::string& list, const std::string& baseName) {
    ui::WriteBoxText(window_->MemberWindow(Member::kFileListBox), list);
    ui::WriteBoxText(window_->MemberWindow(Member::kBaseNameBox), baseName);
    SendMessageA(window_->MemberWindow(Member::kRenameButton), BM_CLICK, 0, 0);
    PumpMessages();
  }

  // The notice must give exactly the counts the run had.
  void ExpectOneNoticeWithTheRunsCounts() const {
    ASSERT_EQ(services_.notices.size(), 1u);
    const std::size_t attempted = services_.renamed + services_.failed;
    EXPECT_EQ(services_.notices[0], services_.failed == 0 ? "OK" : FailedNotice(services_.failed, attempted));
  }

  // Every file's content is there exactly once, whatever its name now.
  static void ExpectNothingLost(const Tree& before, const Tree& after) {
    std::map<std::string, int> contents;
    for (const auto& [name, entry] : after) {
      if (!entry.folder) ++contents[entry.content];
    }
    for (const auto& [name, entry] : before) {
      if (!entry.folder) {
        EXPECT_EQ(contents[entry.content], 1) << entry.content;
      }
    }
  }

  real_folder::TempFolder folder_{"br-bad-input"};
  // Relative targets (a first line without a folder) land in the temp folder.
  real_folder::ScopedCurrentFolder current_{folder_.Path()};
  RealRenameCaughtNotice services_;
  std::unique_ptr<ui::MainWindow> window_;
};

TEST_F(BadInputTest, HundredThousandEmptyLinesFailEveryRenameAndTheNoticeSaysSo) {
  MakeFiles({"a.txt", "n1."});
  const Tree before = FolderTree();
  std::string list;
  for (int i = 0; i < 100'000; ++i) list += "\r\n";
  Run(list, "n");
  EXPECT_EQ(services_.renamed, 0u);
  EXPECT_EQ(services_.failed, 100'000u);
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_EQ(services_.notices[0], FailedNotice(100'000, 100'000));
  EXPECT_EQ(FolderTree(), before);
}

// A very long line among real ones, or as line 1, whose folder every target
// takes. The same cases go through the window with a line as long as the
// longest path Windows knows (32,767 bytes), and straight to the run with a
// line of a mebibyte: the multi-line edit control wraps one unbroken line in
// time that grows with the square of its length (a mebibyte takes Wine's
// about an hour), which is the control's, not the run's.
struct LongLineCase {
  const char* what;
  std::string list;
  std::vector<std::string> namesAfter;
  std::size_t failed;
};

std::vector<LongLineCase> LongLineCases(const std::string& folder, const std::string& longLine) {
  const auto path = [&folder](const std::string& name) { return folder + "\\" + name; };
  return {
      {"between two real lines",
       path("a.txt") + "\r\n" + longLine + "\r\n" + path("b.txt"),
       {"n1.txt", "n3.txt"},
       1},
      {"as line 1, a name in the folder",
       path(longLine + ".txt") + "\r\n" + path("a.txt") + "\r\n" + path("b.txt"),
       {"n2.txt", "n3.txt"},
       1},
      {"as line 1, in a folder with a name that long",
       path(longLine + "\\f.txt") + "\r\n" + path("a.txt") + "\r\n" + path("b.txt"),
       {"a.txt", "b.txt"},
       3},
  };
}

constexpr std::size_t kLongestPath = 32'767;
constexpr std::size_t kMebibyte = std::size_t{1} << 20;

TEST_F(BadInputTest, AVeryLongLineFailsAloneOrTakesEveryTargetWithIt) {
  for (const bool throughWindow : {true, false}) {
    const std::string longLine(throughWindow ? kLongestPath : kMebibyte, 'x');
    for (const LongLineCase& c : LongLineCases(Folder(), longLine)) {
      SCOPED_TRACE(std::string(c.what) +
                   (throughWindow ? ", through the window" : ", a mebibyte, to the run"));
      MakeFiles({"a.txt", "b.txt"});
      services_.Reset();
      const Tree before = FolderTree();
      if (throughWindow) {
        Run(c.list, "n");
        ExpectOneNoticeWithTheRunsCounts();
      } else {
        const batch::RunResult result = batch::BatchRename(c.list, "n", services_);
        EXPECT_EQ(result.failed, static_cast<std::int32_t>(c.failed));
      }
      EXPECT_EQ(services_.failed, c.failed);
      EXPECT_EQ(services_.renamed + services_.failed, 3u);
      const Tree after = FolderTree();
      ExpectNothingLost(before, after);
      std::vector<std::string> names;
      for (const auto& [name, entry] : after) names.push_back(name.substr(Folder().size() + 1));
      EXPECT_EQ(names, c.namesAfter);
    }
  }
}

// A mebibyte-long base name (one line in the single-line box, which takes it
// at once) makes every target too long: nothing moves and the notice says so.
TEST_F(BadInputTest, AMebibyteBaseNameFailsEveryRename) {
  MakeFiles({"a.txt", "b.txt"});
  const Tree before = FolderTree();
  Run(PathOf("a.txt") + "\r\n" + PathOf("b.txt"), std::string(kMebibyte, 'n'));
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_EQ(services_.notices[0], FailedNotice(2, 2));
  EXPECT_EQ(FolderTree(), before);
}

// Bytes that are no GBK: 0xFF leads nothing, 0x81 0x7F is no pair, a lead byte
// ends the text. The box may store them otherwise than written; the run must
// still rename the good lines under their own numbers and count the rest.
TEST_F(BadInputTest, BytesThatAreNoGbkFailAloneAndGoodLinesKeepTheirNumbers) {
  MakeFiles({"a.txt", "b.txt"});
  const Tree before = FolderTree();
  Run(PathOf("a.txt") + "\r\n" + PathOf("\xff\xfe.txt") + "\r\n" + PathOf("\x81\x7f.txt") + "\r\n" +
          PathOf("b.txt") + "\r\n\xd5",
      "n");
  ExpectOneNoticeWithTheRunsCounts();
  EXPECT_EQ(services_.renamed, 2u);
  EXPECT_EQ(services_.failed, 3u);
  Tree expected;
  expected.emplace(PathOf("n1.txt"), real_folder::TreeEntry{false, "a.txt"});
  expected.emplace(PathOf("n4.txt"), real_folder::TreeEntry{false, "b.txt"});
  EXPECT_EQ(FolderTree(), expected);
  ExpectNothingLost(before, FolderTree());
}

// A base name of bytes that are no GBK may or may not give names Windows
// takes; either way the counts must tell what happened and nothing be lost.
TEST_F(BadInputTest, ABaseNameOfNoGbkBytesRenamesWhatItCanAndCountsTheRest) {
  MakeFiles({"a.txt", "b.txt"});
  const Tree before = FolderTree();
  Run(PathOf("a.txt") + "\r\n" + PathOf("b.txt"), "\xff\x81\x7f");
  ExpectOneNoticeWithTheRunsCounts();
  EXPECT_EQ(services_.renamed + services_.failed, 2u);
  const Tree after = FolderTree();
  ExpectNothingLost(before, after);
  const std::size_t stillThere = after.count(PathOf("a.txt")) + after.count(PathOf("b.txt"));
  EXPECT_EQ(stillThere, services_.failed);
}

// A backslash in the base name reaches into a folder, which must exist;
// characters Windows refuses in names make every rename fail, changing
// nothing. A colon names a stream on Windows, which refuses it as a rename
// target, while Wine takes it as a plain character of the name; either way the
// counts must tell what happened and nothing be lost.
TEST_F(BadInputTest, BaseNamesWithABackslashOrRefusedCharacters) {
  enum class Expect { kIntoSub, kNothingMoves, kCountsTell };
  struct Case {
    const char* baseName;
    Expect outcome;
  };
  const std::vector<Case> cases{
      {"sub\\x", Expect::kIntoSub},   {"nosuch\\x", Expect::kNothingMoves}, {"a:b", Expect::kCountsTell},
      {"x?y", Expect::kNothingMoves}, {"x*y", Expect::kNothingMoves},       {"x<y", Expect::kNothingMoves},
      {"x>y", Expect::kNothingMoves}, {"x|y", Expect::kNothingMoves},       {"x\"y", Expect::kNothingMoves},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.baseName);
    MakeFiles({"a.txt", "b.txt"});
    ASSERT_TRUE(CreateDirectoryA(PathOf("sub").c_str(), nullptr));
    services_.Reset();
    const Tree before = FolderTree();
    Run(PathOf("a.txt") + "\r\n" + PathOf("b.txt"), c.baseName);
    ExpectOneNoticeWithTheRunsCounts();
    const Tree after = FolderTree();
    switch (c.outcome) {
      case Expect::kIntoSub: {
        EXPECT_EQ(services_.failed, 0u);
        Tree expected;
        expected.emplace(PathOf("sub"), real_folder::TreeEntry{true, {}});
        expected.emplace(PathOf("sub\\x1.txt"), real_folder::TreeEntry{false, "a.txt"});
        expected.emplace(PathOf("sub\\x2.txt"), real_folder::TreeEntry{false, "b.txt"});
        EXPECT_EQ(after, expected);
        break;
      }
      case Expect::kNothingMoves:
        EXPECT_EQ(services_.failed, 2u);
        EXPECT_EQ(after, before);
        break;
      case Expect::kCountsTell:
        EXPECT_EQ(services_.renamed + services_.failed, 2u);
        EXPECT_EQ(after.count(PathOf("a.txt")) + after.count(PathOf("b.txt")), services_.failed);
        ExpectNothingLost(before, after);
        break;
    }
  }
}

}  // namespace
