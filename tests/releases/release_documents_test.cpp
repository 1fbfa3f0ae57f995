// Each release writes its own templates and vocabulary, reads what it writes
// back, and leaves alone what only newer releases know.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "convert/media/media_collection.h"
#include "convert/media/media_record.h"
#include "convert/ticket_conversion.h"
#include "inspect/attr_dump.h"
#include "inspect/ticket_compare.h"
#include "prefs/capabilities.h"
#include "prefs/media_preferences.h"
#include "releases/release_profile.h"
#include "support/attr_text.h"
#include "support/child_process.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt {
namespace {

namespace fs = std::filesystem;
namespace tf = ticket_field;

const std::string kDataDir = OVRABJT_SOURCE_DIR "/data/";

const ReleaseProfile& Release(std::string_view version) {
  const ReleaseProfile* r = FindRelease(version);
  EXPECT_NE(r, nullptr) << version;
  return r ? *r : LatestRelease();
}

// The document text of `list` as a document of `kind` in `release`.
std::string Write(const AttrNodeList& list, DocumentKind kind, const ReleaseProfile& release) {
  test::TextOutput sink;
  const std::string base = kDataDir + "ticket.xml";
  VelmorXmlDataStream stream(kind, &sink, kind == kOvraDocument ? base.c_str() : nullptr);
  stream.SetRelease(release);
  stream.WriteList(list);
  return sink.text;
}

TEST(Releases, AreKnownByTheirFileVersions) {
  std::vector<std::string_view> versions;
  for (const ReleaseProfile* r : AllReleases()) versions.push_back(r->file_version);
  EXPECT_EQ(versions,
            (std::vector<std::string_view>{"3.0.15", "3.1.07", "3.2.01", "10.0.06", "3.6.09"}));
  EXPECT_EQ(&LatestRelease(), FindRelease("3.6.09"));
  EXPECT_EQ(FindRelease("3.6.9"), nullptr);
  EXPECT_EQ(BuildRelease().file_version, OVRABJT_BUILD_RELEASE);
}

TEST(Releases, EmptyDocumentsShowEachReleasesTemplate) {
  struct Case {
    const char* release;
    const char* dtd;
    const char* qrcs;
    const char* ovra_root;
  } cases[] = {
      {"3.0.15", "ovra-v10.dtd", "1.2", "> </ovra>"}, {"3.1.07", "ovra-v2000.dtd", "1.2", "/>"},
      {"3.2.01", "ovra-v2000.dtd", "1.2", "/>"},      {"10.0.06", "ovra-v02010.dtd", "2.01", "/>"},
      {"3.6.09", "ovra-v02012.dtd", "2.01", "/>"},
  };
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
  AttrNodeList empty;
  for (const Case& c : cases) {
    const ReleaseProfile& r = Release(c.release);
    const std::string attributes =
        std::string(" qrcs-version=\"") + c.qrcs + "\" version=\"1.0\" xml:lang=\"en-US\"";
    EXPECT_EQ(Write(empty, kOvraDocument, r), declaration + "<!DOCTYPE ovra SYSTEM \"" + c.dtd +
                                                  "\">\r\n<ovra" + attributes + c.ovra_root)
        << c.release;
    EXPECT_EQ(Write(empty, kKespDocument, r), declaration + "\r\n<kesp" + attributes + "> </kesp>")
        << c.release;
    EXPECT_EQ(Write(empty, kMediaPrefsDocument, r),
              declaration + "\r\n<mediaprefs" + attributes + "> </mediaprefs>")
        << c.release;
    EXPECT_EQ(r.ovra_dtd, c.dtd);
  }
}

std::string Describe(const std::vector<FieldDifference>& diffs) {
  std::string text;
  for (const auto& d : diffs) text += "  " + d.field + ": '" + d.left + "' -> '" + d.right + "'\n";
  return text;
}

// A ticket drawn from a release's vocabulary comes back whole, through the
// attribute list and through the release's validated document text.
TEST(Releases, TicketsOfEachReleaseRoundTrip) {
  for (const ReleaseProfile* release : AllReleases()) {
    testing::TicketShape shape;
    shape.release = release;
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
      auto original = testing::RandomTicket(seed, shape);
      std::unique_ptr<AttrNodeList> list;
      BuildTicketAttributes(*original, list, *release);
      auto back = TicketRecord::Allocate();
      InitTicketRecord(*back);
      ReadTicketAttributes(*list, *back, *release);
      auto diffs = CompareTickets(*original, *back);
      ASSERT_TRUE(diffs.empty()) << release->file_version << " seed " << seed << ":\n"
                                 << Describe(diffs);
      if (seed > 20) continue;
      const std::string text = Write(*list, kOvraDocument, *release);
      const std::string base = kDataDir + "ticket.xml";
      VelmorXmlDataStream source(kOvraDocument, nullptr, base.c_str());
      source.SetRelease(*release);
      source.SetInput(text.data(), static_cast<std::uint32_t>(text.size()));
      ASSERT_FALSE(FillTicketRecord(source, *back)) << release->file_version << " seed " << seed;
      diffs = CompareTickets(*original, *back);
      ASSERT_TRUE(diffs.empty()) << release->file_version << " seed " << seed << ":\n"
                                 << Describe(diffs);
    }
  }
}

