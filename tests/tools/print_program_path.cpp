// Prints the program's own path as the start-up code reads it, and the
// directory it would make current; the end-to-end tests run it from
// directories deeper than 260 bytes.
#include <windows.h>

#include <cstdio>

#include "app/directory_of.h"
#include "app/program_directory.h"

int main() {
  const batch::Text path = app::ProgramPath(nullptr);
  const batch::Text directory(app::DirectoryOf(path));
  std::printf("%s\n%s\n", path.c_str(), directory.c_str());
  return 0;
}
