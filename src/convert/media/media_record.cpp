#include "convert/media/media_record.h"

#include <cassert>
#include <cstring>

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

}  // namespace

void InitMediaRecord(const FieldView& record) {
  assert(record.size() == kMediaRecordSize);
  std::memset(record.data(), 0, kMediaRecordSize);
  record.Set(media_field::kSizeCode, media_code::kSizeNone);
  record.Set(media_field::kGrain, media_code::kGrainNotGiven);
  record.Set(media_field::kTooth, media_code::kToothNotGiven);
  record.Set(media_field::kFrontCoating, media_code::kCoatingNotGiven);
  record.Set(media_field::kBackCoating, media_code::kCoatingNotGiven);
  record.Set(media_field::kColor, media_code::kColorNotGiven);
  record.Set(media_field::kType, media_code::kTypeNotGiven);
  record.Set(media_field::kFlags, kNoWeight);
  record.Set(media_field::kReserved26, kReserved26Default);
  record.Set(media_field::kTypeCountSet, kTypeCountNotGiven);
  record.Set(media_field::kTypeCount, kTypeCountDefault);
  record.Set(media_field::kReserved30, kReserved30Default);
  record.Set(media_field::kHoleCode, kHoleNone);
}

}  // namespace ovrabjt
