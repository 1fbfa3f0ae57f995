// The library's DOM parser with a bound on the text that entities may add to
// a document. The security manager's expansion limit counts references, not
// their size: its limit of references to one large entity would still make
// gigabytes of text out of a small document. With every internal entity's
// value bounded too, a parse expands at most the limit times that bound.
#pragma once

#include <cstddef>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/validators/DTD/DTDEntityDecl.hpp>

namespace ovrabjt {

class BoundedDomParser : public xercesc::XercesDOMParser {
 public:
  // The characters an internal general entity's value may have; far more
  // than a name or a phrase needs (the module's documents use no entities).
  static constexpr std::size_t kMaxEntityValue = 1024;

  BoundedDomParser();

  // Refuses an internal general entity whose value is longer than the bound:
  // the library reports a fatal error and the parse fails.
  void entityDecl(const xercesc::DTDEntityDecl& entity, bool is_parameter,
                  bool is_ignored) override;
};

}  // namespace ovrabjt
