// The limits of what a document may reach that only POSIX systems can set
// up in a test: a listening socket that would see a connection, a pipe
// nobody writes to, a device without end, and symbolic links.
#include <ovrabjt/ovrabjt.h>

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_folder.h"
#include "support/time_bound.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Within(int seconds) {
  return ovrabjt::test::TimeBound(std::chrono::seconds(seconds));
}

const std::string kData = OVRABJT_SOURCE_DIR "/data/";
const std::string kBase = kData + "ticket.xml";

AttrNodeList* ParseKesp(const std::string& text) {
  return GetPrinterCapInfofromBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

// A TCP socket on the loopback interface that listens but never accepts: a
// connection attempt would show as a pending connection.
class Listener {
 public:
  Listener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd_, 4) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      ADD_FAILURE() << "no loopback socket: " << std::strerror(errno);
    }
    port_ = ntohs(address.sin_port);
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  ~Listener() { ::close(fd_); }

  int Port() const { return port_; }
  bool SomeoneConnected() const {
    pollfd waiting{fd_, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

TEST(Limits, DtdsOverTheNetworkAreRefusedWithoutConnecting) {
  Listener listener;
  const std::string url = "http://127.0.0.1:" + std::to_string(listener.Port()) + "/ovra.dtd";
  const fs::path dir = fs::temp_directory_path() / ("ovrabjt-limits-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "ovra.xml") << "<?xml version=\"1.0\"?>\n<!DOCTYPE ovra SYSTEM \"" << url
                                  << "\">\n<ovra/>";
  std::ofstream(dir / "prefs.xml") << "<!DOCTYPE mediaprefs SYSTEM \"" << url << "\"><mediaprefs/>";
  const std::string kesp_dtd = "<!DOCTYPE kesp SYSTEM \"" + url + "\"><kesp/>";
  const std::string kesp_entity =
      "<!DOCTYPE kesp [<!ENTITY e SYSTEM \"" + url + "\">]><kesp><a syntax=\"name\">&e;</a></kesp>";

  const auto start = Clock::now();
  void* block = nullptr;
  std::uint32_t size = 0;
  EXPECT_EQ(LoadOvra((dir / "ovra.xml").string().c_str(), kBase.c_str(), nullptr, &block, &size),
            0);
  EXPECT_EQ(GetMediaPreferenceInfofromFile((dir / "prefs.xml").string().c_str()), nullptr);
  // Read from memory without a name, a capabilities document loads no DTD.
  AttrNodeList* caps = ParseKesp(kesp_dtd);
  EXPECT_NE(caps, nullptr);
  ReleaseOvraBjtANL(caps);
  EXPECT_EQ(ParseKesp(kesp_entity), nullptr);
  const auto elapsed = Clock::now() - start;
  fs::remove_all(dir);

  EXPECT_FALSE(listener.SomeoneConnected());
  // Refused before any network wait.
  EXPECT_LT(elapsed, Within(2));
}

// A pipe nobody writes to would block the parse for ever; a device
// without end would never stop it.
TEST(Limits, LocalEntitiesThatAreNoRegularFilesAreRefusedAtOnce) {
  const ovrabjt::testing::TempFolder folder;
  const fs::path dir = folder.Path();
  ASSERT_EQ(::mkfifo((dir / "pipe.dtd").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir / "zero.dtd");
  const auto prefs = [&](const std::string& name, const std::string& text) {
    std::ofstream(dir / name) << text;
    return GetMediaPreferenceInfofromFile((dir / name).c_str());
  };
  const auto start = Clock::now();
  EXPECT_EQ(prefs("pipe.xml", "<!DOCTYPE mediaprefs SYSTEM \"pipe.dtd\"><mediaprefs/>"), nullptr);
  EXPECT_EQ(prefs("zero.xml", "<!DOCTYPE mediaprefs SYSTEM \"zero.dtd\"><mediaprefs/>"), nullptr);
  EXPECT_LT(Clock::now() - start, Within(2));
}

// A link is followed only as far as the document's folder: one to a file
// beside the document is read, one leading out is refused.
TEST(DocumentReachLinks, SymbolicLinksAreReadOnlyWhenTheyStayInsideTheDocumentsFolder) {
  const ovrabjt::testing::TempFolder folder;
  const fs::path dir = folder.Path();
  fs::create_directories(dir / "tickets" / "parts");
  fs::create_directories(dir / "elsewhere");
  std::ofstream(dir / "elsewhere" / "secret.txt") << "secret";
  std::ofstream(dir / "tickets" / "parts" / "word.txt") << "inside";
  fs::create_symlink(dir / "elsewhere" / "secret.txt", dir / "tickets" / "link.txt");
  fs::create_symlink(dir / "tickets" / "parts" / "word.txt", dir / "tickets" / "near.txt");
  struct Case {
    const char* what;
    const char* system_id;
    bool read;
  } cases[] = {
      {"a link that stays inside", "near.txt", true},
      {"a symbolic link leading out", "link.txt", false},
  };
  for (const Case& c : cases) {
    const fs::path file = dir / "tickets" / "prefs.xml";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        << "<!DOCTYPE mediaprefs [<!ENTITY e SYSTEM \"" << c.system_id
        << "\">]><mediaprefs><media-user-defined syntax=\"text\">&e;"
           "</media-user-defined></mediaprefs>";
    AttrNodeList* prefs = GetMediaPreferenceInfofromFile(file.c_str());
    EXPECT_EQ(prefs != nullptr, c.read) << c.what;
    ReleaseOvraBjtANL(prefs);
  }
}

}  // namespace
