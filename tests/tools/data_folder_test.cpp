// Where the tool looks for the document types: beside its own folder, then
// in its install folder, and in the source tree only when it runs from the
// folder it was built in (this test program does not).
#include "data_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/executable_path.h"

namespace ovrabjt::cli {
namespace {

TEST(DtdFolders, AProgramOutsideTheToolsBuildFolderLooksBesideItselfThenInTheInstallFolder) {
  const std::optional<std::string> self = ExecutablePath();
  ASSERT_TRUE(self.has_value());
  const std::vector<std::string> folders = DefaultDtdFolders();
  ASSERT_EQ(folders.size(), 2u);
  const std::filesystem::path own = std::filesystem::path(*self).parent_path().parent_path();
  EXPECT_EQ(folders[0], (own / "share" / "ovrabjt").string());
  EXPECT_TRUE(std::filesystem::path(folders[1]).is_absolute()) << folders[1];
  EXPECT_EQ(std::filesystem::path(folders[1]).filename(), "ovrabjt") << folders[1];
  for (const std::string& folder : folders)
    EXPECT_NE(std::filesystem::path(folder), std::filesystem::path(OVRABJT_SOURCE_DIR "/data"))
        << folder;
}

TEST(DtdFolders, NoDefaultFolderHoldsADocumentTypeNoReleaseHas) {
  EXPECT_EQ(FindDefaultDtdFolder("ovra-v99.dtd"), "");
}

}  // namespace
}  // namespace ovrabjt::cli
