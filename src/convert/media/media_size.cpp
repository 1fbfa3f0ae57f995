#include "convert/media/media_size.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "convert/media/media_vocabulary.h"
#include "ticket/layout.h"

namespace ovrabjt {

namespace {

constexpr std::int32_t kHundredths = 100;

// The code a pair of edges read from a document gets: the standard size with
// both edges, the custom code when no standard size has this short edge, and
// nothing (the code stays) for a standard short edge with another long edge.
std::optional<std::uint32_t> RecogniseMediaSize(std::uint16_t short_edge, std::uint16_t long_edge) {
  bool standard_short_edge = false;
  for (const MediaSize& size : kMediaSizes) {
    if (!size.recognised || size.short_edge != short_edge) continue;
    if (size.long_edge == long_edge) return size.code;
    standard_short_edge = true;
  }
  if (standard_short_edge) return std::nullopt;
  return media_code::kSizeCustom;
}

// Hundredths of a millimetre to the record's millimetres: truncated toward
// zero, low 16 bits kept.
std::uint16_t ToMillimetres(std::int32_t hundredths) {
  return static_cast<std::uint16_t>(hundredths / kHundredths);
}

}  // namespace

bool ReadMediaSize(const AttrNodeList& members, const FieldView& record) {
  const AttrNodeList* size = nullptr;
  if (!ReadCollection(members, media_attr::kSize, 0, size)) return false;
  std::int32_t x = 0;
  std::int32_t y = 0;
  ReadInteger(*size, media_attr::kXDimension, 0, x);
  ReadInteger(*size, media_attr::kYDimension, 0, y);
  std::uint16_t short_edge = ToMillimetres(x);
  std::uint16_t long_edge = ToMillimetres(y);
  const bool both_given = short_edge != 0 && long_edge != 0;
  if (short_edge > long_edge) std::swap(short_edge, long_edge);
  record.Set(media_field::kShortEdge, short_edge);
  record.Set(media_field::kLongEdge, long_edge);
  if (const auto code = RecogniseMediaSize(short_edge, long_edge))
    record.Set(media_field::kSizeCode, *code);
  return both_given;
}

void WriteMediaSize(AttrNodeList& members, const ConstFieldView& record) {
  const std::uint32_t code = record.Get(media_field::kSizeCode);
  if (code == media_code::kSizeNone) return;
  std::int32_t x = 0;
  std::int32_t y = 0;
  if (code == media_code::kSizeCustom) {
    // A driver's record may hold the edges in either order.
    const std::int32_t a = record.Get(media_field::kShortEdge) * kHundredths;
    const std::int32_t b = record.Get(media_field::kLongEdge) * kHundredths;
    x = std::min(a, b);
    y = std::max(a, b);
  } else if (!StandardMediaSize(x, y, code)) {
    return;
  }
  AttrNodeList& size = AddCollection(members, media_attr::kSize, kCollection);
  AddNumber(size, x, media_attr::kXDimension, "integer");
  AddNumber(size, y, media_attr::kYDimension, "integer");
}

bool StandardMediaSize(std::int32_t& x, std::int32_t& y, std::uint32_t code) {
  x = 0;
  y = 0;
  for (const MediaSize& size : kMediaSizes) {
    if (size.code != code) continue;
    x = size.short_edge * kHundredths;
    y = size.long_edge * kHundredths;
    return true;
  }
  return false;
}

}  // namespace ovrabjt
