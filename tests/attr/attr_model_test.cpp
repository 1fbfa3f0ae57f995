#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "attr/attr_dump.h"
#include "attr/attr_node_list.h"
#include "attr/attr_value_factory.h"

namespace ovrabjt {
namespace {

std::unique_ptr<AttrValue> Value(std::string_view syntax, std::string_view text) {
  return AttrValueFactory::CreateValue(syntax, text);
}

std::string TextOf(const AttrNode* node) { return node ? node->GetValue()->GetText() : "<none>"; }

// A set of three "value" members between two other attributes.
std::unique_ptr<AttrNodeList> SetOfThree() {
  auto list = std::make_unique<AttrNodeList>();
  list->Append("media-col", Value("keyword", "outer"));
  list->Append("value", Value("integer", "10"));
  list->Append("other", Value("integer", "99"));
  list->Append("value", Value("integer", "11"));
  list->Append("value", Value("integer", "12"));
  return list;
}

TEST(AttrNodeList, FindsOccurrencesInAppendOrder) {
  auto list = SetOfThree();
  EXPECT_EQ(TextOf(list->FindNode("value", 0)), "10");
  EXPECT_EQ(TextOf(list->FindNode("value", 1)), "11");
  EXPECT_EQ(TextOf(list->FindNode("value", 2)), "12");
  EXPECT_EQ(list->FindNode("value", 3), nullptr);
  // Out of order and after a miss, the answers stay the same.
  EXPECT_EQ(TextOf(list->FindNode("value", 1)), "11");
  EXPECT_EQ(TextOf(list->FindNode("value", 0)), "10");
  EXPECT_EQ(TextOf(list->FindNode("other", 0)), "99");
  EXPECT_EQ(TextOf(list->FindNode("value", 2)), "12");
  // A node appended after a lookup is found as the next occurrence.
  list->Append("value", Value("integer", "13"));
  EXPECT_EQ(TextOf(list->FindNode("value", 3)), "13");
}

TEST(AttrNodeList, LookupIsExactAndStaysOnItsLevel) {
  auto list = std::make_unique<AttrNodeList>();
  auto members = std::make_unique<AttrNodeList>();
  members->Append("media-color", Value("keyword", "blue"));
  auto col = std::make_unique<IppList>();
  col->SetMembers(std::move(members));
  list->Append("media-col", std::move(col));
  EXPECT_NE(list->FindNode("media-col", 0), nullptr);
  EXPECT_EQ(list->FindNode("Media-Col", 0), nullptr);
  EXPECT_EQ(list->FindNode("media-col ", 0), nullptr);
  EXPECT_EQ(list->FindNode("media-color", 0), nullptr);
}

// Names alike in length and in their first, last and middle bytes are still
// told apart by every byte; the empty name and bytes past 0x7F are names too.
TEST(AttrNodeList, NamesAlikeInAllButOneByteAreDistinct) {
  AttrNodeList list;
  const std::string names[] = {"abXcd", "abYcd", "abXcdabXcd", "abXcdabYcd", "", "\xE9t\xE9"};
  for (std::size_t i = 0; i < std::size(names); ++i)
    list.Append(names[i], Value("integer", std::to_string(i)));
  for (std::size_t i = 0; i < std::size(names); ++i)
    EXPECT_EQ(TextOf(list.FindNode(names[i], 0)), std::to_string(i)) << i;
  EXPECT_EQ(list.FindNode("abZcd", 0), nullptr);
  EXPECT_EQ(list.FindNode("abXcdabZcd", 0), nullptr);
  EXPECT_EQ(list.FindNode("\xE9t\xE8", 0), nullptr);
  EXPECT_EQ(list.FindNode("", 1), nullptr);
}

// Short and long names (kept inline and on the heap) stay findable while the
// list grows, each under its exact name only; a null node is not added.
TEST(AttrNodeList, NamesStayFindableAsTheListGrows) {
  AttrNodeList list;
  auto name = [](int i) { return (i % 2 ? "n" : std::string(40, 'x')) + std::to_string(i); };
  for (int i = 0; i < 300; ++i) list.Append(name(i), Value("integer", std::to_string(i)));
  list.Append(nullptr);
  EXPECT_EQ(list.size(), 300u);
  for (int i = 299; i >= 0; --i) {
    const std::string wanted = name(i);
    EXPECT_EQ(TextOf(list.FindNode(wanted, 0)), std::to_string(i)) << wanted;
    EXPECT_EQ(list.FindNode(wanted, 1), nullptr) << wanted;
  }
  EXPECT_EQ(list.FindNode("n1x", 0), nullptr);
  EXPECT_EQ(list.FindNode("n", 0), nullptr);
}

TEST(AttrNodeList, LookupDoesNotDisturbAWalk) {
  auto list = SetOfThree();
  list->Rewind();
  ASSERT_TRUE(list->HasMore());
  EXPECT_EQ(list->NextNode()->GetName(), "media-col");
  EXPECT_EQ(TextOf(list->FindNode("value", 2)), "12");
  EXPECT_EQ(TextOf(list->NextNode()), "10");
  EXPECT_EQ(TextOf(list->NextNode()), "99");
  EXPECT_EQ(list->FindNode("nothing", 0), nullptr);
  EXPECT_EQ(TextOf(list->NextNode()), "11");
  EXPECT_EQ(TextOf(list->NextNode()), "12");
  EXPECT_FALSE(list->HasMore());
}

TEST(AttrNodeList, DeletingTheTopListFreesEveryLevel) {
  // Run under the sanitizers: every level must be freed exactly once.
  auto top = std::make_unique<AttrNodeList>();
  AttrNodeList* level = top.get();
  for (int depth = 0; depth < 50; ++depth) {
    auto members = std::make_unique<AttrNodeList>();
    members->Append("value", Value("text", "leaf"));
    AttrNodeList* next = members.get();
    auto col = std::make_unique<IppList>();
    col->SetSyntaxName("collection");
    col->SetMembers(std::move(members));
    level->Append("value", std::move(col));
    level = next;
  }
  auto replaced = std::make_unique<IppList>();
  replaced->SetMembers(SetOfThree());
  replaced->SetMembers(SetOfThree());  // the first member list is freed here
  top->Append("set", std::move(replaced));
  top.reset();
  SUCCEED();
}

TEST(AttrValue, IntegerTextIsParsedAsADecimalNumber) {
  struct Case {
    const char* text;
    std::int32_t want;
  } cases[] = {
      {"  -12abc", -12},
      {"abc", 0},
      {"", 0},
      {"+7", 7},
      {"007", 7},
      {"\t\n\v\f\r 5", 5},
      {"- 5", 0},
      {"12 34", 12},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"99999999999999999999999", INT_MAX},
      {"-99999999999999999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    auto v = Value("integer", c.text);
    EXPECT_EQ(static_cast<PrimitiveInteger&>(*v).GetInteger(), c.want) << '"' << c.text << '"';
    EXPECT_EQ(v->GetText(), std::to_string(c.want));
  }
}

TEST(AttrValue, BooleanAcceptsThreeExactSpellings) {
  struct Case {
    const char* text;
    bool want;
  } cases[] = {{"true", true}, {"1", true},  {"yes", true}, {"True", false},  {"TRUE", false},
               {"Yes", false}, {"0", false}, {"", false},   {" true", false}, {"false", false}};
  for (const Case& c : cases) {
    auto v = Value("boolean", c.text);
    ASSERT_EQ(v->GetSyntaxCode(), kSyntaxBoolean);
    EXPECT_EQ(v->GetText(), c.want ? "true" : "false") << '"' << c.text << '"';
  }
}

TEST(AttrValueFactory, SyntaxNamesCodesAndTextForms) {
  struct Case {
    const char* syntax;
    const char* text;
    SyntaxCode code;
    const char* name;
    const char* text_form;
    bool preserves_space;
  } cases[] = {
      {"integer", "-3", kSyntaxInteger, "integer", "-3", false},
      {"keyword", " Kw ", kSyntaxKeyword, "keyword", " Kw ", false},
      {"name", "A b", kSyntaxName, "name", "A b", true},
      {"enum", "7", kSyntaxEnum, "enum", "7", false},
      {"boolean", "yes", kSyntaxBoolean, "boolean", "true", false},
      {"text", "x  y", kSyntaxText, "text", "x  y", true},
      {"mimeMediaType", "text/plain", kSyntaxMimeMediaType, "mimeMediaType", "text/plain", false},
      {"uri", "file:///a", kSyntaxUri, "uri", "file:///a", false},
      // Every other name, including the list syntaxes, makes a null value.
      {"Integer", "5", kSyntaxNull, "null", "", false},
      {"Keyword", "a", kSyntaxNull, "null", "", false},
      {"dateTime", "2024-01-01", kSyntaxNull, "null", "", false},
      {"collection", "x", kSyntaxNull, "null", "", false},
      {"1setOf", "x", kSyntaxNull, "null", "", false},
      {"rangeOfInteger", "1", kSyntaxNull, "null", "", false},
      {"null", "x", kSyntaxNull, "null", "", false},
      {"", "x", kSyntaxNull, "null", "", false},
  };
  for (const Case& c : cases) {
    auto v = Value(c.syntax, c.text);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->GetSyntaxCode(), c.code) << c.syntax;
    EXPECT_EQ(v->GetSyntaxName(), c.name) << c.syntax;
    EXPECT_EQ(v->GetText(), c.text_form) << c.syntax;
    EXPECT_EQ(v->PreservesSpace(), c.preserves_space) << c.syntax;
    auto copy = v->Clone();
    ASSERT_NE(copy, nullptr) << c.syntax;
    EXPECT_TRUE(copy->Equals(*v)) << c.syntax;
    EXPECT_EQ(copy->GetText(), v->GetText()) << c.syntax;
    EXPECT_EQ(copy->GetSyntaxName(), v->GetSyntaxName()) << c.syntax;
  }
}

TEST(AttrValue, EqualityNeedsTheSameSyntaxAndContent) {
  EXPECT_TRUE(Value("keyword", "a")->Equals(*Value("keyword", "a")));
  EXPECT_FALSE(Value("keyword", "a")->Equals(*Value("keyword", "A")));
  EXPECT_FALSE(Value("keyword", "a")->Equals(*Value("name", "a")));
  EXPECT_FALSE(Value("integer", "4")->Equals(*Value("enum", "4")));
  EXPECT_FALSE(Value("integer", "4")->Equals(*Value("integer", "5")));
  EXPECT_TRUE(Value("boolean", "1")->Equals(*Value("boolean", "yes")));
  EXPECT_FALSE(Value("boolean", "1")->Equals(*Value("integer", "1")));
  EXPECT_TRUE(Value("x", "")->Equals(*Value("y", "z")));  // two nulls
  IppList list;
  EXPECT_FALSE(list.Equals(list));
  EXPECT_EQ(list.Clone(), nullptr);
}

TEST(AttrValue, OnlyListsKeepASyntaxName) {
  IppList list;
  EXPECT_EQ(list.GetSyntaxName(), "1setOf");
  EXPECT_EQ(list.GetText(), "");
  EXPECT_EQ(list.GetMembers(), nullptr);
  list.SetSyntaxName("collection");
  EXPECT_EQ(list.GetSyntaxName(), "collection");
  auto keyword = Value("keyword", "a");
  keyword->SetSyntaxName("name");
  EXPECT_EQ(keyword->GetSyntaxName(), "keyword");
}

TEST(DumpAttrList, IndentsListMembers) {
  auto list = std::make_unique<AttrNodeList>();
  list->Append("job-name", Value("name", "report"));
  auto col = std::make_unique<IppList>();
  col->SetSyntaxName("collection");
  auto members = std::make_unique<AttrNodeList>();
  members->Append("media-color", Value("keyword", "blue"));
  members->Append("empty", std::make_unique<IppList>());
  col->SetMembers(std::move(members));
  list->Append("media-col", std::move(col));
  EXPECT_EQ(DumpAttrList(*list),
            "job-name (name) = report\n"
            "media-col (collection):\n"
            "  media-color (keyword) = blue\n"
            "  empty (1setOf):\n");
}

}  // namespace
}  // namespace ovrabjt
