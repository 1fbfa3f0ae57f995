#include "ticket_dump.h"

#include <algorithm>
#include <map>
#include <span>
#include <vector>

#include "convert/media/media_id.h"
#include "convert/media/media_record.h"
#include "field_words.h"
#include "platform/code_page.h"
#include "ticket/field_catalog.h"
#include "ticket/layout.h"

namespace ovrabjt::cli {

namespace {

using Json = nlohmann::ordered_json;
namespace tf = ticket_field;

std::string Utf8(std::string_view ticket_text) { return Utf16ToUtf8(Cp1252ToUtf16(ticket_text)); }

Json MediaValue(std::uint32_t id) {
  const auto slot = MediaSlotOf(id);
  return Json{{"id", id}, {"slot", slot ? Json(*slot) : Json(nullptr)}};
}

Json FieldValue(const TicketRecord& record, const FieldInfo& field, const ConstFieldView& view) {
  switch (field.kind) {
    case FieldKind::kText:
      return Utf8(view.Text(field.Text()));
    case FieldKind::kStringRef: {
      const auto index = static_cast<std::uint16_t>(field.Number(view));
      std::string text;
      const bool found = ReadTicketString(record, index, text);
      return Json{{"index", index}, {"text", found ? Json(Utf8(text)) : Json(nullptr)}};
    }
    case FieldKind::kMediaId:
      return MediaValue(static_cast<std::uint32_t>(field.Number(view)));
    default:
      break;
  }
  const std::int64_t number = field.Number(view);
  if (auto words = FieldWords(field.name, number))
    return Json{{"code", number}, {"meaning", *words}};
  return number;
}

Json Fields(const TicketRecord& record, std::span<const FieldInfo> fields,
            const ConstFieldView& view) {
  Json object = Json::object();
  for (const FieldInfo& field : fields)
    object[std::string(field.name)] = FieldValue(record, field, view);
  return object;
}

std::size_t Used(const TicketRecord& record, Field<std::uint16_t> count, std::size_t slots) {
  return std::min<std::size_t>(record.Get(count), slots);
}

// Which fields name each slot: the job's media, the covers, the page
// overrides and inserted sheets in use.
std::map<std::size_t, std::vector<std::string>> MediaUsers(const TicketRecord& record) {
  std::map<std::size_t, std::vector<std::string>> users;
  auto note = [&](std::uint32_t id, std::string user) {
    if (auto slot = MediaSlotOf(id)) users[*slot].push_back(std::move(user));
  };
  note(record.Get(tf::kJobMedia), "jobMedia");
  note(record.Get(tf::kFrontCoverMedia), "frontCoverMedia");
  note(record.Get(tf::kBackCoverMedia), "backCoverMedia");
  for (std::size_t i = 0; i < record.OverridesInUse(); ++i)
    note(record.Override(i).Get(override_field::kMedia),
         "pageOverrides[" + std::to_string(i) + "].media");
  for (std::size_t i = 0; i < Used(record, tf::kInsertCount, kMaxInserts); ++i)
    note(record.Insert(i).Get(insert_field::kMedia),
         "insertSheets[" + std::to_string(i) + "].media");
  return users;
}

// A slot is in use when a field names it or it holds other than the
// defaults of an untouched medium.
Json MediaSlots(const TicketRecord& record) {
  MediaBytes untouched{};
  InitMediaRecord(MediaView(untouched));
  const auto users = MediaUsers(record);
  Json slots = Json::array();
  for (std::size_t slot = 0; slot < kMediaSlots; ++slot) {
    const ConstFieldView media = record.MediaSlot(slot);
    const auto named = users.find(slot);
    const bool touched = !std::equal(untouched.begin(), untouched.end(), media.data());
    if (named == users.end() && !touched) continue;
    slots.push_back({{"slot", slot},
                     {"id", MediaIdOf(slot)},
                     {"usedBy", named == users.end() ? Json::array() : Json(named->second)},
                     {"fields", Fields(record, MediaFieldCatalog(), media)}});
  }
  return slots;
}

Json Records(const TicketRecord& record, std::size_t count, std::span<const FieldInfo> fields,
             ConstFieldView (TicketRecord::*sub)(std::size_t) const) {
  Json records = Json::array();
  for (std::size_t i = 0; i < count; ++i)
    records.push_back(Fields(record, fields, (record.*sub)(i)));
  return records;
}

// Rendering.

// Two blanks, the longest field name and one blank.
constexpr std::size_t kNameWidth = 2 + 25 + 1;

std::string Quoted(const Json& text) {
  return text.is_null() ? "(missing)"
                        : std::string("\"").append(text.get<std::string>()).append("\"");
}

std::string Shown(const Json& value) {
  if (value.is_string()) return Quoted(value);
  if (!value.is_object()) return value.dump();
  if (value.contains("meaning")) {
    // A meaning that starts with the number ("3 mm") needs no code beside it.
    const std::string meaning = value["meaning"].get<std::string>(), code = value["code"].dump();
    return meaning.starts_with(code + " ") ? meaning : meaning + " (" + code + ")";
  }
  if (value.contains("index")) {
    if (value["index"] == 0) return "none";
    return Quoted(value["text"]) + " (string " + value["index"].dump() + ")";
  }
  if (value["slot"].is_null())
    return value["id"] == kNoMedia ? "no medium" : "names no slot (" + value["id"].dump() + ")";
  return "slot " + value["slot"].dump();
}

void RenderFields(const Json& fields, std::string& out) {
  for (const auto& [name, value] : fields.items()) {
    std::string line = "  " + name;
    line.resize(std::max(line.size() + 1, kNameWidth), ' ');
    out += line + Shown(value) + "\n";
  }
}

void RenderRecords(const Json& records, std::string_view title, std::string& out) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    out.append("\n").append(title).append(" ").append(std::to_string(i + 1)).append(" of ");
    out.append(std::to_string(records.size())).append("\n");
    RenderFields(records[i], out);
  }
}

}  // namespace

