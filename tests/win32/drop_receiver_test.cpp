// The drop target driven directly through its IDropTarget, with a fake data
// object and, where it matters, a fake drag-image helper and real windows.
#include "ui/drop_receiver.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/win32/fake_data_object.h"
#include "tests/win32/fake_drag_image_helper.h"

using test_support::FakeDataObject;
using test_support::FakeDragImageHelper;

namespace {

constexpr DWORD kCopy = DROPEFFECT_COPY;
constexpr DWORD kMove = DROPEFFECT_MOVE;
constexpr DWORD kLink = DROPEFFECT_LINK;
constexpr DWORD kAll = kCopy | kMove | kLink;
constexpr POINTL kPoint{40, 50};

const std::string kLongPath = "C:\\" + std::string(293, 'p') + ".jpg";  // 300 bytes

// A plain window of this thread, destroyed when the scope ends.
class TestWindow {
 public:
  TestWindow() : window_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr)) {}
  ~TestWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

struct DragResult {
  HRESULT enter = S_OK;
  DWORD enterEffect = 0;
  HRESULT drop = S_OK;
  DWORD dropEffect = 0;
};

class DropReceiverTest : public testing::Test {
 protected:
  IDropTarget* Target() { return receiver_->Target(); }

  // Enter with `allowed` and `enterKeys`, then drop with `dropKeys`.
  DragResult EnterAndDrop(FakeDataObject& data, DWORD allowed, DWORD enterKeys = 0, DWORD dropKeys = 0) {
    DragResult result;
    result.enterEffect = allowed;
    result.enter = Target()->DragEnter(data.Interface(), enterKeys, kPoint, &result.enterEffect);
    result.dropEffect = allowed;
    result.drop = Target()->Drop(data.Interface(), dropKeys, kPoint, &result.dropEffect);
    return result;
  }

  std::vector<std::string> handed_;
  std::unique_ptr<ui::DropReceiver> receiver_ =
      std::make_unique<ui::DropReceiver>([this](std::string_view text) { handed_.emplace_back(text); });
};

struct FileListCase {
  const char* name;
  std::vector<std::string> paths;
  std::string text;
};
void PrintTo(const FileListCase& c, std::ostream* out) { *out << c.name; }

class DroppedFileLists : public DropReceiverTest, public testing::WithParamInterface<FileListCase> {};

TEST_P(DroppedFileLists, HandOverTheirTextOnceAndReleaseTheMedium) {
  auto data = FakeDataObject::FileList(GetParam().paths);

  const DragResult result = EnterAndDrop(data, kAll);

  EXPECT_EQ(result.enter, S_OK);
  EXPECT_EQ(result.enterEffect, kCopy);
  EXPECT_EQ(result.drop, E_FAIL) << "a drop never reports that the items were acted on";
  EXPECT_EQ(result.dropEffect, kCopy);
  EXPECT_EQ(handed_, std::vector<std::string>{GetParam().text});
  EXPECT_EQ(data.GetDataCalls(), 1);
  EXPECT_EQ(data.References(), 1u) << "the medium or the data object was not released";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DroppedFileLists,
    testing::Values(FileListCase{"OneFileWithoutCrLf", {"C:\\photos\\a.jpg"}, "C:\\photos\\a.jpg"},
                    FileListCase{"ThreeFilesEachWithCrLf",
                                 {"C:\\a.jpg", "C:\\b.jpg", "D:\\c d.png"},
                                 "C:\\a.jpg\r\nC:\\b.jpg\r\nD:\\c d.png\r\n"},
                    FileListCase{"ThreeHundredBytePathWhole", {kLongPath}, kLongPath},
                    FileListCase{"NoFileGivesTheEmptyText", {}, ""},
                    FileListCase{"FolderListedLikeAFile", {"C:\\windows"}, "C:\\windows"},
                    FileListCase{"DuplicatesKeptInOrder",
                                 {"C:\\b.jpg", "C:\\a.jpg", "C:\\b.jpg"},
                                 "C:\\b.jpg\r\nC:\\a.jpg\r\nC:\\b.jpg\r\n"},
                    // 文档 in GBK: the bytes arrive as the source wrote them.
                    FileListCase{"MultibyteBytesUnchanged",
                                 {"C:\\\xce\xc4\xb5\xb5\\1.jpg"},
                                 "C:\\\xce\xc4\xb5\xb5\\1.jpg"}),
    [](const testing::TestParamInfo<FileListCase>& param) { return std::string(param.param.name); });

