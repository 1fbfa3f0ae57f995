#include "xml/ovra_parse_exception.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace ovrabjt {
namespace {

TEST(OvraErrorCodes, EachOfTheTwentyFiveHasItsOwnLowerCaseDescription) {
  std::set<std::string> seen;
  for (int value = kFirstOvraErrorCode; value <= kLastOvraErrorCode; ++value) {
    const std::string text = DescribeOvraError(static_cast<OvraErrorCode>(value));
    SCOPED_TRACE(value);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, "unknown error code");
    // Lower case apart from names such as "XML", "DOM" and "Write".
    EXPECT_TRUE(std::islower(static_cast<unsigned char>(text[0])) || text.starts_with("XML"));
    EXPECT_TRUE(seen.insert(text).second) << text;
  }
}

TEST(OvraErrorCodes, ValuesOutsideTheTableAreUnknown) {
  for (int value : {-1, 0, 26, 32767}) {
    EXPECT_STREQ(DescribeOvraError(static_cast<OvraErrorCode>(value)), "unknown error code")
        << value;
  }
}

TEST(OvraParseExceptionTest, CarriesCodeDetailAndWhereItWasRaised) {
  const int raised_on = __LINE__ + 1;
  const OvraParseException error(OvraErrorCode::kFileCreateFailed, "out/ticket.xml");
  const OvraParseException copy = error;
  EXPECT_EQ(copy.code(), OvraErrorCode::kFileCreateFailed);
  EXPECT_EQ(static_cast<int>(copy.code()), 17);
  EXPECT_EQ(copy.detail(), "out/ticket.xml");
  EXPECT_EQ(copy.line(), static_cast<std::uint_least32_t>(raised_on));
  EXPECT_TRUE(std::string(copy.file()).ends_with("ovra_parse_exception_test.cpp"));
  EXPECT_STREQ(copy.what(), "creating the file for writing failed");
  EXPECT_EQ(FormatOvraError(copy),
            "error 17 (creating the file for writing failed): out/ticket.xml [" +
                std::string(copy.file()) + ":" + std::to_string(raised_on) + "]");
}

TEST(OvraParseExceptionTest, FormatLeavesOutAnEmptyDetail) {
  const OvraParseException error(OvraErrorCode::kOutputRefused);
  EXPECT_TRUE(error.detail().empty());
  EXPECT_TRUE(FormatOvraError(error).starts_with("error 4 (the output's Write returned false) ["));
}

}  // namespace
}  // namespace ovrabjt
