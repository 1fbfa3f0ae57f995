// Capabilities and media-preference documents: parsed into attribute lists
// that the caller keeps, and media preferences written back.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt {

// ReadCapabilities - the attribute list of the capabilities document in
// `buffer` (`length` bytes, parsed without validation), or null when it cannot
// be parsed; `error`, when given, then receives the failure.
std::unique_ptr<AttrNodeList> ReadCapabilities(const char* buffer, std::int32_t length,
                                               std::optional<OvraParseException>* error = nullptr,
                                               const ReleaseProfile& release = BuildRelease());

// ReadMediaPreferences - the attribute list of the media-preferences file, or
// null when it cannot be read or parsed.
std::unique_ptr<AttrNodeList> ReadMediaPreferences(
    const char* file_name, std::optional<OvraParseException>* error = nullptr,
    const ReleaseProfile& release = BuildRelease());

// SaveMediaPreferences - writes the list as the media-preferences file;
// raises OvraParseException on failure, leaving any previous file as it was.
void SaveMediaPreferences(const AttrNodeList& list, const char* file_name,
                          const ReleaseProfile& release = BuildRelease());

}  // namespace ovrabjt
