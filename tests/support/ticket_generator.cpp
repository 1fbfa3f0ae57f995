#include "support/ticket_generator.h"

#include <random>
#include <string>
#include <vector>

#include "convert/code_table.h"
#include "convert/colour/colour_vocabulary.h"
#include "convert/finishings.h"
#include "convert/job_vocabulary.h"
#include "convert/media/media_id.h"
#include "convert/media/media_record.h"
#include "convert/media/media_table.h"
#include "convert/media/media_vocabulary.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt::testing {

namespace {

namespace tf = ticket_field;
namespace of = override_field;
namespace mf = media_field;

class Generator {
 public:
  Generator(std::uint32_t seed, const TicketShape& shape)
      : rng_(seed), shape_(shape), release_(shape.release ? *shape.release : LatestRelease()) {}

  std::unique_ptr<TicketRecord> Ticket() {
    auto owner = TicketRecord::Allocate();
    TicketRecord& r = *owner;
    InitTicketRecord(r);
    MakeMedia(r);
    JobTexts(r);
    JobNumbers(r);
    JobColour(r);
    Covers(r);
    Overrides(r);
    Inserts(r);
    ForceFront(r);
    return owner;
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Int(0, 99) < percent; }
  template <typename T>
  T Pick(std::initializer_list<T> values) {
    return *(values.begin() + Int(0, int(values.size()) - 1));
  }
  // A code of the table or the code that means "not given".
  template <typename Table, typename Code>
  Code CodeOr(const Table& table, Code none) {
    if (Chance(25) || table.entries.empty()) return none;
    return table.entries[Int(0, int(table.entries.size()) - 1)].first;
  }

  // Printable text with Windows-1252 letters and markup characters, no
  // blanks at either end.
  std::string Text(int max) {
    static constexpr std::string_view kChars =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -_./&<>\"'"
        "\xE9\xFC\xC4\x80\xA9";
    if (max > shape_.max_text && !Chance(5)) max = shape_.max_text;
    std::string s(Int(0, max), ' ');
    for (char& c : s) c = kChars[Int(0, int(kChars.size()) - 1)];
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
  }
  std::string NonEmptyText(int max) {
    std::string s = Text(max);
    return s.empty() ? "x" : s;
  }
  // A name that no keyword table reads as one of its keywords.
  std::string NameUnlike(int max, std::initializer_list<std::string_view> keywords) {
    for (;;) {
      std::string s = NonEmptyText(max);
      bool clash = false;
      for (std::string_view k : keywords) clash = clash || EqualsIgnoreAsciiCase(s, k);
      if (!clash) return s;
    }
  }

  void MakeMedia(TicketRecord& r) {
    const int count = Int(0, shape_.max_media);
    for (int k = 0; k < count; ++k) {
      MediaBytes bytes{};
      const FieldView m = MediaView(bytes);
      Medium(m, k);
      StoreMediaRecord(r, MediaIdOf(static_cast<std::size_t>(k)), m);
      media_.push_back(MediaIdOf(static_cast<std::size_t>(k)));
    }
  }

  // Media differ by their description or, without one, by their weight.
  void Medium(const FieldView& m, int k) {
    InitMediaRecord(m);
    if (Chance(70)) {
      const std::string text = Text(200);
      std::string description = "m";
      description.append(std::to_string(k));
      if (!text.empty()) description.append(" ").append(text);
      m.SetText(mf::kDescription, description);
      if (Chance(50)) {
        m.Set(mf::kWeight, static_cast<std::uint16_t>(Int(0, 65535)));
        m.Set(mf::kFlags, 0);
      }
    } else {
      // Without a description of its own a medium reads back with the
      // release's default one.
      m.SetText(mf::kDescription, release_.default_media_description);
      m.Set(mf::kWeight, static_cast<std::uint16_t>(1000 + k));
      m.Set(mf::kFlags, 0);
    }
    MediumSize(m);
    m.Set(mf::kHoleCode, Pick<std::uint8_t>({1, 2, 4}));
    MediumColour(m);
    m.Set(mf::kFrontCoating, CodeOr(kMediaCoatings, std::int16_t{1}));
    m.Set(mf::kBackCoating, CodeOr(kMediaCoatings, std::int16_t{1}));
    m.Set(mf::kGrain, CodeOr(release_.media_grains, std::int16_t{4}));
    m.Set(mf::kTooth, CodeOr(release_.media_teeth, std::int16_t{8}));
    MediumType(m);
  }

