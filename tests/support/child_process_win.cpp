#include <windows.h>

#include <stdexcept>
#include <thread>

#include "support/child_process.h"

namespace ovrabjt::testing {

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(std::size_t(units), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), units);
  return wide;
}

// One word of a command line as CommandLineToArgvW and the C runtime split
// it again: quoted when it holds a blank or a quotation mark, with the
// backslashes before a quotation mark doubled.
std::wstring Quoted(const std::wstring& word) {
  if (!word.empty() && word.find_first_of(L" \t\n\v\"") == std::wstring::npos) return word;
  std::wstring quoted = L"\"";
  for (std::size_t i = 0;; ++i) {
    std::size_t backslashes = 0;
    for (; i < word.size() && word[i] == L'\\'; ++i) ++backslashes;
    if (i == word.size()) {
      quoted.append(2 * backslashes, L'\\');
      break;
    }
    quoted.append(word[i] == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    quoted.push_back(word[i]);
  }
  return quoted + L"\"";
}

// A handle closed when it goes.
class Handle {
 public:
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  HANDLE* Out() { return &handle_; }
  HANDLE Get() const { return handle_; }
  void Close() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

// A pipe whose end `kept` (0 to read, 1 to write) stays with this process
// and whose other end the program inherits.
void MakePipe(Handle& read, Handle& write, int kept) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  if (!::CreatePipe(read.Out(), write.Out(), &inherited, 0) ||
      !::SetHandleInformation((kept == 0 ? read : write).Get(), HANDLE_FLAG_INHERIT, 0))
    throw std::runtime_error("cannot make a pipe for a program");
}

void ReadAll(HANDLE from, std::string& into) {
  char buffer[4096];
  DWORD count = 0;
  while (::ReadFile(from, buffer, sizeof buffer, &count, nullptr) && count > 0)
    into.append(buffer, count);
}

}  // namespace

// Three pipes: standard input written and closed by this thread, standard
// output and error each read to their end by a thread of its own, so that
// the program never waits on a full pipe.
ChildRun RunChild(const std::string& program, const std::vector<std::string>& args,
                  const std::string& input) {
  Handle in_read, in_write, out_read, out_write, err_read, err_write;
  MakePipe(in_read, in_write, 1);
  MakePipe(out_read, out_write, 0);
  MakePipe(err_read, err_write, 0);

  std::wstring application = Wide(program);
  for (wchar_t& c : application) c = c == L'/' ? L'\\' : c;
  std::wstring line = Quoted(application);
  for (const std::string& arg : args) line += L" " + Quoted(Wide(arg));

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in_read.Get();
  startup.hStdOutput = out_write.Get();
  startup.hStdError = err_write.Get();
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &process))
    throw std::runtime_error("cannot start " + program + " (error " +
                             std::to_string(::GetLastError()) + ")");
  ::CloseHandle(process.hThread);
  // Only the program holds its ends now: each pipe ends when it does.
  in_read.Close();
  out_write.Close();
  err_write.Close();

  ChildRun run;
  std::thread out([&] { ReadAll(out_read.Get(), run.out); });
  std::thread err([&] { ReadAll(err_read.Get(), run.err); });
  for (std::size_t written = 0; written < input.size();) {
    DWORD count = 0;
    if (!::WriteFile(in_write.Get(), input.data() + written, DWORD(input.size() - written), &count,
                     nullptr))
      break;  // the program stopped reading
    written += count;
  }
  in_write.Close();
  out.join();
  err.join();
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (::GetExitCodeProcess(process.hProcess, &code)) run.exit_code = int(code);
  ::CloseHandle(process.hProcess);
  return run;
}

unsigned long CurrentProcessId() { return ::GetCurrentProcessId(); }

}  // namespace ovrabjt::testing
