// Speed and memory of forming a rename plan from a long file list.
//
// The list holds one million paths of about 60 bytes, a fixed mix of ASCII
// and GBK names, CR LF separated. Each timing is repeated and the median is
// shown beside a plain-copy baseline:
//   FormRenamePlan  against copying the list bytes twice with memcpy,
//   SplitLines      against one memchr pass over the list for CR.
// The heap is counted by the replaced global operator new / delete below, so
// the peak heap use while forming the plan can be set against the list size.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "bench/bench_report.h"
#include "rename/rename_plan.h"
#include "rename/text.h"

// ---------------------------------------------------------------------------
// Heap counting. Every block carries its requested size in a header, so that
// unsized deletes can subtract it. The bench is single-threaded.

namespace {

struct HeapCounter {
  std::size_t current = 0;
  std::size_t peak = 0;
  std::size_t allocations = 0;
};

HeapCounter heap;

constexpr std::size_t kHeaderBytes = alignof(std::max_align_t);

void* CountedAllocate(std::size_t size) {
  void* block = std::malloc(size + kHeaderBytes);
  if (block == nullptr) throw std::bad_alloc();
  std::memcpy(block, &size, sizeof size);
  heap.current += size;
  heap.peak = std::max(heap.peak, heap.current);
  ++heap.allocations;
  return static_cast<char*>(block) + kHeaderBytes;
}

void CountedFree(void* pointer) noexcept {
  if (pointer == nullptr) return;
  char* block = static_cast<char*>(pointer) - kHeaderBytes;
  std::size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  heap.current -= size;
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return CountedAllocate(size); }
void* operator new[](std::size_t size) { return CountedAllocate(size); }
void operator delete(void* pointer) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { CountedFree(pointer); }

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kEntries = 1'000'000;
constexpr int kRepetitions = 11;

// Keeps results observable so that no measured work is optimised away.
volatile std::size_t sink = 0;

// ---------------------------------------------------------------------------
// The list.

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }

 private:
  std::uint64_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  std::uint64_t state_;
};

template <std::size_t N>
std::string_view Pick(Random& random, const std::string_view (&choices)[N]) {
  return choices[random.Below(N)];
}

constexpr std::string_view kDrives[] = {"C:\\", "D:\\", "E:\\"};
constexpr std::string_view kRoots[] = {"Users\\zhang.wei\\Pictures\\", "photo\\", "Documents\\scans\\",
                                       "work\\2023\\"};
constexpr std::string_view kFolders[] = {
    "Camera Roll",
    "2023-08 Holiday",
    "scans",
    "backup",
    "Screenshots",
    "Family",
    "\xd5\xd5\xc6\xac\xb1\xb8\xb7\xdd",  // 照片备份
    "\xce\xd2\xb5\xc4\xce\xc4\xb5\xb5",  // 我的文档
    "\xb9\xa4\xd7\xf7\xd7\xca\xc1\xcf",  // 工作资料
    "\xc2\xc3\xd0\xd0",                  // 旅行
    "\xc9\xa8\xc3\xe8\xbc\xfe",          // 扫描件
    "\x9c\x5c\xcb\xae",                  // 淺水: 0x5C as a second byte
};
constexpr std::string_view kStems[] = {
    "IMG_20230815_",
    "DSC",
    "Screenshot_",
    "scan-page-",
    "\xcf\xc4\xcc\xec\xb5\xc4\xba\xa3\xb1\xdf_",  // 夏天的海边_
    "\xcb\xb5\xc3\xf7",                           // 说明
    "\xb1\xa8\xb8\xe6",                           // 报告
};
constexpr std::string_view kExtensions[] = {".jpg", ".JPG", ".png", ".txt", ".docx", ".mp4"};

struct ListText {
  std::string text;
  std::size_t lines = 0;
  std::size_t linesWithGbk = 0;
};

// The same list on every run: a drive, a root, two or three folders, a file
// name.
ListText MakeList(std::size_t entries) {
  ListText list;
  list.text.reserve(entries * 64);
  Random random(0x9E3779B97F4A7C15u);
  std::string line;
  for (std::size_t i = 0; i < entries; ++i) {
    line.clear();
    line += Pick(random, kDrives);
    line += Pick(random, kRoots);
    const std::size_t folders = 2 + random.Below(2);
    for (std::size_t f = 0; f < folders; ++f) {
      line += Pick(random, kFolders);
      line += '\\';
    }
    line += Pick(random, kStems);
    line += std::to_string(10000 + random.Below(90000));
    line += Pick(random, kExtensions);
    if (std::any_of(line.begin(), line.end(), batch::IsLeadByte)) ++list.linesWithGbk;
    list.text += line;
    list.text += "\r\n";
  }
  list.lines = entries;
  return list;
}

