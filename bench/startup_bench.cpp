// Start-up time: from CreateProcess to the main window shown, for the tool
// against a minimal Win32 window with the same title (the goal's baseline),
// and against that window plus the platform work the tool must do before it
// shows (which tells what of the difference is that work). All are started
// the same way, in turns, and found the same way: FindWindowA by title, owned
// by the started process and visible, polled every millisecond. Each is then
// closed with WM_CLOSE and waited for.
//   startup_bench.exe TOOL.exe MINIMAL.exe PLATFORM_SETUP.exe [RUNS]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "rename/program_texts.h"
#include "tests/support/real_folder.h"

namespace {

constexpr int kDefaultRuns = 15;
constexpr double kGoal = 1.10;
constexpr DWORD kShowTimeoutMs = 30'000;
constexpr DWORD kExitTimeoutMs = 10'000;

class Child {
 public:
  explicit Child(const std::string& exe) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exe + "\"";
    if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
      process_ = std::make_unique<real_folder::FileHandle>(info.hProcess);
      thread_ = std::make_unique<real_folder::FileHandle>(info.hThread);
      id_ = info.dwProcessId;
    }
  }
  // Ends the process if it is still running.
  ~Child() {
    if (Running()) {
      TerminateProcess(process_->Get(), 1);
      WaitForSingleObject(process_->Get(), kExitTimeoutMs);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool Started() const { return process_ != nullptr; }
  bool Running() const { return Started() && WaitForSingleObject(process_->Get(), 0) == WAIT_TIMEOUT; }
  DWORD Id() const { return id_; }
  bool WaitForExit() const { return WaitForSingleObject(process_->Get(), kExitTimeoutMs) == WAIT_OBJECT_0; }

 private:
  std::unique_ptr<real_folder::FileHandle> process_;
  std::unique_ptr<real_folder::FileHandle> thread_;
  DWORD id_ = 0;
};

HWND ShownWindowOf(DWORD processId) {
  HWND window = FindWindowA(nullptr, texts::kWindowTitle);
  if (window == nullptr || !IsWindowVisible(window)) return nullptr;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == processId ? window : nullptr;
}

bool NoWindowLeft() {
  const bench::Clock::time_point start = bench::Clock::now();
  while (FindWindowA(nullptr, texts::kWindowTitle) != nullptr) {
    if (bench::MillisecondsSince(start) > kExitTimeoutMs) return false;
    Sleep(1);
  }
  return true;
}

// Milliseconds from CreateProcess to the window shown; nothing on failure.
std::optional<double> TimeToWindow(const std::string& exe) {
  if (!NoWindowLeft()) return std::nullopt;
  const bench::Clock::time_point start = bench::Clock::now();
  const Child child(exe);
  if (!child.Started()) return std::nullopt;
  HWND window = nullptr;
  while ((window = ShownWindowOf(child.Id())) == nullptr) {
    if (!child.Running() || bench::MillisecondsSince(start) > kShowTimeoutMs) return std::nullopt;
    Sleep(1);
  }
  const double ms = bench::MillisecondsSince(start);
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (!child.WaitForExit()) return std::nullopt;
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench TOOL.exe MINIMAL.exe PLATFORM_SETUP.exe [RUNS]\n");
    return 2;
  }
  constexpr int kPrograms = 3;
  const std::string exes[kPrograms] = {argv[1], argv[2], argv[3]};
  const int runs = argc > 4 ? std::atoi(argv[4]) : kDefaultRuns;

  // One untimed start of each, so that all meet the same warm caches.
  for (const std::string& exe : exes) {
    if (!TimeToWindow(exe)) {
      std::printf("FAIL: %s showed no window\n", exe.c_str());
      return 1;
    }
  }
  std::vector<double> samples[kPrograms];
  for (int r = 0; r < runs; ++r) {
    for (int turn = 0; turn < kPrograms; ++turn) {
      const int which = (turn + r) % kPrograms;
      const std::optional<double> ms = TimeToWindow(exes[which]);
      if (!ms) {
        std::printf("FAIL: %s showed no window or did not close\n", exes[which].c_str());
        return 1;
      }
      samples[which].push_back(*ms);
    }
  }

  const bench::Spread tool = bench::SpreadOf(samples[0]);
  const bench::Spread minimal = bench::SpreadOf(samples[1]);
  const bench::Spread setup = bench::SpreadOf(samples[2]);
  std::printf("start-up to the window shown: %d starts each, in turns, median\n", runs);
  std::printf("  %-36s %10s %10s %10s\n", "program", "median ms", "min ms", "max ms");
  std::printf("  %-36s %10.1f %10.1f %10.1f\n", "minimal window", minimal.median, minimal.min, minimal.max);
  std::printf("  %-36s %10.1f %10.1f %10.1f\n", "minimal window + platform set-up", setup.median, setup.min,
              setup.max);
  std::printf("  %-36s %10.1f %10.1f %10.1f\n", "BatchRename.exe", tool.median, tool.min, tool.max);
  const double ratio = tool.median / minimal.median;
  const double setupRatio = tool.median / setup.median;
  std::printf("  ratio tool / minimal: %.3f (goal <= %.2f); tool / platform set-up alone: %.3f\n\n", ratio,
              kGoal, setupRatio);
  bench::PrintSummaryRow("start-up to window shown (ms)", bench::Figure("%.1f", tool.median),
                         bench::Figure("%.1f", minimal.median) + " minimal window",
                         bench::Figure("%.3f", ratio), "<= 1.10x the minimal window",
                         bench::Verdict(ratio <= kGoal));
  bench::PrintSummaryRow("start-up, same runs (ms)", bench::Figure("%.1f", tool.median),
                         bench::Figure("%.1f", setup.median) +
                             " minimal window + OLE, drag helper, drop target, "
                             "themed controls",
                         bench::Figure("%.3f", setupRatio), "(what the set-up costs)", "-");
  return 0;
}
