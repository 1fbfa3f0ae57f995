// Values read from a loaded document are compared with the format's own words
// in two ways: keywords and MIME types with the ticket's tables without
// regard to ASCII letter case, names exactly. Reading a document trims the
// blanks at either end of every text, so a padded text is the text itself.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "convert/ticket_conversion.h"
#include "releases/release_profile.h"
#include "ticket/layout.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt {
namespace {

namespace tf = ticket_field;
namespace of = override_field;
namespace mf = media_field;

using Document = std::function<std::string(const std::string& text)>;
using Reading = std::function<std::string(const TicketRecord&)>;

std::string Element(const std::string& name, const std::string& syntax, const std::string& text) {
  const bool preserve = syntax == "name" || syntax == "text";
  return "<" + name + " syntax=\"" + syntax + "\"" + (preserve ? " xml:space=\"preserve\"" : "") +
         ">" + text + "</" + name + ">";
}

std::string Collection(const std::string& name, const std::string& members,
                       const std::string& syntax = "collection") {
  return "<" + name + " syntax=\"" + syntax + "\">" + members + "</" + name + ">";
}

// The attribute itself, among the job's attributes.
Document Job(const std::string& name, const std::string& syntax = "keyword") {
  return [=](const std::string& text) { return Element(name, syntax, text); };
}

// A member of a collection of the job.
Document Member(const std::string& collection, const std::string& name) {
  return [=](const std::string& text) {
    return Collection(collection, Element(name, "keyword", text));
  };
}

// A member of the job's "media-col".
Document Medium(const std::string& name) { return Member("media-col", name); }

// A member of the first page override, which covers page 3.
Document Override(const std::string& name, const std::string& overrides = "page-overrides") {
  return [=](const std::string& text) {
    const std::string pages = Collection(
        "pages",
        Collection("value",
                   Element("lower-bound", "integer", "3") + Element("upper-bound", "integer", "3"),
                   "rangeOfInteger"),
        "1setOf");
    return Collection(overrides, Collection("value", pages + Element(name, "keyword", text)),
                      "1setOf");
  };
}

template <typename T>
Reading JobValue(Field<T> field) {
  return [=](const TicketRecord& r) { return std::to_string(r.Get(field)); };
}
template <typename T>
Reading MediumValue(Field<T> field) {
  return [=](const TicketRecord& r) { return std::to_string(r.MediaSlot(0).Get(field)); };
}
template <typename T>
Reading OverrideValue(Field<T> field) {
  return [=](const TicketRecord& r) { return std::to_string(r.Override(0).Get(field)); };
}
Reading TextOf(Field<std::uint16_t> field) {
  return [=](const TicketRecord& r) {
    std::string text;
    return ReadTicketString(r, r.Get(field), text) ? text : "(no string)";
  };
}

// A loaded document: validated, in the given release, with `job` in its
// job-template group and `operation` in its operation group.
std::unique_ptr<TicketRecord> Load(const std::string& operation, const std::string& job,
                                   const ReleaseProfile& release) {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE ovra SYSTEM \"" +
                     std::string(release.ovra_dtd) + "\">\n<ovra version=\"1.0\">";
  if (!operation.empty())
    text += "<ovra-operation-attributes>" + operation + "</ovra-operation-attributes>";
  if (!job.empty()) text += "<job-template-attributes>" + job + "</job-template-attributes>";
  text += "</ovra>";
  const std::string base = OVRABJT_SOURCE_DIR "/data/ticket.xml";
  VelmorXmlDataStream source(kOvraDocument, nullptr, base.c_str());
  source.SetRelease(release);
  source.SetInput(text.data(), static_cast<std::uint32_t>(text.size()));
  auto record = TicketRecord::Allocate();
  std::optional<OvraParseException> error;
  EXPECT_FALSE(FillTicketRecord(source, *record, &error))
      << (error ? FormatOvraError(*error) : "") << "\n"
      << text;
  return record;
}

struct Comparison {
  const char* release;
  bool operation;  // the attribute stands in the operation group
  Document document;
  std::string text;  // the word of the format the value is compared with
  bool keyword;      // without regard to letter case; else exactly
  Reading reading;
  std::string matched;  // what the reading gives when the value is the word
};

struct Variant {
  const char* how;
  std::string (*of)(const std::string&);
  bool other_case;
};

std::string Upper(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

const Variant kVariants[] = {
    {"exactly", [](const std::string& t) { return t; }, false},
    {"in other letter case", Upper, true},
    {"with a leading blank", [](const std::string& t) { return " " + t; }, false},
    {"with a trailing blank", [](const std::string& t) { return t + "\t "; }, false},
};

TEST(DocumentValues, KeywordsMatchInAnyLetterCaseAndNamesOnlyExactly) {
  const Comparison comparisons[] = {
      // The job's keywords and MIME types.
      {"3.6.09", true, Job("document-format", "mimeMediaType"), "application/vnd.hp-PCL", true,
       JobValue(tf::kDocumentFormat), "16"},
      {"3.6.09", false, Member("separator-sheets", "separator-sheets-type"), "slip-sheets", true,
       JobValue(tf::kFinishing), "32"},
      {"3.6.09", false, Job("highlight-colorant-mismatch"), "use-ready", true,
       JobValue(tf::kHighlightMismatch), "16"},
      {"3.6.09", false, Job("highlight-colorant"), "royal", true, JobValue(tf::kHighlightColorant),
       "1024"},
      {"3.6.09", false, Job("highlight-map-color"), "brown", true, JobValue(tf::kHighlightMapColor),
       "8192"},
      {"3.6.09", false, Job("highlight-map"), "color-to-highlight", true,
       JobValue(tf::kHighlightMap), "256"},
      {"3.6.09", false, Job("page-rotation"), "rotate-270", true, JobValue(tf::kPageRotation), "8"},
      {"3.6.09", false, Job("rendering-intent-images"), "absolute-colorimetric", true,
       JobValue(tf::kRenderingIntentImages), "8"},
      {"3.6.09", false, Job("rendering-intent-text"), "pure-text", true,
       JobValue(tf::kRenderingIntentText), "32"},
      {"3.6.09", false, Job("rendering-intent-graphics"), "automatic", true,
       JobValue(tf::kRenderingIntentGraphics), "64"},
      {"3.6.09", false, Job("color-emulation"), "swop", true, JobValue(tf::kColorEmulation), "4"},
      {"3.6.09", false, Job("trapping"), "off", true, JobValue(tf::kTrapping), "2"},
      {"3.6.09", false, Job("anti-aliasing"), "standard", true, JobValue(tf::kAntiAliasing), "4"},
      {"3.6.09", false, Job("black-overprint"), "black-overprint-on", true,
       JobValue(tf::kBlackOverprint), "4"},
      {"3.6.09", false, Job("opi-image-insertion"), "do-not-insert", true,
       JobValue(tf::kOpiInsertion), "4"},
      {"3.6.09", false, Job("opi-image-pre-scan"), "pre-scan-and-gather", true,
       JobValue(tf::kOpiPreScan), "8"},
      {"3.6.09", false, Job("color-effects-type"), "monochrome-grayscale", true,
       JobValue(tf::kColorEffects), "4"},
      {"3.6.09", false, Job("sheet-collate"), "uncollated", true, JobValue(tf::kCollate), "2"},
      {"3.6.09", false, Job("sides"), "two-sided-short-edge", true, JobValue(tf::kSides), "4"},
      {"3.6.09", false, Member("cover-front", "cover-type"), "print-both", true,
       JobValue(tf::kFrontCoverPrint), "8"},
      {"3.6.09", false, Member("cover-back", "cover-type"), "print-back", true,
       JobValue(tf::kBackCoverPrint), "4"},
      // The job's names.
      {"3.6.09", false, Job("imposition-template", "name"), "signature", false,
       JobValue(tf::kSignature), "2"},
      // The writer's own keyword comes first, the driver's name second.
      {"3.6.09", false,
       [](const std::string& text) {
         return Element("color-emulation", "keyword", "swop") +
                Element("color-emulation", "keyword", text);
       },
       "swop", false, TextOf(tf::kColorEmulationName), "swop"},
      // The media words.
      {"3.6.09", false, Medium("media-color"), "goldenrod", true, MediumValue(mf::kColor), "512"},
      {"3.6.09", false, Medium("media-type"), "full-cut-tabs", true, MediumValue(mf::kType), "8"},
      {"3.6.09", false, Medium("media-pre-printed"), "pre-printed", true, MediumValue(mf::kType),
       "128"},
      {"3.6.09", false, Medium("media-front-coating"), "semi-gloss", true,
       MediumValue(mf::kFrontCoating), "32"},
      {"3.6.09", false, Medium("media-back-coating"), "high-gloss", true,
       MediumValue(mf::kBackCoating), "16"},
      {"3.6.09", false, Medium("media-grain"), "x-grain", true, MediumValue(mf::kGrain), "2"},
      {"3.6.09", false, Medium("media-tooth"), "coarse", true, MediumValue(mf::kTooth), "4"},
      // A page override's keywords.
      {"3.6.09", false, Override("sides"), "one-sided", true, OverrideValue(of::kSides), "1"},
      {"3.6.09", false, Override("page-rotation"), "rotate-90", true,
       OverrideValue(of::kPageRotation), "2"},
      {"3.6.09", false, Override("rendering-intent-text"), "saturation", true,
       OverrideValue(of::kRenderingIntentText), "2"},
      {"3.6.09", false, Override("color-emulation"), "none", true,
       OverrideValue(of::kColorEmulation), "2"},
      {"3.6.09", false, Override("trapping"), "all", true, OverrideValue(of::kTrapping), "4"},
      {"3.6.09", false, Override("anti-aliasing"), "none", true, OverrideValue(of::kAntiAliasing),
       "2"},
      {"3.6.09", false, Override("black-overprint"), "black-overprint-off", true,
       OverrideValue(of::kBlackOverprint), "2"},
      // The words of older releases.
      {"3.1.07", false, Job("page-rotation"), "rotation-180", true, JobValue(tf::kPageRotation),
       "4"},
      {"3.0.15", false, Medium("media-color"), "clear", true, MediumValue(mf::kColor), "32"},
      {"3.0.15", false, Medium("media-opacity"), "transparent", true, MediumValue(mf::kType), "2"},
      {"3.0.15", false, Medium("media-tabs"), "full-cut", true, MediumValue(mf::kType), "8"},
      {"3.0.15", false, Override("sides", "page-exceptions"), "two-sided-long-edge", true,
       OverrideValue(of::kSides), "2"},
  };
  for (const Comparison& c : comparisons) {
    const ReleaseProfile& release = *FindRelease(c.release);
    for (const Variant& v : kVariants) {
      const std::string element = c.document(v.of(c.text));
      SCOPED_TRACE(c.release + std::string(" ") + element + " given " + v.how);
      const auto record = Load(c.operation ? element : "", c.operation ? "" : element, release);
      if (c.keyword || !v.other_case)
        EXPECT_EQ(c.reading(*record), c.matched);
      else
        EXPECT_NE(c.reading(*record), c.matched);
    }
  }
}

// A name that differs from the format's word is still kept as it is given.
TEST(DocumentValues, ANameInOtherLettersIsStoredAsItIsGiven) {
  const auto record =
      Load("", Element("imposition-template", "name", "Signature"), LatestRelease());
  EXPECT_EQ(TextOf(tf::kImpositionTemplate)(*record), "Signature");
  EXPECT_EQ(JobValue(tf::kSignature)(*record), "1");
}

}  // namespace
}  // namespace ovrabjt
