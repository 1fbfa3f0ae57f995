#include "xml/velmor_xml_parser.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <xercesc/dom/DOMText.hpp>
#include <xercesc/util/RuntimeException.hpp>

#include "platform/code_page.h"
#include "support/time_bound.h"
#include "xml/library_exceptions.h"
#include "xml/xml_platform.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;
using testing::DataDir;

const std::string kTicketName = DataDir() + "job.xml";

const std::string kValidTicket =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\r\n"
    "<ovra version=\"1.0\" qrcs-version=\"2.01\"><job-template-attributes>"
    "<copies syntax=\"integer\">2</copies><media-col syntax=\"collection\">"
    "<media-key syntax=\"keyword\">a4</media-key></media-col>"
    "</job-template-attributes></ovra>";

// The same frame with an element that the document type does not declare.
const std::string kInvalidTicket =
    "<?xml version=\"1.0\"?><!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">"
    "<ovra version=\"1.0\" qrcs-version=\"2.01\"><job-template-attributes>\n"
    "<sides syntax=\"keyword\">one-sided</sides></job-template-attributes></ovra>";

std::u16string RootAttribute(const VelmorXmlParser& parser, const char16_t* name) {
  return parser.GetDocument()->getDocumentElement()->getAttribute(name);
}

const XmlMessage* FirstMessageOf(const VelmorXmlParser& parser, XmlMessage::Kind kind) {
  for (const XmlMessage& message : parser.Reporter().Messages()) {
    if (message.kind == kind) return &message;
  }
  return nullptr;
}

TEST(VelmorXmlParserTest, NoDocumentBeforeTheFirstParse) {
  VelmorXmlParser parser(kTicketName, false);
  EXPECT_EQ(parser.GetDocument(), nullptr);
  EXPECT_EQ(parser.SystemId(), Utf8ToUtf16(kTicketName));
}

TEST(VelmorXmlParserTest, ValidatesAgainstTheDtdBesideTheDocumentName) {
  VelmorXmlParser parser(kTicketName, true);
  parser.Parse(kValidTicket);
  ASSERT_NE(parser.GetDocument(), nullptr);
  // The default value comes from the DTD, which is therefore read, part file
  // and all (the syntax attribute it declares is required and present).
  EXPECT_EQ(RootAttribute(parser, u"xml:lang"), u"en-US");
  EXPECT_EQ(RootAttribute(parser, u"version"), u"1.0");
  EXPECT_TRUE(parser.Reporter().Messages().empty());
}

TEST(VelmorXmlParserTest, MissingDtdFailsTheValidatingParse) {
  VelmorXmlParser parser(DataDir() + "no-such-folder/job.xml", true);
  EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(kValidTicket); }), 2);
  const XmlMessage* fatal = FirstMessageOf(parser, XmlMessage::Kind::kFatalError);
  ASSERT_NE(fatal, nullptr);
  EXPECT_EQ(fatal->line, 2u);
  EXPECT_NE(fatal->text.find("ovra-v02012.dtd"), std::string::npos) << fatal->text;
}

TEST(VelmorXmlParserTest, InvalidDocumentFailsOnlyWhenValidating) {
  VelmorXmlParser validating(kTicketName, true);
  EXPECT_EQ(CodeRaisedBy([&] { validating.Parse(kInvalidTicket); }), 2);
  EXPECT_TRUE(validating.Reporter().SawError());
  const XmlMessage* error = FirstMessageOf(validating, XmlMessage::Kind::kError);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->line, 2u);
  EXPECT_GT(error->column, 0u);
  EXPECT_EQ(error->system_id, kTicketName);

  VelmorXmlParser lenient(kTicketName, false);
  EXPECT_EQ(CodeRaisedBy([&] { lenient.Parse(kInvalidTicket); }), 0);
  EXPECT_NE(lenient.GetDocument(), nullptr);
}

TEST(VelmorXmlParserTest, WarningsAloneLetTheParseSucceed) {
  // An attribute list for an element that is never declared is only a warning.
  const std::string text = "<!DOCTYPE a [<!ELEMENT a EMPTY><!ATTLIST b c CDATA #IMPLIED>]>\n<a/>";
  VelmorXmlParser parser("inline.xml", true);
  EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(text); }), 0);
  EXPECT_TRUE(parser.Reporter().SawWarning());
  EXPECT_FALSE(parser.Reporter().SawError());
  EXPECT_FALSE(parser.Reporter().SawFatalError());
  ASSERT_EQ(parser.Reporter().Messages().size(), 1u);
  EXPECT_EQ(DescribeXmlMessage(parser.Reporter().Messages()[0]).substr(0, 24),
            "inline.xml:1:63: warning");
}

