#include "value_rules.h"

#include "convert/code_table.h"
#include "convert/colour/color_fields.h"
#include "convert/colour/colour_vocabulary.h"
#include "convert/finishings.h"
#include "convert/job_vocabulary.h"
#include "convert/media/media_vocabulary.h"
#include "releases/older_vocabulary.h"

namespace ovrabjt::cli {

namespace {

template <typename Table>
Words WordsOf(const Table& table) {
  Words words;
  for (const auto& entry : table.entries) words.push_back(entry.second);
  return words;
}

template <typename Table>
Numbers NumbersOf(const Table& table) {
  Numbers numbers;
  for (const auto& entry : table.entries) numbers.push_back(entry.second);
  return numbers;
}

// The attributes whose values the conversion takes only in some forms,
// with the conversion's own tables.
const std::vector<ValueRule>& Rules() {
  namespace ma = media_attr;
  static const std::vector<ValueRule> rules = [] {
    std::vector<ValueRule> r = {
        {"", "copies", Expect::kInteger},
        {"", "font-size", Expect::kInteger},
        {"", "font-size-requested", Expect::kInteger},
        {"", "x-side1-image-shift", Expect::kInteger},
        {"", "y-side1-image-shift", Expect::kInteger},
        {"", "x-side2-image-shift", Expect::kInteger},
        {"", "y-side2-image-shift", Expect::kInteger},
        {"", "insert-after-page-number", Expect::kInteger},
        {"", "insert-count", Expect::kInteger},
        {"", "lower-bound", Expect::kInteger},
        {"", "upper-bound", Expect::kInteger},
        {"", "cross-feed", Expect::kInteger},
        {"", "feed-direction", Expect::kInteger},
        {"", "units", Expect::kInteger},
        {"", ma::kXDimension, Expect::kInteger},
        {"", ma::kYDimension, Expect::kInteger},
        {"", ma::kOrderCount, Expect::kInteger},
        {"", ma::kWeightMetric, Expect::kInteger},
        {"force-front-side", "value", Expect::kInteger},
        {"page-ranges", "value", Expect::kRange},
        {"pages", "value", Expect::kRange},
        {"", "orientation-requested", Expect::kNumberSet, nullptr,
         [](const ReleaseProfile&) { return NumbersOf(kOrientations); }},
        {"", ma::kHoleCount, Expect::kNumberSet, nullptr,
         [](const ReleaseProfile&) { return NumbersOf(kMediaHoleCounts); }},
        {"finishings", "value", Expect::kNumberSet, nullptr,
         [](const ReleaseProfile&) { return NumbersOf(kFinishings); }},
        {"", "document-format", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kDocumentFormats); }},
        {"", "opi-image-insertion", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kOpiInsertions); }},
        {"", "opi-image-pre-scan", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kOpiPreScans); }},
        {"", "color-effects-type", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kColorEffects); }},
        {"", "sheet-collate", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kCollations); }},
        {"", "cover-type", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kCoverPrints); }},
        {"", ma::kSides, Expect::kKeyword, [](const ReleaseProfile&) { return WordsOf(kSides); }},
        {"", "page-rotation", Expect::kKeyword,
         [](const ReleaseProfile& release) { return WordsOf(release.page_rotations); }, nullptr,
         [](const ReleaseProfile& release) { return !release.page_rotations.entries.empty(); }},
        {"", "highlight-colorant-mismatch", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kHighlightMismatches); }, nullptr,
         [](const ReleaseProfile& release) { return release.highlights; }},
        {"", "highlight-map", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kHighlightMaps); }, nullptr,
         [](const ReleaseProfile& release) { return release.highlights; }},
        {"", "highlight-colorant", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kHighlightColors); }, nullptr,
         [](const ReleaseProfile& release) { return release.highlights; }},
        {"", "highlight-map-color", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kHighlightColors); }, nullptr,
         [](const ReleaseProfile& release) { return release.highlights; }},
        {"", "trapping", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kTrappings); }},
        {"", "anti-aliasing", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kAntiAliasings); }},
        {"", "black-overprint", Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kBlackOverprints); }},
        {"", ma::kFrontCoating, Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kMediaCoatings); }},
        {"", ma::kBackCoating, Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kMediaCoatings); }},
        {"", ma::kPrePrinted, Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kMediaPrePrinted); }},
        {"", ma::kGrain, Expect::kKeyword,
         [](const ReleaseProfile& release) { return WordsOf(release.media_grains); }, nullptr,
         [](const ReleaseProfile& release) { return !release.media_grains.entries.empty(); }},
        {"", ma::kTooth, Expect::kKeyword,
         [](const ReleaseProfile& release) { return WordsOf(release.media_teeth); }, nullptr,
         [](const ReleaseProfile& release) { return !release.media_teeth.entries.empty(); }},
        {"", ma::kOpacity, Expect::kKeyword,
         [](const ReleaseProfile&) { return WordsOf(kMediaOpacities); }, nullptr,
         [](const ReleaseProfile& release) { return !release.media_type; }},
        {"", ma::kTabs, Expect::kKeyword, [](const ReleaseProfile&) { return WordsOf(kMediaTabs); },
         nullptr, [](const ReleaseProfile& release) { return !release.media_type; }},
        {"", ma::kType, Expect::kAnyValue, nullptr, nullptr,
         [](const ReleaseProfile& release) { return release.media_type; }},
    };
    // The colour settings' names are those of the job's colour fields.
    constexpr ColorFields kJob = JobColorFields();
    for (const auto& adjustment : kJob.adjustments)
      r.push_back({"", adjustment.name, Expect::kInteger});
    for (const auto& width : kJob.trap_widths)
      r.push_back({"", width.name, Expect::kInteger, nullptr, nullptr,
                   [](const ReleaseProfile& release) { return release.trap_widths; }});
    for (const auto& intent : kJob.rendering_intents)
      r.push_back({"", intent.name, Expect::kKeyword,
                   [](const ReleaseProfile&) { return WordsOf(kRenderingIntents); }});
    return r;
  }();
  return rules;
}

}  // namespace

const ValueRule* FindRule(std::string_view parent, std::string_view name) {
  for (const ValueRule& rule : Rules())
    if (rule.name == name && (rule.parent.empty() || rule.parent == parent)) return &rule;
  return nullptr;
}

}  // namespace ovrabjt::cli