// Every name in a list, at every level.
void CollectNames(const AttrNodeList& list, std::set<std::string>& names) {
  for (const auto& node : list.nodes()) {
    names.insert(node->GetName());
    if (node->GetValue()->GetSyntaxCode() == kSyntaxList)
      if (const AttrNodeList* m = static_cast<const IppList*>(node->GetValue())->GetMembers())
        CollectNames(*m, names);
  }
}

// The element names a document type declares.
std::set<std::string> DeclaredElements(const std::string& dtd_file) {
  std::ifstream in(kDataDir + dtd_file);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  std::set<std::string> names;
  const std::regex element("<!ELEMENT ([a-z0-9-]+) ");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), element);
       it != std::sregex_iterator(); ++it)
    names.insert((*it)[1]);
  return names;
}

// Tickets using every setting of the newest release, written by an older
// release, use only the older release's names: exactly those its document
// type declares.
TEST(Releases, WrittenNamesAreThoseOfTheReleasesDocumentType) {
  for (const ReleaseProfile* release : AllReleases()) {
    std::set<std::string> written;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
      auto ticket = testing::RandomTicket(seed);
      std::unique_ptr<AttrNodeList> list;
      BuildTicketAttributes(*ticket, list, *release);
      CollectNames(*list, written);
    }
    std::set<std::string> declared = DeclaredElements(std::string(release->ovra_dtd));
    declared.erase("ovra");
    declared.erase("ovra-operation-attributes");
    declared.erase("job-template-attributes");
    for (const std::string& name : written)
      EXPECT_TRUE(declared.count(name)) << release->file_version << " writes " << name;
    // Beyond the written names the document type declares only top-level
    // names of the release that a ticket never carries.
    for (const std::string& name : declared) {
      if (written.count(name)) continue;
      EXPECT_TRUE(release->KnowsAttribute(name) ||
                  std::any_of(release->renamed_attributes.begin(),
                              release->renamed_attributes.end(),
                              [&](const AttributeRename& r) { return r.older == name; }))
          << release->file_version << " declares " << name;
    }
  }
}

// An independent validator accepts what each release writes under its own
// document type: tickets using every setting of the newest release.
TEST(Releases, XmllintAcceptsEachReleasesDocuments) {
  const fs::path dir = fs::temp_directory_path() /
                       ("ovrabjt-releases-" + std::to_string(testing::CurrentProcessId()));
  fs::create_directories(dir);
  for (const ReleaseProfile* release : AllReleases()) {
    std::vector<std::string> words = {"--noout", "--dtdvalid",
                                      kDataDir + std::string(release->ovra_dtd)};
    for (std::uint32_t seed = 1; seed <= 25; ++seed) {
      auto ticket = testing::RandomTicket(seed);
      std::unique_ptr<AttrNodeList> list;
      BuildTicketAttributes(*ticket, list, *release);
      const fs::path file =
          dir / (std::string(release->file_version) + "-" + std::to_string(seed) + ".xml");
      std::ofstream(file, std::ios::binary) << Write(*list, kOvraDocument, *release);
      words.push_back(file.string());
    }
    // xmllint warns that it cannot load the document type named in the
    // documents; --dtdvalid validates against the given one instead.
    const testing::ChildRun run = testing::RunChild(OVRABJT_XMLLINT, words);
    EXPECT_EQ(run.exit_code, 0) << release->file_version << ":\n" << run.out << run.err;
  }
  fs::remove_all(dir);
}

