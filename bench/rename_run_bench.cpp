// The rename run on Windows file semantics: 10,000 real files renamed by the
// tool's run (plan, BatchRename and the program's rename service) against a
// bare loop of MoveFileA over the same source and target pairs. The files are
// made afresh before every timed run, and the two take turns going first, so
// that neither always meets a warmer directory. Runs under Wine.
//   rename_run_bench.exe [FILES] [REPETITIONS]
//
// The sources lie in folders of 1,000 and every target in the first one's:
// Wine looks for a new name through the whole folder (it compares names
// without case), so making files costs time in proportion to the folder's
// size, and small folders keep the untimed part short.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/file_set.h"
#include "rename/batch_rename.h"
#include "ui/run_services.h"

namespace {

constexpr std::size_t kDefaultFiles = 10'000;
constexpr int kDefaultRepetitions = 5;
constexpr std::size_t kFilesPerFolder = 1'000;
constexpr double kGoal = 0.95;
constexpr char kBaseName[] = "renamed_";

// The program's own rename service (MoveFileA behind its path-length guard);
// only the notice is left out.
class SilentRunServices final : public batch::RenameServices {
 public:
  bool RenameFile(batch::TextView source, batch::TextView target) override {
    return real_.RenameFile(source, target);
  }
  void ShowCompletionNotice(batch::TextView) override {}

 private:
  ui::Win32RunServices real_;
};

std::size_t BareLoop(const std::vector<bench::RenamePair>& pairs) {
  std::size_t failed = 0;
  for (const bench::RenamePair& pair : pairs) {
    if (!MoveFileA(pair.source.c_str(), pair.target.c_str())) ++failed;
  }
  return failed;
}

std::size_t ToolRun(const std::string& listText) {
  SilentRunServices services;
  return static_cast<std::size_t>(batch::BatchRename(listText, kBaseName, services).failed);
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t files = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : kDefaultFiles;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : kDefaultRepetitions;
  const auto filesPerSecond = [files](double ms) { return static_cast<double>(files) / (ms / 1000.0); };
  const real_folder::TempFolder directory("br-run-bench");
  if (!directory.Ok()) {
    std::printf("FAIL: cannot make a folder in the temp folder\n");
    return 1;
  }
  const std::vector<std::string> sources =
      bench::NumberedPaths(directory.Path(), "IMG_", ".jpg", files, kFilesPerFolder);
  const std::string listText = bench::ListText(sources);
  const std::vector<bench::RenamePair> pairs = bench::PairsOf(listText, kBaseName);
  if (pairs.size() != files) {
    std::printf("FAIL: the plan holds %zu pairs, not %zu\n", pairs.size(), files);
    return 1;
  }

  std::printf("rename run: %zu files under %s, median of %d runs each, order alternating\n", files,
              directory.Path().c_str(), repetitions);
  std::vector<double> toolMs;
  std::vector<double> bareMs;
  std::vector<double> createMs;
  bool faultless = true;
  for (int r = 0; r < repetitions; ++r) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool toolTurn = (turn == 0) == (r % 2 == 0);
      auto start = bench::Clock::now();
      if (!bench::MakeFilesAfresh(directory.Path(), sources)) {
        std::printf("FAIL: could not make the %zu files afresh\n", files);
        return 1;
      }
      createMs.push_back(bench::MillisecondsSince(start));
      start = bench::Clock::now();
      const std::size_t failed = toolTurn ? ToolRun(listText) : BareLoop(pairs);
      (toolTurn ? toolMs : bareMs).push_back(bench::MillisecondsSince(start));
      if (failed != 0) {
        std::printf("FAIL: %zu of %zu renames failed in the %s\n", failed, files,
                    toolTurn ? "tool's run" : "bare loop");
        faultless = false;
      }
    }
  }

  const bench::Spread tool = bench::SpreadOf(toolMs);
  const bench::Spread bare = bench::SpreadOf(bareMs);
  const bench::Spread create = bench::SpreadOf(createMs);
  std::printf("  %-30s %10s %10s %10s %12s\n", "case", "median ms", "min ms", "max ms", "files/s");
  std::printf("  %-30s %10.1f %10.1f %10.1f %12.0f\n", "bare MoveFileA loop", bare.median, bare.min, bare.max,
              filesPerSecond(bare.median));
  std::printf("  %-30s %10.1f %10.1f %10.1f %12.0f\n", "BatchRename + MoveFileA", tool.median, tool.min,
              tool.max, filesPerSecond(tool.median));
  std::printf("  %-30s %10.1f %10.1f %10.1f %12.0f\n", "(making the files, untimed)", create.median,
              create.min, create.max, filesPerSecond(create.median));
  const double ratio = filesPerSecond(tool.median) / filesPerSecond(bare.median);
  std::printf("  rate ratio tool / bare loop: %.3f (goal >= %.2f)\n\n", ratio, kGoal);
  bench::PrintSummaryRow(
      "rename run, " + bench::Figure("%.0f", static_cast<double>(files)) + " files (files/s)",
      bench::Figure("%.0f", filesPerSecond(tool.median)),
      bench::Figure("%.0f", filesPerSecond(bare.median)) + " bare MoveFileA loop",
      bench::Figure("%.3f", ratio), ">= 0.95 of the bare rate",
      faultless ? bench::Verdict(ratio >= kGoal) : "FAIL");
  return faultless ? 0 : 1;
}
