// The words for the codes of the ticket record's fields, for showing a record
// to people ("two-sided-long-edge" for sides 2). Every decoder of the tool is
// reached through FieldWords, from one table, so that the vocabulary can be
// switched in one place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovrabjt::cli {

// FieldWords - the meaning of `code` in the field called `field` (a name of
// the field catalogue: "sides", "color", "jobFlags"): a keyword, a size, the
// values a flag word marks as not given, "not given" for a code outside a
// keyword table. Nothing for fields whose number speaks for itself (copies,
// page numbers, string indexes). A field name means the same at every level
// of the record (job, page override, inserted sheet, medium).
std::optional<std::string> FieldWords(std::string_view field, std::int64_t code);

// FieldsWithWords - the names of the fields FieldWords knows, in its order.
std::vector<std::string_view> FieldsWithWords();

}  // namespace ovrabjt::cli
