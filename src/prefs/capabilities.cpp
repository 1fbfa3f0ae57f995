#include "prefs/capabilities.h"

#include <cstring>
#include <limits>
#include <string>

#include "convert/attr_readers.h"

namespace ovrabjt {

namespace {

std::size_t CountValues(const AttrNodeList& values) {
  std::size_t count = 0;
  while (values.FindNode("value", count)) ++count;
  return count;
}

}  // namespace

bool GetSpecificKespInfo(const AttrNodeList& list, std::int32_t selector, std::int32_t slot_width,
                         char* destination, std::int32_t* size_out, const ReleaseProfile& release) {
  const auto name = release.capabilities.ValueOf(selector);
  if (!name || slot_width < 1 || !size_out) return false;
  const AttrNodeList* values = nullptr;
  const std::size_t count = ReadCollection(list, *name, 0, values) ? CountValues(*values) : 0;
  const std::uint64_t size = std::uint64_t(count) * std::uint64_t(slot_width);
  if (size > std::uint64_t(std::numeric_limits<std::int32_t>::max())) return false;
  if (destination) {
    const std::size_t width = static_cast<std::size_t>(slot_width);
    std::string slot(width, '\0');
    for (std::size_t d = 0; d < count; ++d) {
      slot[0] = '\0';  // a value that is not a text reads as an empty one
      ReadTextInto(*values, "value", d, slot.data(), width - 1);
      std::memcpy(destination + d * width, slot.c_str(), std::strlen(slot.c_str()) + 1);
    }
  }
  *size_out = static_cast<std::int32_t>(size);
  return true;
}

}  // namespace ovrabjt
