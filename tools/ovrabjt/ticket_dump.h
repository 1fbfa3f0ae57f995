// A ticket record shown field by field: every field by its name with its
// decoded value, the media slots in use, the page overrides, inserted sheets
// and force-front pages in use, and the string table.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "inspect/field_catalog.h"
#include "ticket/ticket_record.h"

namespace ovrabjt::cli {

// DescribeTicket - the record as one JSON object: "job" (every job-level
// field), "media" (each slot in use: its id, the fields that name it and its
// fields), "pageOverrides", "insertSheets", "forceFrontPages" and "strings".
// A number with words is {"code", "meaning"}, a string reference {"index",
// "text"}, a medium {"id", "slot"} (slot null for none); texts are UTF-8.
nlohmann::ordered_json DescribeTicket(const TicketRecord& record);

// RenderTicket - the object of DescribeTicket as text for people, one field
// a line.
std::string RenderTicket(const nlohmann::ordered_json& ticket);

// DescribeField - one field of the record, in `view` (the job, a page
// override, an inserted sheet or a medium), as DescribeTicket shows it.
nlohmann::ordered_json DescribeField(const TicketRecord& record, const FieldInfo& field,
                                     const ConstFieldView& view);

// RenderValue - one value of DescribeTicket as RenderTicket shows it.
std::string RenderValue(const nlohmann::ordered_json& value);

}  // namespace ovrabjt::cli
