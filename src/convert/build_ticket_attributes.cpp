// Ticket record -> attribute list. The order of the steps is the order of the
// attributes in the document.
#include <string>

#include "convert/attr_builders.h"
#include "convert/colour/color_settings.h"
#include "convert/colour/highlight_color.h"
#include "convert/finishings.h"
#include "convert/job_vocabulary.h"
#include "convert/media/media_collection.h"
#include "convert/media/media_record.h"
#include "convert/media/media_table.h"
#include "convert/media/media_vocabulary.h"
#include "convert/media/sides.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt {

namespace {

namespace tf = ticket_field;
namespace of = override_field;

constexpr std::string_view kKeyword = "keyword";
constexpr std::string_view kInteger = "integer";

// Appends the keyword of `code` from `table`; nothing for a code it lacks.
template <typename Table, typename Code>
void AddKeyword(AttrNodeList& list, const Table& table, Code code, std::string_view name) {
  if (auto keyword = table.ValueOf(code)) AddString(list, *keyword, name, kKeyword);
}

// A set holding one range "value".
void AddRangeSet(AttrNodeList& list, std::int32_t lower, std::int32_t upper,
                 std::string_view name) {
  AddRange(AddCollection(list, name, kSetOf), lower, upper, "value");
}

bool Absent(const TicketRecord& r, std::uint16_t flag) {
  return (r.Get(tf::kJobFlags) & flag) != 0;
}

// Counts of a driver-written record are bounded by the slots the record has.
std::size_t Bounded(std::uint16_t count, std::size_t slots) {
  return count < slots ? count : slots;
}

void WritePageRanges(AttrNodeList& list, const TicketRecord& r) {
  if (r.Get(tf::kPageRangeMode) == kPageRangeFromTo)
    AddRangeSet(list, r.Get(tf::kFirstPage), r.Get(tf::kLastPage), "page-ranges");
}

void WriteFinishings(AttrNodeList& list, const TicketRecord& r) {
  if (auto number = kFinishings.ValueOf(r.Get(tf::kFinishing)))
    AddNumber(AddCollection(list, "finishings", kSetOf), *number, "value", "enum");
}

// Slip sheets are blue, or white when the job's own medium is blue.
void WriteSeparatorSheets(AttrNodeList& list, const TicketRecord& r,
                          const ReleaseProfile& release) {
  if (r.Get(tf::kFinishing) != kFinishingSeparatorSheets) return;
  AttrNodeList& sheets = AddCollection(list, "separator-sheets", kCollection);
  if (release.separator_sheets_type)
    AddString(sheets, "slip-sheets", "separator-sheets-type", kKeyword);
  MediaBytes medium{};
  const FieldView m = MediaView(medium);
  // Loading no medium leaves the record at its defaults, which are not blue.
  LoadMediaRecord(m, r, r.Get(tf::kJobMedia));
  const bool blue = m.Get(media_field::kColor) == media_code::kColorBlue;
  m.Set(media_field::kColor, blue ? media_code::kColorWhite : media_code::kColorBlue);
  WriteMediaCollection(AddCollection(sheets, "media-col", kCollection), m, release);
}

void WriteFinishingTemplate(AttrNodeList& list, const TicketRecord& r) {
  if (r.Get(tf::kFinishing) != kFinishingTemplate) return;
  AttrNodeList& col = AddCollection(list, "finishings-col", kCollection);
  AddName(col, r.Text(tf::kFinishingTemplate), kFinishingTemplateAttribute);
}

void WriteHighlightColor(AttrNodeList& list, std::int16_t code, std::string_view name) {
  std::string_view keyword;
  if (KeywordFromHighlightColor(code, keyword)) AddString(list, keyword, name, kKeyword);
}

void WriteHighlights(AttrNodeList& list, const TicketRecord& r, const ReleaseProfile& release) {
  if (!release.highlights) return;
  WriteHighlightColor(list, r.Get(tf::kHighlightColorant), "highlight-colorant");
  AddKeyword(list, kHighlightMismatches, r.Get(tf::kHighlightMismatch),
             "highlight-colorant-mismatch");
  WriteHighlightColor(list, r.Get(tf::kHighlightMapColor), "highlight-map-color");
  AddKeyword(list, kHighlightMaps, r.Get(tf::kHighlightMap), "highlight-map");
}

void WriteImpositionTemplate(AttrNodeList& list, const TicketRecord& r) {
  std::string name;
  if (ReadTicketString(r, r.Get(tf::kImpositionTemplate), name))
    AddName(list, name, kImpositionTemplateAttribute);
}

// "save-name" is the folder, a "/" when the folder needs one, then the saved
// job's file name or, lacking one, the job name.
std::string SaveName(const TicketRecord& r) {
  std::string name(r.Text(tf::kSavePath));
  if (!name.empty() && name.back() != '/') name += '/';
  const std::string_view file = r.Text(tf::kSaveName);
  name += file.empty() ? r.Text(tf::kJobName) : file;
  return name;
}

void WriteSaveDisposition(AttrNodeList& list, const TicketRecord& r,
                          const ReleaseProfile& release) {
  const std::uint8_t disposition = r.Get(tf::kSaveDisposition);
  auto keyword = kSaveDispositions.ValueOf(disposition);
  if (!keyword) return;
  AttrNodeList& save = AddCollection(list, "job-save-disposition", kCollection);
  AddString(save, *keyword, "save-disposition", kKeyword);
  if (disposition == 1) return;
  AttrNodeList& info =
      AddCollection(AddCollection(save, "save-info", kSetOf), "value", kCollection);
  if (auto format = release.save_formats.ValueOf(r.Get(tf::kSaveFormat)))
    AddString(info, *format, "save-document-format", "mimeMediaType");
  if (release.save_name) AddName(info, SaveName(r), "save-name");
  if (release.repository) AddUri(info, kSaveLocation, "save-location");
}

// The stored document's place: the repository (in releases that name one),
// the folder and the file name, joined by single slashes.
void WriteDocumentUri(AttrNodeList& list, const TicketRecord& r, const ReleaseProfile& release) {
  const std::string_view path = r.Text(tf::kDocumentPath);
  const std::string_view file = r.Text(tf::kDocumentName);
  if (path.empty() && file.empty()) return;
  std::string uri(release.repository ? kDocumentRepository : "");
  if (path.empty() || path.front() != '/') uri += '/';
  uri += path;
  if (uri.back() != '/') uri += '/';
  uri += file;
  AddUri(list, uri, "document-uri");
}

void WriteShift(AttrNodeList& list, std::int16_t millimetres, std::string_view name) {
  AddNumber(list, millimetres * 100, name, kInteger);
}

void WriteJobShifts(AttrNodeList& list, const TicketRecord& r) {
  if (Absent(r, job_flag::kShiftTested)) return;
  WriteShift(list, r.Get(tf::kShiftX1), "x-side1-image-shift");
  WriteShift(list, r.Get(tf::kShiftX2), "x-side2-image-shift");
  WriteShift(list, r.Get(tf::kShiftY1), "y-side1-image-shift");
  WriteShift(list, r.Get(tf::kShiftY2), "y-side2-image-shift");
}

void WriteFont(AttrNodeList& list, const TicketRecord& r, const ReleaseProfile& release) {
  if (!Absent(r, job_flag::kFontName)) AddName(list, r.Text(tf::kFontName), release.font_name);
  if (!Absent(r, job_flag::kFontSize))
    AddNumber(list, r.Get(tf::kFontSize), "font-size-requested", kInteger);
}

void WriteCovers(AttrNodeList& list, const TicketRecord& r, const ReleaseProfile& release) {
  namespace cm = cover_mode;
  const std::uint8_t mode = r.Get(tf::kCoverMode);
  const bool front = mode == cm::kFront || mode == cm::kBothAlike || mode == cm::kBothSeparate;
  const bool back = mode == cm::kBack || mode == cm::kBothAlike || mode == cm::kBothSeparate;
  AttrNodeList* front_members = nullptr;
  AttrNodeList* back_members = nullptr;
  if (front) {
    front_members = &AddCollection(list, kCoverFrontAttribute, kCollection);
    WriteMediaCol(*front_members, r, r.Get(tf::kFrontCoverMedia), release);
  }
  if (back) {
    back_members = &AddCollection(list, kCoverBackAttribute, kCollection);
    WriteMediaCol(*back_members, r, r.Get(tf::kBackCoverMedia), release);
  }
  if (front) AddKeyword(*front_members, kCoverPrints, r.Get(tf::kFrontCoverPrint), "cover-type");
  // Covers printed alike carry the front cover's print on both.
  if (mode == cm::kBothAlike)
    AddKeyword(*back_members, kCoverPrints, r.Get(tf::kFrontCoverPrint), "cover-type");
  if (mode == cm::kBack || mode == cm::kBothSeparate)
    AddKeyword(*back_members, kCoverPrints, r.Get(tf::kBackCoverPrint), "cover-type");
}

void WriteOverride(AttrNodeList& overrides, const TicketRecord& r, std::size_t i,
                   const ReleaseProfile& release) {
  const ConstFieldView o = r.Override(i);
  const std::uint8_t flags = o.Get(of::kFlags);
  AttrNodeList& members = AddCollection(overrides, "value", kCollection);
  AddRangeSet(members, 1, 1, release.input_documents);
  AddRangeSet(members, o.Get(of::kFirstPage), o.Get(of::kLastPage), "pages");
  WriteSides(members, o.Get(of::kSides));
  if (!(flags & override_flag::kShiftX1))
    WriteShift(members, o.Get(of::kShiftX1), "x-side1-image-shift");
  if (!(flags & override_flag::kShiftX2))
    WriteShift(members, o.Get(of::kShiftX2), "x-side2-image-shift");
  if (!(flags & override_flag::kShiftY1))
    WriteShift(members, o.Get(of::kShiftY1), "y-side1-image-shift");
  if (!(flags & override_flag::kShiftY2))
    WriteShift(members, o.Get(of::kShiftY2), "y-side2-image-shift");
  if (!(flags & override_flag::kMedia)) WriteMediaCol(members, r, o.Get(of::kMedia), release);
  AddKeyword(members, release.page_rotations, o.Get(of::kPageRotation), "page-rotation");
  WritePageColorSettings(members, r, i, release);
}

void WritePageOverrides(AttrNodeList& list, const TicketRecord& r, const ReleaseProfile& release) {
  const std::size_t count = Bounded(r.Get(tf::kPageOverrideCount), kMaxOverrides);
  if (count == 0) return;
  AttrNodeList& overrides = AddCollection(list, release.page_overrides, kSetOf);
  for (std::size_t i = 0; i < count; ++i) WriteOverride(overrides, r, i, release);
}

void WriteInsertSheets(AttrNodeList& list, const TicketRecord& r, const ReleaseProfile& release) {
  const std::size_t count = Bounded(r.Get(tf::kInsertCount), kMaxInserts);
  if (count == 0) return;
  AttrNodeList& sheets = AddCollection(list, kInsertSheetAttribute, kSetOf);
  for (std::size_t i = 0; i < count; ++i) {
    const ConstFieldView s = r.Insert(i);
    AttrNodeList& members = AddCollection(sheets, "value", kCollection);
    AddNumber(members, s.Get(insert_field::kAfterPage), "insert-after-page-number", kInteger);
    AddNumber(members, s.Get(insert_field::kCount), "insert-count", kInteger);
    WriteMediaCol(members, r, s.Get(insert_field::kMedia), release);
  }
}

void WriteForceFrontPages(AttrNodeList& list, const TicketRecord& r) {
  const std::size_t count = Bounded(r.Get(tf::kForceFrontCount), kMaxForceFront);
  if (count == 0) return;
  AttrNodeList& pages = AddCollection(list, kForceFrontSideAttribute, kSetOf);
  for (std::size_t i = 0; i < count; ++i)
    AddNumber(pages, r.Get(ForceFrontPage(i)), "value", kInteger);
}

}  // namespace

