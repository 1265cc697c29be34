// The rename run on Windows file semantics: 10,000 real files renamed by the
// tool's run (plan, BatchRename, MoveFileA behind RenameServices) against a
// bare loop of MoveFileA over the same source and target pairs. The files are
// made afresh before every timed run, and the two take turns going first, so
// that neither always meets a warmer directory. Runs under Wine.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "bench/bench_report.h"
#include "bench/scratch_directory.h"
#include "rename/batch_rename.h"
#include "rename/rename_plan.h"

namespace {

constexpr std::size_t kFiles = 10'000;
constexpr int kRepetitions = 7;
constexpr double kGoal = 0.95;
constexpr char kBaseName[] = "renamed_";

class MoveFileServices final : public batch::RenameServices {
 public:
  bool RenameFile(batch::TextView source, batch::TextView target) override {
    return MoveFileA(source.data(), target.data()) != FALSE;
  }
  void ShowCompletionNotice(batch::TextView) override {}
};

struct Pair {
  std::string source;
  std::string target;
};

// The pairs the tool's run renames, taken from its own plan so that both
// sides do the same renames.
std::vector<Pair> PairsOf(const std::string& listText) {
  const batch::PlanResult formed = batch::FormRenamePlan(listText, kBaseName);
  std::vector<Pair> pairs;
  if (const auto* plan = std::get_if<batch::RenamePlan>(&formed)) {
    for (const batch::PlanEntry& entry : plan->Entries()) pairs.push_back({std::string(entry.source), std::string(entry.target)});
  }
  return pairs;
}

std::size_t BareLoop(const std::vector<Pair>& pairs) {
  std::size_t failed = 0;
  for (const Pair& pair : pairs) {
    if (!MoveFileA(pair.source.c_str(), pair.target.c_str())) ++failed;
  }
  return failed;
}

std::size_t ToolRun(const std::string& listText) {
  MoveFileServices services;
  return static_cast<std::size_t>(batch::BatchRename(listText, kBaseName, services).failed);
}

bool Recreate(const bench::ScratchDirectory& directory, const std::vector<std::string>& sources) {
  return directory.Clear() == 0 && bench::CreateFiles(sources) == 0;
}

double FilesPerSecond(double ms) { return static_cast<double>(kFiles) / (ms / 1000.0); }

}  // namespace

int main() {
  const bench::ScratchDirectory directory("br-run-bench");
  if (!directory.Ok()) {
    std::printf("FAIL: cannot make a directory under %s\n", directory.Path().c_str());
    return 1;
  }
  const std::vector<std::string> sources = bench::NumberedPaths(directory.Path(), "IMG_", ".jpg", kFiles);
  const std::string listText = bench::ListText(sources);
  const std::vector<Pair> pairs = PairsOf(listText);
  if (pairs.size() != kFiles) {
    std::printf("FAIL: the plan holds %zu pairs, not %zu\n", pairs.size(), kFiles);
    return 1;
  }

  std::printf("rename run: %zu files in %s, median of %d runs each, order alternating\n", kFiles,
              directory.Path().c_str(), kRepetitions);
  std::vector<double> toolMs;
  std::vector<double> bareMs;
  std::vector<double> createMs;
  bool faultless = true;
  for (int r = 0; r < kRepetitions; ++r) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool toolTurn = (turn == 0) == (r % 2 == 0);
      auto start = bench::Clock::now();
      if (!Recreate(directory, sources)) {
        std::printf("FAIL: could not make the %zu files afresh\n", kFiles);
        return 1;
      }
      createMs.push_back(bench::MillisecondsSince(start));
      start = bench::Clock::now();
      const std::size_t failed = toolTurn ? ToolRun(listText) : BareLoop(pairs);
      (toolTurn ? toolMs : bareMs).push_back(bench::MillisecondsSince(start));
      if (failed != 0) {
        std::printf("FAIL: %zu of %zu renames failed in the %s\n", failed, kFiles, toolTurn ? "tool's run" : "bare loop");
        faultless = false;
      }
    }
  }

  const bench::Spread tool = bench::SpreadOf(toolMs);
  const bench::Spread bare = bench::SpreadOf(bareMs);
  const bench::Spread create = bench::SpreadOf(createMs);
  std::printf("  %-30s %10s %10s %10s %12s\n", "case", "median ms", "min ms", "max ms", "files/s");
  std::printf("  %-30s %10.1f %10.1f %10.1f %12.0f\n", "bare MoveFileA loop", bare.median, bare.min, bare.max,
              FilesPerSecond(bare.median));
  std::printf("  %-30s %10.1f %10.1f %10.1f %12.0f\n", "BatchRename + MoveFileA", tool.median, tool.min, tool.max,
              FilesPerSecond(tool.median));
  std::printf("  %-30s %10.1f %10.1f %10.1f %12.0f\n", "(making the files, untimed)", create.median, create.min,
              create.max, FilesPerSecond(create.median));
  const double ratio = FilesPerSecond(tool.median) / FilesPerSecond(bare.median);
  std::printf("  rate ratio tool / bare loop: %.3f (goal >= %.2f)\n\n", ratio, kGoal);
  bench::PrintSummaryRow("rename run, 10,000 files (files/s)", bench::Figure("%.0f", FilesPerSecond(tool.median)),
                         bench::Figure("%.0f", FilesPerSecond(bare.median)) + " bare MoveFileA loop",
                         bench::Figure("%.3f", ratio), ">= 0.95 of the bare rate", ratio >= kGoal && faultless);
  return faultless ? 0 : 1;
}
