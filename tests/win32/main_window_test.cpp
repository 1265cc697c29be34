// The real main window, in process, with fake run services.
#include "ui/main_window.h"

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rename/program_texts.h"
#include "ui/box_text.h"

using ui::Member;

namespace {

class FakeRunServices final : public ui::RunServices {
 public:
  std::vector<std::pair<std::string, std::string>> renames;
  std::vector<std::string> notices;
  int emptyListMessages = 0;
  bool renameResult = true;

  bool RenameFile(batch::TextView source, batch::TextView target) override {
    renames.emplace_back(source, target);
    return renameResult;
  }
  void ShowCompletionNotice(batch::TextView text) override { notices.emplace_back(text); }
  void ShowEmptyListMessage() override { ++emptyListMessages; }
};

void PumpMessages(ui::MainWindow* window = nullptr) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (window != nullptr && window->PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Holds Ctrl, Shift or Alt down in this thread's key state for one scope.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256]{};
};

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = ui::MainWindow::Create(GetModuleHandleA(nullptr), services_, {}, [this] { ++destroyed_; });
    ASSERT_NE(window_, nullptr);
    PumpMessages();
  }

  HWND Handle() const { return window_->Handle(); }
  HWND MemberWindow(Member member) const { return window_->MemberWindow(member); }

  // A key press as the event loop would see it, pre-handled by the window.
  void PressKey(WPARAM key) {
    const MSG down{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    if (!window_->PreTranslateMessage(down)) {
      TranslateMessage(&down);
      DispatchMessageA(&down);
    }
    PumpMessages(window_.get());
  }

  FakeRunServices services_;
  int destroyed_ = 0;
  std::unique_ptr<ui::MainWindow> window_;
};

TEST_F(MainWindowTest, OpensCentredAtItsFixedOuterSizeWithTitleAndFrame) {
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  EXPECT_EQ(outer.right - outer.left, 386);
  EXPECT_EQ(outer.bottom - outer.top, 244);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 386) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 244) / 2);
  EXPECT_EQ(ui::ReadBoxText(Handle()), texts::kWindowTitle);

  const auto style = static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE));
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(IsWindowVisible(Handle()));
  EXPECT_EQ(GetWindow(Handle(), GW_OWNER), nullptr);
  EXPECT_EQ(GetClassLongPtrA(Handle(), GCLP_HBRBACKGROUND),
            reinterpret_cast<ULONG_PTR>(GetSysColorBrush(COLOR_BTNFACE)));
}

struct MemberExpectation {
  Member member;
  const char* className;
  DWORD style;    // every one of these bits is set
  DWORD absent;   // none of these is
  DWORD exStyle;
  RECT place;
  std::string text;
};

TEST_F(MainWindowTest, EachMemberHasItsClassStylesPlaceAndInitialText) {
  const std::vector<MemberExpectation> expected{
      {Member::kNameLabel, "Static", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, WS_TABSTOP | WS_BORDER, 0,
       {16, 176, 64, 208}, texts::kNameLabel},
      {Member::kBaseNameBox, "Edit", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
       ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_PASSWORD | ES_READONLY | ES_UPPERCASE, WS_EX_CLIENTEDGE,
       {72, 179, 200, 203}, ""},
      {Member::kRenameButton, "Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE,
       BS_DEFPUSHBUTTON, 0, {218, 177, 354, 201}, texts::kRenameButton},
      {Member::kFileListBox, "Edit",
       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
       WS_HSCROLL | ES_AUTOHSCROLL | ES_READONLY | ES_NOHIDESEL, WS_EX_CLIENTEDGE, {1, 5, 377, 165},
       texts::kFileListHint},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.className + std::to_string(static_cast<int>(e.member)));
    HWND member = MemberWindow(e.member);
    char className[64] = {};
    GetClassNameA(member, className, sizeof className);
    EXPECT_STREQ(className, e.className);
    const auto style = static_cast<DWORD>(GetWindowLongA(member, GWL_STYLE));
    EXPECT_EQ(style & e.style, e.style);
    EXPECT_EQ(style & e.absent, 0u);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(member, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, e.exStyle);
    RECT place{};
    GetWindowRect(member, &place);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, e.place.left);
    EXPECT_EQ(place.top, e.place.top);
    EXPECT_EQ(place.right, e.place.right);
    EXPECT_EQ(place.bottom, e.place.bottom);
    EXPECT_EQ(ui::ReadBoxText(member), e.text);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(member, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(IsWindowEnabled(member));
  }
}

