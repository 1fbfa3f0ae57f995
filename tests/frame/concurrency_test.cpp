// Spoolers render several jobs at once: the exports, called from 8 threads at
// the same time, must give exactly what they give one call at a time.
#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_folder.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "ticket/layout.h"
#include "ticket/packing.h"

namespace {

using ovrabjt::test::TextOutput;
using ovrabjt::testing::TempFolder;

constexpr int kThreads = 8;
constexpr int kTickets = 6;
const std::string kBase = OVRABJT_SOURCE_DIR "/data/ticket.xml";

std::vector<std::uint8_t> PackedRandomTicket(std::uint32_t seed) {
  auto record = ovrabjt::testing::RandomTicket(seed, {6, 6, 4, 4, 40});
  std::uint32_t size = 0;
  EXPECT_TRUE(ovrabjt::PackTicket(nullptr, *record, &size));
  std::vector<std::uint8_t> packed(size);
  EXPECT_TRUE(ovrabjt::PackTicket(packed.data(), *record, nullptr));
  return packed;
}

// What one job does with a ticket, through the exports: its text, the
// ticket read back from the saved document, capability slots and a stock
// that went through a media-preferences file.
struct JobResult {
  std::string text;
  std::vector<std::uint8_t> loaded;
  std::vector<char> slots;
  std::vector<std::uint8_t> stock;

  bool operator==(const JobResult&) const = default;
};

// `ticket` numbers the ticket, `job` the files of this run; odd tickets are
// parsed beside a copy of the document type in `types`, so that two folders'
// types are shared at once.
JobResult RunJob(const std::vector<std::uint8_t>& packed, int ticket, const std::string& folder,
                 int job, const std::string& types) {
  JobResult result;
  TextOutput out;
  const std::string base = ticket % 2 ? types + "/ticket.xml" : kBase;
  const std::u16string base16(base.begin(), base.end());
  if (!ConvertBJTToOvraStream(base16.c_str(), packed.data(), &out)) return result;
  result.text = out.text;

  const std::string file = folder + "/job-" + std::to_string(job) + ".xml";
  void* block = nullptr;
  std::uint32_t size = 0;
  if (SaveOvra(file.c_str(), base.c_str(), packed.data()) &&
      LoadOvra(file.c_str(), base.c_str(), nullptr, &block, &size)) {
    result.loaded.resize(size);
    LoadOvra(nullptr, nullptr, result.loaded.data(), &block, &size);
  }

  // A capabilities document of the ticket's own.
  const std::string kesp = "<kesp><trc-supported syntax=\"1setOf\"><value syntax=\"name\">ticket " +
                           std::to_string(ticket) + "</value>" + "<value syntax=\"text\">" +
                           std::to_string(out.text.size()) + "</value></trc-supported></kesp>";
  if (AttrNodeList* caps = GetPrinterCapInfofromBuffer(kesp.data(), std::int32_t(kesp.size()))) {
    std::int32_t bytes = 0;
    if (GetSpecificKespInfo(caps, 1, 16, nullptr, &bytes)) {
      result.slots.assign(std::size_t(bytes), '\0');
      GetSpecificKespInfo(caps, 1, 16, result.slots.data(), &bytes);
    }
    ReleaseOvraBjtANL(caps);
  }

  MediaRecord medium{};
  std::memcpy(&medium, packed.data() + ovrabjt::MediaSlotOffset(0), sizeof medium);
  AttrNodeList* prefs = CreateEmptyMPSContents();
  const std::string prefs_file = folder + "/prefs-" + std::to_string(job) + ".xml";
  if (prefs && AddStockToMPSContents(prefs, 2, &medium) &&
      SaveMPSContentstoFile(prefs, prefs_file.c_str())) {
    ReleaseOvraBjtANL(prefs);
    if (AttrNodeList* read = GetMediaPreferenceInfofromFile(prefs_file.c_str())) {
      std::uint16_t index = 1;
      MediaRecord back{};
      if (PopulateStockFromAttrList(read, 2, &index, &back)) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&back);
        result.stock.assign(bytes, bytes + sizeof back);
      }
      ReleaseOvraBjtANL(read);
    }
  }
  return result;
}

TEST(Concurrency, EightThreadsGiveTheSingleThreadedResults) {
  std::vector<std::vector<std::uint8_t>> tickets;
  for (int i = 0; i < kTickets; ++i) tickets.push_back(PackedRandomTicket(100 + i));

  TempFolder types;
  std::filesystem::copy_file(OVRABJT_SOURCE_DIR "/data/ovra-v02012.dtd", types / "ovra-v02012.dtd");
  TempFolder alone;
  std::vector<JobResult> expected;
  for (int i = 0; i < kTickets; ++i) {
    expected.push_back(RunJob(tickets[i], i, alone.Path(), i, types.Path()));
    ASSERT_FALSE(expected.back().text.empty()) << i;
    ASSERT_FALSE(expected.back().loaded.empty()) << i;
    ASSERT_FALSE(expected.back().slots.empty()) << i;
    ASSERT_FALSE(expected.back().stock.empty()) << i;
  }

  // Every thread converts every ticket, each starting at another one, so
  // that different tickets are in flight at the same moment.
  TempFolder together;
  std::vector<std::vector<JobResult>> results(kThreads, std::vector<JobResult>(kTickets));
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int k = 0; k < kTickets; ++k) {
        const int i = (t + k) % kTickets;
        results[t][i] = RunJob(tickets[i], i, together.Path(), t * kTickets + i, types.Path());
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < kTickets; ++i) {
      const JobResult& got = results[t][i];
      const JobResult& want = expected[i];
      EXPECT_EQ(got.text, want.text) << "thread " << t << ", ticket " << i;
      EXPECT_EQ(got.loaded, want.loaded) << "thread " << t << ", ticket " << i;
      EXPECT_EQ(got.slots, want.slots) << "thread " << t << ", ticket " << i;
      EXPECT_EQ(got.stock, want.stock) << "thread " << t << ", ticket " << i;
    }
  }
}

}  // namespace
