// The conversions of the shared library on a set of tickets, written to
// files, so that the Linux build and the DLL under Wine can be compared
// byte for byte.
//
//   same_bytes make IN COUNT         the tickets: the examples (as documents),
//                                    a fresh ticket, one random ticket in each
//                                    release's vocabulary and COUNT random ones
//   same_bytes convert IN OUT DATA   for each ticket NAME.bjt of IN the
//                                    document (NAME.xml) and the packed ticket
//                                    it loads back (NAME.loaded); for each
//                                    document NAME.xml of IN the packed ticket
//                                    it loads (NAME.loaded) and its document
//                                    (NAME.xml); with the document types of DATA
#include <ovrabjt/ovrabjt.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "convert/ticket_conversion.h"
#include "platform/path_text.h"
#include "releases/release_profile.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "ticket/packing.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

int Fail(const std::string& what) {
  std::fprintf(stderr, "same_bytes: %s\n", what.c_str());
  return 1;
}

bool WriteBytes(const fs::path& path, const void* bytes, std::size_t count) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(count));
  return bool(out);
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Packed(const ovrabjt::TicketRecord& record) {
  std::uint32_t size = 0;
  if (!ovrabjt::PackTicket(nullptr, record, &size)) return {};
  Bytes packed(size);
  ovrabjt::PackTicket(packed.data(), record, &size);
  return packed;
}

void Name(char* into, std::size_t size, const char* kind, unsigned number) {
  std::snprintf(into, size, "%s-%04u", kind, number);
}

int Make(const fs::path& in, int count, const std::string& data) {
  fs::create_directories(in);
  for (const char* example : {"ticket.xml", "delta.xml"}) {
    fs::copy_file(ovrabjt::FileSystemPath(data + "/examples/" + example), in / example,
                  fs::copy_options::overwrite_existing);
  }
  auto fresh = ovrabjt::TicketRecord::Allocate();
  ovrabjt::InitTicketRecord(*fresh);
  const Bytes fresh_bytes = Packed(*fresh);
  if (!WriteBytes(in / "fresh.bjt", fresh_bytes.data(), fresh_bytes.size())) return Fail("write");
  unsigned number = 0;
  char name[64];
  for (const ovrabjt::ReleaseProfile* release : ovrabjt::AllReleases()) {
    ovrabjt::testing::TicketShape shape;
    shape.release = release;
    const Bytes packed = Packed(*ovrabjt::testing::RandomTicket(1000 + number, shape));
    Name(name, sizeof name, "release", number++);
    if (!WriteBytes(in / (std::string(name) + ".bjt"), packed.data(), packed.size()))
      return Fail("write");
  }
  for (int i = 0; i < count; ++i) {
    const Bytes packed = Packed(*ovrabjt::testing::RandomTicket(static_cast<std::uint32_t>(i)));
    Name(name, sizeof name, "random", static_cast<unsigned>(i));
    if (!WriteBytes(in / (std::string(name) + ".bjt"), packed.data(), packed.size()))
      return Fail("write");
  }
  return 0;
}

// Both calls of LoadOvra; empty when the first fails.
Bytes Load(const std::string& file, const std::string& base) {
  void* block = nullptr;
  std::uint32_t size = 0;
  if (!LoadOvra(file.c_str(), base.c_str(), nullptr, &block, &size)) return {};
  Bytes packed(size);
  if (!LoadOvra(nullptr, nullptr, packed.data(), &block, &size)) return {};
  return packed;
}

std::string Document(const Bytes& packed, const std::u16string& base) {
  ovrabjt::test::TextOutput out;
  if (!ConvertBJTToOvraStream(base.c_str(), packed.data(), &out)) return "(failed)";
  return out.text;
}

// Every result is written, a failure as its own text, so that both builds
// are held to the same failures too.
int Convert(const fs::path& in, const fs::path& out, const std::string& data) {
  fs::create_directories(out);
  const std::string base = data + "/ticket.xml";
  const std::u16string base16(base.begin(), base.end());
  std::vector<fs::path> inputs;
  for (const auto& entry : fs::directory_iterator(in)) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  const std::string native_out = ovrabjt::GenericUtf8(out);
  for (const fs::path& input : inputs) {
    const std::string stem = input.stem().string();
    const std::string document = native_out + "/" + stem + ".xml";
    Bytes loaded;
    std::string text;
    if (input.extension() == ".bjt") {
      text = Document(ReadBytes(input), base16);
      if (!WriteBytes(out / (stem + ".xml"), text.data(), text.size())) return Fail("write");
      loaded = Load(document, base);
    } else {
      loaded = Load(ovrabjt::GenericUtf8(input), base);
      text = loaded.empty() ? "(failed)" : Document(loaded, base16);
      if (!WriteBytes(out / (stem + ".xml"), text.data(), text.size())) return Fail("write");
    }
    if (!WriteBytes(out / (stem + ".loaded"), loaded.data(), loaded.size())) return Fail("write");
  }
  std::printf("%zu tickets converted\n", inputs.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  if (argc == 5 && args[1] == "make") return Make(args[2], std::atoi(argv[3]), args[4]);
  if (argc == 5 && args[1] == "convert") return Convert(args[2], args[3], args[4]);
  return Fail("usage: same_bytes make IN COUNT DATA | same_bytes convert IN OUT DATA");
}
