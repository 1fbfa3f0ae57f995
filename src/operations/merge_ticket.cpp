#include "operations/merge_ticket.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string_view>

#include "convert/attr_readers.h"
#include "convert/ticket_conversion.h"
#include "operations/attr_copy.h"
#include "operations/ticket_references.h"
#include "vocabulary/color_vocabulary.h"
#include "vocabulary/job_vocabulary.h"
#include "vocabulary/media_vocabulary.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt {

namespace {

namespace tf = ticket_field;

// The settings of the delta that replace the base's as a whole.
struct Replaced {
  bool media = false;
  bool front_cover = false;
  bool back_cover = false;
  bool overrides = false;
  bool inserts = false;
  bool force_front = false;
  bool imposition = false;
  bool emulation = false;
};

// Whether the list holds the collection as the readers see one.
bool HasCollection(const AttrNodeList& list, std::string_view name) {
  const AttrNodeList* members = nullptr;
  return ReadCollection(list, name, 0, members);
}

Replaced WhatTheDeltaReplaces(const AttrNodeList& delta, const ReleaseProfile& release) {
  Replaced r;
  r.media = HasCollection(delta, media_attr::kMediaCol);
  r.front_cover = HasCollection(delta, kCoverFrontAttribute);
  r.back_cover = HasCollection(delta, kCoverBackAttribute);
  r.overrides = HasCollection(delta, release.page_overrides);
  r.inserts = HasCollection(delta, kInsertSheetAttribute);
  r.force_front = HasCollection(delta, kForceFrontSideAttribute);
  r.imposition = delta.FindNode(kImpositionTemplateAttribute, 0) != nullptr;
  r.emulation = delta.FindNode(kColorEmulationAttribute, 0) != nullptr;
  return r;
}

// Copies `size` bytes at `offset` of the fresh record into the base.
void Refresh(TicketRecord& base, const TicketRecord& fresh, std::size_t offset, std::size_t size) {
  std::copy_n(fresh.bytes.data() + offset, size, base.bytes.data() + offset);
}

// Returns what the delta replaces to the defaults of a fresh record, so that
// the readers start from them as a load does. The strings only the dropped
// records held go at the end, with every other unreferenced string.
void ClearReplaced(TicketRecord& base, const TicketRecord& fresh, const Replaced& r) {
  if (r.overrides) {
    Refresh(base, fresh, tf::kOverrideRecords, kOverrideRecordSize * kMaxOverrides);
    base.Set(tf::kPageOverrideCount, 0);
  }
  if (r.inserts) {
    Refresh(base, fresh, tf::kInsertRecords, kInsertRecordSize * kMaxInserts);
    base.Set(tf::kInsertCount, 0);
  }
  if (r.force_front) {
    Refresh(base, fresh, tf::kForceFrontPages, sizeof(std::int32_t) * kMaxForceFront);
    base.Set(tf::kForceFrontCount, 0);
  }
  if (r.media) base.Set(tf::kJobMedia, kNoMedia);
  // The covers are worked out afresh from the delta's covers and the base's
  // other cover, which joins the delta as the base's document gives it.
  if (r.front_cover || r.back_cover) {
    for (Field<std::uint8_t> f : {tf::kCoverMode, tf::kFrontCoverPrint, tf::kBackCoverPrint})
      base.Set(f, fresh.Get(f));
    base.Set(tf::kFrontCoverMedia, kNoMedia);
    base.Set(tf::kBackCoverMedia, kNoMedia);
  }
  if (r.imposition) base.Set(tf::kSignature, fresh.Get(tf::kSignature));
  if (r.emulation) {
    base.Set(tf::kColorEmulation, fresh.Get(tf::kColorEmulation));
    base.Set(tf::kColorEmulationCopy, fresh.Get(tf::kColorEmulationCopy));
  }
}

// The delta as it is read: when it names one cover only and the base has the
// other, that cover joins it as the base's own document gives it, so that the
// covers are worked out from both as a load works them out. Null when the
// delta is read as it is.
std::unique_ptr<AttrNodeList> DeltaWithBaseCover(const AttrNodeList& delta,
                                                 const TicketRecord& base, const Replaced& r,
                                                 const ReleaseProfile& release) {
  if (r.front_cover == r.back_cover) return nullptr;
  std::unique_ptr<AttrNodeList> document;
  BuildTicketAttributes(base, document, release);
  const AttrNode* cover =
      document->FindNode(r.front_cover ? kCoverBackAttribute : kCoverFrontAttribute, 0);
  if (cover == nullptr) return nullptr;
  auto joined = std::make_unique<AttrNodeList>();
  for (const std::unique_ptr<AttrNode>& node : delta.nodes()) joined->Append(CopyAttrNode(*node));
  joined->Append(CopyAttrNode(*cover));
  return joined;
}

}  // namespace

void MergeTicketAttributes(const AttrNodeList& delta, TicketRecord& base,
                           const ReleaseProfile& release) {
  auto fresh = TicketRecord::Allocate();
  if (!fresh) throw std::bad_alloc();
  InitTicketRecord(*fresh);
  const Replaced replaced = WhatTheDeltaReplaces(delta, release);
  const std::unique_ptr<AttrNodeList> joined = DeltaWithBaseCover(delta, base, replaced, release);
  ClearReplaced(base, *fresh, replaced);

  // The media the base still names keep their slots; every other slot is
  // free for the delta's media.
  const std::uint32_t kept = NamedMediaSlots(base);
  ClearMediaSlots(base, kept);
  base.claimed_media_slots = kept;

  // The job's trap widths are read unless trapping is off: the delta's own
  // trapping decides that, not the base's. No keyword gives the fresh code,
  // so a trapping still at it is one the delta did not give.
  const std::uint8_t base_trapping = base.Get(tf::kTrapping);
  base.Set(tf::kTrapping, fresh->Get(tf::kTrapping));
  ReadTicketAttributes(joined ? *joined : delta, base, release);
  if (base.Get(tf::kTrapping) == fresh->Get(tf::kTrapping)) base.Set(tf::kTrapping, base_trapping);

  ClearMediaSlots(base, NamedMediaSlots(base));
  RemoveUnreferencedStrings(base);
}

bool MergeTicketDocument(VelmorXmlDataStream& source, TicketRecord& base,
                         std::optional<OvraParseException>* error) {
  AttrNodeList delta;
  try {
    source.Read(delta);
  } catch (const OvraParseException& e) {
    if (error) *error = e;
    return true;
  }
  MergeTicketAttributes(delta, base, source.Release());
  return false;
}

}  // namespace ovrabjt
