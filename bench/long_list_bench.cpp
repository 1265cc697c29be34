// A long list end to end on the real main window, in process under Wine:
// 100,000 paths of real files written into the file list as a drop writes
// them, read back, then renamed by a click on the rename button. The run
// services are the program's own rename with a silent notice. Baselines,
// measured side by side: a bare edit control of the file list's styles
// written and read with SetWindowTextA / GetWindowTextA, and a bare MoveFileA
// loop over the same pairs. Peak memory comes from GetProcessMemoryInfo.
//   long_list_bench.exe [PATHS] [REPETITIONS]

#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/file_set.h"
#include "ui/box_text.h"
#include "ui/dropped_file_text.h"
#include "ui/main_window.h"
#include "ui/run_services.h"

namespace {

constexpr std::size_t kDefaultPaths = 100'000;
constexpr int kDefaultRepetitions = 3;
constexpr std::size_t kFilesPerFolder = 1'000;  // keeps the sources' folders small
constexpr char kBaseName[] = "renamed_";

class ScopedOle {
 public:
  ScopedOle() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~ScopedOle() {
    if (ok_) OleUninitialize();
  }
  ScopedOle(const ScopedOle&) = delete;
  ScopedOle& operator=(const ScopedOle&) = delete;

 private:
  bool ok_;
};

class CountingServices final : public ui::RunServices {
 public:
  std::size_t renamed = 0;
  std::size_t failed = 0;
  std::string notice;

  bool RenameFile(batch::TextView source, batch::TextView target) override {
    const bool ok = real_.RenameFile(source, target);
    ++(ok ? renamed : failed);
    return ok;
  }
  void ShowCompletionNotice(batch::TextView text) override { notice = text; }
  void ShowEmptyListMessage() override { notice = "(empty list)"; }

