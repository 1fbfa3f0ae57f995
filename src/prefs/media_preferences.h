// Stock lists of a media-preferences document: enumerate, add, create.
#pragma once

#include <cstdint>
#include <memory>

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "ticket/field.h"

namespace ovrabjt {

// PopulateStockFromAttrList - fills the 350-byte media record from stock
// `*index` (from 1) of the list of kind `list_kind` (1 to 4). At the end of
// the list, or when the document has no such list, sets `*index` to 0 and
// returns true. Index 0 returns false (and leaves 0). An unknown kind returns
// false with the index as it was.
bool PopulateStockFromAttrList(AttrNodeList& list, std::int32_t list_kind, std::uint16_t& index,
                               const FieldView& record,
                               const ReleaseProfile& release = BuildRelease());

// AddStockToMPSContents - appends the medium of the record as a new stock of
// the list of kind `list_kind`. False when the kind is unknown or the
// document has no such list.
bool AddStockToMPSContents(AttrNodeList& list, std::int32_t list_kind, const ConstFieldView& record,
                           const ReleaseProfile& release = BuildRelease());

// CreateEmptyMPSContents - a document body with the three empty stock lists
// "media-user-defined", "media-favorites-user-defined" and
// "media-favorites-printer", in that order.
std::unique_ptr<AttrNodeList> CreateEmptyMPSContents(
    const ReleaseProfile& release = BuildRelease());

// The names of the stock lists and the media words follow `release` in all
// three.

}  // namespace ovrabjt
