// Ticket record -> attribute list. The order of the steps is the order of the
// attributes in the document.
#include <string>

#include "convert/attr_builders.h"
#include "convert/colour/color_settings.h"
#include "convert/colour/highlight_color.h"
#include "convert/finishings.h"
#include "convert/job_attributes.h"
#include "convert/job_defaults.h"
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

// A set holding one range "value".
void AddRangeSet(AttrNodeList& list, std::int32_t lower, std::int32_t upper,
                 std::string_view name) {
  AddRange(AddCollection(list, name, kSetOf), lower, upper, kSetEntry);
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
    AddRangeSet(list, r.Get(tf::kFirstPage), r.Get(tf::kLastPage), job_attr::kPageRanges);
}

void WriteFinishings(AttrNodeList& list, const TicketRecord& r) {
  if (auto number = kFinishings.ValueOf(r.Get(tf::kFinishing)))
    AddNumber(AddCollection(list, job_attr::kFinishings, kSetOf), *number, kSetEntry, kEnum);
}

// Slip sheets are blue, or white when the job's own medium is blue.
void WriteSeparatorSheets(AttrNodeList& list, const TicketRecord& r,
                          const ReleaseProfile& release) {
  if (r.Get(tf::kFinishing) != kFinishingSeparatorSheets) return;
  AttrNodeList& sheets = AddCollection(list, job_attr::kSeparatorSheets, kCollection);
  if (release.separator_sheets_type)
    AddString(sheets, kSlipSheets, job_attr::kSeparatorSheetsType, kKeyword);
  MediaBytes medium{};
  const FieldView m = MediaView(medium);
  // Loading no medium leaves the record at its defaults, which are not blue.
  LoadMediaRecord(m, r, r.Get(tf::kJobMedia));
  const bool blue = m.Get(media_field::kColor) == media_code::kColorBlue;
  m.Set(media_field::kColor, blue ? media_code::kColorWhite : media_code::kColorBlue);
  WriteMediaCollection(AddCollection(sheets, media_attr::kMediaCol, kCollection), m, release);
}

void WriteFinishingTemplate(AttrNodeList& list, const TicketRecord& r) {
  if (r.Get(tf::kFinishing) != kFinishingTemplate) return;
  AttrNodeList& col = AddCollection(list, job_attr::kFinishingsCol, kCollection);
  AddName(col, r.Text(tf::kFinishingTemplate), kFinishingTemplateAttribute);
}

void WriteHighlightColor(AttrNodeList& list, std::int16_t code, std::string_view name) {
  std::string_view keyword;
  if (KeywordFromHighlightColor(code, keyword)) AddString(list, keyword, name, kKeyword);
}

void WriteHighlights(AttrNodeList& list, const TicketRecord& r, const ReleaseProfile& release) {
  if (!release.highlights) return;
  WriteHighlightColor(list, r.Get(tf::kHighlightColorant), job_attr::kHighlightColorant);
  AddKeyword(list, kHighlightMismatches, r.Get(tf::kHighlightMismatch),
             job_attr::kHighlightMismatch);
  WriteHighlightColor(list, r.Get(tf::kHighlightMapColor), job_attr::kHighlightMapColor);
  AddKeyword(list, kHighlightMaps, r.Get(tf::kHighlightMap), job_attr::kHighlightMap);
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
  AttrNodeList& save = AddCollection(list, job_attr::kJobSaveDisposition, kCollection);
  AddString(save, *keyword, job_attr::kSaveDisposition, kKeyword);
  if (disposition == kSaveDispositionNone) return;
  AttrNodeList& info =
      AddCollection(AddCollection(save, job_attr::kSaveInfo, kSetOf), kSetEntry, kCollection);
  if (auto format = release.save_formats.ValueOf(r.Get(tf::kSaveFormat)))
    AddString(info, *format, job_attr::kSaveDocumentFormat, kMimeMediaType);
  if (release.save_name) AddName(info, SaveName(r), job_attr::kSaveName);
  if (release.repository) AddUri(info, kSaveLocation, job_attr::kSaveLocation);
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
  AddUri(list, uri, job_attr::kDocumentUri);
}

// A text as its attribute, in the releases that have it; an empty text is
// not written.
void WriteJobText(AttrNodeList& list, const TicketRecord& r, const JobText& text,
                  const ReleaseProfile& release) {
  if (text.KnownIn(release)) AddString(list, r.Text(text.field), text.name, text.syntax);
}

void WriteShift(AttrNodeList& list, std::int16_t millimetres, std::string_view name) {
  AddNumber(list, millimetres * 100, name, kInteger);
}

void WriteJobShifts(AttrNodeList& list, const TicketRecord& r) {
  if (Absent(r, job_flag::kShiftTested)) return;
  for (const ImageShift& shift : kImageShifts) WriteShift(list, r.Get(shift.job_field), shift.name);
}

