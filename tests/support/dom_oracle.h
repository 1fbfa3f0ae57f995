// The oracle of the streaming writer: a document built element by element
// in the XML library's tree, then written by the parser's writer. The
// shipped library writes a list straight to text (VelmorDomDoc::WriteListTo)
// without building its elements; the tests and the measurements hold those
// bytes and failures to this path's, which the module itself never takes.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include "attr/attr_node_list.h"
#include "xml/velmor_dom_doc.h"

namespace ovrabjt::testing {

// BuildFrom - parses the document's template, then appends one element per
// attribute of `list`, in order, under its group element (created at the end
// of the root when first needed). Raises code 6 (detail: the attribute's
// name) when the library refuses an element, and code 7 for a name outside
// the document's groups.
void BuildFrom(VelmorDomDoc& document, const AttrNodeList& list);

// WriteTo - writes the built document as XML text through `output` (codes 3, 4).
void WriteTo(VelmorDomDoc& document, XmlOutputCallback& output);

}  // namespace ovrabjt::testing
