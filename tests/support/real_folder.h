// Real folders and files for the Win32 tests: a temporary folder removed with
// everything in it when its scope ends, small files written and read whole,
// and a folder tree read back as names and contents.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace real_folder {

template <BOOL(WINAPI* Close)(HANDLE)>
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (Ok()) Close(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Ok() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

using FileHandle = Handle<CloseHandle>;
using FindHandle = Handle<FindClose>;

struct Found {
  std::string name;
  bool folder;
};

// The entries directly inside `folder`, "." and ".." left out.
inline std::vector<Found> ListFolder(const std::string& folder) {
  std::vector<Found> found;
  WIN32_FIND_DATAA data{};
  const FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &data));
  if (!find.Ok()) return found;
  do {
    const std::string name = data.cFileName;
    if (name != "." && name != "..")
      found.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(find.Get(), &data));
  return found;
}

// Removes everything inside `folder`, then the folder itself.
inline void RemoveTree(const std::string& folder) {
  for (const Found& entry : ListFolder(folder)) {
    const std::string path = folder + "\\" + entry.name;
    if (entry.folder) {
      RemoveTree(path);
    } else {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());  // what stays is found by the next run's own fresh folder
    }
  }
  RemoveDirectoryA(folder.c_str());
}

inline bool WriteNewFile(const std::string& path, const std::string& content) {
  const FileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file.Ok() &&
         WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) !=
             FALSE &&
         written == content.size();
}

inline std::optional<std::string> ReadWholeFile(const std::string& path) {
  const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Ok()) return std::nullopt;
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  return content;
}

struct TreeEntry {
  bool folder = false;
  std::string content;
  friend bool operator==(const TreeEntry&, const TreeEntry&) = default;
};

// Every entry under `folder` by its full name; a file that cannot be read
// shows as "<unreadable>".
inline std::map<std::string, TreeEntry> ReadTree(const std::string& folder) {
  std::map<std::string, TreeEntry> tree;
  for (const Found& entry : ListFolder(folder)) {
    const std::string path = folder + "\\" + entry.name;
    if (entry.folder) {
      tree.emplace(path, TreeEntry{true, {}});
      tree.merge(ReadTree(path));
    } else {
      tree.emplace(path, TreeEntry{false, ReadWholeFile(path).value_or("<unreadable>")});
    }
  }
  return tree;
}

// A new, empty folder in the temp folder, removed with all it holds.
class TempFolder {
 public:
  explicit TempFolder(const std::string& tag) {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp, length < sizeof temp ? length : 0) + tag + "-" +
                             std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::string candidate = base + std::to_string(attempt);
      if (CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate;
    }
  }
  ~TempFolder() {
    if (!path_.empty()) RemoveTree(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool Ok() const { return !path_.empty(); }
  // A full path without a trailing backslash.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Makes `folder` the process's current folder for one scope.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::string& folder) {
    char previous[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof previous, previous);
    if (length > 0 && length < sizeof previous) previous_ = previous;
    ok_ = SetCurrentDirectoryA(folder.c_str()) != FALSE;
  }
  ~ScopedCurrentFolder() {
    if (!previous_.empty()) SetCurrentDirectoryA(previous_.c_str());
  }
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;
  bool Ok() const { return ok_; }

 private:
  std::string previous_;
  bool ok_ = false;
};

}  // namespace real_folder
