#include "convert/media/media_collection.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "convert/media/media_record.h"
#include "convert/media/media_size.h"
#include "convert/media/media_vocabulary.h"
#include "releases/older_vocabulary.h"
#include "ticket/layout.h"

namespace ovrabjt {

namespace {

constexpr std::string_view kKeyword = "keyword";
constexpr std::string_view kInteger = "integer";

// Stores the code of a keyword member; a keyword outside the table, or no
// member, leaves the field as it was.
template <typename Table>
void ReadKeywordInto(const AttrNodeList& members, std::string_view name, const Table& table,
                     const FieldView& record, Field<std::int16_t> field) {
  std::string text;
  if (!ReadString(members, name, 0, text)) return;
  if (const auto code = table.CodeOf(text)) record.Set(field, *code);
}

// Appends the keyword of a code; nothing for a code outside the table.
template <typename Table, typename Code>
void AddKeyword(AttrNodeList& members, const Table& table, Code code, std::string_view name) {
  if (const auto keyword = table.ValueOf(code)) AddString(members, *keyword, name, kKeyword);
}

void ReadHoleCount(const AttrNodeList& members, const FieldView& record) {
  record.Set(media_field::kHoleCode, media_code::kHoleNotGiven);
  std::int32_t count = 0;
  if (!ReadInteger(members, media_attr::kHoleCount, 0, count)) return;
  if (const auto code = kMediaHoleCounts.CodeOf(count)) record.Set(media_field::kHoleCode, *code);
}

// A colour outside the keyword table is kept as a named colour.
void ReadColor(const AttrNodeList& members, const FieldView& record,
               const ReleaseProfile& release) {
  std::string text;
  if (!ReadString(members, media_attr::kColor, 0, text)) return;
  if (const auto code = release.media_colors.CodeOf(text)) {
    record.Set(media_field::kColor, *code);
    return;
  }
  record.Set(media_field::kColor, media_code::kColorNamed);
  record.SetText(media_field::kColorName, text);
}

// The older words for the media types: "media-opacity" and "media-tabs",
// the tabs with their order count; without them, "media-pre-printed".
void ReadOpacityOrTabs(const AttrNodeList& members, const FieldView& record) {
  std::string text;
  bool typed = false;
  if (ReadString(members, media_attr::kOpacity, 0, text))
    if (const auto code = kMediaOpacities.CodeOf(text)) {
      record.Set(media_field::kType, *code);
      typed = true;
    }
  text.clear();
  if (ReadString(members, media_attr::kTabs, 0, text))
    if (const auto code = kMediaTabs.CodeOf(text)) {
      std::int32_t count = 0;
      ReadInteger(members, media_attr::kOrderCount, 0, count);
      record.Set(media_field::kTabCount, static_cast<std::uint8_t>(count));
      record.Set(media_field::kType, *code);
      typed = true;
    }
  if (!typed)
    ReadKeywordInto(members, media_attr::kPrePrinted, kMediaPrePrinted, record, media_field::kType);
}

// "media-type" with its order count; without it, "media-pre-printed".
void ReadType(const AttrNodeList& members, const FieldView& record) {
  std::string text;
  if (!ReadString(members, media_attr::kType, 0, text)) {
    ReadKeywordInto(members, media_attr::kPrePrinted, kMediaPrePrinted, record, media_field::kType);
    return;
  }
  std::int32_t count = 0;
  ReadInteger(members, media_attr::kOrderCount, 0, count);
  // The tab count takes the order count whatever the type.
  record.Set(media_field::kTabCount, static_cast<std::uint8_t>(count));
  if (const auto code = kMediaTypes.CodeOf(text)) {
    record.Set(media_field::kType, *code);
    return;
  }
  record.SetText(media_field::kTypeName,
                 std::string_view(text).substr(0, media_field::kMaxTypeName));
  record.Set(media_field::kType, media_code::kTypeNamed);
  // An order count of 0 or 1 is no count for a named type.
  if (count > 1) {
    record.Set(media_field::kTypeCountSet, media_code::kTypeCountGiven);
    record.Set(media_field::kTypeCount, static_cast<std::uint8_t>(count));
  }
}

void ReadWeight(const AttrNodeList& members, const FieldView& record) {
  std::int32_t weight = 0;
  if (!ReadInteger(members, media_attr::kWeightMetric, 0, weight)) return;
  record.Set(media_field::kWeight, static_cast<std::uint16_t>(weight));
  record.Set(media_field::kFlags,
             static_cast<std::uint8_t>(record.Get(media_field::kFlags) & ~media_flag::kWeight));
}

void WriteHoleCount(AttrNodeList& members, const ConstFieldView& record) {
  if (const auto count = kMediaHoleCounts.ValueOf(record.Get(media_field::kHoleCode)))
    AddNumber(members, *count, media_attr::kHoleCount, kInteger);
}

// The media types in the older words; stationery and named types have none.
void WriteOpacityOrTabs(AttrNodeList& members, const ConstFieldView& record) {
  const std::int16_t type = record.Get(media_field::kType);
  AddKeyword(members, kMediaOpacities, type, media_attr::kOpacity);
  if (const auto keyword = kMediaTabs.ValueOf(type)) {
    AddString(members, *keyword, media_attr::kTabs, kKeyword);
    if (type == media_code::kTypePreCutTabs)
      AddNumber(members, record.Get(media_field::kTabCount), media_attr::kOrderCount, kInteger);
  }
  AddKeyword(members, kMediaPrePrinted, type, media_attr::kPrePrinted);
}

void WriteType(AttrNodeList& members, const ConstFieldView& record) {
  const std::int16_t type = record.Get(media_field::kType);
  if (const auto keyword = kMediaTypes.ValueOf(type)) {
    AddString(members, *keyword, media_attr::kType, kKeyword);
    if (type == media_code::kTypePreCutTabs)
      AddNumber(members, record.Get(media_field::kTabCount), media_attr::kOrderCount, kInteger);
  } else if (type == media_code::kTypeNamed) {
    AddName(members, record.Text(media_field::kTypeName), media_attr::kType);
    if (record.Get(media_field::kTypeCountSet) == media_code::kTypeCountGiven)
      AddNumber(members, record.Get(media_field::kTypeCount), media_attr::kOrderCount, kInteger);
  } else {
    AddKeyword(members, kMediaPrePrinted, type, media_attr::kPrePrinted);
  }
}

}  // namespace

bool ReadMediaCollection(const AttrNodeList& members, const FieldView& record,
                         const ReleaseProfile& release) {
  InitMediaRecord(record);
  // A fresh record has both edge bits clear already; given edges are never
  // marked absent.
  if (ReadMediaSize(members, record)) {
    std::uint8_t flags = record.Get(media_field::kFlags);
    if (record.Get(media_field::kShortEdge) != 0) flags &= std::uint8_t(~media_flag::kShortEdge);
    if (record.Get(media_field::kLongEdge) != 0) flags &= std::uint8_t(~media_flag::kLongEdge);
    record.Set(media_field::kFlags, flags);
  }
  ReadHoleCount(members, record);
  ReadColor(members, record, release);
  if (release.media_type)
    ReadType(members, record);
  else
    ReadOpacityOrTabs(members, record);
  ReadWeight(members, record);
  ReadKeywordInto(members, media_attr::kFrontCoating, kMediaCoatings, record,
                  media_field::kFrontCoating);
  ReadKeywordInto(members, media_attr::kBackCoating, kMediaCoatings, record,
                  media_field::kBackCoating);
  ReadKeywordInto(members, media_attr::kGrain, release.media_grains, record, media_field::kGrain);
  ReadKeywordInto(members, media_attr::kTooth, release.media_teeth, record, media_field::kTooth);
  // The record was cleared, so a missing description stays empty unless the
  // release gives one.
  if (!ReadTextInto(members, media_attr::kDescription, 0, record, media_field::kDescription))
    record.SetText(media_field::kDescription, release.default_media_description);
  return true;
}

void WriteMediaCollection(AttrNodeList& members, const ConstFieldView& record,
                          const ReleaseProfile& release) {
  AddName(members, record.Text(media_field::kDescription), media_attr::kDescription);
  WriteMediaSize(members, record);
  WriteHoleCount(members, record);
  AddKeyword(members, release.media_colors, record.Get(media_field::kColor), media_attr::kColor);
  AddKeyword(members, kMediaCoatings, record.Get(media_field::kFrontCoating),
             media_attr::kFrontCoating);
  AddKeyword(members, kMediaCoatings, record.Get(media_field::kBackCoating),
             media_attr::kBackCoating);
  AddKeyword(members, release.media_grains, record.Get(media_field::kGrain), media_attr::kGrain);
  AddKeyword(members, release.media_teeth, record.Get(media_field::kTooth), media_attr::kTooth);
  if (record.Get(media_field::kColor) == media_code::kColorNamed)
    AddName(members, record.Text(media_field::kColorName), media_attr::kColor);
  if (release.media_type)
    WriteType(members, record);
  else
    WriteOpacityOrTabs(members, record);
  if ((record.Get(media_field::kFlags) & media_flag::kWeight) == 0)
    AddNumber(members, record.Get(media_field::kWeight), media_attr::kWeightMetric, kInteger);
}

}  // namespace ovrabjt
