#include "platform/executable_path.h"

#include <windows.h>

#include <string>

#include "platform/code_page.h"

namespace ovrabjt {

// The system names the module's file without saying how long the name is:
// the buffer grows until the name fits (up to the longest path there is).
std::optional<std::string> ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::nullopt;
    if (length < path.size()) {
      path.resize(length);
      return Utf16ToUtf8(std::u16string(path.begin(), path.end()));
    }
    if (path.size() >= 32768) return std::nullopt;
    path.resize(path.size() * 2);
  }
}

}  // namespace ovrabjt