TEST(VelmorXmlParserTest, MalformedTextFailsWithItsPlace) {
  VelmorXmlParser parser("broken.xml", false);
  EXPECT_EQ(CodeRaisedBy([&] { parser.Parse("<a>\n  <b></a>"); }), 2);
  ASSERT_TRUE(parser.Reporter().SawFatalError());
  const XmlMessage* fatal = FirstMessageOf(parser, XmlMessage::Kind::kFatalError);
  ASSERT_NE(fatal, nullptr);
  EXPECT_EQ(fatal->line, 2u);
  EXPECT_EQ(fatal->column, 8u);  // the mismatched name in "</a>"
}

TEST(VelmorXmlParserTest, EachParseStartsAfreshAndReplacesTheDocument) {
  VelmorXmlParser parser("again.xml", false);
  EXPECT_NE(CodeRaisedBy([&] { parser.Parse("<a>"); }), 0);
  parser.Parse("<b/>");
  EXPECT_TRUE(parser.Reporter().Messages().empty());
  EXPECT_FALSE(parser.Reporter().SawFatalError());
  EXPECT_EQ(std::u16string(parser.GetDocument()->getDocumentElement()->getTagName()), u"b");
  parser.Parse("<c/>");
  EXPECT_EQ(std::u16string(parser.GetDocument()->getDocumentElement()->getTagName()), u"c");
}

TEST(VelmorXmlParserTest, ExternalEntitiesAreExpandedFromLocalFiles) {
  const std::string text =
      "<!DOCTYPE a [<!ELEMENT a (#PCDATA)><!ENTITY e SYSTEM \"entity.txt\">]><a>[&e;]</a>";
  VelmorXmlParser parser(kTicketName, true);
  parser.Parse(text);
  const xercesc::DOMElement* root = parser.GetDocument()->getDocumentElement();
  ASSERT_NE(root->getFirstChild(), nullptr);
  EXPECT_EQ(root->getFirstChild()->getNodeType(), xercesc::DOMNode::TEXT_NODE);
  EXPECT_EQ(root->getFirstChild()->getNextSibling(), nullptr);
  EXPECT_EQ(std::u16string(root->getTextContent()), u"[text from a local file]");
}

TEST(VelmorXmlParserTest, FileUrlsNameLocalFilesInTheDocumentsFolder) {
  const std::string relative =
      "<!DOCTYPE ovra SYSTEM \"file:ovra-v02012.dtd\"><ovra version=\"1\" qrcs-version=\"2\"/>";
  VelmorXmlParser parser(kTicketName, true);
  EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(relative); }), 0);
  EXPECT_EQ(RootAttribute(parser, u"xml:lang"), u"en-US");
  // An absolute one names a file wherever it is, which a document may not.
  const std::string absolute = "<!DOCTYPE ovra SYSTEM \"file://" + DataDir() +
                               "ovra-v02012.dtd\"><ovra version=\"1\" qrcs-version=\"2\"/>";
  EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(absolute); }), 2);
  const XmlMessage* fatal = FirstMessageOf(parser, XmlMessage::Kind::kFatalError);
  ASSERT_NE(fatal, nullptr);
  EXPECT_EQ(fatal->text, "a file is named relative to the document, never by an absolute path");
}

// A document name is a path in UTF-8 bytes; the DTD beside it is found
// whatever the process locale.
TEST(VelmorXmlParserTest, DocumentNamesAreUtf8Paths) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(::testing::TempDir()) / fs::path(u8"tickets-\u00FC\u20AC");
  fs::create_directories(folder / "parts");
  fs::copy_file(DataDir() + "ovra-v02012.dtd", folder / "ovra-v02012.dtd",
                fs::copy_options::overwrite_existing);
  fs::copy_file(DataDir() + "parts/common.ent", folder / "parts/common.ent",
                fs::copy_options::overwrite_existing);
  const std::u8string name = (folder / "job.xml").u8string();
  VelmorXmlParser parser(std::string(name.begin(), name.end()), true);
  EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(kValidTicket); }), 0);
  fs::remove_all(folder);
}

// A TCP listener on the loopback interface that counts the connections made
// to it while it lives.
class CountingListener {
 public:
  CountingListener() {
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(socket_, 8) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      ADD_FAILURE() << "cannot listen on the loopback interface";
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Accept(); });
  }
  ~CountingListener() {
    stop_ = true;
    thread_.join();
    ::close(socket_);
  }
  int port() const { return port_; }
  int connections() const { return connections_; }

 private:
  void Accept() {
    while (!stop_) {
      pollfd waiting{socket_, POLLIN, 0};
      if (::poll(&waiting, 1, 20) == 1) {
        ::close(::accept(socket_, nullptr, nullptr));
        ++connections_;
      }
    }
  }

  int socket_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
};

