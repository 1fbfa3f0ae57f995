#include "prefs/prefs_documents.h"

#include "xml/velmor_xml_data_stream.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt {

namespace {

// Reads a document from `source` into a new list; null on failure.
template <typename Source>
std::unique_ptr<AttrNodeList> ReadList(Source& source, std::optional<OvraParseException>* error) {
  auto list = std::make_unique<AttrNodeList>();
  try {
    source.Read(*list);
  } catch (const OvraParseException& e) {
    if (error) *error = e;
    return nullptr;
  }
  return list;
}

}  // namespace

std::unique_ptr<AttrNodeList> ReadCapabilities(const char* buffer, std::int32_t length,
                                               std::optional<OvraParseException>* error,
                                               const ReleaseProfile& release) {
  if (length < 0) return nullptr;
  VelmorXmlDataStream source(kKespDocument, buffer, static_cast<std::uint32_t>(length));
  source.SetRelease(release);
  return ReadList(source, error);
}

std::unique_ptr<AttrNodeList> ReadMediaPreferences(const char* file_name,
                                                   std::optional<OvraParseException>* error,
                                                   const ReleaseProfile& release) {
  VelmorXmlFile source(kMediaPrefsDocument, file_name);
  source.SetRelease(release);
  return ReadList(source, error);
}

void SaveMediaPreferences(const AttrNodeList& list, const char* file_name,
                          const ReleaseProfile& release) {
  VelmorXmlFile sink(kMediaPrefsDocument, file_name);
  sink.SetRelease(release);
  sink.WriteList(list);
}

}  // namespace ovrabjt