nlohmann::ordered_json DescribeTicket(const TicketRecord& record) {
  Json strings = Json::array();
  for (std::size_t i = 0; i < record.strings.size(); ++i)
    strings.push_back(Utf8(record.strings.at(i)));
  Json pages = Json::array();
  for (std::size_t i = 0; i < Used(record, tf::kForceFrontCount, kMaxForceFront); ++i)
    pages.push_back(record.Get(ForceFrontPage(i)));
  return Json{
      {"job", Fields(record, JobFieldCatalog(), record.view())},
      {"media", MediaSlots(record)},
      {"pageOverrides",
       Records(record, record.OverridesInUse(), OverrideFieldCatalog(), &TicketRecord::Override)},
      {"insertSheets", Records(record, Used(record, tf::kInsertCount, kMaxInserts),
                               InsertFieldCatalog(), &TicketRecord::Insert)},
      {"forceFrontPages", pages},
      {"strings", strings},
  };
}

std::string RenderTicket(const nlohmann::ordered_json& ticket) {
  std::string out = "job\n";
  RenderFields(ticket["job"], out);
  for (const Json& slot : ticket["media"]) {
    out += "\nmedia slot " + slot["slot"].dump() + " (id " + slot["id"].dump() + ")";
    std::string users;
    for (const Json& user : slot["usedBy"])
      users += (users.empty() ? "" : ", ") + user.get<std::string>();
    out += users.empty() ? ", named by no field\n" : ", named by " + users + "\n";
    RenderFields(slot["fields"], out);
  }
  RenderRecords(ticket["pageOverrides"], "page override", out);
  RenderRecords(ticket["insertSheets"], "inserted sheet", out);
  out += "\nforce-front pages:";
  for (const Json& page : ticket["forceFrontPages"]) out.append(" ").append(page.dump());
  out += ticket["forceFrontPages"].empty() ? " none\n" : "\n";
  out += "\nstrings:";
  out += ticket["strings"].empty() ? " none\n" : "\n";
  for (std::size_t i = 0; i < ticket["strings"].size(); ++i)
    out += "  " + std::to_string(i + 1) + "  " + Quoted(ticket["strings"][i]) + "\n";
  return out;
}

nlohmann::ordered_json DescribeField(const TicketRecord& record, const FieldInfo& field,
                                     const ConstFieldView& view) {
  return FieldValue(record, field, view);
}

std::string RenderValue(const nlohmann::ordered_json& value) { return Shown(value); }

}  // namespace ovrabjt::cli