void WriteFont(AttrNodeList& list, const TicketRecord& r, const ReleaseProfile& release) {
  if (!Absent(r, job_flag::kFontName)) AddName(list, r.Text(tf::kFontName), release.font_name);
  if (!Absent(r, job_flag::kFontSize))
    AddNumber(list, r.Get(tf::kFontSize), job_attr::kFontSizeRequested, kInteger);
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
  if (front)
    AddKeyword(*front_members, kCoverPrints, r.Get(tf::kFrontCoverPrint), job_attr::kCoverType);
  // Covers printed alike carry the front cover's print on both.
  if (mode == cm::kBothAlike)
    AddKeyword(*back_members, kCoverPrints, r.Get(tf::kFrontCoverPrint), job_attr::kCoverType);
  if (mode == cm::kBack || mode == cm::kBothSeparate)
    AddKeyword(*back_members, kCoverPrints, r.Get(tf::kBackCoverPrint), job_attr::kCoverType);
}

void WriteOverride(AttrNodeList& overrides, const TicketRecord& r, std::size_t i,
                   const ReleaseProfile& release) {
  const ConstFieldView o = r.Override(i);
  const std::uint8_t flags = o.Get(of::kFlags);
  AttrNodeList& members = AddCollection(overrides, kSetEntry, kCollection);
  AddRangeSet(members, 1, 1, release.input_documents);
  AddRangeSet(members, o.Get(of::kFirstPage), o.Get(of::kLastPage), job_attr::kPages);
  WriteSides(members, o.Get(of::kSides));
  for (const ImageShift& shift : kImageShifts)
    if (!(flags & shift.page_absent)) WriteShift(members, o.Get(shift.page_field), shift.name);
  if (!(flags & override_flag::kMedia)) WriteMediaCol(members, r, o.Get(of::kMedia), release);
  AddKeyword(members, release.page_rotations, o.Get(of::kPageRotation), job_attr::kPageRotation);
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
    AttrNodeList& members = AddCollection(sheets, kSetEntry, kCollection);
    AddNumber(members, s.Get(insert_field::kAfterPage), job_attr::kInsertAfterPage, kInteger);
    AddNumber(members, s.Get(insert_field::kCount), job_attr::kInsertCount, kInteger);
    WriteMediaCol(members, r, s.Get(insert_field::kMedia), release);
  }
}

void WriteForceFrontPages(AttrNodeList& list, const TicketRecord& r) {
  const std::size_t count = Bounded(r.Get(tf::kForceFrontCount), kMaxForceFront);
  if (count == 0) return;
  AttrNodeList& pages = AddCollection(list, kForceFrontSideAttribute, kSetOf);
  for (std::size_t i = 0; i < count; ++i)
    AddNumber(pages, r.Get(ForceFrontPage(i)), kSetEntry, kInteger);
}

}  // namespace

bool BuildTicketAttributes(const TicketRecord& r, std::unique_ptr<AttrNodeList>& out,
                           const ReleaseProfile& release) {
  out = std::make_unique<AttrNodeList>();
  AttrNodeList& list = *out;
  WriteJobText(list, r, job_text::kJobName, release);
  WriteJobText(list, r, job_text::kUserName, release);
  WriteJobText(list, r, job_text::kPhoneNumber, release);
  if (!Absent(r, job_flag::kCopies))
    AddNumber(list, r.Get(tf::kCopies), job_attr::kCopies, kInteger);
  WritePageRanges(list, r);
  WriteFinishings(list, r);
  WriteSeparatorSheets(list, r, release);
  WriteFinishingTemplate(list, r);
  WriteHighlights(list, r, release);
  WriteJobColorSettings(list, r, release);
  WriteImpositionTemplate(list, r);
  AddKeyword(list, kColorEffects, r.Get(tf::kColorEffects), job_attr::kColorEffects);
  AddKeyword(list, kOpiInsertions, r.Get(tf::kOpiInsertion), job_attr::kOpiInsertion);
  AddKeyword(list, kOpiPreScans, r.Get(tf::kOpiPreScan), job_attr::kOpiPreScan);
  WriteSaveDisposition(list, r, release);
  WriteDocumentUri(list, r, release);
  WriteJobShifts(list, r);
  if (r.Get(tf::kSignature) == kSignatureImposition)
    AddName(list, kSignatureTemplate, kImpositionTemplateAttribute);
  WriteJobText(list, r, job_text::kAccountId, release);
  WriteJobText(list, r, job_text::kRecipientName, release);
  WriteJobText(list, r, job_text::kSheetMessage, release);
  WriteJobText(list, r, job_text::kOperatorMessage, release);
  WriteFont(list, r, release);
  if (auto number = kOrientations.ValueOf(r.Get(tf::kOrientation)))
    AddNumber(list, *number, job_attr::kOrientation, kEnum);
  AddKeyword(list, release.page_rotations, r.Get(tf::kPageRotation), job_attr::kPageRotation);
  AddKeyword(list, kCollations, r.Get(tf::kCollate), job_attr::kSheetCollate);
  WriteMediaCol(list, r, r.Get(tf::kJobMedia), release);
  WriteSides(list, r.Get(tf::kSides));
  WriteCovers(list, r, release);
  WritePageOverrides(list, r, release);
  WriteInsertSheets(list, r, release);
  WriteForceFrontPages(list, r);
  return false;
}

}  // namespace ovrabjt