TEST_F(DropReceiverTest, TextWithoutAFileListIsRefusedAndNeverRead) {
  auto data = FakeDataObject::TextOnly("C:\\a.jpg");

  const DragResult result = EnterAndDrop(data, kAll);

  EXPECT_EQ(result.enter, S_OK);
  EXPECT_EQ(result.enterEffect, DWORD{DROPEFFECT_NONE});
  EXPECT_EQ(result.drop, E_FAIL);
  EXPECT_EQ(result.dropEffect, DWORD{DROPEFFECT_NONE});
  EXPECT_TRUE(handed_.empty());
  EXPECT_EQ(data.GetDataCalls(), 0);
  EXPECT_EQ(data.References(), 1u);
}

TEST_F(DropReceiverTest, FailingGetDataHandsNothingOver) {
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});
  data.FailGetData();

  const DragResult result = EnterAndDrop(data, kAll);

  EXPECT_EQ(result.enterEffect, kCopy) << "the list is offered, so the drag is welcome";
  EXPECT_EQ(result.drop, E_FAIL);
  EXPECT_EQ(data.GetDataCalls(), 1);
  EXPECT_TRUE(handed_.empty());
  EXPECT_EQ(data.References(), 1u);
}

TEST_F(DropReceiverTest, AHandlerThatThrowsLeavesNothingHeld) {
  receiver_ =
      std::make_unique<ui::DropReceiver>([](std::string_view) { throw std::runtime_error("handler"); });
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});

  const DragResult result = EnterAndDrop(data, kAll);

  EXPECT_EQ(result.drop, E_FAIL);
  EXPECT_EQ(data.References(), 1u);
}

struct KeyRow {
  const char* name;
  DWORD allowed;
  DWORD keys;
  DWORD effect;  // at enter, over and drop alike
};
void PrintTo(const KeyRow& row, std::ostream* out) { *out << row.name; }

class KeyRows : public DropReceiverTest, public testing::WithParamInterface<KeyRow> {};

TEST_P(KeyRows, DecideTheEffectAtEnterOverAndDrop) {
  const KeyRow& row = GetParam();
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});

  DWORD enter = row.allowed;
  ASSERT_EQ(Target()->DragEnter(data.Interface(), row.keys, kPoint, &enter), S_OK);
  DWORD over = row.allowed;
  ASSERT_EQ(Target()->DragOver(row.keys, kPoint, &over), S_OK);
  DWORD drop = row.allowed;
  EXPECT_EQ(Target()->Drop(data.Interface(), row.keys, kPoint, &drop), E_FAIL);

  EXPECT_EQ(enter, row.effect);
  EXPECT_EQ(over, row.effect);
  EXPECT_EQ(drop, row.effect);
  const bool handedOver = row.effect != DROPEFFECT_NONE;
  EXPECT_EQ(handed_.size(), handedOver ? 1u : 0u);
  EXPECT_EQ(data.GetDataCalls(), handedOver ? 1 : 0) << "a refused drop must not read the data";
  EXPECT_EQ(data.References(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyRows,
    testing::Values(KeyRow{"CtrlShiftRefusesWhateverIsAllowed", kAll, MK_CONTROL | MK_SHIFT, DROPEFFECT_NONE},
                    KeyRow{"CtrlWithMoveOnlyRefuses", kMove, MK_CONTROL, DROPEFFECT_NONE},
                    KeyRow{"ShiftWithCopyAndMoveMoves", kCopy | kMove, MK_SHIFT, kMove},
                    KeyRow{"NoKeyWithLinkOnlyLinks", kLink, 0, kLink},
                    KeyRow{"AltAndButtonsPlayNoPart", kMove | kLink, MK_ALT | MK_LBUTTON | MK_RBUTTON, kMove},
                    KeyRow{"NothingAllowedRefuses", DROPEFFECT_NONE, 0, DROPEFFECT_NONE}),
    [](const testing::TestParamInfo<KeyRow>& param) { return std::string(param.param.name); });

TEST_F(DropReceiverTest, KeysAtReleaseDecideTheDrop) {
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});

  const DragResult refused = EnterAndDrop(data, kAll, 0, MK_CONTROL | MK_SHIFT);
  EXPECT_EQ(refused.enterEffect, kCopy);
  EXPECT_EQ(refused.dropEffect, DWORD{DROPEFFECT_NONE});
  EXPECT_TRUE(handed_.empty());

  const DragResult taken = EnterAndDrop(data, kAll, MK_CONTROL | MK_SHIFT, MK_SHIFT);
  EXPECT_EQ(taken.enterEffect, DWORD{DROPEFFECT_NONE});
  EXPECT_EQ(taken.dropEffect, kMove);
  EXPECT_EQ(handed_, std::vector<std::string>{"C:\\a.jpg"});
  EXPECT_EQ(data.References(), 1u);
}

