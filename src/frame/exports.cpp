// The module's exported functions. Each checks its pointers, calls the core
// and turns every failure, of whatever kind, into 0 or null: nothing the
// module raises may reach the driver.
#include <ovrabjt/ovrabjt.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "frame/ticket_documents.h"
#include "platform/code_page.h"
#include "platform/path_text.h"
#include "prefs/capabilities.h"
#include "prefs/media_preferences.h"
#include "prefs/prefs_documents.h"
#include "ticket/layout.h"

// The public media record is the media table's record, byte for byte.
static_assert(sizeof(MediaRecord) == ovrabjt::kMediaRecordSize);
static_assert(offsetof(MediaRecord, sizeCode) == ovrabjt::media_field::kSizeCode.offset);
static_assert(offsetof(MediaRecord, grain) == ovrabjt::media_field::kGrain.offset);
static_assert(offsetof(MediaRecord, tooth) == ovrabjt::media_field::kTooth.offset);
static_assert(offsetof(MediaRecord, frontCoating) == ovrabjt::media_field::kFrontCoating.offset);
static_assert(offsetof(MediaRecord, backCoating) == ovrabjt::media_field::kBackCoating.offset);
static_assert(offsetof(MediaRecord, color) == ovrabjt::media_field::kColor.offset);
static_assert(offsetof(MediaRecord, type) == ovrabjt::media_field::kType.offset);
static_assert(offsetof(MediaRecord, shortEdge) == ovrabjt::media_field::kShortEdge.offset);
static_assert(offsetof(MediaRecord, longEdge) == ovrabjt::media_field::kLongEdge.offset);
static_assert(offsetof(MediaRecord, weight) == ovrabjt::media_field::kWeight.offset);
static_assert(offsetof(MediaRecord, flags) == ovrabjt::media_field::kFlags.offset);
static_assert(offsetof(MediaRecord, typeCountSet) == ovrabjt::media_field::kTypeCountSet.offset);
static_assert(offsetof(MediaRecord, typeCount) == ovrabjt::media_field::kTypeCount.offset);
static_assert(offsetof(MediaRecord, tabCount) == ovrabjt::media_field::kTabCount.offset);
static_assert(offsetof(MediaRecord, holeCode) == ovrabjt::media_field::kHoleCode.offset);
static_assert(offsetof(MediaRecord, description) == ovrabjt::media_field::kDescription.offset);
static_assert(offsetof(MediaRecord, colorName) == ovrabjt::media_field::kColorName.offset);
static_assert(offsetof(MediaRecord, typeName) == ovrabjt::media_field::kTypeName.offset);

// The header's constants are the record's.
static_assert(OVRABJT_TICKET_SIZE == ovrabjt::kTicketSize);
static_assert(OVRABJT_NO_MEDIUM == ovrabjt::kNoMedia);

