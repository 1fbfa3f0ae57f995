// The media table of the ticket: twenty slots that every medium of a job
// refers to by MediaId, and the "media-col" attribute that stands for one.
//
// While a document fills a fresh record, each slot that a "media-col" is given
// is claimed for the rest of the conversion (TicketRecord's claim mask). A
// claimed slot is never free again, even when its medium looks exactly like
// an untouched slot, so two different media can never end up in one slot.
#pragma once

#include <cstdint>

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "ticket/field.h"
#include "ticket/ticket_record.h"

namespace ovrabjt {

// FindMediaRecord - the identifier of the first slot, from slot 0, that holds
// the same medium as `record`. Compared: flags, size code, coatings, colour,
// type, edges, hole code and description; the weight when it is given; the
// type name and its order count for a named type, the tab count for pre-cut
// tabs and the colour name for a named colour. Grain, tooth and the unused
// bytes are not compared. False, with `id` untouched, when no slot matches.
bool FindMediaRecord(const TicketRecord& ticket, const ConstFieldView& record, std::uint32_t& id);

// FindFreeMediaRecord - the identifier of the first slot that holds an
// untouched record and is not claimed. False, with `id` untouched, when
// there is none.
bool FindFreeMediaRecord(const TicketRecord& ticket, std::uint32_t& id);

// StoreMediaRecord - copies the 350 bytes of `record` into the slot of `id`
// and claims the slot. False, writing nothing, when `id` names no slot.
bool StoreMediaRecord(TicketRecord& ticket, std::uint32_t id, const ConstFieldView& record);

// LoadMediaRecord - copies the slot of `id` into `record`. When `id` names no
// slot ("no medium" or a damaged identifier) `record` gets the defaults of
// an untouched record and the result is false.
bool LoadMediaRecord(const FieldView& record, const TicketRecord& ticket, std::uint32_t id);

// ReadMediaCol - reads the first "media-col" of the list and gives it a slot:
// the first slot holding an equal medium, else the first free slot, which
// then takes the medium. True with the slot's identifier in `id`; false when
// there is no "media-col" (`id` untouched) or the table is full (`id` is then
// the "no medium" identifier and nothing is stored).
bool ReadMediaCol(const AttrNodeList& list, TicketRecord& ticket, std::uint32_t& id,
                  const ReleaseProfile& release = BuildRelease());

// WriteMediaCol - appends a "media-col" collection describing the medium of
// `id`, unless `id` names no slot or the medium has nothing to describe.
void WriteMediaCol(AttrNodeList& list, const TicketRecord& ticket, std::uint32_t id,
                   const ReleaseProfile& release = BuildRelease());

}  // namespace ovrabjt