 private:
  ui::Win32RunServices real_;
};

// An edit control with the file list's styles, size and font, alone.
class BareEdit {
 public:
  BareEdit()
      : window_(CreateWindowExA(
            WS_EX_CLIENTEDGE, "EDIT", "",
            WS_POPUP | WS_VISIBLE | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 0,
            0, 376, 160, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SendMessageA(window_, EM_LIMITTEXT, 0, 0);
  }
  ~BareEdit() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  BareEdit(const BareEdit&) = delete;
  BareEdit& operator=(const BareEdit&) = delete;

  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

struct Memory {
  double peakWorkingSetMb = 0;
  double peakPrivateMb = 0;
  double workingSetMb = 0;
};

Memory MemoryNow() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return {};
  constexpr double kMb = 1024.0 * 1024.0;
  return {static_cast<double>(counters.PeakWorkingSetSize) / kMb,
          static_cast<double>(counters.PeakPagefileUsage) / kMb,
          static_cast<double>(counters.WorkingSetSize) / kMb};
}

// Writes into a box and lets it repaint, as the user would then see it.
double TimeWrite(HWND box, const std::string& text, bool bare) {
  const bench::Clock::time_point start = bench::Clock::now();
  if (bare) {
    SetWindowTextA(box, text.c_str());
  } else {
    ui::WriteBoxText(box, text);
  }
  UpdateWindow(box);
  PumpMessages();
  return bench::MillisecondsSince(start);
}

double TimeRead(HWND box, std::string& text, bool bare) {
  const bench::Clock::time_point start = bench::Clock::now();
  if (bare) {
    text.assign(static_cast<std::size_t>(GetWindowTextLengthA(box)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
  } else {
    text = ui::ReadBoxText(box);
  }
  return bench::MillisecondsSince(start);
}

// Where the two texts first differ, or npos.
std::size_t FirstDifference(const std::string& a, const std::string& b) {
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) return i;
  }
  return a.size() == b.size() ? std::string::npos : std::min(a.size(), b.size());
}

// Renames every pair, or every pair back; returns how many failed.
std::size_t MoveAll(const std::vector<bench::RenamePair>& pairs, bool back) {
  std::size_t failed = 0;
  for (const bench::RenamePair& pair : pairs) {
    const std::string& from = back ? pair.target : pair.source;
    const std::string& to = back ? pair.source : pair.target;
    if (!MoveFileA(from.c_str(), to.c_str())) ++failed;
  }
  return failed;
}

// Progress goes to stderr, so that a long run shows where it is.
void Progress(const char* step, double ms) {
  std::fprintf(stderr, "long_list_bench: %s (%.0f ms)\n", step, ms);
}

void PrintTimes(const char* what, const bench::Spread& t, const bench::Spread& base) {
  std::printf("  %-44s %10.1f %10.1f %10.1f %8.2fx\n", what, t.median, t.min, t.max, t.median / base.median);
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : kDefaultPaths;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : kDefaultRepetitions;
  const ScopedOle ole;
  const real_folder::TempFolder directory("br-long-bench");
  const std::vector<std::string> paths =
      bench::NumberedPaths(directory.Path(), "IMG_", ".jpg", count, kFilesPerFolder);
  bench::Clock::time_point start = bench::Clock::now();
  if (!directory.Ok() || !bench::MakeFilesAfresh(directory.Path(), paths)) {
    std::printf("FAIL: could not make %zu files under %s\n", count, directory.Path().c_str());
    return 1;
  }
  const double createMs = bench::MillisecondsSince(start);
  Progress("files made", createMs);
  const std::string text = ui::DroppedFileText(paths);
  std::printf(
      "long list: %zu paths, %zu bytes as a drop writes them, in folders of %zu; files made in %.0f ms\n",
      count, text.size(), kFilesPerFolder, createMs);

  CountingServices services;
  const std::unique_ptr<ui::MainWindow> window =
      ui::MainWindow::Create(GetModuleHandleA(nullptr), services, {}, [] {});
  if (window == nullptr) {
    std::printf("FAIL: the main window could not be made\n");
    return 1;
  }
  PumpMessages();
  const BareEdit bare;
  HWND list = window->MemberWindow(ui::Member::kFileListBox);
  const Memory before = MemoryNow();

  // Write and read back, the window's box and the bare box taking turns; the
  // first round is the window's, so the memory peaks after it are its own.
  std::vector<double> writeMs[2];
  std::vector<double> readMs[2];
  Memory afterWrite;
  Memory afterRead;
  bool roundTrip = true;
  std::string back;
  for (int r = 0; r < repetitions; ++r) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool isBare = (turn + r) % 2 == 1;
      HWND box = isBare ? bare.Handle() : list;
      writeMs[isBare].push_back(TimeWrite(box, text, isBare));
      if (r == 0 && !isBare) afterWrite = MemoryNow();
      readMs[isBare].push_back(TimeRead(box, back, isBare));
      if (r == 0 && !isBare) afterRead = MemoryNow();
      const std::size_t at = FirstDifference(back, text);
      if (at != std::string::npos) {
        std::printf("FAIL: the %s box gave back %zu bytes of %zu, first difference at byte %zu\n",
                    isBare ? "bare" : "window's", back.size(), text.size(), at);
        roundTrip = false;
      }
      if (isBare) SetWindowTextA(box, "");
    }
  }
  back = std::string();
  Progress("list written and read back", 0);

  // The run: one click; then every file is moved back and a bare loop does
  // the same renames.
  ui::WriteBoxText(window->MemberWindow(ui::Member::kBaseNameBox), kBaseName);
  start = bench::Clock::now();
  SendMessageA(window->MemberWindow(ui::Member::kRenameButton), BM_CLICK, 0, 0);
  const double runMs = bench::MillisecondsSince(start);
  const Memory afterRun = MemoryNow();
  Progress("the click's run ended", runMs);
  bool runOk = services.renamed == count && services.notice == "OK";
  if (!runOk) {
    std::printf("FAIL: the run renamed %zu of %zu, notice \"%s\"\n", services.renamed, count,
                services.notice.c_str());
  }
  const std::vector<bench::RenamePair> pairs = bench::PairsOf(text, kBaseName);
  start = bench::Clock::now();
  const std::size_t notBack = MoveAll(pairs, true);
  const double backMs = bench::MillisecondsSince(start);
  Progress("files moved back", backMs);
  start = bench::Clock::now();
  const std::size_t bareFailed = notBack == 0 ? MoveAll(pairs, false) : count;
  const double bareRunMs = bench::MillisecondsSince(start);
  if (bareFailed != 0) {
    std::printf("FAIL: the bare loop could not rename %zu of %zu\n", bareFailed, count);
    runOk = false;
  }

