// A driver written in C++11 that loads ovrabjt.dll at run time (LoadLibraryW)
// through the installed header: converts the document JOB to a packed ticket
// and back with the installed document types in DTD_DIR, reads the DLL's
// version resource, and loads the DLL again after freeing it, as a spooler
// does between jobs.  caller DLL DTD_DIR JOB
#include <windows.h>

#include <ovrabjt/ovrabjt.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Output : public XmlOutputCallback {
 public:
  OvraBool Write(const char* bytes, uint32_t count) override {
    text.append(bytes, count);
    return 1;
  }
  std::string text;
};

int Fail(const char* what) {
  std::fprintf(stderr, "c++ caller: %s\n", what);
  return 1;
}

std::wstring Wide(const char* text) {
  std::wstring wide(std::strlen(text) + 1, L'\0');
  const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n - 1 : 0);
  return wide;
}

template <typename F>
F Export(HMODULE dll, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
}

// One conversion through a fresh load of the DLL: document -> ticket ->
// document, whose text comes back.
bool ConvertOnce(const std::wstring& path, const std::string& base, const char* job,
                 std::string& text) {
  HMODULE dll = LoadLibraryW(path.c_str());
  if (dll == nullptr) return false;
  auto load = Export<decltype(&LoadOvra)>(dll, "LoadOvra");
  auto convert = Export<decltype(&ConvertBJTToOvraStream)>(dll, "ConvertBJTToOvraStream");
  bool ok = load != nullptr && convert != nullptr;
  void* block = nullptr;
  uint32_t size = 0;
  ok = ok && load(job, base.c_str(), nullptr, &block, &size) && size > OVRABJT_TICKET_SIZE;
  std::vector<unsigned char> ticket(ok ? size : 0);
  ok = ok && load(nullptr, nullptr, ticket.data(), &block, &size);
  const std::u16string base16(base.begin(), base.end());
  Output out;
  ok = ok && convert(base16.c_str(), ticket.data(), &out);
  text = out.text;
  return FreeLibrary(dll) && ok;
}

// The file version of the resource, as numbers and as text.
bool VersionOf(const std::wstring& path, std::string& numbers, std::string& text) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  std::vector<char> info(size);
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, info.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) return false;
  char spelled[64];
  std::snprintf(spelled, sizeof spelled, "%lu.%lu.%lu.%lu", fixed->dwFileVersionMS >> 16,
                fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16,
                fixed->dwFileVersionLS & 0xFFFF);
  numbers = spelled;
  wchar_t* value = nullptr;
  if (!VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\FileVersion",
                      reinterpret_cast<void**>(&value), &length)) {
    return false;
  }
  text.assign(value, value + (length > 0 ? length - 1 : 0));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage: caller DLL DTD_DIR JOB");
  const std::wstring dll = Wide(argv[1]);
  const std::string base = std::string(argv[2]) + "/job.xml";
  std::string first, second;
  if (!ConvertOnce(dll, base, argv[3], first)) return Fail("the first load's conversion");
  // Freed, the DLL is gone from the process; loaded again, it converts again.
  if (GetModuleHandleW(L"ovrabjt.dll") != nullptr) return Fail("the DLL stayed loaded");
  if (!ConvertOnce(dll, base, argv[3], second)) return Fail("the second load's conversion");
  if (first.empty() || first != second) return Fail("the two loads' documents differ");

  std::string numbers, text;
  if (!VersionOf(dll, numbers, text)) return Fail("no version resource");
  char expected[64];
  std::snprintf(expected, sizeof expected, "%d.%d.%d.0", OVRABJT_VERSION_MAJOR,
                OVRABJT_VERSION_MINOR, OVRABJT_VERSION_PATCH);
  if (numbers != expected) return Fail("the file version's numbers");
  if (text != OVRABJT_VERSION) return Fail("the file version's text");
  std::printf("c++ caller ok: file version %s (%s)\n", text.c_str(), numbers.c_str());
  return 0;
}
