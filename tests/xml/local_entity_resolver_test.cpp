#include "xml/local_entity_resolver.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ovrabjt {
namespace {

TEST(LocalPathOf, ResolvesLocalReferencesAndRefusesEverythingElse) {
  struct Case {
    const char* name;
    std::u16string system_id;
    std::u16string base;
    std::optional<std::string> path;
  };
  const std::nullopt_t refused = std::nullopt;
  const Case cases[] = {
      {"relative beside the base", u"ovra.dtd", u"/drv/tickets/job.xml", "/drv/tickets/ovra.dtd"},
      {"relative subfolder", u"parts/c.ent", u"/drv/ovra.dtd", "/drv/parts/c.ent"},
      {"parent folder", u"../ovra.dtd", u"/drv/tickets/job.xml", "/drv/tickets/../ovra.dtd"},
      {"base without folder", u"ovra.dtd", u"XmlStream", "ovra.dtd"},
      {"relative base", u"ovra.dtd", u"tickets/job.xml", "tickets/ovra.dtd"},
      {"absolute path", u"/usr/share/ovra.dtd", u"/drv/job.xml", "/usr/share/ovra.dtd"},
      {"absolute with remote base", u"/d/ovra.dtd", u"http://h/job.xml", "/d/ovra.dtd"},
      {"drive letter is no scheme", u"c:ovra.dtd", u"/drv/job.xml", "/drv/c:ovra.dtd"},
      {"file url", u"file:///drv/ovra.dtd", u"/x/job.xml", "/drv/ovra.dtd"},
      {"file url localhost", u"FILE://LocalHost/drv/ovra.dtd", u"", "/drv/ovra.dtd"},
      {"file url one slash", u"file:/drv/ovra.dtd", u"", "/drv/ovra.dtd"},
      {"file url escapes", u"file:///drv/my%20ovra%2Fx.dtd", u"", "/drv/my ovra/x.dtd"},
      {"bad escape kept", u"file:///drv/100%.dtd", u"", "/drv/100%.dtd"},
      {"plain path escapes kept", u"my%20ovra.dtd", u"/drv/job.xml", "/drv/my%20ovra.dtd"},
      {"relative to file url base", u"ovra.dtd", u"file:///drv/job.xml", "/drv/ovra.dtd"},
      {"utf-8 path", u"\u00E9t\u00E9.dtd", u"/dr\u00FC/job.xml",
       "/dr\xC3\xBC/\xC3\xA9t\xC3\xA9.dtd"},
      {"http", u"http://example.com/ovra.dtd", u"/drv/job.xml", refused},
      {"https", u"https://example.com/ovra.dtd", u"/drv/job.xml", refused},
      {"ftp", u"ftp://127.0.0.1/ovra.dtd", u"/drv/job.xml", refused},
      {"other scheme", u"jar:x!/ovra.dtd", u"/drv/job.xml", refused},
      {"remote file host", u"file://server/share/ovra.dtd", u"/drv/job.xml", refused},
      {"file url without path", u"file://localhost", u"", refused},
      {"relative to remote base", u"ovra.dtd", u"http://example.com/job.xml", refused},
      {"relative to remote file base", u"ovra.dtd", u"file://server/job.xml", refused},
      {"empty", u"", u"/drv/job.xml", refused},
      {"escaped nul", u"file:///drv/a%00b.dtd", u"", refused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LocalPathOf(c.system_id, c.base), c.path);
  }
}

}  // namespace
}  // namespace ovrabjt
