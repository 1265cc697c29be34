// The real files of the Windows benchmarks: numbered paths in a temporary
// folder, spread over small subfolders, made afresh between repetitions;
// their list text; and the source and target pairs the rename plan makes of
// it, for the bare MoveFileA loops the tool's run is set against.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "rename/rename_plan.h"
#include "tests/support/real_folder.h"

namespace bench {

// `count` paths `folder`\dNNN\<stem><i><suffix>, i = 1..count, `perFolder`
// to a subfolder (Wine looks for a new name through the whole folder, so
// small folders keep making the files quick).
inline std::vector<std::string> NumberedPaths(const std::string& folder, const char* stem, const char* suffix,
                                              std::size_t count, std::size_t perFolder) {
  std::vector<std::string> paths;
  paths.reserve(count);
  char name[96];
  for (std::size_t i = 1; i <= count; ++i) {
    std::snprintf(name, sizeof name, "\\d%03zu\\%s%06zu%s", (i - 1) / perFolder, stem, i, suffix);
    paths.push_back(folder + name);
  }
  return paths;
}

// Makes `folder` anew, holding the folders of `paths` and every path as a
// file with its own number as content. False if anything could not be made.
inline bool MakeFilesAfresh(const std::string& folder, const std::vector<std::string>& paths) {
  real_folder::RemoveTree(folder);
  if (!CreateDirectoryA(folder.c_str(), nullptr)) return false;
  std::string last;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string parent = paths[i].substr(0, paths[i].rfind('\\'));
    if (parent != last && !CreateDirectoryA(parent.c_str(), nullptr)) return false;
    last = parent;
    if (!real_folder::WriteNewFile(paths[i], std::to_string(i))) return false;
  }
  return true;
}

// The paths as a list text: CR LF between lines, none after the last.
inline std::string ListText(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) {
    if (!text.empty()) text += "\r\n";
    text += path;
  }
  return text;
}

struct RenamePair {
  std::string source;
  std::string target;
};

// The pairs the tool's run renames, taken from its own plan, so that a bare
// loop does exactly the same renames.
inline std::vector<RenamePair> PairsOf(const std::string& listText, const char* baseName) {
  const batch::PlanResult formed = batch::FormRenamePlan(listText, baseName);
  std::vector<RenamePair> pairs;
  if (const auto* plan = std::get_if<batch::RenamePlan>(&formed)) {
    for (const batch::PlanEntry& entry : plan->Entries()) {
      pairs.push_back({std::string(entry.source), std::string(entry.target)});
    }
  }
  return pairs;
}

}  // namespace bench
