// Saves whose writing fails part-way, under a limit on the size of the files
// the process may write (a POSIX resource limit; Windows has none like it):
// they fail as every other save does.
#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "failed_saves.h"
#include "support/packed_from_document.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ovrabjt::test::ExpectFailedSaves;
using ovrabjt::test::SaveCase;

const std::string kData = OVRABJT_SOURCE_DIR "/data/";
const std::string kBase = kData + "ticket.xml";

// Lowers the largest file the process may write while it lives; a longer
// write fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previous_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit previous_{};
  sighandler_t previous_handler_;
};

TEST(BadInputWrites, SavesWhoseWritingFailsLeaveNoFileAndTheEarlierOneAlone) {
  const std::vector<std::uint8_t> good =
      ovrabjt::test::PackedFromDocument(kData + "examples/ticket.xml", kBase);
  ASSERT_FALSE(good.empty());
  // A failed save of media preferences releases the list; each run makes its
  // own.
  const std::vector<SaveCase> cases = {
      {"a document file whose writing fails", 19,
       [&](const fs::path& t) {
         FileSizeLimit limit(100);
         return SaveOvra(t.string().c_str(), kBase.c_str(), good.data());
       }},
      {"a media preferences file whose writing fails", 19,
       [](const fs::path& t) {
         AttrNodeList* list = CreateEmptyMPSContents();
         MediaRecord medium{};
         std::memset(medium.description, 'd', sizeof medium.description - 1);
         for (int i = 0; i < 20; ++i) AddStockToMPSContents(list, 2, &medium);
         FileSizeLimit limit(100);
         return SaveMPSContentstoFile(list, t.string().c_str());
       }},
  };
  const ovrabjt::testing::TempFolder folder;
  ExpectFailedSaves(folder.Path(), cases);
}

}  // namespace
