#include "ui/main_window.h"

#include "rename/program_texts.h"
#include "ui/box_text.h"
#include "ui/drop_receiver.h"
#include "ui/focus_cycle.h"
#include "ui/window_placement.h"

namespace ui {

namespace {

constexpr char kWindowClass[] = "BatchRenameMainWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct ControlClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass ControlClassOf(MemberKind kind) {
  switch (kind) {
    case MemberKind::kPaintedLabel:
      return {"STATIC", SS_OWNERDRAW, 0};
    case MemberKind::kSingleLineEdit:
      return {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case MemberKind::kPushButton:
      return {"BUTTON", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
    case MemberKind::kMultiLineEdit:
      return {"EDIT", ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, WS_EX_CLIENTEDGE};
  }
  return {"STATIC", 0, 0};
}

bool IsEditBox(MemberKind kind) {
  return kind == MemberKind::kSingleLineEdit || kind == MemberKind::kMultiLineEdit;
}

bool RegisterWindowClass(HINSTANCE instance, const WindowIcons& icons, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icons.large;
  windowClass.hIconSm = icons.small;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

// Selects a GDI object into a device context for one scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() { SelectObject(dc_, previous_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace

MainWindow::MainWindow(RunServices& services, DestroyedHandler onDestroyed)
    : services_(services), onDestroyed_(std::move(onDestroyed)) {}

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance, RunServices& services,
                                               const WindowIcons& icons, DestroyedHandler onDestroyed) {
  std::unique_ptr<MainWindow> mainWindow(new MainWindow(services, std::move(onDestroyed)));
  if (!mainWindow->Build(instance, icons)) return nullptr;
  return mainWindow;
}

bool MainWindow::Build(HINSTANCE instance, const WindowIcons& icons) {
  if (!RegisterWindowClass(instance, icons, &MainWindow::WindowProc)) return false;

  // 1. Hidden, centred, at exactly the outer size the layout was made for.
  const Origin origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                      kWindowWidth, kWindowHeight);
  CreateWindowExA(0, kWindowClass, texts::kWindowTitle, kWindowStyle, origin.left, origin.top,
                  kWindowWidth, kWindowHeight, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  RECT outer{};
  GetWindowRect(window_, &outer);
  if (outer.right - outer.left != kWindowWidth || outer.bottom - outer.top != kWindowHeight) {
    SetWindowPos(window_, nullptr, origin.left, origin.top, kWindowWidth, kWindowHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // 2. Font and icon.
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small));

  // 3. and 4. Members, created hidden and then shown together, so that the
  // window's first picture already holds all of them.
  if (!CreateMembers(instance)) {
    DestroyWindow(window_);
    return false;
  }
  for (HWND member : members_) ShowWindow(member, SW_SHOWNA);

  // 5. and 6. A handler could have closed the window meanwhile.
  OnWindowLoaded();
  if (window_ == nullptr) return true;
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  return true;
}

bool MainWindow::CreateMembers(HINSTANCE instance) {
  for (const MemberSpec& spec : kMembers) {
    const ControlClass controlClass = ControlClassOf(spec.kind);
    const DWORD tabStop = spec.tabIndex == kNotInTabOrder ? 0 : WS_TABSTOP;
    HWND member = CreateWindowExA(controlClass.exStyle, controlClass.name, spec.initialText,
                                  WS_CHILD | tabStop | controlClass.style, spec.left, spec.top, spec.width,
                                  spec.height, window_, reinterpret_cast<HMENU>(INT_PTR{ControlId(spec.member)}),
                                  instance, nullptr);
    if (member == nullptr) return false;
    members_[static_cast<std::size_t>(spec.member)] = member;
    SendMessageA(member, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // No limit of the program's own: the platform's maximum.
    if (IsEditBox(spec.kind)) SendMessageA(member, EM_LIMITTEXT, 0, 0);
  }
  dropReceiver_ = std::make_unique<DropReceiver>(
      [this](std::string_view droppedFileText) { OnFilesDropped(droppedFileText); });
  return true;
}

void MainWindow::OnWindowLoaded() {
  // Without a registration the window works on, only without drops.
  dropReceiver_->BindTarget(MemberWindow(Member::kFileListBox));
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT: {
      // Fixed black on white, whatever the system colours.
      auto* dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_DRAWITEM:
      PaintLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_DESTROY:
      // The file list still exists here, so its registration can be withdrawn.
      dropReceiver_.reset();
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void MainWindow::OnCommand(int controlId, int notification) {
  if (controlId == ControlId(Member::kRenameButton) && notification == BN_CLICKED) OnRenameClicked();
}

void MainWindow::OnRenameClicked() {
  const batch::Text listText = ReadBoxText(MemberWindow(Member::kFileListBox));
  const batch::Text baseName = ReadBoxText(MemberWindow(Member::kBaseNameBox));
  if (batch::BatchRename(listText, baseName, services_).listWasEmpty) services_.ShowEmptyListMessage();
}

void MainWindow::OnFilesDropped(batch::TextView droppedFileText) {
  WriteBoxText(MemberWindow(Member::kFileListBox), droppedFileText);
}

void MainWindow::PaintLabel(const DRAWITEMSTRUCT& item) const {
  const MemberSpec& label = kMembers[static_cast<std::size_t>(Member::kNameLabel)];
  if (item.hwndItem != MemberWindow(Member::kNameLabel)) return;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, RGB(0, 0, 0));
  const ScopedSelect font(item.hDC, font_);
  RECT place = item.rcItem;
  DrawTextA(item.hDC, label.initialText, -1, &place, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}

void MainWindow::OnActivate(bool active) {
  if (active) return;
  HWND focus = GetFocus();
  if (SpecOf(focus) != nullptr) focusWhenDeactivated_ = focus;
}

void MainWindow::RestoreFocus() {
  if (focusWhenDeactivated_ != nullptr && IsWindow(focusWhenDeactivated_) &&
      IsChild(window_, focusWhenDeactivated_)) {
    SetFocus(focusWhenDeactivated_);
    return;
  }
  const auto first = NextInTabOrder(std::nullopt, false, [this](Member member) {
    HWND window = MemberWindow(member);
    return IsWindowVisible(window) && IsWindowEnabled(window);
  });
  if (first) SetFocus(MemberWindow(*first));
}

void MainWindow::OnNcDestroy() {
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  window_ = nullptr;
  members_.fill(nullptr);
  focusWhenDeactivated_ = nullptr;
  if (onDestroyed_) onDestroyed_();
}

bool MainWindow::PreTranslateMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN || window_ == nullptr) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  const bool ctrl = KeyHeld(VK_CONTROL);
  const bool shift = KeyHeld(VK_SHIFT);
  const bool alt = KeyHeld(VK_MENU);
  switch (message.wParam) {
    case VK_TAB:
      return !ctrl && !alt && MoveFocus(shift);
    case VK_ESCAPE:
      if (ctrl || shift || alt) return false;
      SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    case VK_RETURN:
      return !ctrl && !shift && !alt && PressDefaultButton();
    default:
      return false;
  }
}

bool MainWindow::MoveFocus(bool backwards) {
  const MemberSpec* focused = SpecOf(GetFocus());
  const auto next = NextInTabOrder(focused ? std::optional(focused->member) : std::nullopt, backwards,
                                   [this](Member member) {
                                     HWND window = MemberWindow(member);
                                     return IsWindowVisible(window) && IsWindowEnabled(window);
                                   });
  if (!next) return false;
  HWND target = MemberWindow(*next);
  SetFocus(target);
  // As in dialogs, an edit box entered by Tab has its whole text selected.
  if (IsEditBox(kMembers[static_cast<std::size_t>(*next)].kind)) SendMessageA(target, EM_SETSEL, 0, -1);
  return true;
}

// Enter goes to the focused member when it takes Enter itself (the file
// list); otherwise it presses a default push button, the focused one first,
// then in layout order. The layout has none, so Enter never starts a run.
bool MainWindow::PressDefaultButton() {
  HWND focus = GetFocus();
  if (SpecOf(focus) != nullptr && (SendMessageA(focus, WM_GETDLGCODE, VK_RETURN, 0) & DLGC_WANTALLKEYS))
    return false;
  auto isDefaultButton = [](HWND window) {
    return (SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0 && IsWindowEnabled(window);
  };
  HWND button = SpecOf(focus) != nullptr && isDefaultButton(focus) ? focus : nullptr;
  for (std::size_t i = 0; button == nullptr && i < members_.size(); ++i) {
    if (isDefaultButton(members_[i])) button = members_[i];
  }
  if (button == nullptr) return false;
  SendMessageA(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return true;
}

const MemberSpec* MainWindow::SpecOf(HWND window) const {
  for (const MemberSpec& spec : kMembers) {
    if (window != nullptr && MemberWindow(spec.member) == window) return &spec;
  }
  return nullptr;
}

}  // namespace ui
