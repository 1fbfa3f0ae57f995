#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace ovrabjt {
namespace {

TEST(CodePage, EveryByteButNulSurvivesTheTripThroughUtf16) {
  std::string all;
  for (int b = 1; b <= 0xFF; ++b) all.push_back(static_cast<char>(b));
  const std::u16string wide = Cp1252ToUtf16(all);
  ASSERT_EQ(wide.size(), all.size());
  EXPECT_EQ(Utf16ToCp1252(wide), all);
}

TEST(CodePage, HighBytesMapToTheirWindows1252Characters) {
  struct Case {
    unsigned char byte;
    char16_t unit;
  };
  const Case cases[] = {
      {0x7F, 0x007F}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D},
      {0x8F, 0x008F}, {0x90, 0x0090}, {0x93, 0x201C}, {0x99, 0x2122}, {0x9D, 0x009D},
      {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    EXPECT_EQ(Cp1252ToUtf16(std::string(1, static_cast<char>(c.byte))), std::u16string(1, c.unit));
    EXPECT_EQ(Utf16ToCp1252(std::u16string(1, c.unit)), std::string(1, static_cast<char>(c.byte)));
  }
}

TEST(CodePage, CharactersWithoutAByteBecomeOneQuestionMarkEach) {
  // U+0080 and U+009F are C1 controls that Windows-1252 gives other bytes to.
  EXPECT_EQ(Utf16ToCp1252(u"a\u0080b\u009Fc\u0100d\u4E2De"), "a?b?c?d?e");
  EXPECT_EQ(Utf16ToCp1252(u"x\U0001F600y"), "x?y");  // a surrogate pair is one character
  EXPECT_EQ(Utf16ToCp1252(std::u16string{u'x', char16_t(0xD800), u'y', char16_t(0xDC00)}), "x?y?");
  // Into a kept buffer: cut to what was written, whatever it held before.
  std::string out(40, '#');
  Utf16ToCp1252(u"\U0001F600\U0001F600", out);
  EXPECT_EQ(out, "??");
  Utf16ToCp1252(u"", out);
  EXPECT_EQ(out, "");
}

TEST(CodePage, Utf8DecodesEveryLengthAndReplacesMalformedSequences) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"ascii", "dir/file.xml", u"dir/file.xml"},
      {"two bytes", "\xC3\xBC", u"\u00FC"},
      {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
      {"four bytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"largest", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"stray continuation", "a\x80z", u"a\uFFFDz"},
      {"truncated at end", "a\xE2\x82", u"a\uFFFD\uFFFD"},
      {"interrupted", "\xE2(z", u"\uFFFD(z"},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"overlong three", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
      {"surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"latin-1 byte", "caf\xE9", u"caf\uFFFD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8ToUtf16(c.bytes), c.text);
  }
}

TEST(CodePage, Utf8EncodingRoundTripsAndReplacesUnpairedSurrogates) {
  const std::u16string text = u"a\u00FC\u20AC\U0001F600\U0010FFFF";
  EXPECT_EQ(Utf16ToUtf8(text), "a\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xDC00), u'x', char16_t(0xD83D)}),
            "\xEF\xBF\xBDx\xEF\xBF\xBD");
}

}  // namespace
}  // namespace ovrabjt
