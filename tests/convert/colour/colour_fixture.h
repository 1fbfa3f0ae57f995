// A record with the colour defaults of a fresh ticket, and small helpers to
// build attribute lists and read texts back.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "attr/attr_dump.h"
#include "attr/attr_value_factory.h"
#include "convert/attr_builders.h"
#include "ticket/ticket_record.h"

namespace ovrabjt::colour_test {

namespace tf = ticket_field;
namespace of = override_field;

inline std::unique_ptr<TicketRecord> FreshColourTicket() {
  auto t = TicketRecord::Allocate();
  for (auto f :
       {tf::kRenderingIntentImages, tf::kRenderingIntentText, tf::kRenderingIntentGraphics})
    t->Set(f, 1);
  t->Set(tf::kJobFlags, job_flag::kAllAbsent);
  for (auto f : {tf::kColorEmulation, tf::kColorEmulationCopy, tf::kPrinterResolution,
                 tf::kTrapping, tf::kAntiAliasing, tf::kBlackOverprint})
    t->Set(f, 1);
  for (std::size_t i = 0; i < kMaxOverrides; ++i) {
    const FieldView r = t->Override(i);
    r.Set(of::kFlagsWord, override_flag::kFreshWord);
    for (auto f : {of::kAntiAliasing, of::kBlackOverprint, of::kTrapping}) r.Set(f, 1);
  }
  return t;
}

inline void Put(AttrNodeList& list, std::string_view name, std::string_view syntax,
                std::string_view text) {
  list.Append(name, AttrValueFactory::CreateValue(syntax, text));
}

// The text a string field refers to; fails the test when the index is stale.
inline std::string Text(const TicketRecord& t, Field<std::uint16_t> f) {
  std::string out;
  EXPECT_TRUE(ReadTicketString(t, t.Get(f), out)) << "field at " << f.offset;
  return out;
}

inline Field<std::uint16_t> Page(std::size_t i, Field<std::uint16_t> f) {
  return At(OverrideOffset(i), f);
}

}  // namespace ovrabjt::colour_test