  void MediumSize(const FieldView& m) {
    const int choice = Int(0, 2);
    if (choice == 0) return;  // no size
    if (choice == 1) {
      const MediaSize& size = kMediaSizes[Int(0, 12)];
      m.Set(mf::kSizeCode, size.code);
      m.Set(mf::kShortEdge, size.short_edge);
      m.Set(mf::kLongEdge, size.long_edge);
      return;
    }
    std::uint16_t short_edge;
    bool listed;
    do {
      short_edge = static_cast<std::uint16_t>(Int(1, 600));
      listed = false;
      for (const MediaSize& size : kMediaSizes)
        listed = listed || (size.recognised && size.short_edge == short_edge);
    } while (listed);
    m.Set(mf::kSizeCode, media_code::kSizeCustom);
    m.Set(mf::kShortEdge, short_edge);
    m.Set(mf::kLongEdge, static_cast<std::uint16_t>(Int(short_edge, 2000)));
  }

  void MediumColour(const FieldView& m) {
    if (Chance(15)) {
      m.Set(mf::kColor, media_code::kColorNamed);
      m.SetText(mf::kColorName, NameUnlike(30, {"white", "pink", "yellow", "blue", "green",
                                                "no-color", "clear", "buff", "goldenrod", "red"}));
      return;
    }
    m.Set(mf::kColor, CodeOr(release_.media_colors, media_code::kColorNotGiven));
  }

  void MediumType(const FieldView& m) {
    // Releases without "media-type" have no stationery and no named types.
    const std::int16_t type = release_.media_type ? Pick<std::int16_t>({32, 1, 2, 4, 8, 16, 128})
                                                  : Pick<std::int16_t>({32, 2, 4, 8, 128});
    m.Set(mf::kType, type);
    if (type == media_code::kTypePreCutTabs) m.Set(mf::kTabCount, std::uint8_t(Int(0, 255)));
    if (type != media_code::kTypeNamed) return;
    m.SetText(mf::kTypeName,
              NameUnlike(29, {"stationery", "transparency", "pre-cut-tabs", "full-cut-tabs"}));
    if (Chance(50)) {
      const auto count = static_cast<std::uint8_t>(Int(2, 255));
      m.Set(mf::kTypeCountSet, media_code::kTypeCountGiven);
      m.Set(mf::kTypeCount, count);
      m.Set(mf::kTabCount, count);
    }
  }

  std::uint32_t MediumOrNone() {
    if (media_.empty() || Chance(30)) return kNoMedia;
    return media_[Int(0, int(media_.size()) - 1)];
  }

  void JobTexts(TicketRecord& r) {
    const std::pair<TextField, int> texts[] = {
        {tf::kJobName, 255},          {tf::kAccountId, 255},  {tf::kUserName, 255},
        {tf::kRecipientName, 255},    {tf::kPhoneNumber, 19}, {tf::kSheetMessage, 1000},
        {tf::kOperatorMessage, 1000},
    };
    for (const auto& [field, max] : texts)
      if (Chance(70)) r.SetText(field, Text(max));
    if (!release_.phone_number) r.SetText(tf::kPhoneNumber, "");
  }