TEST_F(MainWindowTest, EditBoxesHaveNoLengthLimitOfTheirOwnAndPaintBlackOnWhite) {
  for (Member box : {Member::kFileListBox, Member::kBaseNameBox}) {
    EXPECT_GE(SendMessageA(MemberWindow(box), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    HDC dc = GetDC(MemberWindow(box));
    SetTextColor(dc, RGB(1, 2, 3));
    const LRESULT brush = SendMessageA(Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(MemberWindow(box)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(MemberWindow(box), dc);
  }
}

TEST_F(MainWindowTest, ListStartsAsThe51ByteHintWithFocusAndCaretAtTheStart) {
  const std::string hint = ui::ReadBoxText(MemberWindow(Member::kFileListBox));
  EXPECT_EQ(hint.size(), 51u);
  EXPECT_EQ(hint, std::string(6 * 2, '\0').replace(0, 12, "\r\n\r\n\r\n\r\n\r\n\r\n") + std::string(25, ' ') +
                      "\xb0\xd1\xce\xc4\xbc\xfe\xcd\xcf\xb5\xbd\xd5\xe2\xc0\xef");
  EXPECT_EQ(GetFocus(), MemberWindow(Member::kFileListBox));
  DWORD start = 1;
  DWORD end = 1;
  SendMessageA(MemberWindow(Member::kFileListBox), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
}

TEST_F(MainWindowTest, WrittenTextsReadBackByteForByte) {
  std::string longList;
  for (int i = 0; i < 2000; ++i) longList += "C:\\photos\\2026\\\xd5\xd5\xc6\xac_" + std::to_string(i) + ".jpg\r\n";
  const std::vector<std::string> texts{"", "a\nb", "x\ry", std::string(300, 'p') + ".txt",
                                       "D:\\\xce\xc4\xb5\xb5\\\x9c\x5c.jpg\r\n\r\n", longList};
  for (Member box : {Member::kFileListBox, Member::kBaseNameBox}) {
    for (const auto& text : texts) {
      ui::WriteBoxText(MemberWindow(box), text);
      EXPECT_EQ(ui::ReadBoxText(MemberWindow(box)), text) << text.size() << " bytes";
    }
  }
}

TEST_F(MainWindowTest, TabAndShiftTabCycleTheThreeMembers) {
  const std::vector<Member> forward{Member::kRenameButton, Member::kBaseNameBox, Member::kFileListBox};
  for (Member next : forward) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), MemberWindow(next));
  }
  HeldKeys shift{VK_SHIFT};
  for (Member previous : {Member::kBaseNameBox, Member::kRenameButton, Member::kFileListBox}) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), MemberWindow(previous));
  }
  // No tab character was typed anywhere.
  EXPECT_EQ(ui::ReadBoxText(MemberWindow(Member::kFileListBox)), texts::kFileListHint);
  EXPECT_EQ(ui::ReadBoxText(MemberWindow(Member::kBaseNameBox)), "");
}

TEST_F(MainWindowTest, EnterBreaksALineInTheListAndNeverStartsARun) {
  HWND list = MemberWindow(Member::kFileListBox);
  ui::WriteBoxText(list, "ab");
  SendMessageA(list, EM_SETSEL, 1, 1);
  PressKey(VK_RETURN);
  EXPECT_EQ(ui::ReadBoxText(list), "a\r\nb");

  for (Member member : {Member::kRenameButton, Member::kBaseNameBox}) {
    SetFocus(MemberWindow(member));
    PressKey(VK_RETURN);
  }
  EXPECT_TRUE(services_.renames.empty());
  EXPECT_TRUE(services_.notices.empty());
  EXPECT_EQ(ui::ReadBoxText(MemberWindow(Member::kBaseNameBox)), "");
  EXPECT_NE(Handle(), nullptr);
}