// ---------------------------------------------------------------------------
// Timing.

struct Timing {
  double medianMs = 0;
  double minMs = 0;
  double maxMs = 0;
};

// `prepare` runs untimed before each repetition, `run` is timed, `cleanUp`
// runs untimed after it; the three share whatever state the caller captures.
template <typename Prepare, typename Run, typename CleanUp>
Timing Measure(Prepare prepare, Run run, CleanUp cleanUp) {
  std::vector<double> ms;
  for (int r = 0; r < kRepetitions; ++r) {
    prepare();
    const auto start = Clock::now();
    run();
    const auto stop = Clock::now();
    cleanUp();
    ms.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return Timing{ms[ms.size() / 2], ms.front(), ms.back()};
}

template <typename Run>
Timing Measure(Run run) {
  return Measure([] {}, run, [] {});
}

void PrintRow(const char* name, const Timing& t, double bytes, const Timing& baseline, const char* goal) {
  const double mbPerS = bytes / (t.medianMs / 1000.0) / 1e6;
  std::printf("  %-34s %9.2f %9.2f %9.2f %9.0f %7.2fx  %s\n", name, t.medianMs, t.minMs, t.maxMs, mbPerS,
              t.medianMs / baseline.medianMs, goal);
}

void PrintHeader() {
  std::printf("  %-34s %9s %9s %9s %9s %8s  %s\n", "case", "median", "min", "max", "MB/s", "ratio", "goal");
  std::printf("  %-34s %9s %9s %9s %9s %8s\n", "", "ms", "ms", "ms", "", "");
}

std::size_t CountCr(std::string_view text) {
  std::size_t count = 0;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const void* found = std::memchr(p, '\r', static_cast<std::size_t>(end - p));
    if (found == nullptr) break;
    ++count;
    p = static_cast<const char*>(found) + 1;
  }
  return count;
}

const batch::RenamePlan& PlanOf(const batch::PlanResult& result) {
  const auto* plan = std::get_if<batch::RenamePlan>(&result);
  if (plan == nullptr) {
    std::fprintf(stderr, "plan_bench: the list formed no plan\n");
    std::exit(1);
  }
  return *plan;
}

}  // namespace