  void JobNumbers(TicketRecord& r) {
    std::uint16_t flags = job_flag::kAllAbsent;
    if (Chance(60)) {
      flags &= ~job_flag::kCopies;
      r.Set(tf::kCopies, Int(-5, 100000));
    }
    if (Chance(40)) {
      r.Set(tf::kPageRangeMode, kPageRangeFromTo);
      r.Set(tf::kFirstPage, Int(-3, 5000));
      r.Set(tf::kLastPage, Int(-3, 5000));
    }
    Finishing(r);
    if (release_.highlights) {
      r.Set(tf::kHighlightColorant, CodeOr(kHighlightColors, std::int16_t{1}));
      r.Set(tf::kHighlightMismatch, CodeOr(kHighlightMismatches, std::uint16_t{1}));
      r.Set(tf::kHighlightMapColor, CodeOr(kHighlightColors, std::int16_t{1}));
      r.Set(tf::kHighlightMap, CodeOr(kHighlightMaps, std::uint16_t{1}));
    }
    if (Chance(40)) WriteTicketString(r, tf::kImpositionTemplate, NameUnlike(100, {"signature"}));
    r.Set(tf::kSignature, Pick<std::uint8_t>({1, 2}));
    // Signature imposition alone reads back with "signature" as the template.
    if (r.Get(tf::kSignature) == kSignatureImposition && r.Get(tf::kImpositionTemplate) == 0)
      WriteTicketString(r, tf::kImpositionTemplate, "signature");
    r.Set(tf::kColorEffects, CodeOr(kColorEffects, std::uint8_t{1}));
    r.Set(tf::kOpiInsertion, CodeOr(kOpiInsertions, std::uint8_t{1}));
    r.Set(tf::kOpiPreScan, CodeOr(kOpiPreScans, std::uint8_t{1}));
    if (Chance(50)) {
      flags &= ~job_flag::kShifts;
      for (auto f : {tf::kShiftX1, tf::kShiftY1, tf::kShiftX2, tf::kShiftY2})
        r.Set(f, static_cast<std::int16_t>(Int(-32768, 32767)));
    }
    if (Chance(50)) {
      flags &= ~job_flag::kFontName;
      r.SetText(tf::kFontName, NonEmptyText(100));
    }
    if (Chance(50)) {
      flags &= ~job_flag::kFontSize;
      r.Set(tf::kFontSize, static_cast<std::uint16_t>(Int(0, 65535)));
    }
    r.Set(tf::kJobFlags, flags);
    r.Set(tf::kOrientation, Pick<std::uint8_t>({4, 1, 2}));
    r.Set(tf::kPageRotation, CodeOr(release_.page_rotations, std::uint8_t{32}));
    r.Set(tf::kCollate, Pick<std::uint8_t>({4, 1, 2}));
    r.Set(tf::kSides, CodeOr(kSides, std::uint8_t{8}));
    r.Set(tf::kJobMedia, MediumOrNone());
  }

  void Finishing(TicketRecord& r) {
    const int choice = Int(0, 3);
    if (choice == 0) return;
    if (choice == 1) {
      r.Set(tf::kFinishing,
            release_.separator_sheets_type
                ? Pick<std::int32_t>({kFinishingSeparatorSheets, kFinishingTemplate})
                : kFinishingTemplate);
      if (r.Get(tf::kFinishing) == kFinishingTemplate)
        r.SetText(tf::kFinishingTemplate, NonEmptyText(30));
      return;
    }
    r.Set(tf::kFinishing, kFinishings.entries[Int(0, int(kFinishings.entries.size()) - 1)].first);
  }

  // Colour settings shared by the job and each page override.
  void Strings(TicketRecord& r, std::size_t base,
               std::initializer_list<Field<std::uint16_t>> fields) {
    for (Field<std::uint16_t> f : fields) {
      const bool halftone = f.offset == tf::kHalftone.offset || f.offset == of::kHalftone.offset;
      if (halftone && !release_.halftones) continue;
      if (Chance(40)) WriteTicketString(r, At(base, f), NonEmptyText(80));
    }
  }

