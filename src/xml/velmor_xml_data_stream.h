// A source and sink of XML documents in memory: reads a document's text from
// a buffer into an attribute list, and writes an attribute list as a
// document's text to an output. The document kind decides the template, the
// grouping of attributes and whether the text is validated.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "xml/dom_tree_error_reporter.h"

namespace ovrabjt {

class VelmorDomDoc;

// The kinds of document; kNoDocument is the kind of a default stream, which
// cannot read or write.
enum DocumentKind : std::int32_t {
  kOvraDocument = 1,        // job ticket (OvraDomDoc)
  kKespDocument = 2,        // printer capabilities (KespDomDoc)
  kMediaPrefsDocument = 3,  // media preferences (MediaPrefsDomDoc)
  kNoDocument = 4,
};

class VelmorXmlDataStream {
 public:
  // The system identifier of a stream that has no name.
  static constexpr const char* kDefaultName = "XmlStream";

  // A stream of kind kNoDocument, with no input, output or name.
  VelmorXmlDataStream();
  // A stream reading `length` bytes at `input` (borrowed, not copied).
  VelmorXmlDataStream(DocumentKind kind, const void* input, std::uint32_t length);
  // A stream writing to `output` (borrowed), its document called `name`
  // (null or empty for none).
  VelmorXmlDataStream(DocumentKind kind, XmlOutputCallback* output, const char* name);
  VelmorXmlDataStream(const VelmorXmlDataStream&) = delete;
  VelmorXmlDataStream& operator=(const VelmorXmlDataStream&) = delete;
  virtual ~VelmorXmlDataStream();

  // SetInput - the bytes the next Read parses (borrowed).
  virtual void SetInput(const void* bytes, std::uint32_t length);
  // SetOutput - where the next WriteList writes (borrowed; null for none).
  virtual void SetOutput(XmlOutputCallback* output);

  // Read - parses the input as a document of the stream's kind and appends
  // its attributes to `list`. Raises code 8 without input; 10 for an ovra
  // document without a name; 11 for a stream of no kind; 25 when the
  // document cannot be allocated; and the codes of parsing and reading
  // (1, 2, 5). Attributes appended before a failure stay in the list.
  virtual void Read(AttrNodeList& list);

  // WriteList - writes `list` as a document of the stream's kind to the
  // output. Raises code 9 without output; 10, 11, 25 as Read; the codes of
  // building (6, 7, and 1, 2 when the template cannot be parsed) and of
  // writing (3, 4). Nothing reaches the output when building fails.
  virtual void WriteList(const AttrNodeList& list);

  // GetName - the document's system identifier: the stream's name, or
  // "XmlStream" when it has none. Relative references in the text (the
  // ovra document type) resolve against it.
  virtual std::string GetName() const;

  // The XML library's messages from the last Read or WriteList (warnings
  // included), for diagnostics.
  const std::vector<XmlMessage>& LastMessages() const { return last_messages_; }

  DocumentKind Kind() const { return kind_; }

  // The release whose templates and vocabulary the stream's documents
  // follow; the build's release unless set.
  void SetRelease(const ReleaseProfile& release) { release_ = &release; }
  const ReleaseProfile& Release() const { return *release_; }

 protected:
  // The name given to the stream; empty when none was.
  const std::string& OwnName() const { return name_; }

 private:
  std::unique_ptr<VelmorDomDoc> CreateDocument() const;

  DocumentKind kind_ = kNoDocument;
  const void* input_ = nullptr;
  std::uint32_t input_length_ = 0;
  XmlOutputCallback* output_ = nullptr;
  std::string name_;  // an absent name counts as empty everywhere
  std::vector<XmlMessage> last_messages_;
  const ReleaseProfile* release_ = &BuildRelease();
};

}  // namespace ovrabjt