bool BuildTicketAttributes(const TicketRecord& r, std::unique_ptr<AttrNodeList>& out,
                           const ReleaseProfile& release) {
  out = std::make_unique<AttrNodeList>();
  AttrNodeList& list = *out;
  AddName(list, r.Text(tf::kJobName), "job-name");
  AddName(list, r.Text(tf::kUserName), "requesting-user-name");
  if (release.phone_number) AddText(list, r.Text(tf::kPhoneNumber), "job-phone-number");
  if (!Absent(r, job_flag::kCopies)) AddNumber(list, r.Get(tf::kCopies), "copies", kInteger);
  WritePageRanges(list, r);
  WriteFinishings(list, r);
  WriteSeparatorSheets(list, r, release);
  WriteFinishingTemplate(list, r);
  WriteHighlights(list, r, release);
  WriteJobColorSettings(list, r, release);
  WriteImpositionTemplate(list, r);
  AddKeyword(list, kColorEffects, r.Get(tf::kColorEffects), "color-effects-type");
  AddKeyword(list, kOpiInsertions, r.Get(tf::kOpiInsertion), "opi-image-insertion");
  AddKeyword(list, kOpiPreScans, r.Get(tf::kOpiPreScan), "opi-image-pre-scan");
  WriteSaveDisposition(list, r, release);
  WriteDocumentUri(list, r, release);
  WriteJobShifts(list, r);
  if (r.Get(tf::kSignature) == kSignatureImposition)
    AddName(list, kSignatureTemplate, kImpositionTemplateAttribute);
  AddName(list, r.Text(tf::kAccountId), "job-account-id");
  AddName(list, r.Text(tf::kRecipientName), "job-recipient-name");
  AddText(list, r.Text(tf::kSheetMessage), "job-sheet-message");
  AddText(list, r.Text(tf::kOperatorMessage), "job-message-to-operator");
  WriteFont(list, r, release);
  if (auto number = kOrientations.ValueOf(r.Get(tf::kOrientation)))
    AddNumber(list, *number, "orientation-requested", "enum");
  AddKeyword(list, release.page_rotations, r.Get(tf::kPageRotation), "page-rotation");
  AddKeyword(list, kCollations, r.Get(tf::kCollate), "sheet-collate");
  WriteMediaCol(list, r, r.Get(tf::kJobMedia), release);
  WriteSides(list, r.Get(tf::kSides));
  WriteCovers(list, r, release);
  WritePageOverrides(list, r, release);
  WriteInsertSheets(list, r, release);
  WriteForceFrontPages(list, r);
  return false;
}

}  // namespace ovrabjt
