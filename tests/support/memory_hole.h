// Bytes placed so that their last byte is the last readable one: the page
// after them is unmapped or mapped without access, as when a caller's block
// ends at the end of its mapping.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ovrabjt::testing {

enum class Hole {
  kUnmapped,      // the page after the bytes is given back to the system
  kInaccessible,  // the page after the bytes stays mapped, without access
};

inline constexpr std::string_view HoleName(Hole hole) {
  return hole == Hole::kUnmapped ? "an unmapped page" : "a page without access";
}

class BytesBeforeHole {
 public:
  BytesBeforeHole(const void* bytes, std::size_t count, Hole hole);
  BytesBeforeHole(const BytesBeforeHole&) = delete;
  BytesBeforeHole& operator=(const BytesBeforeHole&) = delete;
  ~BytesBeforeHole();

  const std::uint8_t* data() const { return data_; }
  // The first byte that cannot be read.
  const std::uint8_t* hole() const { return hole_; }
  // Whether the hole still cannot be read: an unmapped page could have been
  // mapped again by an allocation in between.
  bool HoleIntact() const;

 private:
  std::uint8_t* mapping_ = nullptr;
  std::size_t mapped_ = 0;  // bytes of the mapping, the hole included
  std::uint8_t* data_ = nullptr;
  std::uint8_t* hole_ = nullptr;
  Hole kind_;
};

}  // namespace ovrabjt::testing