int main() {
  const ListText list = MakeList(kEntries);
  const std::string_view text = list.text;
  const std::string_view baseName = "\xc2\xc3\xd0\xd0_";  // 旅行_
  const double textBytes = static_cast<double>(text.size());

  std::printf("list: %zu lines, %zu bytes, %.1f bytes per line with CR LF, %.0f%% of lines hold GBK\n",
              list.lines, text.size(), textBytes / static_cast<double>(list.lines),
              100.0 * static_cast<double>(list.linesWithGbk) / static_cast<double>(list.lines));
  std::printf("median of %d runs each\n\n", kRepetitions);

  // --- Forming the plan against two copies of the list. --------------------
  std::unique_ptr<char[]> copyA(new char[text.size()]);
  std::unique_ptr<char[]> copyB(new char[text.size()]);
  std::memset(copyA.get(), 0, text.size());
  std::memset(copyB.get(), 0, text.size());
  const Timing copyTwice = Measure([&] {
    std::memcpy(copyA.get(), text.data(), text.size());
    std::memcpy(copyB.get(), text.data(), text.size());
    sink = sink + static_cast<unsigned char>(copyA[text.size() / 2]) +
           static_cast<unsigned char>(copyB[text.size() - 1]);
  });

  std::unique_ptr<char[]> freshA;
  std::unique_ptr<char[]> freshB;
  const Timing copyTwiceFresh = Measure([] {},
                                        [&] {
                                          freshA.reset(new char[text.size()]);
                                          freshB.reset(new char[text.size()]);
                                          std::memcpy(freshA.get(), text.data(), text.size());
                                          std::memcpy(freshB.get(), text.data(), text.size());
                                          sink = sink + static_cast<unsigned char>(freshA[text.size() / 2]) +
                                                 static_cast<unsigned char>(freshB[text.size() - 1]);
                                        },
                                        [&] {
                                          freshA.reset();
                                          freshB.reset();
                                        });

  std::unique_ptr<batch::PlanResult> formed;
  const Timing formPlan = Measure(
      [] {}, [&] { formed = std::make_unique<batch::PlanResult>(batch::FormRenamePlan(text, baseName)); },
      [&] {
        sink = sink + PlanOf(*formed).Entries().size();
        formed.reset();
      });

  // --- Splitting alone against a memchr pass. ------------------------------
  const Timing memchrPass = Measure([&] { sink = sink + CountCr(text); });
  std::vector<batch::TextView> lines;
  const Timing split = Measure([] {}, [&] { lines = batch::SplitLines(text); },
                               [&] {
                                 sink = sink + lines.size();
                                 lines = {};
                               });

  PrintHeader();
  PrintRow("memcpy list x2 (reused buffers)", copyTwice, textBytes, copyTwice, "");
  PrintRow("memcpy list x2 (new buffers)", copyTwiceFresh, textBytes, copyTwice, "");
  PrintRow("FormRenamePlan", formPlan, textBytes, copyTwice, "<= 4x memcpy x2 (reused)");
  std::printf("  %-34s %48.2fx  (the plan's own memory is new too)\n", "FormRenamePlan / memcpy x2 (new)",
              formPlan.medianMs / copyTwiceFresh.medianMs);
  std::printf("\n");
  PrintRow("memchr pass for CR", memchrPass, textBytes, memchrPass, "");
  PrintRow("SplitLines", split, textBytes, memchrPass, "");

  // --- Peak heap while forming the plan. -----------------------------------
  const std::size_t before = heap.current;
  heap.peak = heap.current;
  const std::size_t allocationsBefore = heap.allocations;
  auto result = batch::FormRenamePlan(text, baseName);
  const std::size_t peak = heap.peak - before;
  const std::size_t retained = heap.current - before;
  const std::size_t allocations = heap.allocations - allocationsBefore;
  const auto& entries = PlanOf(result).Entries();
  std::size_t pathBytes = 0;  // every source and target with its NUL
  for (const auto& entry : entries) pathBytes += entry.source.size() + entry.target.size() + 2;
  const double count = static_cast<double>(entries.size());
  const double peakBytes = static_cast<double>(peak);
  std::printf("\nheap while forming the plan (%zu entries, %zu allocations)\n", entries.size(), allocations);
  std::printf("  list text                 %12zu bytes\n", text.size());
  std::printf("  sources + targets + NULs  %12zu bytes  %.2fx text\n", pathBytes,
              static_cast<double>(pathBytes) / textBytes);
  std::printf("  held by the plan          %12zu bytes  %.2fx text\n", retained,
              static_cast<double>(retained) / textBytes);
  std::printf(
      "  peak                      %12zu bytes  %.2fx text  (goal < 3x text + a small constant per entry)\n",
      peak, peakBytes / textBytes);
  std::printf("  peak beyond the paths     %12.1f bytes per entry\n",
              (peakBytes - static_cast<double>(pathBytes)) / count);
  std::printf("  peak beyond 2x the text   %12.1f bytes per entry\n", (peakBytes - 2.0 * textBytes) / count);
  sink = sink + entries.size();

  // The plan writes every path into memory it has just allocated, so the
  // like-for-like baseline copies into new buffers too; the warm one, whose
  // pages are already mapped, is shown beside it.
  const double ratioFresh = formPlan.medianMs / copyTwiceFresh.medianMs;
  const double ratioWarm = formPlan.medianMs / copyTwice.medianMs;
  const double peakRatio = peakBytes / textBytes;
  std::printf("\n");
  bench::PrintSummaryRow("FormRenamePlan, 1,000,000 paths (ms)", bench::Figure("%.1f", formPlan.medianMs),
                         bench::Figure("%.1f", copyTwiceFresh.medianMs) + " memcpy x2 into new buffers",
                         bench::Figure("%.2f", ratioFresh), "<= 4x", bench::Verdict(ratioFresh <= 4.0));
  bench::PrintSummaryRow("FormRenamePlan, same list (ms)", bench::Figure("%.1f", formPlan.medianMs),
                         bench::Figure("%.1f", copyTwice.medianMs) + " memcpy x2 into warm buffers",
                         bench::Figure("%.2f", ratioWarm), "<= 4x", bench::Verdict(ratioWarm <= 4.0));
  bench::PrintSummaryRow("SplitLines, same list (ms)", bench::Figure("%.1f", split.medianMs),
                         bench::Figure("%.1f", memchrPass.medianMs) + " one memchr pass for CR",
                         bench::Figure("%.2f", split.medianMs / memchrPass.medianMs), "(report)", "-");
  bench::PrintSummaryRow("plan peak heap (MB)", bench::Figure("%.1f", peakBytes / 1e6),
                         bench::Figure("%.1f", textBytes / 1e6) + " list text",
                         bench::Figure("%.2f", peakRatio) + " + " +
                             bench::Figure("%.0f", (peakBytes - 2.0 * textBytes) / count) +
                             " B/entry over 2x",
                         "< 3x + small per entry", bench::Verdict(peakRatio < 3.0));
  return 0;
}
