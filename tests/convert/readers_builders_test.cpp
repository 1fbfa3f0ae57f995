#include <gtest/gtest.h>

#include <array>
#include <string>

#include "attr/attr_value_factory.h"
#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "convert/finishings.h"

namespace ovrabjt {
namespace {

void Put(AttrNodeList& list, std::string_view name, std::string_view syntax,
         std::string_view text) {
  list.Append(name, AttrValueFactory::CreateValue(syntax, text));
}

TEST(ReadInteger, WrongSyntaxYieldsTheOccurrenceNumber) {
  AttrNodeList list;
  Put(list, "copies", "keyword", "3");
  Put(list, "value", "integer", "5");
  Put(list, "value", "enum", "6");
  Put(list, "value", "keyword", "7");
  std::int32_t out = -1;
  EXPECT_TRUE(ReadInteger(list, "copies", 0, out));
  EXPECT_EQ(out, 0);
  EXPECT_TRUE(ReadInteger(list, "value", 0, out));
  EXPECT_EQ(out, 5);
  EXPECT_TRUE(ReadInteger(list, "value", 1, out));
  EXPECT_EQ(out, 6);
  EXPECT_TRUE(ReadInteger(list, "value", 2, out));
  EXPECT_EQ(out, 2);
  out = -1;
  EXPECT_FALSE(ReadInteger(list, "value", 3, out));
  EXPECT_FALSE(ReadInteger(list, "Copies", 0, out));
  EXPECT_EQ(out, -1);
}

TEST(TextReaders, EachTakesItsOwnSyntaxes) {
  struct Case {
    const char* syntax;
    bool read_string;
    bool read_text_into;
  } cases[] = {
      {"name", true, true},      {"keyword", true, true},        {"text", true, true},
      {"uri", false, true},      {"mimeMediaType", true, false}, {"integer", false, false},
      {"boolean", false, false}, {"unknown", false, false},
  };
  for (const Case& c : cases) {
    AttrNodeList list;
    Put(list, "a", c.syntax, "1");
    std::string s = "old";
    EXPECT_TRUE(ReadString(list, "a", 0, s));
    EXPECT_EQ(s, c.read_string ? "1" : "old") << c.syntax;
    std::array<char, 8> buf = {'o', 'l', 'd', 0};
    EXPECT_TRUE(ReadTextInto(list, "a", 0, buf.data(), 7));
    EXPECT_STREQ(buf.data(), c.read_text_into ? "1" : "old") << c.syntax;
    EXPECT_FALSE(ReadString(list, "b", 0, s));
    EXPECT_FALSE(ReadTextInto(list, "b", 0, buf.data(), 7));
  }
}

TEST(ReadTextInto, CutsTheCopyAndKeepsTheStoredValue) {
  AttrNodeList list;
  const std::string long_name(300, 'n');
  Put(list, "job-name", "name", long_name);
  std::string buf(300, 'x');
  ASSERT_TRUE(ReadTextInto(list, "job-name", 0, buf.data(), 255));
  EXPECT_EQ(std::string(buf.c_str()), long_name.substr(0, 255));
  EXPECT_EQ(buf[256], 'x');
  std::string again;
  ASSERT_TRUE(ReadString(list, "job-name", 0, again));
  EXPECT_EQ(again, long_name);

  std::array<std::uint8_t, 12> record;
  record.fill('z');
  FieldView view(record.data(), record.size());
  ASSERT_TRUE(ReadTextInto(list, "job-name", 0, view, TextField{2, 5}));
  EXPECT_EQ(view.Text(TextField{2, 5}), "nnnn");
  EXPECT_EQ(record[7], 'z');
}

TEST(ReadCollection, RefusesScalarsAndFindsLists) {
  AttrNodeList list;
  Put(list, "media-col", "keyword", "blue");
  AttrNodeList& members = AddCollection(list, "media-col", kCollection);
  Put(members, "media-color", "keyword", "red");
  const AttrNodeList* found = &list;
  EXPECT_FALSE(ReadCollection(std::as_const(list), "media-col", 0, found));
  EXPECT_EQ(found, &list);
  EXPECT_TRUE(ReadCollection(std::as_const(list), "media-col", 1, found));
  EXPECT_EQ(found, &members);
  // A list value without members yields no member list.
  list.Append("bare", std::make_unique<IppList>());
  EXPECT_FALSE(ReadCollection(std::as_const(list), "bare", 0, found));
  AttrNodeList* writable = nullptr;
  EXPECT_TRUE(ReadCollection(list, "media-col", 1, writable));
  EXPECT_EQ(writable, &members);
}

TEST(Builders, EmptyTextsAppendNothing) {
  AttrNodeList list;
  EXPECT_FALSE(AddString(list, "", "media-color", "keyword"));
  EXPECT_TRUE(AddName(list, "", "job-name"));
  EXPECT_TRUE(AddText(list, "", "job-sheet-message"));
  EXPECT_TRUE(AddUri(list, "", "document-uri"));
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(AddString(list, "white", "media-color", "keyword"));
  EXPECT_TRUE(AddName(list, " x ", "job-name"));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list.nodes()[1]->GetValue()->GetSyntaxName(), "name");
  EXPECT_EQ(list.nodes()[1]->GetValue()->GetText(), " x ");
}

TEST(Builders, RangeHasLowerThenUpperBound) {
  AttrNodeList list;
  AddRange(list, 1, 1, "value");
  ASSERT_EQ(list.size(), 1u);
  const AttrValue* v = list.nodes()[0]->GetValue();
  EXPECT_EQ(list.nodes()[0]->GetName(), "value");
  EXPECT_EQ(v->GetSyntaxName(), "rangeOfInteger");
  const AttrNodeList* m = static_cast<const IppList*>(v)->GetMembers();
  ASSERT_EQ(m->size(), 2u);
  EXPECT_EQ(m->nodes()[0]->GetName(), "lower-bound");
  EXPECT_EQ(m->nodes()[1]->GetName(), "upper-bound");
  EXPECT_EQ(m->nodes()[0]->GetValue()->GetSyntaxName(), "integer");
  EXPECT_EQ(m->nodes()[1]->GetValue()->GetText(), "1");
}

TEST(Builders, NumbersKeepTheirSignAndSyntax) {
  AttrNodeList list;
  AddNumber(list, -300, "x-side1-image-shift", "integer");
  AddNumber(list, INT32_MIN, "y", "enum");
  EXPECT_EQ(list.nodes()[0]->GetValue()->GetText(), "-300");
  EXPECT_EQ(list.nodes()[1]->GetValue()->GetSyntaxCode(), kSyntaxEnum);
  EXPECT_EQ(list.nodes()[1]->GetValue()->GetText(), std::to_string(INT32_MIN));
}

TEST(ReadRangeValue, ReadsTheBoundsThatArePresent) {
  AttrNodeList set;
  AddRange(set, 3, 9, "value");
  AttrNodeList& partial = AddCollection(set, "value", kRangeOfInteger);
  AddNumber(partial, 4, "upper-bound", "integer");
  std::int32_t lo = -1, hi = -1;
  EXPECT_TRUE(ReadRangeValue(set, 0, lo, hi));
  EXPECT_EQ(lo, 3);
  EXPECT_EQ(hi, 9);
  lo = hi = -1;
  EXPECT_TRUE(ReadRangeValue(set, 1, lo, hi));
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 4);
  EXPECT_FALSE(ReadRangeValue(set, 2, lo, hi));
}