  const bench::Spread write = bench::SpreadOf(writeMs[0]);
  const bench::Spread bareWrite = bench::SpreadOf(writeMs[1]);
  const bench::Spread read = bench::SpreadOf(readMs[0]);
  const bench::Spread bareRead = bench::SpreadOf(readMs[1]);
  std::printf("  %-44s %10s %10s %10s %9s\n",
              ("step (median of " + std::to_string(repetitions) + ")").c_str(), "median ms", "min ms",
              "max ms", "ratio");
  PrintTimes("write: bare edit, SetWindowTextA + paint", bareWrite, bareWrite);
  PrintTimes("write: file list, WriteBoxText + paint", write, bareWrite);
  PrintTimes("read: bare edit, GetWindowTextA", bareRead, bareRead);
  PrintTimes("read: file list, ReadBoxText", read, bareRead);
  std::printf("  %-44s %10.1f %32.0f files/s\n", "run: bare MoveFileA loop (once)", bareRunMs,
              static_cast<double>(count) / (bareRunMs / 1000.0));
  std::printf("  %-44s %10.1f %32.0f files/s  %.3f of the bare rate\n",
              "run: click, ReadBoxText + BatchRename (once)", runMs,
              static_cast<double>(count) / (runMs / 1000.0), bareRunMs / runMs);
  std::printf("  %-44s %10.1f\n", "(moving every file back, untimed)", backMs);
  std::printf("  read back every byte written: %s\n", roundTrip ? "yes" : "FAIL");
  std::printf("memory (MB)                        working set peak   private peak\n");
  std::printf("  window made, list in memory      %10.1f %16.1f\n", before.peakWorkingSetMb,
              before.peakPrivateMb);
  std::printf("  after writing the list           %10.1f %16.1f\n", afterWrite.peakWorkingSetMb,
              afterWrite.peakPrivateMb);
  std::printf("  after reading it back            %10.1f %16.1f\n", afterRead.peakWorkingSetMb,
              afterRead.peakPrivateMb);
  std::printf("  after the run                    %10.1f %16.1f\n", afterRun.peakWorkingSetMb,
              afterRun.peakPrivateMb);
  const double listMb = static_cast<double>(text.size()) / (1024.0 * 1024.0);
  std::printf("  peak private growth from write to run: %.1f MB = %.1fx the list's %.1f MB\n\n",
              afterRun.peakPrivateMb - before.peakPrivateMb,
              (afterRun.peakPrivateMb - before.peakPrivateMb) / listMb, listMb);

  const std::string n = bench::Figure("%.0f", static_cast<double>(count));
  bench::PrintSummaryRow("long list " + n + ": write (ms)", bench::Figure("%.1f", write.median),
                         bench::Figure("%.1f", bareWrite.median) + " bare edit",
                         bench::Figure("%.2f", write.median / bareWrite.median), "(none set)",
                         roundTrip ? "ok" : "FAIL");
  bench::PrintSummaryRow("long list " + n + ": read back (ms)", bench::Figure("%.1f", read.median),
                         bench::Figure("%.1f", bareRead.median) + " bare edit",
                         bench::Figure("%.2f", read.median / bareRead.median), "every byte back",
                         bench::Verdict(roundTrip));
  bench::PrintSummaryRow(
      "long list " + n + ": run (files/s)",
      bench::Figure("%.0f", static_cast<double>(count) / (runMs / 1000.0)),
      bench::Figure("%.0f", static_cast<double>(count) / (bareRunMs / 1000.0)) + " bare MoveFileA loop",
      bench::Figure("%.3f", bareRunMs / runMs), "all renamed, notice OK", bench::Verdict(runOk));
  bench::PrintSummaryRow(
      "long list " + n + ": peak private (MB)", bench::Figure("%.1f", afterRun.peakPrivateMb),
      bench::Figure("%.1f", before.peakPrivateMb) + " before the write",
      bench::Figure("%.1fx list", (afterRun.peakPrivateMb - before.peakPrivateMb) / listMb), "(none set)",
      "-");
  return roundTrip && runOk ? 0 : 1;
}