namespace {

using ovrabjt::FieldView;

FieldView MediaBytes(MediaRecord* record) {
  return {reinterpret_cast<std::uint8_t*>(record), sizeof(MediaRecord)};
}

// A caller's narrow file name (null for none) as the module's path, which
// must live while the call runs.
struct CallerPath {
  explicit CallerPath(const char* name)
      : text(name ? ovrabjt::NarrowPathToUtf8(name) : std::string()), given(name != nullptr) {}
  const char* get() const { return given ? text.c_str() : nullptr; }
  std::string text;
  bool given;
};

// Runs `body`; any exception becomes `failure`.
template <typename T, typename Body>
T Guarded(T failure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// The first call of LoadOvra: makes the packed ticket in a block of the
// module's heap and tells the caller its address and size.
OvraBool LoadIntoBlock(const char* file_name, const char* base_name, void** block,
                       uint32_t* block_size) {
  std::vector<std::uint8_t> packed;
  if (!ovrabjt::LoadTicketDocument(CallerPath(file_name).get(), CallerPath(base_name).get(),
                                   packed)) {
    return 0;
  }
  void* made = std::malloc(packed.size());
  if (!made) return 0;
  std::memcpy(made, packed.data(), packed.size());
  *block = made;
  *block_size = static_cast<uint32_t>(packed.size());
  return 1;
}

// The second call: copies the block out and releases it. The pointer is
// cleared so that a repeated second call fails instead of releasing twice.
OvraBool CopyOutBlock(void* destination, void** block, uint32_t block_size) {
  if (!*block) return 0;
  std::memcpy(destination, *block, block_size);
  std::free(*block);
  *block = nullptr;
  return 1;
}

}  // namespace

extern "C" {

OvraBool LoadOvra(const char* fileName, const char* baseName, void* destination, void** block,
                  uint32_t* blockSize) {
  if (!block || !blockSize) return 0;
  if (destination) return CopyOutBlock(destination, block, *blockSize);
  return Guarded<OvraBool>(0, [&] { return LoadIntoBlock(fileName, baseName, block, blockSize); });
}

OvraBool SaveOvra(const char* fileName, const char* baseName, const void* packedTicket) {
  return Guarded<OvraBool>(0, [&] {
    return OvraBool(bool(ovrabjt::SaveTicketDocument(
        CallerPath(fileName).get(), CallerPath(baseName).get(), {packedTicket, {}})));
  });
}

OvraBool ConvertBJTToOvraStream(const char16_t* baseName, const void* packedTicket,
                                XmlOutputCallback* output) {
  return Guarded<OvraBool>(0, [&] {
    // The wide name stays whole: UTF-8 carries every character of it.
    const std::string name = baseName ? ovrabjt::Utf16ToUtf8(baseName) : std::string();
    return OvraBool(bool(ovrabjt::WriteTicketDocument(name.c_str(), {packedTicket, {}}, output)));
  });
}

void ReleaseOvraBjtANL(AttrNodeList* list) { delete list; }

AttrNodeList* GetPrinterCapInfofromBuffer(const char* buffer, int32_t length) {
  return Guarded<AttrNodeList*>(
      nullptr, [&] { return ovrabjt::ReadCapabilities(buffer, length).release(); });
}

OvraBool GetSpecificKespInfo(AttrNodeList* list, int32_t selector, int32_t slotWidth,
                             char* destination, int32_t* sizeOut) {
  if (!list) return 0;
  return Guarded<OvraBool>(0, [&] {
    return OvraBool(ovrabjt::GetSpecificKespInfo(*list, selector, slotWidth, destination, sizeOut));
  });
}

AttrNodeList* GetMediaPreferenceInfofromFile(const char* fileName) {
  return Guarded<AttrNodeList*>(
      nullptr, [&] { return ovrabjt::ReadMediaPreferences(CallerPath(fileName).get()).release(); });
}

OvraBool PopulateStockFromAttrList(AttrNodeList* list, int32_t listKind, uint16_t* index,
                                   MediaRecord* record) {
  if (!list || !index || !record) return 0;
  return Guarded<OvraBool>(0, [&] {
    return OvraBool(
        ovrabjt::PopulateStockFromAttrList(*list, listKind, *index, MediaBytes(record)));
  });
}

OvraBool AddStockToMPSContents(AttrNodeList* list, int32_t listKind, const MediaRecord* record) {
  if (!list || !record) return 0;
  return Guarded<OvraBool>(0, [&] {
    const ovrabjt::ConstFieldView media(reinterpret_cast<const std::uint8_t*>(record),
                                        sizeof(MediaRecord));
    return OvraBool(ovrabjt::AddStockToMPSContents(*list, listKind, media));
  });
}

AttrNodeList* CreateEmptyMPSContents(void) {
  return Guarded<AttrNodeList*>(nullptr,
                                [] { return ovrabjt::CreateEmptyMPSContents().release(); });
}

OvraBool SaveMPSContentstoFile(AttrNodeList* list, const char* fileName) {
  if (!list) return 0;
  const bool saved = Guarded<bool>(false, [&] {
    ovrabjt::SaveMediaPreferences(*list, CallerPath(fileName).get());
    return true;
  });
  // The list is the caller's on success and released on failure, as the
  // interface has always done.
  if (!saved) delete list;
  return saved;
}

}  // extern "C"