  // The code and the name share one attribute name; a code without a name
  // reads back with its keyword as the name, so such a record holds both.
  void ColorEmulation(TicketRecord& r, Field<std::uint8_t> code, Field<std::uint8_t> copy,
                      Field<std::uint16_t> name, std::uint8_t none) {
    const std::uint8_t emulation = CodeOr(kColorEmulations, none);
    r.Set(code, emulation);
    r.Set(copy, emulation);
    std::string text;
    if (Chance(30))
      text = NameUnlike(40, {"none", "swop"});
    else if (auto keyword = kColorEmulations.ValueOf(emulation))
      text = *keyword;
    WriteTicketString(r, name, text);
  }

  void JobColour(TicketRecord& r) {
    std::uint16_t flags = r.Get(tf::kJobFlags);
    const std::pair<Field<std::int16_t>, std::uint16_t> adjustments[] = {
        {tf::kAdjustLightness, job_flag::kLightness},
        {tf::kAdjustSaturation, job_flag::kSaturation},
        {tf::kAdjustContrast, job_flag::kContrast},
    };
    for (const auto& [field, flag] : adjustments)
      if (Chance(50)) {
        flags &= ~flag;
        r.Set(field, static_cast<std::int16_t>(Int(-32768, 32767)));
      }
    if (Chance(50)) {
      flags &= ~job_flag::kColorBalance;
      for (auto f : {tf::kAdjustCyanRed, tf::kAdjustMagentaGreen, tf::kAdjustYellowBlue})
        r.Set(f, static_cast<std::int16_t>(Int(-100, 100)));
    }
    for (auto f :
         {tf::kRenderingIntentImages, tf::kRenderingIntentText, tf::kRenderingIntentGraphics})
      r.Set(f, CodeOr(kRenderingIntents, std::int16_t{1}));
    Strings(r, 0,
            {tf::kDestinationProfileFront, tf::kDestinationProfileBack, tf::kUndefinedSourceRgb,
             tf::kUndefinedSourceCmyk, tf::kUndefinedSourceCmy, tf::kUndefinedSourceGray,
             tf::kUndefinedSourceRgbImages, tf::kUndefinedSourceCmykImages,
             tf::kUndefinedSourceCmyImages, tf::kTrcName, tf::kHalftone});
    ColorEmulation(r, tf::kColorEmulation, tf::kColorEmulationCopy, tf::kColorEmulationName, 1);
    r.Set(tf::kPrinterResolution, Pick<std::uint8_t>({1, 2, 4}));
    r.Set(tf::kTrapping, CodeOr(kTrappings, std::uint8_t{1}));
    // Trap widths of the job are carried only while trapping is not off.
    if (release_.trap_widths && r.Get(tf::kTrapping) != kTrappingOff) {
      if (Chance(50)) {
        flags &= ~job_flag::kTrapWidthFast;
        r.Set(tf::kTrapWidthFast, std::uint8_t(Int(0, 255)));
      }
      if (Chance(50)) {
        flags &= ~job_flag::kTrapWidthSlow;
        r.Set(tf::kTrapWidthSlow, std::uint8_t(Int(0, 255)));
      }
    }
    r.Set(tf::kAntiAliasing, CodeOr(kAntiAliasings, std::uint8_t{1}));
    r.Set(tf::kBlackOverprint, CodeOr(kBlackOverprints, std::uint8_t{1}));
    r.Set(tf::kJobFlags, flags);
  }