TEST(VelmorXmlParserTest, NetworkReferencesAreRefusedWithoutConnecting) {
  CountingListener listener;
  const std::string host = "127.0.0.1:" + std::to_string(listener.port());
  const std::string references[] = {
      "<!DOCTYPE a SYSTEM \"http://" + host + "/ovra.dtd\"><a/>",
      "<!DOCTYPE a SYSTEM \"ftp://" + host + "/ovra.dtd\"><a/>",
      "<!DOCTYPE a [<!ENTITY e SYSTEM \"http://" + host + "/e.txt\">]><a>&e;</a>",
      "<!DOCTYPE a SYSTEM \"file://" + host + "/ovra.dtd\"><a/>",
  };
  for (const bool validate : {true, false}) {
    for (const std::string& text : references) {
      SCOPED_TRACE(text);
      VelmorXmlParser parser(kTicketName, validate);
      const auto start = std::chrono::steady_clock::now();
      EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(text); }), 2);
      EXPECT_LT(std::chrono::steady_clock::now() - start, test::TimeBound(std::chrono::seconds(1)));
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(listener.connections(), 0);
}

TEST(VelmorXmlParserTest, NestedEntityExpansionIsStoppedQuickly) {
  // Ten levels of ten references each: 10^10 characters if expanded.
  std::string text = "<!DOCTYPE a [<!ELEMENT a (#PCDATA)><!ENTITY e0 \"0123456789\">";
  for (int level = 1; level <= 10; ++level) {
    text += "<!ENTITY e" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) text += "&e" + std::to_string(level - 1) + ";";
    text += "\">";
  }
  text += "]><a>&e10;</a>";
  VelmorXmlParser parser("bomb.xml", false);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(text); }), 2);
  EXPECT_LT(std::chrono::steady_clock::now() - start, test::TimeBound(std::chrono::seconds(1)));
}

TEST(VelmorXmlParserTest, ModestEntityUseStaysWithinTheLimit) {
  std::string text = "<!DOCTYPE a [<!ENTITY e \"x\">]><a>";
  for (int i = 0; i < 1000; ++i) text += "&e;";
  text += "</a>";
  VelmorXmlParser parser("entities.xml", false);
  parser.Parse(text);
  EXPECT_EQ(std::u16string(parser.GetDocument()->getDocumentElement()->getTextContent()),
            std::u16string(1000, u'x'));
}

// Each exception of the XML library leaves as the code the caller gives,
// placed at the caller, with the library's message kept; others pass.
TEST(CallLibrary, TheLibrarysExceptionsBecomeTheCallersCode) {
  EnsureXmlPlatform();
  const std::pair<std::function<void()>, std::string> raised[] = {
      {[] { throw xercesc::DOMException(xercesc::DOMException::NOT_FOUND_ERR); }, ""},
      {[] { throw xercesc::SAXException(u"the handler gave up"); }, "the handler gave up"},
      {[] { throw xercesc::OutOfMemoryException(); }, "out of memory"},
      {[] {
         throw xercesc::RuntimeException(__FILE__, __LINE__,
                                         xercesc::XMLExcepts::Gen_NoDTDValidator);
       },
       ""},
  };
  for (const auto& [raise, message] : raised) {
    DOMTreeErrorReporter reporter;
    std::optional<OvraParseException> caught;
    const int line = __LINE__ + 2;
    try {
      CallLibrary(reporter, OvraErrorCode::kWriteException, raise);
    } catch (const OvraParseException& e) {
      caught = e;
    }
    ASSERT_TRUE(caught.has_value()) << message;
    EXPECT_EQ(caught->code(), OvraErrorCode::kWriteException);
    EXPECT_EQ(caught->detail(), "");
    EXPECT_TRUE(std::string(caught->file()).ends_with("velmor_xml_parser_test.cpp"));
    EXPECT_EQ(caught->line(), static_cast<std::uint_least32_t>(line));
    ASSERT_EQ(reporter.Messages().size(), 1u);
    EXPECT_EQ(reporter.Messages()[0].kind, XmlMessage::Kind::kLibraryException);
    if (!message.empty()) {
      EXPECT_EQ(reporter.Messages()[0].text, message);
    }
    EXPECT_FALSE(reporter.Messages()[0].text.empty());
  }
  DOMTreeErrorReporter reporter;
  EXPECT_EQ(CodeRaisedBy([&] {
              CallLibrary(reporter, OvraErrorCode::kParseException,
                          [] { throw OvraParseException(OvraErrorCode::kOutputRefused); });
            }),
            static_cast<int>(OvraErrorCode::kOutputRefused));
  EXPECT_THROW(CallLibrary(reporter, OvraErrorCode::kParseException,
                           [] { throw std::runtime_error("not the library's"); }),
               std::runtime_error);
  bool ran = false;
  CallLibrary(reporter, OvraErrorCode::kParseException, [&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(reporter.Messages().empty());
}

}  // namespace
}  // namespace ovrabjt
