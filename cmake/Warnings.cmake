# Warnings are errors for the project's own code (not for third-party code
# such as GoogleTest), on GCC/Clang and on MSVC alike.
add_library(project_warnings INTERFACE)
if(MSVC)
  target_compile_options(project_warnings INTERFACE /W4 /WX /permissive-)
else()
  target_compile_options(project_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports false overlaps inside std::string's own concatenation
    # (GCC bug 105329).
    target_compile_options(project_warnings INTERFACE -Wno-restrict)
  endif()
endif()
