// Writes the generated part of the seed corpora: the ovra documents of a few
// random tickets (fuzz/corpus/ovra_text_fuzzer/) and the packed tickets of
// every seed document (fuzz/corpus/packed_ticket_fuzzer/). Run by hand from
// the fuzz build when the seed documents change:
//   build-fuzz/fuzz/make_seeds fuzz/corpus
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "convert/ticket_conversion.h"
#include "fuzz_support.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "ticket/packing.h"
#include "xml/velmor_xml_data_stream.h"

using namespace ovrabjt;
namespace fs = std::filesystem;

namespace {

// Few media and overrides, so that each seed stays a few kilobytes of text.
constexpr testing::TicketShape kSmallTicket{3, 3, 2, 2, 20};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string DocumentOf(const TicketRecord& record) {
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(record, list);
  test::TextOutput text;
  VelmorXmlDataStream writer(kOvraDocument, &text, fuzz::OvraBaseName());
  writer.WriteList(*list);
  return text.text;
}

std::string PackedOf(const std::string& document) {
  VelmorXmlDataStream reader(kOvraDocument, nullptr, fuzz::OvraBaseName());
  reader.SetInput(document.data(), static_cast<std::uint32_t>(document.size()));
  auto record = TicketRecord::Allocate();
  if (FillTicketRecord(reader, *record)) return {};
  std::uint32_t size = 0;
  PackTicket(nullptr, *record, &size);
  std::string packed(size, '\0');
  PackTicket(reinterpret_cast<std::uint8_t*>(packed.data()), *record, nullptr);
  return packed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds CORPUS-FOLDER\n");
    return 2;
  }
  const fs::path corpus = argv[1];
  const fs::path documents = corpus / "ovra_text_fuzzer";
  const fs::path tickets = corpus / "packed_ticket_fuzzer";
  fs::create_directories(documents);
  fs::create_directories(tickets);
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    WriteFile(documents / ("random-" + std::to_string(seed) + ".xml"),
              DocumentOf(*testing::RandomTicket(seed, kSmallTicket)));
  }
  for (const auto& entry : fs::directory_iterator(documents)) {
    const std::string packed = PackedOf(ReadFile(entry.path()));
    if (packed.empty()) continue;  // a seed that the document type refuses
    WriteFile(tickets / (entry.path().stem().string() + ".bjt"), packed);
  }
  return 0;
}
