// Attribute list -> ticket record. The order of the steps is part of the
// format: later steps may overwrite what earlier ones stored.
#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "convert/attr_readers.h"
#include "convert/colour/color_settings.h"
#include "convert/colour/highlight_color.h"
#include "convert/finishings.h"
#include "convert/job_vocabulary.h"
#include "convert/media/media_table.h"
#include "convert/media/sides.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt {

namespace {

namespace tf = ticket_field;
namespace of = override_field;

// Stores the code of a keyword attribute found in `table`; an absent
// attribute or a keyword the table lacks leaves the field as it was.
template <typename Table, typename T>
bool ReadKeyword(const AttrNodeList& list, std::string_view name, const Table& table,
                 const FieldView& record, Field<T> field) {
  std::string text;
  if (!ReadString(list, name, 0, text)) return false;
  auto code = table.CodeOf(text);
  if (code) record.Set(field, *code);
  return code.has_value();
}

void ClearFlags(TicketRecord& r, std::uint16_t flags) {
  r.Set(tf::kJobFlags, static_cast<std::uint16_t>(r.Get(tf::kJobFlags) & ~flags));
}

void ClearFlags(const FieldView& o, Field<std::uint8_t> field, std::uint8_t flags) {
  o.Set(field, static_cast<std::uint8_t>(o.Get(field) & ~flags));
}

// Shifts are hundredths of a millimetre in documents and whole millimetres,
// truncated toward zero, in the ticket.
bool ReadShift(const AttrNodeList& list, std::string_view name, const FieldView& record,
               Field<std::int16_t> field) {
  std::int32_t value = 0;
  if (!ReadInteger(list, name, 0, value)) return false;
  record.Set(field, static_cast<std::int16_t>(value / 100));
  return true;
}

void ReadDocumentFormat(const AttrNodeList& list, TicketRecord& r) {
  ReadKeyword(list, "document-format", kDocumentFormats, r.view(), tf::kDocumentFormat);
}

void ReadCopies(const AttrNodeList& list, TicketRecord& r) {
  std::int32_t copies = 0;
  if (!ReadInteger(list, "copies", 0, copies)) return;
  r.Set(tf::kCopies, copies);
  ClearFlags(r, job_flag::kCopies);
}

void ReadPageRanges(const AttrNodeList& list, TicketRecord& r) {
  const AttrNodeList* ranges = nullptr;
  if (!ReadCollection(list, "page-ranges", 0, ranges)) return;
  std::int32_t first = r.Get(tf::kFirstPage), last = r.Get(tf::kLastPage);
  ReadRangeValue(*ranges, 0, first, last);
  r.Set(tf::kFirstPage, first);
  r.Set(tf::kLastPage, last);
  r.Set(tf::kPageRangeMode, kPageRangeFromTo);
}

void ReadFinishings(const AttrNodeList& list, TicketRecord& r) {
  const AttrNodeList* members = nullptr;
  std::int32_t code = 0;
  if (ReadCollection(list, "finishings", 0, members) && ReadFinishingValue(*members, code))
    r.Set(tf::kFinishing, code);
}

// Slip sheets are known by their type, which only some releases name.
void ReadSeparatorSheets(const AttrNodeList& list, TicketRecord& r, const ReleaseProfile& release) {
  if (!release.separator_sheets_type) return;
  const AttrNodeList* sheets = nullptr;
  std::string type;
  if (ReadCollection(list, "separator-sheets", 0, sheets) &&
      ReadString(*sheets, "separator-sheets-type", 0, type) &&
      EqualsIgnoreAsciiCase(type, "slip-sheets"))
    r.Set(tf::kFinishing, kFinishingSeparatorSheets);
}

// The finishing-template collection, under either of its two names.
void ReadFinishingTemplate(const AttrNodeList& list, std::string_view name, TicketRecord& r) {
  const AttrNodeList* col = nullptr;
  if (ReadCollection(list, name, 0, col) &&
      ReadTextInto(*col, kFinishingTemplateAttribute, 0, r.view(), tf::kFinishingTemplate))
    r.Set(tf::kFinishing, kFinishingTemplate);
}

void ReadHighlightColor(const AttrNodeList& list, std::string_view name, TicketRecord& r,
                        Field<std::int16_t> field) {
  std::string text;
  std::int16_t code = r.Get(field);
  if (ReadString(list, name, 0, text) && HighlightColorFromKeyword(text, code)) r.Set(field, code);
}

void ReadHighlights(const AttrNodeList& list, TicketRecord& r, const ReleaseProfile& release) {
  if (!release.highlights) return;
  ReadKeyword(list, "highlight-colorant-mismatch", kHighlightMismatches, r.view(),
              tf::kHighlightMismatch);
  ReadHighlightColor(list, "highlight-colorant", r, tf::kHighlightColorant);
  ReadHighlightColor(list, "highlight-map-color", r, tf::kHighlightMapColor);
  ReadKeyword(list, "highlight-map", kHighlightMaps, r.view(), tf::kHighlightMap);
}

void ReadImpositionTemplate(const AttrNodeList& list, TicketRecord& r) {
  std::string name;
  if (ReadString(list, kImpositionTemplateAttribute, 0, name))
    WriteTicketString(r, tf::kImpositionTemplate, name);
}

// A template name and signature imposition arrive as two "imposition-template"
// attributes, the name first; every occurrence is looked at so that the
// second one is not lost. The template is a name, so only the exact text
// "signature" asks for signature imposition.
void ReadSignature(const AttrNodeList& list, TicketRecord& r) {
  std::string text;
  for (std::size_t n = 0; ReadString(list, kImpositionTemplateAttribute, n, text); ++n) {
    if (text == kSignatureTemplate) {
      r.Set(tf::kSignature, kSignatureImposition);
      return;
    }
    text.clear();
  }
}

void ReadJobShifts(const AttrNodeList& list, TicketRecord& r) {
  const std::pair<std::string_view, Field<std::int16_t>> shifts[] = {
      {"x-side1-image-shift", tf::kShiftX1},
      {"y-side1-image-shift", tf::kShiftY1},
      {"x-side2-image-shift", tf::kShiftX2},
      {"y-side2-image-shift", tf::kShiftY2},
  };
  for (const auto& [name, field] : shifts)
    if (ReadShift(list, name, r.view(), field)) ClearFlags(r, job_flag::kShifts);
}

void ReadFontSize(const AttrNodeList& list, std::string_view name, TicketRecord& r) {
  std::int32_t size = 0;
  if (!ReadInteger(list, name, 0, size)) return;
  r.Set(tf::kFontSize, static_cast<std::uint16_t>(size));
  ClearFlags(r, job_flag::kFontSize);
}

void ReadJobTexts(const AttrNodeList& list, TicketRecord& r, const ReleaseProfile& release) {
  const std::pair<std::string_view, TextField> texts[] = {
      {"job-name", tf::kJobName},
      {"job-account-id", tf::kAccountId},
      {"requesting-user-name", tf::kUserName},
      {"job-recipient-name", tf::kRecipientName},
      {"job-sheet-message", tf::kSheetMessage},
      {"job-message-to-operator", tf::kOperatorMessage},
      {"job-phone-number", tf::kPhoneNumber},
  };
  for (const auto& [name, field] : texts)
    if (release.phone_number || field.offset != tf::kPhoneNumber.offset)
      ReadTextInto(list, name, 0, r.view(), field);
  if (ReadTextInto(list, release.font_name, 0, r.view(), tf::kFontName))
    ClearFlags(r, job_flag::kFontName);
}

void ReadJobOrientation(const AttrNodeList& list, TicketRecord& r) {
  std::uint8_t orientation = r.Get(tf::kOrientation);
  if (ReadOrientation(list, orientation)) r.Set(tf::kOrientation, orientation);
}

void ReadJobSides(const AttrNodeList& list, TicketRecord& r) {
  std::uint8_t sides = r.Get(tf::kSides);
  if (ReadSides(list, sides)) r.Set(tf::kSides, sides);
}

void ReadJobMedium(const AttrNodeList& list, TicketRecord& r, const ReleaseProfile& release) {
  std::uint32_t id = 0;
  if (ReadMediaCol(list, r, id, release)) r.Set(tf::kJobMedia, id);
}

std::uint32_t ReadMediumOrNone(const AttrNodeList& list, TicketRecord& r,
                               const ReleaseProfile& release) {
  std::uint32_t id = 0;
  return ReadMediaCol(list, r, id, release) ? id : kNoMedia;
}

void ReadCovers(const AttrNodeList& list, TicketRecord& r, const ReleaseProfile& release) {
  namespace cm = cover_mode;
  const AttrNodeList* front = nullptr;
  const AttrNodeList* back = nullptr;
  std::string type;
  if (ReadCollection(list, kCoverFrontAttribute, 0, front)) {
    if (ReadString(*front, "cover-type", 0, type)) {
      r.Set(tf::kCoverMode, cm::kFront);
      if (auto code = kCoverPrints.CodeOf(type)) r.Set(tf::kFrontCoverPrint, *code);
    } else {
      r.Set(tf::kCoverMode, cm::kNone);
    }
    r.Set(tf::kFrontCoverMedia, ReadMediumOrNone(*front, r, release));
  }
  type.clear();
  if (ReadCollection(list, kCoverBackAttribute, 0, back)) {
    if (ReadString(*back, "cover-type", 0, type)) {
      r.Set(tf::kCoverMode, r.Get(tf::kCoverMode) == cm::kFront ? cm::kBothSeparate : cm::kBack);
      if (auto code = kCoverPrints.CodeOf(type)) r.Set(tf::kBackCoverPrint, *code);
    }
    r.Set(tf::kBackCoverMedia, ReadMediumOrNone(*back, r, release));
  }
  // Covers alike are worked out only from covers the document names: a record
  // filled before (a merge's base) keeps the covers no document changed.
  if (!front && !back) return;
  const std::uint8_t mode = r.Get(tf::kCoverMode);
  if (r.Get(tf::kFrontCoverMedia) == r.Get(tf::kBackCoverMedia) &&
      r.Get(tf::kFrontCoverPrint) == r.Get(tf::kBackCoverPrint) && mode != cm::kNone &&
      mode != cm::kNoCovers)
    r.Set(tf::kCoverMode, cm::kBothAlike);
}

// The settings of one "page-overrides" entry into record k.
void ReadOverrideSettings(const AttrNodeList& members, TicketRecord& r, std::size_t k,
                          const ReleaseProfile& release) {
  const FieldView o = r.Override(k);
  std::uint32_t id = 0;
  if (ReadMediaCol(members, r, id, release)) {
    o.Set(of::kMedia, id);
    ClearFlags(o, of::kFlags, override_flag::kMedia);
  } else {
    o.Set(of::kMedia, kNoMedia);
  }
  const std::tuple<std::string_view, Field<std::int16_t>, std::uint8_t> shifts[] = {
      {"x-side1-image-shift", of::kShiftX1, override_flag::kShiftX1},
      {"x-side2-image-shift", of::kShiftX2, override_flag::kShiftX2},
      {"y-side1-image-shift", of::kShiftY1, override_flag::kShiftY1},
      {"y-side2-image-shift", of::kShiftY2, override_flag::kShiftY2},
  };
  for (const auto& [name, field, flag] : shifts)
    if (ReadShift(members, name, o, field)) ClearFlags(o, of::kFlags, flag);
  std::uint8_t sides = o.Get(of::kSides);
  if (ReadSides(members, sides)) {
    o.Set(of::kSides, sides);
    ClearFlags(o, of::kFlags, override_flag::kSides);
  }
  ReadPageColorSettings(members, r, k, release);
  ReadKeyword(members, "page-rotation", release.page_rotations, o, of::kPageRotation);
}

// Each range of "pages" becomes one record with the settings of record k.
void ReadOverridePages(const AttrNodeList& members, TicketRecord& r, std::size_t k) {
  const AttrNodeList* pages = nullptr;
  if (!ReadCollection(members, "pages", 0, pages)) return;
  const AttrNodeList* range = nullptr;
  for (std::size_t n = 0; ReadCollection(*pages, "value", n, range); ++n) {
    const std::size_t count = r.Get(tf::kPageOverrideCount);
    if (count >= kMaxOverrides) return;
    const FieldView target = r.Override(count);
    if (count != k) std::copy_n(r.Override(k).data(), kOverrideRecordSize, target.data());
    std::int32_t first = target.Get(of::kFirstPage), last = target.Get(of::kLastPage);
    ReadInteger(*range, "lower-bound", 0, first);
    ReadInteger(*range, "upper-bound", 0, last);
    target.Set(of::kFirstPage, first);
    target.Set(of::kLastPage, last);
    r.Set(tf::kPageOverrideCount, static_cast<std::uint16_t>(count + 1));
  }
}

void ReadPageOverrides(const AttrNodeList& list, TicketRecord& r, const ReleaseProfile& release) {
  const AttrNodeList* overrides = nullptr;
  if (!ReadCollection(list, release.page_overrides, 0, overrides)) return;
  const AttrNodeList* members = nullptr;
  for (std::size_t n = 0; ReadCollection(*overrides, "value", n, members); ++n) {
    const std::size_t k = r.Get(tf::kPageOverrideCount);
    if (k >= kMaxOverrides) return;
    ReadOverrideSettings(*members, r, k, release);
    ReadOverridePages(*members, r, k);
  }
}

void ReadInsertSheets(const AttrNodeList& list, TicketRecord& r, const ReleaseProfile& release) {
  const AttrNodeList* sheets = nullptr;
  if (!ReadCollection(list, kInsertSheetAttribute, 0, sheets)) return;
  const AttrNodeList* members = nullptr;
  for (std::size_t count = r.Get(tf::kInsertCount);
       count < kMaxInserts && ReadCollection(*sheets, "value", count, members); ++count) {
    const FieldView s = r.Insert(count);
    std::int32_t value = s.Get(insert_field::kAfterPage);
    if (ReadInteger(*members, "insert-after-page-number", 0, value))
      s.Set(insert_field::kAfterPage, value);
    value = s.Get(insert_field::kCount);
    if (ReadInteger(*members, "insert-count", 0, value)) s.Set(insert_field::kCount, value);
    s.Set(insert_field::kMedia, ReadMediumOrNone(*members, r, release));
    r.Set(tf::kInsertCount, static_cast<std::uint16_t>(count + 1));
  }
}

void ReadForceFrontPages(const AttrNodeList& list, TicketRecord& r) {
  const AttrNodeList* pages = nullptr;
  if (!ReadCollection(list, kForceFrontSideAttribute, 0, pages)) return;
  std::int32_t page = 0;
  for (std::size_t count = r.Get(tf::kForceFrontCount);
       count < kMaxForceFront && ReadInteger(*pages, "value", count, page); ++count) {
    r.Set(ForceFrontPage(count), page);
    r.Set(tf::kForceFrontCount, static_cast<std::uint16_t>(count + 1));
  }
}

}  // namespace

