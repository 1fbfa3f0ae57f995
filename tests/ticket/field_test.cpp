#include "ticket/field.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

#include "ticket/layout.h"

namespace ovrabjt {
namespace {

TEST(FieldView, LittleEndianAtAnyOffset) {
  std::array<std::uint8_t, 16> buf{};
  FieldView v(buf.data(), buf.size());
  v.Set(Field<std::uint16_t>{1}, 0x1234);
  v.Set(Field<std::int32_t>{3}, -2);
  v.Set(Field<std::int16_t>{7}, -25);
  v.Set(Field<std::uint32_t>{9}, 0x80000);
  const std::array<std::uint8_t, 16> want = {0,    0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xE7,
                                             0xFF, 0x00, 0x00, 0x08, 0x00, 0,    0,    0};
  EXPECT_EQ(buf, want);
  EXPECT_EQ(v.Get(Field<std::uint16_t>{1}), 0x1234);
  EXPECT_EQ(v.Get(Field<std::int32_t>{3}), -2);
  EXPECT_EQ(v.Get(Field<std::int16_t>{7}), -25);
  EXPECT_EQ(v.Get(Field<std::uint32_t>{9}), 0x80000u);
  EXPECT_EQ(v.Get(Field<std::uint16_t>{3}), 0xFFFE);
}

TEST(FieldView, TextIsCutToItsArrayAndKeepsTheBytesBehindTheNul) {
  std::array<std::uint8_t, 8> buf;
  buf.fill('x');
  FieldView v(buf.data(), buf.size());
  const TextField f{1, 5};        // four characters and the NUL
  EXPECT_EQ(v.Text(f), "xxxxx");  // no NUL: never read past the array
  v.SetText(f, "ab");
  EXPECT_EQ(v.Text(f), "ab");
  EXPECT_EQ(buf[4], 'x');
  v.SetText(f, "abcdefgh");
  EXPECT_EQ(v.Text(f), "abcd");
  EXPECT_EQ(buf[5], 0);
  EXPECT_EQ(buf[6], 'x');
  v.SetText(f, "");
  EXPECT_EQ(v.Text(f), "");
}

TEST(Layout, StringReferenceFieldsAreDistinctAndInsideTheirRecords) {
  std::set<std::size_t> seen;
  for (auto f : kTicketStringRefs) {
    EXPECT_TRUE(seen.insert(f.offset).second) << f.offset;
    EXPECT_LE(f.offset + 2, ticket_field::kJobName.offset);
  }
  seen.clear();
  for (auto f : kOverrideStringRefs) {
    EXPECT_TRUE(seen.insert(f.offset).second) << f.offset;
    EXPECT_LE(f.offset + 2, kOverrideRecordSize);
  }
  EXPECT_EQ(OverrideOffset(249) + kOverrideRecordSize, InsertOffset(0));
  EXPECT_EQ(ForceFrontPage(249).offset + 4, ticket_field::kStringsSize.offset);
}

}  // namespace
}  // namespace ovrabjt
