// Random ticket records drawn from the format's domain: every code from its
// table (or the code that means "not given"), texts without leading or
// trailing blanks, media that differ from each other, page overrides with
// colour settings and strings. Such a record survives a trip through the
// document unchanged in every field the document carries.
#pragma once

#include <cstdint>
#include <memory>

#include "releases/release_profile.h"
#include "ticket/ticket_record.h"

namespace ovrabjt::testing {

struct TicketShape {
  int max_media = 20;
  int max_overrides = 12;
  int max_inserts = 6;
  int max_force_front = 6;
  int max_text = 60;  // characters of most texts (long ones are rarer)
  // Only the vocabulary of this release (the newest when null).
  const ReleaseProfile* release = nullptr;
};

std::unique_ptr<TicketRecord> RandomTicket(std::uint32_t seed, const TicketShape& shape = {});

// A ticket that uses everything at once: 20 distinct media, `overrides` page
// overrides (each with its own range, medium, shifts and every colour setting
// with texts of its own), 250 inserted sheets, 250 force-front pages and
// every job-level text at its maximum length.
std::unique_ptr<TicketRecord> MaximalTicket(int overrides = 250);

}  // namespace ovrabjt::testing
