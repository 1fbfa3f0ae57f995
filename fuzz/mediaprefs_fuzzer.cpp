// Media-preferences text -> attribute list -> every stock of every list ->
// each stock added again to every list -> the document written. Any text may
// be refused by the parser; a document that was read must be writable.
#include <array>
#include <cstdint>
#include <memory>

#include "attr/attr_node_list.h"
#include "fuzz_support.h"
#include "prefs/media_preferences.h"
#include "support/text_output.h"
#include "ticket/layout.h"
#include "xml/ovra_parse_exception.h"
#include "xml/velmor_xml_data_stream.h"

using namespace ovrabjt;

namespace {

// More stocks than any preference document needs; bounds the work per input.
constexpr std::uint16_t kMaxStocksVisited = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1u << 20) return 0;
  VelmorXmlDataStream reader(kMediaPrefsDocument, data, static_cast<std::uint32_t>(size));
  AttrNodeList list;
  try {
    reader.Read(list);
  } catch (const OvraParseException&) {
    return 0;
  }
  std::array<std::uint8_t, kMediaRecordSize> medium{};
  const FieldView record(medium.data(), medium.size());
  for (std::int32_t kind = 0; kind <= 5; ++kind) {
    for (std::uint16_t i = 1; i <= kMaxStocksVisited; ++i) {
      std::uint16_t index = i;
      const bool answered = PopulateStockFromAttrList(list, kind, index, record);
      if (kind < 1 || kind > 4) {
        fuzz::Check(!answered && index == i, "an unknown list kind gives false");
        break;
      }
      if (answered && index == 0) break;  // the end of the list
      fuzz::Check(index == i, "a stock keeps its index");
      for (std::int32_t to = 1; to <= 4; ++to) {
        AddStockToMPSContents(list, to, ConstFieldView(medium.data(), medium.size()));
      }
    }
  }
  test::TextOutput text;
  VelmorXmlDataStream writer(kMediaPrefsDocument, &text, nullptr);
  fuzz::MustSucceed([&] { writer.WriteList(list); }, "a document that was read is written");

  VelmorXmlDataStream again(kMediaPrefsDocument, text.text.data(),
                            static_cast<std::uint32_t>(text.text.size()));
  AttrNodeList reread;
  fuzz::MustSucceed([&] { again.Read(reread); }, "a document the module wrote reads back");
  return 0;
}
