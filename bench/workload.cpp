#include "workload.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "convert/ticket_conversion.h"
#include "frame/ticket_documents.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "ticket/packing.h"

namespace ovrabjt::bench {

namespace {

std::vector<std::uint8_t> Pack(const TicketRecord& record) {
  std::uint32_t size = 0;
  PackTicket(nullptr, record, &size);
  std::vector<std::uint8_t> packed(size);
  PackTicket(packed.data(), record, nullptr);
  return packed;
}

Ticket MakeTicket(const std::string& name, int overrides, std::vector<std::uint8_t> packed) {
  Ticket t{name, overrides, std::move(packed), {}, ScratchFolder() + "/" + name + ".xml"};
  test::TextOutput sink;
  if (!WriteTicketDocument(BaseName(), {t.packed.data(), t.packed.size()}, &sink))
    throw std::runtime_error("cannot write the document of " + name);
  t.document = std::move(sink.text);
  std::ofstream(t.file, std::ios::binary) << t.document;
  return t;
}

// The example ticket of data/examples, as a driver would send it.
std::vector<std::uint8_t> ExamplePacked() {
  std::vector<std::uint8_t> packed;
  if (!LoadTicketDocument(OVRABJT_SOURCE_DIR "/data/examples/ticket.xml", BaseName(), packed))
    throw std::runtime_error("cannot load the example ticket");
  return packed;
}

std::vector<Ticket> MakeTickets() {
  std::vector<Ticket> tickets;
  auto fresh = TicketRecord::Allocate();
  InitTicketRecord(*fresh);
  tickets.push_back(MakeTicket("fresh", 0, Pack(*fresh)));
  tickets.push_back(MakeTicket("example", 0, ExamplePacked()));
  tickets.push_back(MakeTicket("maximal", 250, Pack(*testing::MaximalTicket(250))));
  for (int n : {5, 25, 50, 100, 250})
    tickets.push_back(
        MakeTicket("overrides-" + std::to_string(n), n, Pack(*testing::MaximalTicket(n))));
  return tickets;
}

}  // namespace

const std::vector<Ticket>& Tickets() {
  static const std::vector<Ticket> tickets = MakeTickets();
  return tickets;
}

const Ticket& TicketNamed(const std::string& name) {
  for (const Ticket& t : Tickets())
    if (t.name == name) return t;
  throw std::invalid_argument(name);
}

const char* BaseName() { return OVRABJT_SOURCE_DIR "/data/ticket.xml"; }

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const auto path =
        std::filesystem::temp_directory_path() / ("ovrabjt-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return folder;
}

const std::string& CapabilitiesText(int values) {
  static std::map<int, std::string> texts;
  std::string& text = texts[values];
  if (text.empty()) {
    text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kesp version=\"1.0\">\n"
        "<trc-supported syntax=\"1setOf\">\n";
    for (int i = 0; i < values; ++i)
      text += "<value syntax=\"name\">curve-" + std::to_string(i) + "-office</value>\n";
    text += "</trc-supported>\n</kesp>\n";
  }
  return text;
}

const std::string& MediaPreferencesFile(int stocks) {
  static std::map<int, std::string> files;
  std::string& file = files[stocks];
  if (file.empty()) {
    file = ScratchFolder() + "/prefs-" + std::to_string(stocks) + ".xml";
    std::ofstream out(file);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<mediaprefs version=\"1.0\">\n"
           "<media-user-defined syntax=\"1setOf\">\n";
    for (int i = 0; i < stocks; ++i)
      out << "<value syntax=\"collection\">"
             "<media-description syntax=\"name\">stock "
          << i
          << "</media-description>"
             "<media-size syntax=\"collection\"><x-dimension syntax=\"integer\">21000</x-dimension>"
             "<y-dimension syntax=\"integer\">29700</y-dimension></media-size>"
             "<media-color syntax=\"keyword\">white</media-color>"
             "<media-weight-metric syntax=\"integer\">"
          << 60 + i % 200
          << "</media-weight-metric>"
             "</value>\n";
    out << "</media-user-defined>\n</mediaprefs>\n";
  }
  return file;
}

}  // namespace ovrabjt::bench
