#include "ticket/ticket_strings.h"

#include <gtest/gtest.h>

#include <string>

#include "ticket/ticket_record.h"

namespace ovrabjt {
namespace {

namespace tf = ticket_field;

class TicketStrings : public ::testing::Test {
 private:
  std::unique_ptr<TicketRecord> record_ = TicketRecord::Allocate();

 protected:
  TicketRecord& rec = *record_;
  std::uint16_t count() const { return rec.Get(tf::kStringCount); }
  std::string Read(Field<std::uint16_t> f) {
    std::string out;
    EXPECT_TRUE(ReadTicketString(rec, rec.Get(f), out));
    return out;
  }
};

TEST_F(TicketStrings, EqualTextsShareOneIndexUntilTheLastReferenceGoes) {
  WriteTicketString(rec, tf::kTrcName, "alpha");
  WriteTicketString(rec, tf::kHalftone, "shared");
  WriteTicketString(rec, tf::kUndefinedSourceRgb, "shared");
  WriteTicketString(rec, tf::kColorEmulationName, "omega");
  EXPECT_EQ(count(), 3);
  EXPECT_EQ(rec.Get(tf::kHalftone), 2);
  EXPECT_EQ(rec.Get(tf::kUndefinedSourceRgb), 2);
  EXPECT_EQ(rec.Get(tf::kColorEmulationName), 3);

  // Replacing one of two holders keeps the shared string.
  WriteTicketString(rec, tf::kHalftone, "beta");
  EXPECT_EQ(count(), 4);
  EXPECT_EQ(Read(tf::kUndefinedSourceRgb), "shared");
  EXPECT_EQ(rec.Get(tf::kHalftone), 4);

  // Replacing the last holder removes it and renumbers everything above it.
  WriteTicketString(rec, tf::kUndefinedSourceRgb, "gamma");
  EXPECT_EQ(count(), 4);
  EXPECT_EQ(rec.Get(tf::kTrcName), 1);
  EXPECT_EQ(rec.Get(tf::kColorEmulationName), 2);
  EXPECT_EQ(rec.Get(tf::kHalftone), 3);
  EXPECT_EQ(rec.Get(tf::kUndefinedSourceRgb), 4);
  EXPECT_EQ(Read(tf::kColorEmulationName), "omega");
  EXPECT_EQ(Read(tf::kHalftone), "beta");
  EXPECT_EQ(Read(tf::kUndefinedSourceRgb), "gamma");
  EXPECT_EQ(rec.strings.size(), count());
}

// The last string released, shared or not, in a job level and a used page
// override: no reference moves but the released one.
TEST_F(TicketStrings, ReleasingTheLastStringMovesNoOtherReference) {
  const auto page_field = At(OverrideOffset(0), override_field::kTrcName);
  rec.Set(tf::kPageOverrideCount, 1);
  WriteTicketString(rec, tf::kTrcName, "a");
  WriteTicketString(rec, page_field, "b");
  WriteTicketString(rec, tf::kHalftone, "c");
  WriteTicketString(rec, tf::kHalftone, "d");
  EXPECT_EQ(count(), 3);
  EXPECT_EQ(rec.Get(tf::kTrcName), 1);
  EXPECT_EQ(rec.Get(page_field), 2);
  EXPECT_EQ(rec.Get(tf::kHalftone), 3);
  EXPECT_EQ(Read(tf::kHalftone), "d");

  WriteTicketString(rec, tf::kUndefinedSourceRgb, "d");  // now shared
  WriteTicketString(rec, tf::kHalftone, "e");
  EXPECT_EQ(count(), 4);
  EXPECT_EQ(Read(tf::kUndefinedSourceRgb), "d");
  EXPECT_EQ(rec.Get(tf::kHalftone), 4);

  WriteTicketString(rec, page_field, "");  // from the middle again
  EXPECT_EQ(count(), 3);
  EXPECT_EQ(rec.Get(page_field), 0);
  EXPECT_EQ(rec.Get(tf::kUndefinedSourceRgb), 2);
  EXPECT_EQ(rec.Get(tf::kHalftone), 3);
  EXPECT_EQ(rec.strings.size(), count());
}

TEST_F(TicketStrings, RewritingAnUnsharedTextMovesItToTheEnd) {
  WriteTicketString(rec, tf::kTrcName, "one");
  WriteTicketString(rec, tf::kHalftone, "two");
  WriteTicketString(rec, tf::kTrcName, "one");
  EXPECT_EQ(rec.Get(tf::kTrcName), 2);
  EXPECT_EQ(rec.Get(tf::kHalftone), 1);
  EXPECT_EQ(count(), 2);
  EXPECT_EQ(rec.strings.at(1), "one");
}

// As a field read from two attributes of one text is written: the table,
// the references and the count stay as they were, shared or not, and a long
// text compares by its stored cut.
TEST_F(TicketStrings, RewritingTheLastTextLeavesEverythingInPlace) {
  const std::string long_text(1200, 'z');
  WriteTicketString(rec, tf::kTrcName, "one");
  WriteTicketString(rec, tf::kHalftone, long_text);
  WriteTicketString(rec, tf::kHalftone, long_text.substr(0, 1000));
  EXPECT_EQ(rec.Get(tf::kHalftone), 2);
  WriteTicketString(rec, tf::kUndefinedSourceRgb, long_text);  // now shared
  WriteTicketString(rec, tf::kHalftone, long_text);
  EXPECT_EQ(rec.Get(tf::kTrcName), 1);
  EXPECT_EQ(rec.Get(tf::kHalftone), 2);
  EXPECT_EQ(rec.Get(tf::kUndefinedSourceRgb), 2);
  EXPECT_EQ(count(), 2);
  ASSERT_EQ(rec.strings.size(), 2u);
  EXPECT_EQ(rec.strings.at(1), long_text.substr(0, 1000));
  WriteTicketString(rec, tf::kHalftone, "");  // still released as before
  EXPECT_EQ(rec.Get(tf::kHalftone), 0);
  EXPECT_EQ(count(), 2);
}

TEST_F(TicketStrings, EmptyTextReleasesTheStringAndLeavesZero) {
  WriteTicketString(rec, tf::kTrcName, "one");
  WriteTicketString(rec, tf::kHalftone, "two");
  WriteTicketString(rec, tf::kTrcName, "");
  EXPECT_EQ(rec.Get(tf::kTrcName), 0);
  EXPECT_EQ(rec.Get(tf::kHalftone), 1);
  EXPECT_EQ(count(), 1);
  WriteTicketString(rec, tf::kTrcName, "");  // nothing to release
  EXPECT_EQ(count(), 1);
}

TEST_F(TicketStrings, TextsAreCutTo1000Characters) {
  const std::string long_text(1001, 'x');
  WriteTicketString(rec, tf::kTrcName, long_text);
  EXPECT_EQ(Read(tf::kTrcName), long_text.substr(0, 1000));
  EXPECT_EQ(AddTicketString(rec.strings, long_text.substr(0, 1000)), 1);
  // The long text itself is the same string too, so the table never holds
  // two equal texts.
  EXPECT_EQ(AddTicketString(rec.strings, long_text), 1);
  EXPECT_EQ(rec.strings.size(), 1u);
}

TEST_F(TicketStrings, ComparisonIsCaseSensitive) {
  EXPECT_EQ(AddTicketString(rec.strings, "Swop"), 1);
  EXPECT_EQ(AddTicketString(rec.strings, "swop"), 2);
  EXPECT_EQ(AddTicketString(rec.strings, "Swop"), 1);
}

TEST_F(TicketStrings, ReadsAtZeroAndPastTheEnd) {
  WriteTicketString(rec, tf::kTrcName, "first");
  WriteTicketString(rec, tf::kHalftone, "second");
  std::string out = "stale";
  EXPECT_TRUE(ReadTicketString(rec, 0, out));
  EXPECT_EQ(out, "");
  out = "stale";
  EXPECT_FALSE(ReadTicketString(rec, 3, out));
  EXPECT_EQ(out, "");
  // The raw lookup treats 0 as the first string; callers never pass it.
  EXPECT_TRUE(GetTicketStringAt(rec.strings, 0, out));
  EXPECT_EQ(out, "first");
  EXPECT_TRUE(GetTicketStringAt(rec.strings, 2, out));
  EXPECT_EQ(out, "second");
  EXPECT_FALSE(GetTicketStringAt(rec.strings, 3, out));
  EXPECT_FALSE(RemoveTicketStringAt(rec.strings, 0));
  EXPECT_FALSE(RemoveTicketStringAt(rec.strings, 3));
  EXPECT_TRUE(RemoveTicketStringAt(rec.strings, 1));
  EXPECT_TRUE(GetTicketStringAt(rec.strings, 1, out));
  EXPECT_EQ(out, "second");
  EXPECT_EQ(AddTicketString(rec.strings, "first"), 2);  // the index follows the removal
}

TEST_F(TicketStrings, OnlyUsedPageOverridesTakePart) {
  const auto field0 = At(OverrideOffset(0), override_field::kTrcName);
  const auto field1 = At(OverrideOffset(1), override_field::kHalftone);
  rec.Set(tf::kPageOverrideCount, 1);
  WriteTicketString(rec, tf::kTrcName, "a");
  WriteTicketString(rec, tf::kHalftone, "b");
  WriteTicketString(rec, field0, "b");
  rec.Set(field1, 2);  // record 1 is not in use
  EXPECT_TRUE(IsTicketStringShared(rec, 2));
  EXPECT_FALSE(IsTicketStringShared(rec, 1));

  RenumberTicketStrings(rec, 1);
  EXPECT_EQ(rec.Get(tf::kHalftone), 1);
  EXPECT_EQ(rec.Get(field0), 1);
  EXPECT_EQ(rec.Get(field1), 2);        // untouched
  EXPECT_EQ(rec.Get(tf::kTrcName), 1);  // equal to the removed index: left alone
}

TEST_F(TicketStrings, DamagedOverrideCountIsBoundedByTheRecord) {
  rec.Set(tf::kPageOverrideCount, 0xFFFF);
  EXPECT_EQ(rec.OverridesInUse(), 250u);
  const auto last = At(OverrideOffset(249), override_field::kColorEmulationName);
  // Where a 251st record would hold its first reference field lies the
  // inserted-sheet area; it must never be counted or renumbered.
  const auto beyond = At(OverrideOffset(250), override_field::kDestinationProfileFront);
  rec.Set(last, 7);
  rec.Set(beyond, 7);
  EXPECT_FALSE(IsTicketStringShared(rec, 7));
  rec.Set(tf::kTrcName, 7);
  EXPECT_TRUE(IsTicketStringShared(rec, 7));
  RenumberTicketStrings(rec, 3);
  EXPECT_EQ(rec.Get(last), 6);
  EXPECT_EQ(rec.Get(beyond), 7);
}

}  // namespace
}  // namespace ovrabjt
