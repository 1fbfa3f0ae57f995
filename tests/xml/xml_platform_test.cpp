// The XML library's lifecycle. Termination is final for a process, so this
// suite runs in an executable of its own and walks the whole life in one
// test, in order.
#include "xml/xml_platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <xercesc/util/OutOfMemoryException.hpp>

#include "xml/grammar_cache.h"
#include "xml/velmor_xml_parser.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;

int calls_made = 0;

void FailingCall() {
  ++calls_made;
  throw xercesc::OutOfMemoryException();
}

void CountedCall() { ++calls_made; }

TEST(XmlPlatformLifecycle, StartsOnceStopsOnceAndNeverAgain) {
  const XmlLibraryCalls failing = {&FailingCall, &FailingCall};
  const XmlLibraryCalls counted = {&CountedCall, &CountedCall};

  // Stopping what never started.
  EXPECT_EQ(CodeRaisedBy([] { ReleaseXmlPlatform(); }), 21);

  // A start that raises leaves the library stopped, and the next call retries.
  EXPECT_EQ(CodeRaisedBy([&] { EnsureXmlPlatform(failing); }), 23);
  EXPECT_FALSE(XmlPlatformInitialised());
  EnsureXmlPlatform();
  EXPECT_TRUE(XmlPlatformInitialised());

  // Once started, later calls start nothing.
  calls_made = 0;
  EnsureXmlPlatform(counted);
  EXPECT_EQ(calls_made, 0);
  {
    VelmorXmlParser parser("alive.xml", false);
    parser.Parse("<a/>");
    EXPECT_NE(parser.GetDocument(), nullptr);
  }

  // A stop that raises leaves the library running.
  EXPECT_EQ(CodeRaisedBy([&] { ReleaseXmlPlatform(failing); }), 24);
  EXPECT_TRUE(XmlPlatformInitialised());
  EXPECT_FALSE(XmlPlatformTerminated());

  // A shared grammar is held until the library stops, and not after.
  {
    VelmorXmlParser parser(std::string(OVRABJT_SOURCE_DIR) + "/data/ticket.xml", true);
    parser.Parse("<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\"><ovra version='1' qrcs-version='2'/>");
  }
  EXPECT_EQ(GrammarCache::Process().Size(), 1u);
  ReleaseXmlPlatform();
  EXPECT_EQ(GrammarCache::Process().Size(), 0u);
  EXPECT_TRUE(XmlPlatformTerminated());
  EXPECT_FALSE(XmlPlatformInitialised());

  // Termination is final.
  EXPECT_EQ(CodeRaisedBy([] { ReleaseXmlPlatform(); }), 22);
  calls_made = 0;
  EXPECT_EQ(CodeRaisedBy([&] { EnsureXmlPlatform(counted); }), 20);
  EXPECT_EQ(calls_made, 0);
  EXPECT_EQ(CodeRaisedBy([] { VelmorXmlParser parser("late.xml", false); }), 20);
  EXPECT_EQ(CodeRaisedBy([] { auto parser = std::make_unique<VelmorXmlParser>("late.xml", true); }),
            20);
}

}  // namespace
}  // namespace ovrabjt