TEST_F(DropReceiverTest, DragOverFollowsTheKeysWithoutAskingTheDataAgain) {
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});
  DWORD effect = kAll;
  ASSERT_EQ(Target()->DragEnter(data.Interface(), 0, kPoint, &effect), S_OK);

  struct Step {
    DWORD keys;
    DWORD effect;
  };
  const Step steps[] = {
      {MK_SHIFT, kMove}, {MK_CONTROL, kCopy}, {MK_CONTROL | MK_SHIFT, DROPEFFECT_NONE}, {0, kCopy}};
  for (const Step& step : steps) {
    effect = kAll;
    EXPECT_EQ(Target()->DragOver(step.keys, kPoint, &effect), S_OK);
    EXPECT_EQ(effect, step.effect) << "keys " << step.keys;
  }
  EXPECT_EQ(data.QueryGetDataCalls(), 1);
}

TEST_F(DropReceiverTest, AfterDragLeaveNothingIsWelcome) {
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});
  DWORD effect = kAll;
  ASSERT_EQ(Target()->DragEnter(data.Interface(), 0, kPoint, &effect), S_OK);
  ASSERT_EQ(effect, kCopy);

  EXPECT_EQ(Target()->DragLeave(), S_OK);
  effect = kAll;
  EXPECT_EQ(Target()->DragOver(0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  effect = kAll;
  EXPECT_EQ(Target()->Drop(data.Interface(), 0, kPoint, &effect), E_FAIL);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  EXPECT_TRUE(handed_.empty());
  EXPECT_EQ(data.References(), 1u);
}

TEST_F(DropReceiverTest, SecondDragAfterARefusedOneIsJudgedAfresh) {
  auto text = FakeDataObject::TextOnly("x");
  auto files = FakeDataObject::FileList({"C:\\a.jpg", "C:\\b.jpg"});

  EXPECT_EQ(EnterAndDrop(text, kAll).dropEffect, DWORD{DROPEFFECT_NONE});
  EXPECT_EQ(EnterAndDrop(files, kAll).dropEffect, kCopy);
  EXPECT_EQ(handed_, std::vector<std::string>{"C:\\a.jpg\r\nC:\\b.jpg\r\n"});
}

struct InterfaceCase {
  const char* name;
  const IID* iid;
  bool answered;
};
void PrintTo(const InterfaceCase& c, std::ostream* out) { *out << c.name; }

class QueryInterfaceCases : public DropReceiverTest, public testing::WithParamInterface<InterfaceCase> {};

TEST_P(QueryInterfaceCases, AnswerOnlyIUnknownAndIDropTargetWithTheTargetItself) {
  void* object = reinterpret_cast<void*>(std::uintptr_t{1});  // must be overwritten either way

  const HRESULT hr = Target()->QueryInterface(*GetParam().iid, &object);

  if (GetParam().answered) {
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(object, static_cast<void*>(Target()));
    EXPECT_EQ(Target()->Release(), 1u) << "the answer took exactly one reference";
  } else {
    EXPECT_EQ(hr, E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    Target()->AddRef();
    EXPECT_EQ(Target()->Release(), 1u) << "a refusal took a reference";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, QueryInterfaceCases,
                         testing::Values(InterfaceCase{"IUnknown", &IID_IUnknown, true},
                                         InterfaceCase{"IDropTarget", &IID_IDropTarget, true},
                                         InterfaceCase{"IDataObject", &IID_IDataObject, false},
                                         InterfaceCase{"IDropSource", &IID_IDropSource, false},
                                         InterfaceCase{"IClassFactory", &IID_IClassFactory, false}),
                         [](const testing::TestParamInfo<InterfaceCase>& param) {
                           return std::string(param.param.name);
                         });

class Registration : public DropReceiverTest {
 protected:
  // Whether `window` already has a drop target: registering a spare one
  // succeeds only on a free window, and is withdrawn at once.
  bool HasDropTarget(HWND window) {
    const HRESULT hr = RegisterDragDrop(window, spare_.Target());
    if (hr == S_OK) RevokeDragDrop(window);
    EXPECT_TRUE(hr == S_OK || hr == DRAGDROP_E_ALREADYREGISTERED) << std::hex << hr;
    return hr == DRAGDROP_E_ALREADYREGISTERED;
  }

  TestWindow first_;
  TestWindow second_;
  ui::DropReceiver spare_{nullptr};
};

TEST_F(Registration, OnlyTheFirstBindCountsAndItLastsUntilTheReceiverGoes) {
  ASSERT_NE(first_.Get(), nullptr);
  ASSERT_NE(second_.Get(), nullptr);

  EXPECT_TRUE(receiver_->BindTarget(first_.Get()));
  EXPECT_FALSE(receiver_->BindTarget(second_.Get()));
  EXPECT_FALSE(receiver_->BindTarget(first_.Get()));

  EXPECT_TRUE(HasDropTarget(first_.Get()));
  EXPECT_FALSE(HasDropTarget(second_.Get()));

  receiver_.reset();
  EXPECT_FALSE(HasDropTarget(first_.Get())) << "the registration outlived the receiver";
}

TEST_F(Registration, AFailedBindStillCountsAsTheBind) {
  HWND gone = nullptr;
  {
    const TestWindow destroyed;
    gone = destroyed.Get();
  }

  EXPECT_FALSE(receiver_->BindTarget(gone));
  EXPECT_FALSE(receiver_->BindTarget(first_.Get()));
  EXPECT_FALSE(HasDropTarget(first_.Get()));
}

class DragImageHelper : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(helper_.Registered()); }

  std::vector<std::string> log_;
  std::vector<std::string> handed_;
  FakeDragImageHelper helper_;
  TestWindow window_;
};

TEST_F(DragImageHelper, IsToldFirstWithTheEffectAsReceived) {
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});
  data.LogCallsTo(&log_);
  helper_.LogCallsTo(&log_);
  {
    ui::DropReceiver receiver([this](std::string_view text) { handed_.emplace_back(text); });
    ASSERT_EQ(helper_.InstancesHandedOut(), 1);
    ASSERT_TRUE(receiver.BindTarget(window_.Get()));
    IDropTarget* target = receiver.Target();

    DWORD effect = kAll;
    ASSERT_EQ(target->DragEnter(data.Interface(), MK_CONTROL | MK_SHIFT, {1, 2}, &effect), S_OK);
    effect = kMove | kLink;
    ASSERT_EQ(target->DragOver(MK_CONTROL, {3, 4}, &effect), S_OK);
    ASSERT_EQ(target->DragLeave(), S_OK);
    effect = kAll;
    ASSERT_EQ(target->DragEnter(data.Interface(), 0, {5, 6}, &effect), S_OK);
    effect = kCopy;
    ASSERT_EQ(target->Drop(data.Interface(), MK_SHIFT, {7, 8}, &effect), E_FAIL);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  }

  const std::vector<std::string> order{
      "helper.DragEnter", "data.QueryGetData", "helper.DragOver",   "helper.DragLeave",
      "helper.DragEnter", "data.QueryGetData", "helper.Drop"};
  EXPECT_EQ(log_, order);
  const auto& calls = helper_.Calls();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].window, window_.Get());
  EXPECT_EQ(calls[0].data, data.Interface());
  EXPECT_EQ(calls[0].point.x, 1);
  EXPECT_EQ(calls[0].point.y, 2);
  EXPECT_EQ(calls[0].effect, kAll);
  EXPECT_EQ(calls[1].point.x, 3);
  EXPECT_EQ(calls[1].effect, kMove | kLink);
  EXPECT_EQ(calls[4].data, data.Interface());
  EXPECT_EQ(calls[4].point.y, 8);
  EXPECT_EQ(calls[4].effect, kCopy);
  EXPECT_TRUE(handed_.empty());
  EXPECT_EQ(helper_.References(), 0u) << "the receiver kept the helper";
  EXPECT_EQ(data.References(), 1u);
}

