#include <algorithm>

#include "convert/media/media_record.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt {

namespace {

namespace tf = ticket_field;

void InitJobFields(TicketRecord& r) {
  r.Set(tf::kReserved0, 1024);
  r.Set(tf::kReserved8, 1);
  r.Set(tf::kFirstPage, 1);
  r.Set(tf::kLastPage, 99999);
  r.Set(tf::kFinishing, 128);
  r.Set(tf::kJobMedia, kNoMedia);
  r.Set(tf::kRenderingIntentImages, 1);
  r.Set(tf::kRenderingIntentText, 1);
  r.Set(tf::kRenderingIntentGraphics, 1);
  r.Set(tf::kSaveFormat, 1);
  r.Set(tf::kReserved68, 32);
  r.Set(tf::kJobFlags, job_flag::kAllAbsent);
  r.Set(tf::kHighlightColorant, 1);
  r.Set(tf::kHighlightMismatch, 1);
  r.Set(tf::kHighlightMapColor, 1);
  r.Set(tf::kHighlightMap, 1);
  r.Set(tf::kReserved110, 75);
  r.Set(tf::kPageRotation, 32);
  r.Set(tf::kPageRangeMode, 1);
  for (auto f :
       {tf::kReserved116, tf::kReserved117, tf::kReserved118, tf::kReserved119, tf::kReserved122})
    r.Set(f, 1);
  r.Set(tf::kSaveDisposition, 1);
  r.Set(tf::kSignature, 1);
  r.Set(tf::kOrientation, 4);
  r.Set(tf::kCollate, 4);
  r.Set(tf::kSides, 8);
  for (auto f : {tf::kOpiInsertion, tf::kOpiPreScan, tf::kColorEmulation, tf::kColorEmulationCopy,
                 tf::kPrinterResolution, tf::kColorEffects, tf::kTrapping, tf::kAntiAliasing,
                 tf::kBlackOverprint, tf::kCoverMode, tf::kFrontCoverPrint, tf::kBackCoverPrint})
    r.Set(f, 1);
  r.Set(tf::kFrontCoverMedia, kNoMedia);
  r.Set(tf::kBackCoverMedia, kNoMedia);
}

void InitOverride(const FieldView& o) {
  namespace of = override_field;
  o.Set(of::kMedia, kNoMedia);
  o.Set(of::kFlagsWord, override_flag::kFreshWord);
  o.Set(of::kSides, 8);
  o.Set(of::kPageRotation, 32);
  o.Set(of::kAntiAliasing, 1);
  o.Set(of::kBlackOverprint, 1);
  o.Set(of::kTrapping, 1);
}

}  // namespace

void InitTicketRecord(TicketRecord& record) {
  FreeTicketStrings(record.strings);
  std::fill(record.bytes.begin(), record.bytes.end(), std::uint8_t{0});
  record.ResetMediaClaims();
  InitJobFields(record);
  for (std::size_t k = 0; k < kMediaSlots; ++k) InitMediaRecord(record.MediaSlot(k));
  for (std::size_t i = 0; i < kMaxOverrides; ++i) InitOverride(record.Override(i));
  for (std::size_t i = 0; i < kMaxInserts; ++i)
    record.Insert(i).Set(insert_field::kMedia, kNoMedia);
}

}  // namespace ovrabjt