// What only newer releases know is not read by older ones.
TEST(Releases, NewerVocabularyIsNotRead) {
  using Get = int (*)(const TicketRecord&);
  const Get halftone = [](const TicketRecord& r) { return int(r.Get(tf::kHalftone)); };
  const Get flags = [](const TicketRecord& r) { return int(r.Get(tf::kJobFlags)); };
  const Get finishing = [](const TicketRecord& r) { return int(r.Get(tf::kFinishing)); };
  const Get rotation = [](const TicketRecord& r) { return int(r.Get(tf::kPageRotation)); };
  const Get map = [](const TicketRecord& r) { return int(r.Get(tf::kHighlightMap)); };
  const Get overrides = [](const TicketRecord& r) { return int(r.Get(tf::kPageOverrideCount)); };
  const Get phone = [](const TicketRecord& r) { return int(r.Text(tf::kPhoneNumber).size()); };
  struct Case {
    const char* release;
    const char* text;
    Get get;
    int want;  // the default: the attribute was not read
  } cases[] = {
      {"10.0.06", "halftone-graphics keyword fine\n", halftone, 0},
      {"10.0.06", "trap-width-slow integer 7\n", flags, 0x7FFF},
      {"3.2.01", "finishings-template collection\n  finishing-template name t\n", finishing, 128},
      {"3.1.07", "page-rotation keyword rotate-90\n", rotation, 32},
      {"3.6.09", "page-rotation keyword rotation-90\n", rotation, 32},
      {"3.0.15", "page-rotation keyword rotation-90\n", rotation, 32},
      {"3.0.15", "highlight-map keyword pictorial\n", map, 1},
      {"3.0.15", "font-name-requested name Courier\n", flags, 0x7FFF},
      {"3.6.09", "font-name name Courier\n", flags, 0x7FFF},
      {"3.0.15",
       "page-overrides 1setOf\n  value collection\n    pages 1setOf\n"
       "      value rangeOfInteger\n",
       overrides, 0},
      {"3.6.09",
       "page-exceptions 1setOf\n  value collection\n    pages 1setOf\n"
       "      value rangeOfInteger\n",
       overrides, 0},
      {"3.0.15", "separator-sheets collection\n  separator-sheets-type keyword slip-sheets\n",
       finishing, 128},
      {"3.0.15", "job-phone-number text 123\n", phone, 0},
  };
  for (const Case& c : cases) {
    auto rec = TicketRecord::Allocate();
    InitTicketRecord(*rec);
    ReadTicketAttributes(*testing::ParseAttrText(c.text), *rec, Release(c.release));
    EXPECT_EQ(c.get(*rec), c.want) << c.release << ": " << c.text;
  }
  // The same words are read by the releases that know them.
  auto rec = TicketRecord::Allocate();
  InitTicketRecord(*rec);
  ReadTicketAttributes(*testing::ParseAttrText("page-rotation keyword rotation-90\n"
                                               "page-exceptions 1setOf\n  value collection\n"
                                               "    pages 1setOf\n      value rangeOfInteger\n"),
                       *rec, Release("3.0.15"));
  EXPECT_EQ(rotation(*rec), 32);
  EXPECT_EQ(overrides(*rec), 1);
  InitTicketRecord(*rec);
  ReadTicketAttributes(*testing::ParseAttrText("page-rotation keyword rotation-90\n"), *rec,
                       Release("3.2.01"));
  EXPECT_EQ(rotation(*rec), 2);
}

