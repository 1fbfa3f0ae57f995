// The bounds of a parse, exactly at and one past each, with the message that
// names the bound.
#include "xml/bounded_dom_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <xercesc/framework/MemBufInputSource.hpp>

#include "xml/velmor_xml_parser.h"
#include "xml/xml_platform.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;

// The text of the first fatal error of a parse of `text`, empty when it is
// read.
std::string Refusal(const std::string& text) {
  VelmorXmlParser parser(DocumentReach::Nowhere("bounds.xml"), false);
  if (CodeRaisedBy([&] { parser.Parse(text); }) == 0) return {};
  for (const XmlMessage& message : parser.Reporter().Messages())
    if (message.kind == XmlMessage::Kind::kFatalError) return message.text;
  return "no fatal error";
}

std::string Repeated(const std::string& part, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += part;
  return text;
}

// `count` elements named n0, n1, ... under the root "r".
std::string DistinctElements(std::size_t count) {
  std::string text = "<r>";
  for (std::size_t i = 0; i < count; ++i) text += "<n" + std::to_string(i) + "/>";
  return text + "</r>";
}

std::string AttributesOfOne(std::size_t count) {
  std::string text = "<r";
  for (std::size_t i = 0; i < count; ++i) text += " a" + std::to_string(i) + "=''";
  return text + "/>";
}

std::string Nested(std::size_t levels) {
  return Repeated("<e>", levels) + Repeated("</e>", levels);
}

std::string Expansions(std::size_t parameter, std::size_t general) {
  return "<!DOCTYPE r [<!ENTITY % p ''><!ENTITY g 'x'>" + Repeated("%p;", parameter) + "]><r>" +
         Repeated("&g;", general) + "</r>";
}

std::string EntityValue(const char* kind, std::size_t length) {
  return std::string("<!DOCTYPE r [<!ENTITY ") + kind + "v '" + std::string(length, 'v') +
         "'>]><r/>";
}

TEST(BoundedDomParserTest, EachBoundHoldsExactlyAndNamesItselfWhenPassed) {
  const std::string names = "more distinct element and attribute names than the bound of 4096";
  struct Case {
    const char* what;
    std::string text;
    std::string refusal;
  } cases[] = {
      {"4096 names: the root and 4095 more", DistinctElements(4095), ""},
      {"4097 names", DistinctElements(4096), names},
      {"4096 names, attributes among them", "<r a='' b=''>" + DistinctElements(4093) + "</r>", ""},
      {"4097 names, attributes among them", "<r a='' b=''>" + DistinctElements(4094) + "</r>",
       names},
      {"the same names over and over",
       Repeated("<r>", 1) + Repeated("<n a='' b=''/>", 20000) + "</r>", ""},
      {"64 attributes", AttributesOfOne(64), ""},
      {"65 attributes", AttributesOfOne(65),
       "an element with more attributes than the bound of 64"},
      {"256 levels", Nested(256), ""},
      {"257 levels", Nested(257), "elements nested deeper than the bound of 256"},
      // An empty element ends where it starts and leaves the depth as it was.
      {"257 levels, an empty element at each",
       Repeated("<e><x/>", 256) + "<e/>" + Repeated("</e>", 256),
       "elements nested deeper than the bound of 256"},
      {"256 levels, an empty element at each",
       Repeated("<e><x/>", 255) + "<e/>" + Repeated("</e>", 255), ""},
      {"10000 expansions of both kinds", Expansions(5000, 5000), ""},
      {"10001 expansions", Expansions(5000, 5001),
       "more entity expansions than the bound of 10000"},
      {"10001 parameter expansions", Expansions(10001, 0),
       "more entity expansions than the bound of 10000"},
      {"an entity of 1024 characters", EntityValue("", 1024), ""},
      {"an entity of 1025 characters", EntityValue("", 1025),
       "an entity's value longer than the bound of 1024"},
      {"a parameter entity of 1024 characters", EntityValue("% ", 1024), ""},
      {"a parameter entity of 1025 characters", EntityValue("% ", 1025),
       "a parameter entity's value longer than the bound of 1024"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.text), c.refusal) << c.what;
}

TEST(BoundedDomParserTest, TheBoundsStartAfreshWithEachParse) {
  VelmorXmlParser parser(DocumentReach::Nowhere("again.xml"), false);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(Expansions(6000, 4000)); }), 0) << i;
    EXPECT_EQ(CodeRaisedBy([&] { parser.Parse(DistinctElements(4095)); }), 0) << i;
  }
}

TEST(ParseMemoryTest, WhatTheLibraryLeavesIsGivenBackWithTheParser) {
  ParseMemory memory;
  void* kept = memory.allocate(100);
  void* freed = memory.allocate(200);
  void* other = memory.allocate(1);
  memory.deallocate(freed);
  memory.deallocate(nullptr);
  EXPECT_EQ(memory.BlocksHeld(), 2u);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(kept) % 16, 0u);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(other) % 16, 0u);
  memory.deallocate(kept);
  EXPECT_EQ(memory.BlocksHeld(), 1u);
  // `other` is given back by the destructor; the sanitizers would see it
  // otherwise.
}

// A parser kept between parses must not gather what the library leaves in
// its memory: one that holds more than at its first rest is not kept.
TEST(BoundedDomParser, RestsOnlyWhileItHoldsNoMoreMemoryThanAtItsFirstRest) {
  EnsureXmlPlatform();
  const DocumentReach reach = DocumentReach::Nowhere("rest.xml");
  BoundedDomParser parser(reach);
  const auto parse = [&](const std::string& text) {
    parser.BeginParse();
    xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                      u"rest.xml", false);
    parser.parse(source);
  };
  const std::string text = "<r><a>text</a><b/></r>";
  parse(text);
  EXPECT_TRUE(parser.Rest());
  parse(text);
  EXPECT_NE(parser.getDocument(), nullptr);
  EXPECT_TRUE(parser.Rest());
  EXPECT_EQ(parser.getDocument(), nullptr);
  // A document taken from the parser stays in its memory until released.
  parse(text);
  xercesc::DOMDocument* left_behind = parser.adoptDocument();
  EXPECT_FALSE(parser.Rest());
  left_behind->release();
  EXPECT_TRUE(parser.Rest());
}

}  // namespace
}  // namespace ovrabjt
