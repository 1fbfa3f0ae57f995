#include "convert/media/media_record.h"

#include <array>
#include <cassert>
#include <cstring>

#include "convert/field_defaults.h"
#include "vocabulary/media_vocabulary.h"

namespace ovrabjt {

namespace {

// Defaults that no keyword stands for. The two bytes the conversion does not
// use get what the driver writes in an untouched record.
constexpr std::uint8_t kNoWeight = media_flag::kWeight;
constexpr std::uint8_t kTypeCountNotGiven = 2;
constexpr std::uint8_t kTypeCountDefault = 5;
constexpr std::uint8_t kHoleNone = 1;
constexpr std::uint8_t kReserved26Default = 8;
constexpr std::uint8_t kReserved30Default = 1;

constexpr auto kMediaDefaults = std::to_array<FieldDefault>({
    {media_field::kSizeCode, media_code::kSizeNone},
    {media_field::kGrain, media_code::kGrainNotGiven},
    {media_field::kTooth, media_code::kToothNotGiven},
    {media_field::kFrontCoating, media_code::kCoatingNotGiven},
    {media_field::kBackCoating, media_code::kCoatingNotGiven},
    {media_field::kColor, media_code::kColorNotGiven},
    {media_field::kType, media_code::kTypeNotGiven},
    {media_field::kFlags, kNoWeight},
    {media_field::kReserved26, kReserved26Default},
    {media_field::kTypeCountSet, kTypeCountNotGiven},
    {media_field::kTypeCount, kTypeCountDefault},
    {media_field::kReserved30, kReserved30Default},
    {media_field::kHoleCode, kHoleNone},
});
static_assert(InRecordOrder(kMediaDefaults));

}  // namespace

void InitMediaRecord(const FieldView& record) {
  assert(record.size() == kMediaRecordSize);
  std::memset(record.data(), 0, kMediaRecordSize);
  WriteDefaults(record, kMediaDefaults);
}

}  // namespace ovrabjt
