// The numbers the header names are the ones the library's tables use: each
// capability selector and stock list kind names its attribute, and the
// version macros are this build's release.
#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "releases/release_profile.h"
#include "ticket/layout.h"

namespace ovrabjt {
namespace {

TEST(PublicConstants, EachCapabilitySelectorNamesItsAttribute) {
  const struct {
    int selector;
    std::string_view attribute;
  } cases[] = {
      {OVRABJT_CAP_TRC, "trc-supported"},
      {OVRABJT_CAP_COLOR_DESTINATION_PROFILE_FRONT, "color-destination-profile-front-supported"},
      {OVRABJT_CAP_COLOR_DESTINATION_PROFILE_BACK, "color-destination-profile-back-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_RGB_IMAGES, "undefined-source-rgb-images-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_RGB_GRAPHICS, "undefined-source-rgb-graphics-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_RGB_TEXT, "undefined-source-rgb-text-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_CMYK_IMAGES, "undefined-source-cmyk-images-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_CMYK_GRAPHICS, "undefined-source-cmyk-graphics-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_CMYK_TEXT, "undefined-source-cmyk-text-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_CMY_IMAGES, "undefined-source-cmy-images-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_CMY_GRAPHICS, "undefined-source-cmy-graphics-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_CMY_TEXT, "undefined-source-cmy-text-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_GRAY_IMAGES, "undefined-source-gray-images-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_GRAY_GRAPHICS, "undefined-source-gray-graphics-supported"},
      {OVRABJT_CAP_UNDEFINED_SOURCE_GRAY_TEXT, "undefined-source-gray-text-supported"},
      {OVRABJT_CAP_HALFTONE_GRAPHICS, "halftone-graphics-supported"},
      {OVRABJT_CAP_FINISHING_TEMPLATE, "finishing-template-supported"},
  };
  ASSERT_EQ(std::size(cases), LatestRelease().capabilities.entries.size());
  for (const auto& c : cases)
    EXPECT_EQ(LatestRelease().capabilities.ValueOf(c.selector), c.attribute) << c.selector;
}

TEST(PublicConstants, EachStockListKindNamesItsAttribute) {
  const struct {
    int kind;
    std::string_view attribute;
  } cases[] = {
      {OVRABJT_STOCKS_MEDIA_COL_DATABASE, "media-col-database"},
      {OVRABJT_STOCKS_MEDIA_USER_DEFINED, "media-user-defined"},
      {OVRABJT_STOCKS_MEDIA_FAVORITES_USER_DEFINED, "media-favorites-user-defined"},
      {OVRABJT_STOCKS_MEDIA_FAVORITES_PRINTER, "media-favorites-printer"},
  };
  ASSERT_EQ(std::size(cases), LatestRelease().stock_lists.entries.size());
  for (const auto& c : cases)
    EXPECT_EQ(LatestRelease().stock_lists.ValueOf(c.kind), c.attribute) << c.kind;
}

TEST(PublicConstants, TheRecordsSizeAndNoMediumAreTheRecords) {
  EXPECT_EQ(OVRABJT_TICKET_SIZE, kTicketSize);
  EXPECT_EQ(OVRABJT_NO_MEDIUM, kNoMedia);
}

TEST(PublicConstants, VersionMacrosAreThisBuildsRelease) {
  EXPECT_EQ(std::string_view(OVRABJT_VERSION), BuildRelease().file_version);
  EXPECT_EQ(std::string_view(OVRABJT_DOCUMENT_TYPE), BuildRelease().ovra_dtd);
  // "3.6.09" is 3, 6, 9.
  const std::string release(BuildRelease().file_version);
  const std::size_t first = release.find('.'), second = release.rfind('.');
  EXPECT_EQ(OVRABJT_VERSION_MAJOR, std::stoi(release.substr(0, first)));
  EXPECT_EQ(OVRABJT_VERSION_MINOR, std::stoi(release.substr(first + 1, second - first - 1)));
  EXPECT_EQ(OVRABJT_VERSION_PATCH, std::stoi(release.substr(second + 1)));
  EXPECT_EQ(OVRABJT_INTERFACE_VERSION, 1);
}

}  // namespace
}  // namespace ovrabjt
