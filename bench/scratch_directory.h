// A directory of real files for the Windows benchmarks: made under the temp
// directory, filled with small files, emptied between repetitions and
// removed with everything in it when the scope ends.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/unique_handle.h"

namespace bench {

class ScratchDirectory {
 public:
  explicit ScratchDirectory(const char* tag) {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp, length > 0 && length < sizeof temp ? length : 0) + tag + "-" +
            std::to_string(GetCurrentProcessId());
    created_ = CreateDirectoryA(path_.c_str(), nullptr) != FALSE;
  }
  ~ScratchDirectory() {
    if (!created_) return;
    Clear();
    RemoveDirectoryA(path_.c_str());  // a failure leaves an empty directory in temp
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  bool Ok() const { return created_; }
  // Ends with no backslash.
  const std::string& Path() const { return path_; }

  // Deletes every file directly inside; returns how many could not be.
  std::size_t Clear() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    {
      const FindHandle find(FindFirstFileA((path_ + "\\*").c_str(), &found));
      if (!find.Ok()) return 0;
      do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
      } while (FindNextFileA(find.Get(), &found));
    }
    std::size_t failed = 0;
    for (const std::string& name : names) {
      if (!DeleteFileA((path_ + "\\" + name).c_str())) ++failed;
    }
    return failed;
  }

 private:
  std::string path_;
  bool created_ = false;
};

// Creates a new file holding `content`; false if it exists or cannot be made.
inline bool CreateSmallFile(const std::string& path, const std::string& content) {
  const FileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Ok()) return false;
  DWORD written = 0;
  return WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) != FALSE &&
         written == content.size();
}

// The paths `directory`\<stem><i><suffix> for i = 1..count.
inline std::vector<std::string> NumberedPaths(const std::string& directory, const char* stem, const char* suffix,
                                              std::size_t count) {
  std::vector<std::string> paths;
  paths.reserve(count);
  char name[64];
  for (std::size_t i = 1; i <= count; ++i) {
    std::snprintf(name, sizeof name, "\\%s%06zu%s", stem, i, suffix);
    paths.push_back(directory + name);
  }
  return paths;
}

// Creates every path with its own number as content; returns how many failed.
inline std::size_t CreateFiles(const std::vector<std::string>& paths) {
  std::size_t failed = 0;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!CreateSmallFile(paths[i], std::to_string(i))) ++failed;
  }
  return failed;
}

// The paths as a list text: CR LF between lines, none after the last.
inline std::string ListText(const std::vector<std::string>& paths) {
  std::string text;
  std::size_t bytes = 0;
  for (const std::string& path : paths) bytes += path.size() + 2;
  text.reserve(bytes);
  for (const std::string& path : paths) {
    if (!text.empty()) text += "\r\n";
    text += path;
  }
  return text;
}

}  // namespace bench
