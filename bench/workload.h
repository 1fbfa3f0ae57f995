// The tickets and documents the measurements work on, made once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovrabjt::bench {

struct Ticket {
  std::string name;                  // "fresh", "maximal", "overrides-25", ...
  int overrides;                     // page overrides it holds
  std::vector<std::uint8_t> packed;  // the packed ticket
  std::string document;              // its ovra document text
  std::string file;                  // the document in a file
};

// The tickets: a fresh one, the example one (data/examples), the maximal one
// and maximal ones with 5, 25, 50, 100 and 250 page overrides (the last
// being the maximal one).
const std::vector<Ticket>& Tickets();
const Ticket& TicketNamed(const std::string& name);

// The base name under which documents are parsed: beside the document type.
const char* BaseName();

// A folder for files the measurements write.
const std::string& ScratchFolder();

// A capabilities document whose one capability has `values` values, and a
// media-preferences file with `stocks` stocks in one list.
const std::string& CapabilitiesText(int values);
const std::string& MediaPreferencesFile(int stocks);

}  // namespace ovrabjt::bench