void ReadTicketAttributes(const AttrNodeList& list, TicketRecord& r,
                          const ReleaseProfile& release) {
  ReadDocumentFormat(list, r);
  ReadCopies(list, r);
  ReadPageRanges(list, r);
  ReadFinishings(list, r);
  ReadSeparatorSheets(list, r, release);
  ReadFinishingTemplate(list, "finishings-col", r);
  if (release.finishings_template_alias) ReadFinishingTemplate(list, "finishings-template", r);
  ReadHighlights(list, r, release);
  ReadKeyword(list, "page-rotation", release.page_rotations, r.view(), tf::kPageRotation);
  ReadJobColorSettings(list, r, release);
  ReadImpositionTemplate(list, r);
  ReadKeyword(list, "opi-image-insertion", kOpiInsertions, r.view(), tf::kOpiInsertion);
  ReadKeyword(list, "opi-image-pre-scan", kOpiPreScans, r.view(), tf::kOpiPreScan);
  ReadPrinterResolution(list, r);
  ReadKeyword(list, "color-effects-type", kColorEffects, r.view(), tf::kColorEffects);
  ReadJobShifts(list, r);
  ReadFontSize(list, "font-size", r);
  ReadSignature(list, r);
  ReadJobTexts(list, r, release);
  ReadFontSize(list, "font-size-requested", r);
  ReadJobOrientation(list, r);
  ReadKeyword(list, "sheet-collate", kCollations, r.view(), tf::kCollate);
  ReadJobMedium(list, r, release);
  ReadJobSides(list, r);
  ReadCovers(list, r, release);
  ReadPageOverrides(list, r, release);
  ReadInsertSheets(list, r, release);
  ReadForceFrontPages(list, r);
}

}  // namespace ovrabjt