TEST_F(MainWindowTest, ClickReadsBothBoxesAndRunsTheRenamesInOrder) {
  ui::WriteBoxText(MemberWindow(Member::kFileListBox), "D:\\p\\a.jpg\r\nE:\\q\\b.png\r\n");
  ui::WriteBoxText(MemberWindow(Member::kBaseNameBox), "trip");
  services_.renameResult = false;
  SendMessageA(MemberWindow(Member::kRenameButton), BM_CLICK, 0, 0);
  PumpMessages();
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(services_.renames, (Pairs{{"D:\\p\\a.jpg", "D:\\p\\trip1.jpg"}, {"E:\\q\\b.png", "D:\\p\\trip2.jpg"}}));
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_EQ(services_.notices[0].substr(0, 4), "OK\r\n");
  // The run writes nothing back.
  EXPECT_EQ(ui::ReadBoxText(MemberWindow(Member::kFileListBox)), "D:\\p\\a.jpg\r\nE:\\q\\b.png\r\n");
  EXPECT_EQ(ui::ReadBoxText(MemberWindow(Member::kBaseNameBox)), "trip");
}

TEST_F(MainWindowTest, ClickOnAnEmptyListTellsTheUserAndRenamesNothing) {
  ui::WriteBoxText(MemberWindow(Member::kFileListBox), "");
  SendMessageA(MemberWindow(Member::kRenameButton), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_TRUE(services_.renames.empty());
  EXPECT_TRUE(services_.notices.empty());
  EXPECT_EQ(services_.emptyListMessages, 1);
}

TEST_F(MainWindowTest, EscClosesTheWindowFromEveryMember) {
  for (Member member : {Member::kFileListBox, Member::kRenameButton, Member::kBaseNameBox}) {
    if (window_->Handle() == nullptr) SetUp();
    destroyed_ = 0;
    SetFocus(MemberWindow(member));
    PressKey(VK_ESCAPE);
    EXPECT_EQ(window_->Handle(), nullptr);
    EXPECT_EQ(destroyed_, 1);
  }
}

TEST_F(MainWindowTest, EscWithAModifierDoesNotClose) {
  HeldKeys shift{VK_SHIFT};
  PressKey(VK_ESCAPE);
  EXPECT_NE(window_->Handle(), nullptr);
}

TEST_F(MainWindowTest, FocusComesBackToItsMemberAfterAnotherWindowWasActive) {
  SetFocus(MemberWindow(Member::kBaseNameBox));
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(other);
  PumpMessages();
  EXPECT_NE(GetFocus(), MemberWindow(Member::kBaseNameBox));
  SetActiveWindow(Handle());
  PumpMessages();
  EXPECT_EQ(GetFocus(), MemberWindow(Member::kBaseNameBox));
  DestroyWindow(other);
}

TEST_F(MainWindowTest, TheFileListIsADropTargetOnceShown) {
  EXPECT_EQ(RevokeDragDrop(MemberWindow(Member::kBaseNameBox)), DRAGDROP_E_NOTREGISTERED);
  EXPECT_EQ(RevokeDragDrop(MemberWindow(Member::kFileListBox)), S_OK);
}

// Records, as the file list itself is destroyed, whether it still had a
// drop target registered.
WNDPROC originalListProcedure = nullptr;
HRESULT revokeAtListDestroy = S_OK;

LRESULT CALLBACK ListProcedureSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) revokeAtListDestroy = RevokeDragDrop(window);
  return CallWindowProcA(originalListProcedure, window, message, wParam, lParam);
}

TEST_F(MainWindowTest, TheRegistrationIsWithdrawnBeforeTheMembersGoAndTheEndIsNotedAfter) {
  HWND list = MemberWindow(Member::kFileListBox);
  originalListProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProcedureSpy)));
  revokeAtListDestroy = S_OK;
  DestroyWindow(Handle());
  EXPECT_EQ(revokeAtListDestroy, DRAGDROP_E_NOTREGISTERED);
  EXPECT_EQ(destroyed_, 1);
  EXPECT_EQ(window_->Handle(), nullptr);
}

}  // namespace
