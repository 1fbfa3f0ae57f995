// A "media-col" member list and the media record it describes.
#pragma once

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "ticket/field.h"

namespace ovrabjt {

// ReadMediaCollection - initialises the record and fills it from the members
// of one "media-col": size, hole count, colour, type with its order count,
// weight, coatings, grain, tooth and description. Missing members and
// keywords outside the tables keep the defaults; a colour or type outside its
// table is kept as a name (colour cut to 30 characters, type to 29); the
// description is cut to 255 (or, when missing, is the release's default).
// Words follow `release`. Always true.
bool ReadMediaCollection(const AttrNodeList& members, const FieldView& record,
                         const ReleaseProfile& release = BuildRelease());

// WriteMediaCollection - appends the members that describe the record, in
// this order: description, size, hole count, colour keyword, front and back
// coating, grain, tooth, colour name, type (with its order count or as
// pre-printed), weight. Fields at their "not given" codes and empty texts
// add nothing.
void WriteMediaCollection(AttrNodeList& members, const ConstFieldView& record,
                          const ReleaseProfile& release = BuildRelease());

}  // namespace ovrabjt