  // Covers in a form that reads back as the same mode: a cover that is
  // written always carries a known print, and covers that would read as
  // "printed alike" are made so.
  void Covers(TicketRecord& r) {
    namespace cm = cover_mode;
    const std::uint8_t mode =
        Pick<std::uint8_t>({cm::kNone, cm::kFront, cm::kBack, cm::kBothAlike, cm::kBothSeparate});
    if (mode == cm::kNone) return;
    const auto print = [&] { return kCoverPrints.entries[Int(0, 3)].first; };
    std::uint32_t front = kNoMedia, back = kNoMedia;
    std::uint8_t front_print = 1, back_print = 1;
    do {
      if (mode != cm::kBack) {
        front = MediumOrNone();
        front_print = print();
      }
      if (mode == cm::kBack || mode == cm::kBothSeparate) {
        back = MediumOrNone();
        back_print = print();
      }
      if (mode == cm::kBothAlike) {
        back = front;
        back_print = front_print;
        break;
      }
    } while (front == back && front_print == back_print);
    r.Set(tf::kCoverMode, mode);
    r.Set(tf::kFrontCoverMedia, front);
    r.Set(tf::kBackCoverMedia, back);
    r.Set(tf::kFrontCoverPrint, front_print);
    r.Set(tf::kBackCoverPrint, back_print);
  }

  void Overrides(TicketRecord& r) {
    const int count = Chance(3) ? 250 : Int(0, shape_.max_overrides);
    for (int i = 0; i < count; ++i) Override(r, static_cast<std::size_t>(i));
    r.Set(tf::kPageOverrideCount, static_cast<std::uint16_t>(count));
  }

  void Override(TicketRecord& r, std::size_t i) {
    const FieldView o = r.Override(i);
    o.Set(of::kFirstPage, Int(0, 9999));
    o.Set(of::kLastPage, Int(0, 9999));
    std::uint8_t flags = 0xBF, flags2 = 0x1F;
    const std::tuple<Field<std::int16_t>, std::uint8_t> shifts[] = {
        {of::kShiftX1, override_flag::kShiftX1},
        {of::kShiftY1, override_flag::kShiftY1},
        {of::kShiftX2, override_flag::kShiftX2},
        {of::kShiftY2, override_flag::kShiftY2}};
    for (const auto& [field, flag] : shifts)
      if (Chance(30)) {
        flags &= ~flag;
        o.Set(field, static_cast<std::int16_t>(Int(-32768, 32767)));
      }
    if (const std::uint32_t medium = MediumOrNone(); medium != kNoMedia) {
      flags &= ~override_flag::kMedia;
      o.Set(of::kMedia, medium);
    }
    if (Chance(50)) {
      flags &= ~override_flag::kSides;
      o.Set(of::kSides, kSides.entries[Int(0, 2)].first);
    }
    o.Set(of::kPageRotation, CodeOr(release_.page_rotations, std::uint8_t{32}));
    const std::tuple<Field<std::int16_t>, Field<std::uint8_t>, std::uint8_t> adjustments[] = {
        {of::kAdjustLightness, of::kFlags, override_flag::kLightness},
        {of::kAdjustSaturation, of::kFlags2, override_flag::kSaturation},
        {of::kAdjustContrast, of::kFlags2, override_flag::kContrast},
    };
    for (const auto& [field, flag_field, flag] : adjustments)
      if (Chance(40)) {
        (flag_field.offset == of::kFlags.offset ? flags : flags2) &= ~flag;
        o.Set(field, static_cast<std::int16_t>(Int(-32768, 32767)));
      }
    if (Chance(40)) {
      flags2 &= ~override_flag::kColorBalance;
      for (auto f : {of::kAdjustCyanRed, of::kAdjustMagentaGreen, of::kAdjustYellowBlue})
        o.Set(f, static_cast<std::int16_t>(Int(-100, 100)));
    }
    for (auto f :
         {of::kRenderingIntentImages, of::kRenderingIntentText, of::kRenderingIntentGraphics})
      o.Set(f, CodeOr(kRenderingIntents, std::int16_t{0}));
    Strings(r, OverrideOffset(i),
            {of::kDestinationProfileFront, of::kDestinationProfileBack, of::kUndefinedSourceRgb,
             of::kUndefinedSourceCmyk, of::kUndefinedSourceCmy, of::kUndefinedSourceGray,
             of::kUndefinedSourceRgbImages, of::kUndefinedSourceCmykImages,
             of::kUndefinedSourceCmyImages, of::kTrcName, of::kHalftone});
    const std::size_t base = OverrideOffset(i);
    ColorEmulation(r, At(base, of::kColorEmulation), At(base, of::kColorEmulationCopy),
                   At(base, of::kColorEmulationName), 0);
    o.Set(of::kAntiAliasing, CodeOr(kAntiAliasings, std::uint8_t{1}));
    o.Set(of::kBlackOverprint, CodeOr(kBlackOverprints, std::uint8_t{1}));
    o.Set(of::kTrapping, CodeOr(kTrappings, std::uint8_t{1}));
    if (release_.trap_widths && Chance(40)) {
      flags2 &= ~override_flag::kTrapWidthFast;
      o.Set(of::kTrapWidthFast, std::uint8_t(Int(0, 255)));
    }
    if (release_.trap_widths && Chance(40)) {
      flags2 &= ~override_flag::kTrapWidthSlow;
      o.Set(of::kTrapWidthSlow, std::uint8_t(Int(0, 255)));
    }
    o.Set(of::kFlags, flags);
    o.Set(of::kFlags2, flags2);
  }

