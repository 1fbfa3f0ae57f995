// Holds a file open without sharing, as another program does:
// `hold_file PATH`. It says "held" on standard output once it holds the file,
// and lets go when its standard input ends, or after a minute, so that a
// test that fails never leaves it behind. Exit code 0 when it held the file
// and let go, 1 when it could not open it, 2 when the minute ran out.
#include <windows.h>

#include <cstdio>

namespace {

DWORD WINAPI WaitForEndOfInput(void*) {
  char buffer[64];
  DWORD count = 0;
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  while (::ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0) {
  }
  return 0;
}

}  // namespace

int main() {
  int count = 0;
  LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (words == nullptr || count != 2) {
    std::fputs("usage: hold_file PATH\n", stderr);
    return 1;
  }
  const HANDLE held = ::CreateFileW(words[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "hold_file: cannot open the file (error %lu)\n", ::GetLastError());
    return 1;
  }
  // On the handle itself: the C library's text mode would end the line in
  // "\r\n".
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), "held\n", 5, &written, nullptr);
  const HANDLE waiting = ::CreateThread(nullptr, 0, WaitForEndOfInput, nullptr, 0, nullptr);
  const bool told = ::WaitForSingleObject(waiting, 60000) == WAIT_OBJECT_0;
  ::CloseHandle(held);
  return told ? 0 : 2;
}