TEST(ReadOrientation, MapsPortraitAndLandscapeOnly) {
  struct Case {
    const char* text;
    bool found;
    std::uint8_t want;
  } cases[] = {{"3", true, 1}, {"4", true, 2}, {"5", true, 9}, {nullptr, false, 9}};
  for (const Case& c : cases) {
    AttrNodeList list;
    if (c.text) Put(list, "orientation-requested", "enum", c.text);
    std::uint8_t out = 9;
    EXPECT_EQ(ReadOrientation(list, out), c.found);
    EXPECT_EQ(out, c.want);
  }
}

TEST(ReadFinishingValue, MapsEveryNumberOfTheTableAndNothingElse) {
  for (const auto& [code, number] : kFinishings.entries) {
    AttrNodeList members;
    AddNumber(members, number, "value", "enum");
    std::int32_t out = 0;
    EXPECT_TRUE(ReadFinishingValue(members, out)) << number;
    EXPECT_EQ(out, code);
    EXPECT_EQ(kFinishings.ValueOf(code), number);
  }
  AttrNodeList members;
  AddNumber(members, 24, "value", "enum");
  AddNumber(members, 23, "value", "enum");  // only the first value counts
  std::int32_t out = 128;
  EXPECT_FALSE(ReadFinishingValue(members, out));
  EXPECT_EQ(out, 128);
  AttrNodeList empty;
  EXPECT_FALSE(ReadFinishingValue(empty, out));
  EXPECT_FALSE(kFinishings.ValueOf(32).has_value());
  EXPECT_FALSE(kFinishings.ValueOf(128).has_value());
}

TEST(CodeTable, KeywordsMatchIgnoringAsciiCaseOnly) {
  constexpr KeywordTable<int, 2> table{{{{1, "one-sided"}, {2, "two-sided-long-edge"}}}};
  EXPECT_EQ(table.CodeOf("ONE-Sided"), 1);
  EXPECT_EQ(table.CodeOf("two-sided-long-edge"), 2);
  EXPECT_FALSE(table.CodeOf("one-sided ").has_value());
  EXPECT_FALSE(table.CodeOf("").has_value());
  EXPECT_EQ(table.ValueOf(2), "two-sided-long-edge");
  EXPECT_FALSE(table.ValueOf(4).has_value());
  static_assert(EqualsIgnoreAsciiCase("Swop", "sWOP"));
  static_assert(!EqualsIgnoreAsciiCase("\xC9", "\xE9"));  // not ASCII letters
}

}  // namespace
}  // namespace ovrabjt
