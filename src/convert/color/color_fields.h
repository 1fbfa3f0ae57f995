// Where the colour settings of one level live: the job's fields in the ticket
// record, or those of one page-override record. Every field is counted from
// the start of the ticket record, so both levels share the same steps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ticket/field.h"
#include "ticket/layout.h"
#include "vocabulary/color_vocabulary.h"

namespace ovrabjt {

// A bit of a presence-flag word; set while its value is not given.
struct AbsenceBit {
  Field<std::uint16_t> word;
  std::uint16_t mask;
};

// A signed 16-bit colour adjustment and the bit that marks it absent.
struct Adjustment {
  std::string_view name;
  Field<std::int16_t> field;
  AbsenceBit absent;
};

// A trap width in points and the bit that marks it absent.
struct TrapWidth {
  std::string_view name;
  Field<std::uint8_t> field;
  AbsenceBit absent;
};

template <typename T>
struct NamedField {
  std::string_view name;
  Field<T> field;
};

struct ColorFields {
  // In the order they are read and written. The three colour-balance
  // adjustments share one bit.
  std::array<Adjustment, 6> adjustments;
  std::array<NamedField<std::int16_t>, 3> rendering_intents;
  // Added to a ColorNameAttribute's page field; unused at the job level.
  std::size_t override_base;
  bool page_level;
  Field<std::uint16_t> trc_name;
  Field<std::uint16_t> halftone;
  Field<std::uint16_t> emulation_name;
  Field<std::uint8_t> emulation;
  Field<std::uint8_t> emulation_copy;
  Field<std::uint8_t> trapping;
  std::array<TrapWidth, 2> trap_widths;
  Field<std::uint8_t> anti_aliasing;
  Field<std::uint8_t> black_overprint;

  // The field of a colour-management name at this level.
  constexpr Field<std::uint16_t> NameField(const ColorNameAttribute& a) const {
    return page_level ? At(override_base, a.page_field) : a.job_field;
  }
};

constexpr ColorFields JobColorFields() {
  namespace tf = ticket_field;
  namespace jf = job_flag;
  return ColorFields{
      .adjustments = {{
          {"adjust-lightness", tf::kAdjustLightness, {tf::kJobFlags, jf::kLightness}},
          {"adjust-saturation", tf::kAdjustSaturation, {tf::kJobFlags, jf::kSaturation}},
          {"adjust-cyan-red", tf::kAdjustCyanRed, {tf::kJobFlags, jf::kColorBalance}},
          {"adjust-magenta-green", tf::kAdjustMagentaGreen, {tf::kJobFlags, jf::kColorBalance}},
          {"adjust-yellow-blue", tf::kAdjustYellowBlue, {tf::kJobFlags, jf::kColorBalance}},
          {"adjust-contrast", tf::kAdjustContrast, {tf::kJobFlags, jf::kContrast}},
      }},
      .rendering_intents = {{
          {"rendering-intent-images", tf::kRenderingIntentImages},
          {"rendering-intent-text", tf::kRenderingIntentText},
          {"rendering-intent-graphics", tf::kRenderingIntentGraphics},
      }},
      .override_base = 0,
      .page_level = false,
      .trc_name = tf::kTrcName,
      .halftone = tf::kHalftone,
      .emulation_name = tf::kColorEmulationName,
      .emulation = tf::kColorEmulation,
      .emulation_copy = tf::kColorEmulationCopy,
      .trapping = tf::kTrapping,
      .trap_widths = {{
          {"trap-width-fast", tf::kTrapWidthFast, {tf::kJobFlags, jf::kTrapWidthFast}},
          {"trap-width-slow", tf::kTrapWidthSlow, {tf::kJobFlags, jf::kTrapWidthSlow}},
      }},
      .anti_aliasing = tf::kAntiAliasing,
      .black_overprint = tf::kBlackOverprint,
  };
}

// The two flag bytes of a page override read as one little-endian word: the
// bits of the second byte are its high byte.
constexpr AbsenceBit OverrideBit(std::size_t base, std::uint8_t first_byte_bit) {
  return {At(base, override_field::kFlagsWord), first_byte_bit};
}
constexpr AbsenceBit OverrideBit2(std::size_t base, std::uint8_t second_byte_bit) {
  static_assert(override_field::kFlags2.offset == override_field::kFlagsWord.offset + 1);
  return {At(base, override_field::kFlagsWord), static_cast<std::uint16_t>(second_byte_bit << 8)};
}

constexpr ColorFields PageColorFields(std::size_t override_index) {
  namespace of = override_field;
  namespace fl = override_flag;
  const std::size_t b = OverrideOffset(override_index);
  return ColorFields{
      .adjustments = {{
          {"adjust-lightness", At(b, of::kAdjustLightness), OverrideBit(b, fl::kLightness)},
          {"adjust-saturation", At(b, of::kAdjustSaturation), OverrideBit2(b, fl::kSaturation)},
          {"adjust-cyan-red", At(b, of::kAdjustCyanRed), OverrideBit2(b, fl::kColorBalance)},
          {"adjust-magenta-green", At(b, of::kAdjustMagentaGreen),
           OverrideBit2(b, fl::kColorBalance)},
          {"adjust-yellow-blue", At(b, of::kAdjustYellowBlue), OverrideBit2(b, fl::kColorBalance)},
          {"adjust-contrast", At(b, of::kAdjustContrast), OverrideBit2(b, fl::kContrast)},
      }},
      .rendering_intents = {{
          {"rendering-intent-images", At(b, of::kRenderingIntentImages)},
          {"rendering-intent-text", At(b, of::kRenderingIntentText)},
          {"rendering-intent-graphics", At(b, of::kRenderingIntentGraphics)},
      }},
      .override_base = b,
      .page_level = true,
      .trc_name = At(b, of::kTrcName),
      .halftone = At(b, of::kHalftone),
      .emulation_name = At(b, of::kColorEmulationName),
      .emulation = At(b, of::kColorEmulation),
      .emulation_copy = At(b, of::kColorEmulationCopy),
      .trapping = At(b, of::kTrapping),
      .trap_widths = {{
          {"trap-width-fast", At(b, of::kTrapWidthFast), OverrideBit2(b, fl::kTrapWidthFast)},
          {"trap-width-slow", At(b, of::kTrapWidthSlow), OverrideBit2(b, fl::kTrapWidthSlow)},
      }},
      .anti_aliasing = At(b, of::kAntiAliasing),
      .black_overprint = At(b, of::kBlackOverprint),
  };
}

}  // namespace ovrabjt
