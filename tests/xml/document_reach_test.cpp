#include "xml/document_reach.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/code_page.h"
#include "support/temp_folder.h"

namespace ovrabjt {
namespace {

using testing::TempFolder;
using testing::WriteFileBytes;

// A folder "docs" with a file, a subfolder, and links in and out of it.
class DocumentReachTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    fs::create_directories(root / "docs/parts");
    fs::create_directories(root / "out");
    WriteFileBytes(root / "docs/a.dtd", "");
    WriteFileBytes(root / "docs/parts/b.ent", "");
    WriteFileBytes(root / "out/c.ent", "");
    fs::create_symlink(root / "out/c.ent", root / "docs/out.ent");
    fs::create_symlink(root / "out", root / "docs/outside");
    fs::create_symlink("parts/b.ent", root / "docs/in.ent");
  }

  std::string Docs(const std::string& name) const { return root / ("docs/" + name); }

  TempFolder root;
};

TEST_F(DocumentReachTest, ResolvesOnlyRelativeReferencesThatStayInTheFolder) {
  const DocumentReach reach = DocumentReach::Beside(Docs("job.xml"));
  const std::u16string job = Utf8ToUtf16(Docs("job.xml"));
  const std::u16string part = Utf8ToUtf16(Docs("parts/b.ent"));
  struct Case {
    const char* what;
    std::u16string system_id;
    std::u16string referrer;
    std::string path;  // empty: refused
    const char16_t* refusal;
  } cases[] = {
      {"beside the document", u"a.dtd", job, Docs("a.dtd"), u""},
      {"in a subfolder", u"parts/b.ent", job, Docs("parts/b.ent"), u""},
      {"beside a part", u"b.ent", part, Docs("parts/b.ent"), u""},
      {"a missing file", u"none.dtd", job, Docs("none.dtd"), u""},
      {"a link inside", u"in.ent", job, Docs("in.ent"), u""},
      {"a relative file URL", u"file:a.dtd", job, Docs("a.dtd"), u""},
      {"up a folder", u"../out/c.ent", job, "",
       u"a file is read from the document's folder or below, never through \"..\""},
      {"up from a part", u"../a.dtd", part, "",
       u"a file is read from the document's folder or below, never through \"..\""},
      {"an absolute path", Utf8ToUtf16(Docs("a.dtd")), job, "",
       u"a file is named relative to the document, never by an absolute path"},
      {"an absolute file URL", u"file://" + Utf8ToUtf16(Docs("a.dtd")), job, "",
       u"a file is named relative to the document, never by an absolute path"},
      {"a backslash", u"parts\\b.ent", job, "",
       u"a file is named relative to the document, never by an absolute path"},
      {"a link to a file outside", u"out.ent", job, "",
       u"a symbolic link leads out of the document's folder"},
      {"a link to a folder outside", u"outside/c.ent", job, "",
       u"a symbolic link leads out of the document's folder"},
      {"the network", u"http://127.0.0.1/a.dtd", job, "",
       u"only local files are read, never over the network"},
      {"nothing", u"", job, "", u"only local files are read, never over the network"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DocumentReach::Resolution resolved = reach.Resolve(c.system_id, c.referrer);
    EXPECT_EQ(resolved.path.value_or(""), c.path);
    EXPECT_EQ(resolved.refusal, c.refusal);
  }
}

TEST_F(DocumentReachTest, ADocumentWithoutANameReadsNoFile) {
  const DocumentReach reach = DocumentReach::Nowhere("XmlStream");
  EXPECT_FALSE(reach.ReadsFiles());
  EXPECT_EQ(reach.Name(), "XmlStream");
  const DocumentReach::Resolution resolved = reach.Resolve(u"a.dtd", u"XmlStream");
  EXPECT_FALSE(resolved.path);
  EXPECT_EQ(resolved.refusal, u"a document read from memory without a name reads no file");
  // A name that is not a local path reaches no file either.
  EXPECT_FALSE(DocumentReach::Beside("http://host/job.xml").ReadsFiles());
  EXPECT_TRUE(DocumentReach::Beside("job.xml").ReadsFiles());
}

TEST(DocumentTypeRefusal, OnlyABareFileNameWithoutDeclarationsForOvra) {
  const DocumentReach ovra = DocumentReach::Beside("/drv/job.xml").OnlyNamedType();
  const DocumentReach other = DocumentReach::Beside("/drv/caps.xml");
  const std::u16string subset =
      u"an ovra document brings no declarations of its own (an internal subset)";
  const std::u16string path =
      u"an ovra document names its document type as a file name beside its base name, not as a "
      u"path";
  struct Case {
    const char16_t* system_id;
    bool internal_subset;
    std::u16string ovra_refusal;
  } cases[] = {
      {u"ovra-v02012.dtd", false, u""},
      {u"ovra-v10.dtd", false, u""},
      {nullptr, false, u""},
      {u"ovra-v02012.dtd", true, subset},
      {nullptr, true, subset},
      {u"dtd/ovra-v02012.dtd", false, path},
      {u"/drv/ovra-v02012.dtd", false, path},
      {u"../ovra-v02012.dtd", false, path},
      {u"file:ovra-v02012.dtd", false, path},
      {u"c:ovra.dtd", false, path},
      {u"..", false, path},
      {u"", false, path},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.system_id != nullptr ? Utf16ToUtf8(c.system_id) : "none");
    EXPECT_EQ(ovra.DocumentTypeRefusal(c.system_id, c.internal_subset), c.ovra_refusal);
    EXPECT_EQ(other.DocumentTypeRefusal(c.system_id, c.internal_subset), u"");
  }
}

}  // namespace
}  // namespace ovrabjt