TEST_F(DragImageHelper, IsToldOfADropBeforeTheDataIsRead) {
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});
  ui::DropReceiver receiver([this](std::string_view text) { handed_.emplace_back(text); });
  DWORD effect = kAll;
  ASSERT_EQ(receiver.Target()->DragEnter(data.Interface(), 0, kPoint, &effect), S_OK);
  data.LogCallsTo(&log_);
  helper_.LogCallsTo(&log_);

  effect = kAll;
  EXPECT_EQ(receiver.Target()->Drop(data.Interface(), 0, kPoint, &effect), E_FAIL);

  EXPECT_EQ(log_, (std::vector<std::string>{"helper.Drop", "data.GetData"}));
  EXPECT_EQ(handed_, std::vector<std::string>{"C:\\a.jpg"});
}

TEST(DragImageHelperMissing, DropsStillWorkWithoutIt) {
  const FakeDragImageHelper refusing(/*refuse=*/true);
  ASSERT_TRUE(refusing.Registered());
  std::vector<std::string> handed;
  ui::DropReceiver receiver([&handed](std::string_view text) { handed.emplace_back(text); });
  auto data = FakeDataObject::FileList({"C:\\a.jpg"});

  DWORD effect = kAll;
  EXPECT_EQ(receiver.Target()->DragEnter(data.Interface(), 0, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, kCopy);
  EXPECT_EQ(receiver.Target()->Drop(data.Interface(), 0, kPoint, &effect), E_FAIL);

  EXPECT_TRUE(refusing.Calls().empty());
  EXPECT_EQ(handed, std::vector<std::string>{"C:\\a.jpg"});
}

}  // namespace
