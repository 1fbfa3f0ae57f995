// Capabilities text -> attribute list -> every selector with several slot
// widths, measured and then copied into a destination of exactly the
// measured size (so that a write past it is caught). The list read while the
// text was scanned must be the one read from the library's tree of it.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "inspect/attr_dump.h"
#include "prefs/capabilities.h"
#include "prefs/prefs_documents.h"
#include "xml/velmor_dom_doc.h"
#include "xml/velmor_xml_data_stream.h"

using namespace ovrabjt;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1u << 20) return 0;
  std::unique_ptr<AttrNodeList> list =
      ReadCapabilities(reinterpret_cast<const char*>(data), static_cast<std::int32_t>(size));
  if (!list) return 0;
  KespDomDoc tree(DocumentReach::Nowhere(VelmorXmlDataStream::kDefaultName), false);
  fuzz::MustSucceed(
      [&] {
        tree.Parse({reinterpret_cast<const char*>(data), size});
      },
      "a text read while it was scanned parses into a tree");
  AttrNodeList from_tree;
  tree.ReadInto(from_tree);
  fuzz::Check(DumpAttrList(from_tree) == DumpAttrList(*list),
              "the tree gives the attributes read while the text was scanned");
  for (std::int32_t selector = -1; selector <= 18; ++selector) {
    for (std::int32_t width : {0, 1, 2, 5, 32, 257}) {
      std::int32_t measured = -1;
      const bool known = GetSpecificKespInfo(*list, selector, width, nullptr, &measured);
      fuzz::Check(known == (selector >= 1 && selector <= 17 && width >= 1),
                  "only the known selectors with a slot width answer");
      if (!known) continue;
      fuzz::Check(measured >= 0 && measured % width == 0, "the size is whole slots");
      std::vector<char> slots(static_cast<std::size_t>(measured));
      std::int32_t copied = -1;
      fuzz::Check(GetSpecificKespInfo(*list, selector, width, slots.data(), &copied),
                  "a measured capability copies");
      fuzz::Check(copied == measured, "the copy has the measured size");
      for (std::int32_t at = 0; at < measured; at += width) {
        fuzz::Check(std::memchr(slots.data() + at, 0, static_cast<std::size_t>(width)) != nullptr,
                    "every slot holds a NUL-terminated text");
      }
    }
  }
  return 0;
}
