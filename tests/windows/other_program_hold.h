// A file held open without sharing by another process (the program
// hold_file), for as long as this object lives.
#pragma once

#include <windows.h>

#include <string>

namespace ovrabjt::testing {

class OtherProgramHold {
 public:
  // Starts hold_file on `path` and waits until it says it holds the file;
  // Held() tells whether it did.
  explicit OtherProgramHold(const std::wstring& path) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE in_read = nullptr, out_write = nullptr;
    if (!::CreatePipe(&in_read, &in_write_, &inherited, 0)) return;
    if (!::CreatePipe(&out_read_, &out_write, &inherited, 0)) return;
    ::SetHandleInformation(in_write_, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(out_read_, HANDLE_FLAG_INHERIT, 0);
    std::wstring program = ToWide(OVRABJT_HOLD_FILE);
    for (wchar_t& c : program) c = c == L'/' ? L'\\' : c;
    std::wstring line = L"\"" + program + L"\" \"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in_read;
    startup.hStdOutput = out_write;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, nullptr, &startup, &process);
    ::CloseHandle(in_read);
    ::CloseHandle(out_write);
    if (!started) return;
    ::CloseHandle(process.hThread);
    process_ = process.hProcess;
    std::string said;
    char c = 0;
    DWORD count = 0;
    while (said.size() < 16 && ::ReadFile(out_read_, &c, 1, &count, nullptr) && count == 1 &&
           c != '\n')
      said += c;
    held_ = said == "held";
  }
  OtherProgramHold(const OtherProgramHold&) = delete;
  OtherProgramHold& operator=(const OtherProgramHold&) = delete;
  ~OtherProgramHold() { LetGo(); }

  bool Held() const { return held_; }

  // Tells the program to let go and waits for it (ten seconds at most):
  // its exit code, 0 when it held the file and let go; -1 when it did not
  // end in time.
  int LetGo() {
    if (in_write_ != nullptr) ::CloseHandle(in_write_);
    in_write_ = nullptr;
    int code = -1;
    if (process_ != nullptr) {
      DWORD exit_code = 0;
      if (::WaitForSingleObject(process_, 10000) == WAIT_OBJECT_0 &&
          ::GetExitCodeProcess(process_, &exit_code))
        code = int(exit_code);
      ::CloseHandle(process_);
      process_ = nullptr;
    }
    if (out_read_ != nullptr) ::CloseHandle(out_read_);
    out_read_ = nullptr;
    held_ = false;
    return code;
  }

 private:
  static std::wstring ToWide(const char* utf8) {
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(std::size_t(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), units);
    wide.resize(std::size_t(units > 0 ? units - 1 : 0));
    return wide;
  }

  HANDLE in_write_ = nullptr;
  HANDLE out_read_ = nullptr;
  HANDLE process_ = nullptr;
  bool held_ = false;
};

}  // namespace ovrabjt::testing