  void Inserts(TicketRecord& r) {
    const int count = Int(0, shape_.max_inserts);
    for (int i = 0; i < count; ++i) {
      const FieldView s = r.Insert(static_cast<std::size_t>(i));
      s.Set(insert_field::kAfterPage, Int(-1, 9999));
      s.Set(insert_field::kCount, Int(0, 99));
      s.Set(insert_field::kMedia, MediumOrNone());
    }
    r.Set(tf::kInsertCount, static_cast<std::uint16_t>(count));
  }

  void ForceFront(TicketRecord& r) {
    const int count = Int(0, shape_.max_force_front);
    for (int i = 0; i < count; ++i)
      r.Set(ForceFrontPage(static_cast<std::size_t>(i)), Int(-9, 9999));
    r.Set(tf::kForceFrontCount, static_cast<std::uint16_t>(count));
  }

  std::mt19937 rng_;
  TicketShape shape_;
  const ReleaseProfile& release_;
  std::vector<std::uint32_t> media_;
};

}  // namespace

std::unique_ptr<TicketRecord> RandomTicket(std::uint32_t seed, const TicketShape& shape) {
  return Generator(seed, shape).Ticket();
}

}  // namespace ovrabjt::testing

namespace ovrabjt::testing {

namespace {

namespace tf = ticket_field;
namespace of = override_field;
namespace mf = media_field;

// A text of exactly `length` characters, distinct for each `tag`.
std::string Filled(std::string_view tag, std::size_t length) {
  std::string text(tag);
  while (text.size() < length) text += "-abcdefghij";
  text.resize(length);
  return text;
}

void MaximalMedia(TicketRecord& r) {
  for (std::size_t k = 0; k < kMediaSlots; ++k) {
    MediaBytes bytes{};
    const FieldView m = MediaView(bytes);
    InitMediaRecord(m);
    m.SetText(mf::kDescription, Filled("medium " + std::to_string(k), 255));
    m.Set(mf::kSizeCode, media_code::kSizeCustom);
    m.Set(mf::kShortEdge, static_cast<std::uint16_t>(100 + k));
    m.Set(mf::kLongEdge, static_cast<std::uint16_t>(400 + k));
    m.Set(mf::kFlags, 0);
    m.Set(mf::kWeight, static_cast<std::uint16_t>(60 + 10 * k));
    m.Set(mf::kColor, media_code::kColorNamed);
    m.SetText(mf::kColorName, Filled("colour " + std::to_string(k), 30));
    m.Set(mf::kType, media_code::kTypeNamed);
    m.SetText(mf::kTypeName, Filled("type " + std::to_string(k), 29));
    m.Set(mf::kTypeCountSet, media_code::kTypeCountGiven);
    m.Set(mf::kTypeCount, 7);
    m.Set(mf::kTabCount, 7);
    m.Set(mf::kFrontCoating, 8);
    m.Set(mf::kBackCoating, 32);
    m.Set(mf::kGrain, 1);
    m.Set(mf::kTooth, 2);
    m.Set(mf::kHoleCode, 2);
    StoreMediaRecord(r, MediaIdOf(k), m);
  }
}

void MaximalColour(TicketRecord& r, std::size_t base, const std::string& tag,
                   std::initializer_list<Field<std::uint16_t>> strings) {
  int n = 0;
  for (Field<std::uint16_t> f : strings)
    WriteTicketString(r, At(base, f), Filled(tag + " text " + std::to_string(n++), 40));
}

void MaximalOverride(TicketRecord& r, std::size_t i) {
  const FieldView o = r.Override(i);
  o.Set(of::kFirstPage, static_cast<std::int32_t>(2 * i + 1));
  o.Set(of::kLastPage, static_cast<std::int32_t>(2 * i + 2));
  o.Set(of::kMedia, MediaIdOf(i % kMediaSlots));
  o.Set(of::kShiftX1, static_cast<std::int16_t>(i));
  o.Set(of::kShiftY1, static_cast<std::int16_t>(-static_cast<int>(i)));
  o.Set(of::kShiftX2, 3);
  o.Set(of::kShiftY2, -3);
  o.Set(of::kSides, 2);
  o.Set(of::kPageRotation, 4);
  o.Set(of::kFlags, 0);  // every value given
  o.Set(of::kFlags2, 0);
  for (auto f : {of::kAdjustLightness, of::kAdjustSaturation, of::kAdjustContrast,
                 of::kAdjustCyanRed, of::kAdjustMagentaGreen, of::kAdjustYellowBlue})
    o.Set(f, static_cast<std::int16_t>(i % 50));
  for (auto f :
       {of::kRenderingIntentImages, of::kRenderingIntentText, of::kRenderingIntentGraphics})
    o.Set(f, 16);
  MaximalColour(
      r, OverrideOffset(i), "override " + std::to_string(i),
      {of::kDestinationProfileFront, of::kDestinationProfileBack, of::kUndefinedSourceRgb,
       of::kUndefinedSourceCmyk, of::kUndefinedSourceCmy, of::kUndefinedSourceGray,
       of::kUndefinedSourceRgbImages, of::kUndefinedSourceCmykImages, of::kUndefinedSourceCmyImages,
       of::kTrcName, of::kHalftone, of::kColorEmulationName});
  o.Set(of::kColorEmulation, 4);
  o.Set(of::kColorEmulationCopy, 4);
  o.Set(of::kAntiAliasing, 4);
  o.Set(of::kBlackOverprint, 4);
  o.Set(of::kTrapping, 4);
  o.Set(of::kTrapWidthFast, 3);
  o.Set(of::kTrapWidthSlow, 5);
}

}  // namespace

std::unique_ptr<TicketRecord> MaximalTicket(int overrides) {
  auto owner = TicketRecord::Allocate();
  TicketRecord& r = *owner;
  InitTicketRecord(r);
  MaximalMedia(r);
  const std::pair<TextField, const char*> texts[] = {
      {tf::kJobName, "job"},
      {tf::kAccountId, "account"},
      {tf::kUserName, "user"},
      {tf::kRecipientName, "recipient"},
      {tf::kPhoneNumber, "phone"},
      {tf::kSheetMessage, "sheet message"},
      {tf::kOperatorMessage, "operator message"},
      {tf::kFontName, "font"},
      {tf::kSavePath, "folder"},
      {tf::kSaveName, "file"},
      {tf::kDocumentPath, "documents"},
      {tf::kDocumentName, "document"},
  };
  for (const auto& [field, tag] : texts) r.SetText(field, Filled(tag, field.max_length()));
  r.Set(tf::kCopies, 999);
  r.Set(tf::kPageRangeMode, kPageRangeFromTo);
  r.Set(tf::kLastPage, 600);
  r.Set(tf::kFinishing, 2);
  r.Set(tf::kJobFlags, 0x0060);  // every value given (0x0060 are never cleared)
  for (auto f : {tf::kShiftX1, tf::kShiftY1, tf::kShiftX2, tf::kShiftY2}) r.Set(f, 12);
  r.Set(tf::kFontSize, 12);
  r.Set(tf::kHighlightColorant, 2);
  r.Set(tf::kHighlightMismatch, 4);
  r.Set(tf::kHighlightMapColor, 8);
  r.Set(tf::kHighlightMap, 32);
  for (auto f :
       {tf::kRenderingIntentImages, tf::kRenderingIntentText, tf::kRenderingIntentGraphics})
    r.Set(f, 4);
  MaximalColour(
      r, 0, "job",
      {tf::kDestinationProfileFront, tf::kDestinationProfileBack, tf::kUndefinedSourceRgb,
       tf::kUndefinedSourceCmyk, tf::kUndefinedSourceCmy, tf::kUndefinedSourceGray,
       tf::kUndefinedSourceRgbImages, tf::kUndefinedSourceCmykImages, tf::kUndefinedSourceCmyImages,
       tf::kTrcName, tf::kHalftone, tf::kColorEmulationName, tf::kImpositionTemplate});
  r.Set(tf::kColorEmulation, 4);
  r.Set(tf::kColorEmulationCopy, 4);
  r.Set(tf::kPrinterResolution, 2);
  r.Set(tf::kTrapping, 4);
  r.Set(tf::kTrapWidthFast, 2);
  r.Set(tf::kTrapWidthSlow, 4);
  r.Set(tf::kAntiAliasing, 4);
  r.Set(tf::kBlackOverprint, 4);
  r.Set(tf::kColorEffects, 2);
  r.Set(tf::kOpiInsertion, 2);
  r.Set(tf::kOpiPreScan, 8);
  r.Set(tf::kSignature, kSignatureImposition);
  r.Set(tf::kSaveDisposition, 4);
  r.Set(tf::kSaveFormat, 8);
  r.Set(tf::kOrientation, 2);
  r.Set(tf::kPageRotation, 2);
  r.Set(tf::kCollate, 1);
  r.Set(tf::kSides, 2);
  r.Set(tf::kJobMedia, MediaIdOf(0));
  r.Set(tf::kCoverMode, cover_mode::kBothSeparate);
  r.Set(tf::kFrontCoverPrint, 2);
  r.Set(tf::kBackCoverPrint, 4);
  r.Set(tf::kFrontCoverMedia, MediaIdOf(1));
  r.Set(tf::kBackCoverMedia, MediaIdOf(2));
  for (int i = 0; i < overrides; ++i) MaximalOverride(r, static_cast<std::size_t>(i));
  r.Set(tf::kPageOverrideCount, static_cast<std::uint16_t>(overrides));
  for (std::size_t i = 0; i < kMaxInserts; ++i) {
    const FieldView s = r.Insert(i);
    s.Set(insert_field::kAfterPage, static_cast<std::int32_t>(2 * i));
    s.Set(insert_field::kCount, 1);
    s.Set(insert_field::kMedia, MediaIdOf((i + 3) % kMediaSlots));
    r.Set(ForceFrontPage(i), static_cast<std::int32_t>(2 * i + 1));
  }
  r.Set(tf::kInsertCount, static_cast<std::uint16_t>(kMaxInserts));
  r.Set(tf::kForceFrontCount, static_cast<std::uint16_t>(kMaxForceFront));
  return owner;
}

}  // namespace ovrabjt::testing