// The words that changed, in both directions.
TEST(Releases, OlderWordsForTheSameSettings) {
  auto rec = TicketRecord::Allocate();
  InitTicketRecord(*rec);
  rec->Set(tf::kPageRotation, 2);
  rec->Set(tf::kSaveDisposition, 2);
  rec->Set(tf::kSaveFormat, 8);
  rec->SetText(tf::kJobName, "job");
  rec->SetText(tf::kDocumentPath, "a");
  rec->SetText(tf::kDocumentName, "b.ps");
  rec->Set(tf::kJobFlags, job_flag::kAllAbsent & ~job_flag::kFontName);
  rec->SetText(tf::kFontName, "Courier");
  struct Case {
    const char* release;
    std::vector<std::string> present, absent;
  } cases[] = {
      {"3.6.09",
       {"page-rotation (keyword) = rotate-90",
        "save-document-format (mimeMediaType) = application/X-fast-reprint",
        "save-name (name) = job", "save-location (uri) = file:///job-repository/",
        "document-uri (uri) = file:///job-repository/a/b.ps",
        "font-name-requested (name) = Courier"},
       {}},
      {"10.0.06",
       {"page-rotation (keyword) = rotation-90",
        "save-document-format (mimeMediaType) = application/X-fast-reprint",
        "save-location (uri) = file:///job-repository/",
        "document-uri (uri) = file:///job-repository/a/b.ps"},
       {}},
      {"3.1.07",
       {"page-rotation (keyword) = rotation-90",
        "save-document-format (mimeMediaType) = fast-reprint", "save-name (name) = job",
        "document-uri (uri) = /a/b.ps"},
       {"save-location", "job-repository"}},
      {"3.0.15",
       {"save-document-format (mimeMediaType) = fast-reprint", "document-uri (uri) = /a/b.ps",
        "font-name (name) = Courier"},
       {"page-rotation", "save-name", "save-location", "font-name-requested"}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<AttrNodeList> list;
    BuildTicketAttributes(*rec, list, Release(c.release));
    const std::string dump = DumpAttrList(*list);
    for (const std::string& p : c.present)
      EXPECT_NE(dump.find(p), std::string::npos) << c.release << " lacks " << p << "\n" << dump;
    for (const std::string& a : c.absent)
      EXPECT_EQ(dump.find(a), std::string::npos) << c.release << " has " << a << "\n" << dump;
  }
}

// Release "3.0.15" says "clear", "media-opacity" and "media-tabs", and gives a
// medium without a description the description "Standard".
TEST(Releases, MediaWordsOf3015) {
  const ReleaseProfile& old = Release("3.0.15");
  struct Case {
    const char* members;
    std::int16_t color, type;
    std::uint8_t tabs;
    const char* description;
  } cases[] = {
      {"media-color keyword CLEAR\n", 32, 32, 0, "Standard"},
      {"media-color keyword no-color\n", 64, 32, 0, "Standard"},
      {"media-opacity keyword transparent\n", 128, 2, 0, "Standard"},
      {"media-tabs keyword pre-cut\nmedia-order-count integer 5\n", 128, 4, 5, "Standard"},
      {"media-tabs keyword full-cut\n", 128, 8, 0, "Standard"},
      {"media-type keyword transparency\nmedia-description name Film\n", 128, 32, 0, "Film"},
      {"media-pre-printed keyword pre-printed\n", 128, 128, 0, "Standard"},
  };
  for (const Case& c : cases) {
    MediaBytes bytes{};
    const FieldView m = MediaView(bytes);
    ReadMediaCollection(*testing::ParseAttrText(c.members), m, old);
    EXPECT_EQ(m.Get(media_field::kColor), c.color) << c.members;
    EXPECT_EQ(m.Get(media_field::kType), c.type) << c.members;
    EXPECT_EQ(m.Get(media_field::kTabCount), c.tabs) << c.members;
    EXPECT_EQ(m.Text(media_field::kDescription), c.description) << c.members;
    AttrNodeList written;
    WriteMediaCollection(written, m, old);
    MediaBytes again{};
    ReadMediaCollection(written, MediaView(again), old);
    EXPECT_EQ(again, bytes) << c.members;
  }
  MediaBytes tabs{};
  InitMediaRecord(MediaView(tabs));
  MediaView(tabs).Set(media_field::kType, 4);
  MediaView(tabs).Set(media_field::kTabCount, 3);
  AttrNodeList written;
  WriteMediaCollection(written, MediaView(tabs), old);
  EXPECT_EQ(DumpAttrList(written),
            "media-hole-count (integer) = 0\n"
            "media-tabs (keyword) = pre-cut\n"
            "media-order-count (integer) = 3\n");
}

TEST(Releases, CapabilitiesAndStockListsOfEachRelease) {
  auto caps = testing::ParseAttrText(
      "color-destination-profile-front 1setOf\n  value keyword old\n"
      "color-destination-profile-front-supported 1setOf\n  value keyword new\n  value keyword "
      "newer\n"
      "halftone-graphics-supported 1setOf\n  value keyword fine\n");
  std::int32_t size = -1;
  EXPECT_TRUE(GetSpecificKespInfo(*caps, 2, 8, nullptr, &size, Release("3.0.15")));
  EXPECT_EQ(size, 8);
  EXPECT_TRUE(GetSpecificKespInfo(*caps, 2, 8, nullptr, &size, Release("3.1.07")));
  EXPECT_EQ(size, 16);
  for (const char* release : {"3.0.15", "3.1.07", "3.2.01", "10.0.06"})
    for (std::int32_t selector : {16, 17}) {
      size = -1;
      EXPECT_FALSE(GetSpecificKespInfo(*caps, selector, 8, nullptr, &size, Release(release)));
      EXPECT_EQ(size, -1);
    }
  EXPECT_TRUE(GetSpecificKespInfo(*caps, 16, 8, nullptr, &size, LatestRelease()));
  EXPECT_EQ(size, 8);

  auto prefs = testing::ParseAttrText(
      "media-library 1setOf\n  value collection\n    media-color keyword blue\n");
  MediaBytes bytes{};
  std::uint16_t index = 1;
  EXPECT_TRUE(PopulateStockFromAttrList(*prefs, 1, index, MediaView(bytes), Release("3.0.15")));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(MediaView(bytes).Get(media_field::kColor), 8);
  EXPECT_TRUE(PopulateStockFromAttrList(*prefs, 1, index, MediaView(bytes), LatestRelease()));
  EXPECT_EQ(index, 0);
}

}  // namespace
}  // namespace ovrabjt
