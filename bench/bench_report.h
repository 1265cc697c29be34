// Timing and printing shared by the benchmarks: the median of repeated
// timings, and the summary rows that scripts/bench gathers from every
// benchmark into one table.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Spread {
  double median = 0;
  double min = 0;
  double max = 0;
};

inline Spread SpreadOf(std::vector<double> samples) {
  if (samples.empty()) return {};
  std::sort(samples.begin(), samples.end());
  return {samples[samples.size() / 2], samples.front(), samples.back()};
}

inline std::string Figure(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

inline const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// A line "summary | what | measured | baseline | ratio | goal | verdict |";
// scripts/bench keeps everything from the first bar on.
inline void PrintSummaryRow(const std::string& what, const std::string& measured, const std::string& baseline,
                            const std::string& ratio, const std::string& goal, const std::string& verdict) {
  std::printf("summary | %s | %s | %s | %s | %s | %s |\n", what.c_str(), measured.c_str(), baseline.c_str(),
              ratio.c_str(), goal.c_str(), verdict.c_str());
  std::fflush(stdout);
}

}  // namespace bench
