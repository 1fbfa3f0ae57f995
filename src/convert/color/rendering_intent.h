// The three rendering intents ("rendering-intent-images", "-text",
// "-graphics"), one 16-bit code each.
#pragma once

#include <cstdint>
#include <string_view>

#include "attr/attr_node_list.h"
#include "ticket/field.h"

namespace ovrabjt {

// ReadRenderingIntent - the named attribute's keyword, in any letter case,
// stored as its code in `field` of `record`. An absent attribute, another
// text or a value without text leaves the field as it was. True when the
// field was set.
bool ReadRenderingIntent(const AttrNodeList& list, std::string_view name, const FieldView& record,
                         Field<std::int16_t> field);

// WriteRenderingIntent - appends the named attribute as the keyword of
// `code`; a code without a keyword (such as the defaults 0 and 1) appends
// nothing.
void WriteRenderingIntent(AttrNodeList& list, std::int16_t code, std::string_view name);

}  // namespace ovrabjt
