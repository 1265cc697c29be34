// Prints, as one JSON object, the state of the running tool's window as
// another program sees it: members with their classes, styles, places and
// texts (hex bytes, as the window holds them), the focused member, and any
// message box of the window's thread. Used by the end-to-end tests to check
// state, not pixels.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "rename/program_texts.h"

namespace {

constexpr UINT kTimeoutMs = 2000;

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length)) return {};
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      kTimeoutMs, &copied);
  text.resize(copied);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string Rect(const RECT& r) {
  return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "]";
}

std::string Bool(bool value) { return value ? "true" : "false"; }

// Class, texts, styles and places of one window; `parent` gives
// client-relative places as well.
std::string Describe(HWND window, HWND parent) {
  RECT screen{};
  GetWindowRect(window, &screen);
  std::string out = "{\"hwnd\":" + std::to_string(reinterpret_cast<std::uintptr_t>(window));
  out += ",\"id\":" + std::to_string(GetDlgCtrlID(window));
  out += ",\"class\":\"" + ClassOf(window) + "\"";
  out += ",\"text\":\"" + Hex(TextOf(window)) + "\"";
  out += ",\"style\":" + std::to_string(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)));
  out += ",\"exstyle\":" + std::to_string(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
  out += ",\"visible\":" + Bool(IsWindowVisible(window));
  out += ",\"enabled\":" + Bool(IsWindowEnabled(window));
  out += ",\"screen\":" + Rect(screen);
  if (parent != nullptr) {
    RECT client = screen;
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&client), 2);
    out += ",\"client\":" + Rect(client);
  }
  return out;
}

struct Search {
  DWORD thread;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectMessageBoxes(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (GetWindowThreadProcessId(window, nullptr) == search->thread && ClassOf(window) == "#32770" &&
      IsWindowVisible(window)) {
    search->boxes.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

std::string DescribeChildren(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&children));
  std::string out = "[";
  for (HWND child : children) {
    if (GetParent(child) != parent) continue;
    if (out.size() > 1) out += ",";
    out += Describe(child, parent) + "}";
  }
  return out + "]";
}

}  // namespace

int main() {
  HWND window = FindWindowA(nullptr, texts::kWindowTitle);
  if (window == nullptr) {
    std::puts("{\"found\":false}");
    return 0;
  }
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &process);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(thread, &info);
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);

  std::string out = "{\"found\":true,\"window\":" + Describe(window, nullptr);
  out += ",\"client_size\":[" + std::to_string(client.right) + "," + std::to_string(client.bottom) + "]";
  out += ",\"client_origin\":[" + std::to_string(origin.x) + "," + std::to_string(origin.y) + "]";
  out += ",\"iconic\":" + Bool(IsIconic(window)) + ",\"pid\":" + std::to_string(process) + "}";
  out += ",\"members\":" + DescribeChildren(window);
  out += ",\"focus_id\":" + std::to_string(info.hwndFocus != nullptr && GetParent(info.hwndFocus) == window
                                                ? GetDlgCtrlID(info.hwndFocus)
                                                : 0);
  out += ",\"active_is_window\":" + Bool(info.hwndActive == window);

  Search search{thread, {}};
  EnumWindows(CollectMessageBoxes, reinterpret_cast<LPARAM>(&search));
  out += ",\"message_boxes\":[";
  for (std::size_t i = 0; i < search.boxes.size(); ++i) {
    HWND box = search.boxes[i];
    if (i > 0) out += ",";
    out += Describe(box, nullptr);
    out += ",\"owner\":" + std::to_string(reinterpret_cast<std::uintptr_t>(GetWindow(box, GW_OWNER)));
    out += ",\"children\":" + DescribeChildren(box) + "}";
  }
  out += "]}";
  std::puts(out.c_str());
  return 0;
}
