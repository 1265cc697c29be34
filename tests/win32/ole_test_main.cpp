// Test entry for Win32 tests: the thread is an OLE single-threaded apartment,
// as the program's event thread is.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const HRESULT ole = OleInitialize(nullptr);
  const int result = RUN_ALL_TESTS();
  if (SUCCEEDED(ole)) OleUninitialize();
  return result;
}
