#include "prefs/media_preferences.h"

#include <utility>

#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "convert/media/media_collection.h"

namespace ovrabjt {

bool PopulateStockFromAttrList(AttrNodeList& list, std::int32_t list_kind, std::uint16_t& index,
                               const FieldView& record, const ReleaseProfile& release) {
  const auto name = release.stock_lists.ValueOf(list_kind);
  if (!name) return false;
  if (index == 0) return false;
  const AttrNodeList* stocks = nullptr;
  const AttrNodeList* stock = nullptr;
  if (!ReadCollection(std::as_const(list), *name, 0, stocks) ||
      !ReadCollection(*stocks, "value", index - 1u, stock)) {
    index = 0;
    return true;
  }
  return ReadMediaCollection(*stock, record, release);
}

bool AddStockToMPSContents(AttrNodeList& list, std::int32_t list_kind, const ConstFieldView& record,
                           const ReleaseProfile& release) {
  const auto name = release.stock_lists.ValueOf(list_kind);
  AttrNodeList* stocks = nullptr;
  if (!name || !ReadCollection(list, *name, 0, stocks)) return false;
  WriteMediaCollection(AddCollection(*stocks, "value", kCollection), record, release);
  return true;
}

std::unique_ptr<AttrNodeList> CreateEmptyMPSContents(const ReleaseProfile& release) {
  auto list = std::make_unique<AttrNodeList>();
  for (std::int32_t kind : {2, 3, 4})
    AddCollection(*list, *release.stock_lists.ValueOf(kind), kSetOf);
  return list;
}

}  // namespace ovrabjt
