// An in-memory model of the Windows file rules a rename run meets through
// MoveFileA, for tests that set the real thing against it. Beyond those of
// MemoryFileSystem:
//   - names compare without regard to case: ASCII letters only, and never the
//     second byte of a two-byte GBK character (0x9C 0x5C is one character,
//     0x81 0x41 and 0x81 0x61 are two different ones);
//   - a path without a drive ("a\x.txt") lies in the current folder;
//   - a target's folder must exist; a target that exists in any case, file or
//     folder, is never replaced;
//   - a folder moves with everything in it, but never into itself;
//   - renaming an entry to its own name succeeds and changes nothing (Wine
//     keeps the old spelling; Windows would take the new case, so callers
//     give such names unchanged).
// Paths are "X:\..." or relative, with single backslashes and no "." or ".."
// parts; no more is needed by the cases made for it.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rename/batch_rename.h"

class WindowsFileModel final : public batch::RenameServices {
 public:
  struct Entry {
    bool folder = false;
    std::string content;
    friend bool operator==(const Entry&, const Entry&) = default;
  };
  // Full name as it is spelt on disk -> entry.
  using Listing = std::map<std::string, Entry>;

  std::vector<std::string> notices;

  // `currentFolder` is a full path, and the first folder added: the root
  // every other entry lies in.
  explicit WindowsFileModel(std::string currentFolder) : current_(std::move(currentFolder)) {
    entries_.emplace(Fold(current_), Stored{current_, Entry{true, {}}});
  }

  // False when the parent is missing or the name is taken, as on disk.
  bool AddFolder(std::string_view path) { return Add(path, Entry{true, {}}); }
  bool AddFile(std::string_view path, std::string content) {
    return Add(path, Entry{false, std::move(content)});
  }

  bool RenameFile(std::string_view source, std::string_view target) override {
    if (source.empty() || target.empty()) return false;
    const std::string from = Fold(Absolute(source));
    const std::string to = Fold(Absolute(target));
    const auto found = entries_.find(from);
    const Stored* parent = Find(ParentOf(Absolute(target)));
    if (found == entries_.end() || parent == nullptr || !parent->entry.folder) return false;
    if (from == to) return true;
    if (entries_.contains(to)) return false;
    if (found->second.entry.folder && to.starts_with(from + "\\")) return false;
    Move(found->second.name, parent->name + "\\" + std::string(LastPartOf(Absolute(target))));
    return true;
  }

  void ShowCompletionNotice(std::string_view text) override { notices.emplace_back(text); }

  // Every entry under the root, the root itself left out.
  Listing Entries() const {
    Listing listing;
    for (const auto& [key, stored] : entries_) {
      if (stored.name != current_) listing.emplace(stored.name, stored.entry);
    }
    return listing;
  }

  // Where the second byte of a two-byte character is skipped: such a byte is
  // no letter and no backslash.
  static bool IsLead(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

  static std::string Fold(std::string_view path) {
    std::string folded(path);
    for (std::size_t i = 0; i < folded.size(); ++i) {
      if (IsLead(folded[i])) {
        ++i;
      } else if (folded[i] >= 'A' && folded[i] <= 'Z') {
        folded[i] = static_cast<char>(folded[i] - 'A' + 'a');
      }
    }
    return folded;
  }

  // Position of the last backslash that starts a character, or npos.
  static std::size_t LastSeparator(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
      if (IsLead(path[i])) {
        ++i;
      } else if (path[i] == '\\') {
        last = i;
      }
    }
    return last;
  }

 private:
  struct Stored {
    std::string name;  // full, spelt as on disk
    Entry entry;
  };

  std::string Absolute(std::string_view path) const {
    if (path.size() >= 2 && path[1] == ':') return std::string(path);
    return current_ + "\\" + std::string(path);
  }

  static std::string_view ParentOf(std::string_view path) {
    const std::size_t at = LastSeparator(path);
    return at == std::string_view::npos ? std::string_view{} : path.substr(0, at);
  }

  static std::string_view LastPartOf(std::string_view path) {
    const std::size_t at = LastSeparator(path);
    return at == std::string_view::npos ? path : path.substr(at + 1);
  }

  const Stored* Find(std::string_view path) const {
    const auto found = entries_.find(Fold(path));
    return found == entries_.end() ? nullptr : &found->second;
  }

  bool Add(std::string_view path, Entry entry) {
    const std::string full = Absolute(path);
    const Stored* parent = Find(ParentOf(full));
    if (parent == nullptr || !parent->entry.folder || Find(full) != nullptr) return false;
    const std::string name = parent->name + "\\" + std::string(LastPartOf(full));
    entries_.emplace(Fold(name), Stored{name, std::move(entry)});
    return true;
  }

  // Gives `name` and everything under it the new name `renamed`.
  void Move(std::string name, const std::string& renamed) {  // a copy: the entry holding it goes
    const std::string key = Fold(name);
    std::vector<Stored> moved;
    for (auto it = entries_.begin(); it != entries_.end();) {
      if (it->first == key || it->first.starts_with(key + "\\")) {
        moved.push_back(Stored{renamed + it->second.name.substr(name.size()), std::move(it->second.entry)});
        it = entries_.erase(it);
      } else {
        ++it;
      }
    }
    for (Stored& stored : moved) entries_.emplace(Fold(stored.name), std::move(stored));
  }

  std::string current_;
  std::map<std::string, Stored> entries_;  // by folded full name
};
