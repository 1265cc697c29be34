// An in-memory file system with the rename rules the tool relies on: a rename
// never replaces an existing name, and a missing or empty source fails; a
// failed rename changes nothing. Names are compared byte for byte.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rename/batch_rename.h"

class MemoryFileSystem final : public batch::RenameServices {
 public:
  // Name -> content.
  using Files = std::map<std::string, std::string, std::less<>>;
  Files files;
  std::vector<std::pair<std::string, std::string>> renameCalls;
  std::vector<std::string> notices;

  explicit MemoryFileSystem(Files initial = {})
      : files(std::move(initial)) {}

  bool RenameFile(std::string_view source, std::string_view target) override {
    renameCalls.emplace_back(source, target);
    const auto found = files.find(source);
    if (source.empty() || found == files.end() || files.contains(target)) return false;
    std::string content = std::move(found->second);
    files.erase(found);
    files.emplace(target, std::move(content));
    return true;
  }

  void ShowCompletionNotice(std::string_view text) override { notices.emplace_back(text); }
};
