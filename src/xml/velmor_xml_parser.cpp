#include "xml/velmor_xml_parser.h"

#include <utility>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>

#include "platform/code_page.h"
#include "xml/library_exceptions.h"
#include "xml/ovra_parse_exception.h"
#include "xml/xml_platform.h"

namespace ovrabjt {
namespace {

// Starts the library before any member that needs it is built.
std::u16string SystemIdAfterStartingLibrary(std::string_view name) {
  EnsureXmlPlatform();
  return Utf8ToUtf16(name);
}

}  // namespace

VelmorXmlParser::VelmorXmlParser(std::string_view name, bool validate)
    : VelmorXmlParser(DocumentReach::Beside(name), validate) {}

VelmorXmlParser::VelmorXmlParser(DocumentReach reach, bool validate)
    : system_id_(SystemIdAfterStartingLibrary(reach.Name())),
      reach_(std::move(reach)),
      validate_(validate) {}

VelmorXmlParser::~VelmorXmlParser() { ReleaseParser(); }

void VelmorXmlParser::ReleaseParser() noexcept {
  if (parser_ && grammar_ && parsed_)
    grammar_->GiveBack(std::move(parser_), std::move(kept_template_));
  parser_.reset();
  grammar_.reset();
  parsed_ = false;
  kept_template_.clear();
}

// Entity references are expanded, and external entities resolve only through
// the bounded parser, as the document's reach allows: the library's own
// resolution would fetch URLs. A document that reads no file does not load
// the DTD it names, which only a validating parse needs.
void VelmorXmlParser::Configure() {
  parser_->setErrorHandler(&reporter_);
  parser_->setValidationScheme(validate_ ? xercesc::XercesDOMParser::Val_Always
                                         : xercesc::XercesDOMParser::Val_Never);
  parser_->setDoNamespaces(false);
  parser_->setCreateEntityReferenceNodes(false);
  parser_->setDisableDefaultEntityResolution(true);
  parser_->setLoadExternalDTD(reach_.ReadsFiles());
  if (grammar_) parser_->useCachedGrammarInParse(true);
}

// Each parse takes a parser of the library: one kept by the shared grammar
// of the document type the text names when there is one, else a new one;
// the previous document goes when its parser is given back.
void VelmorXmlParser::Parse(std::string_view text) { ParseText(text, false, nullptr); }

void VelmorXmlParser::Parse(std::string_view text, ElementContentSink& sink) {
  ParseText(text, false, &sink);
}

void VelmorXmlParser::ParseTemplate(std::string_view text) { ParseText(text, true, nullptr); }

// A template's document is kept with the parser only when its parse said
// nothing, so that serving it again gives the messages of a parse: none.
void VelmorXmlParser::ParseText(std::string_view text, bool is_template, ElementContentSink* sink) {
  reporter_.resetErrors();
  ReleaseParser();
  if (validate_) {
    if (const std::optional<std::u16string> type = NamedDocumentType(text))
      grammar_ = GrammarCache::Process().Find(reach_, *type);
  }
  bool parsed = false;
  if (grammar_)
    parser_ = grammar_->TakeParser(reach_, is_template ? text : std::string_view(), parsed);
  else
    parser_ = std::make_unique<BoundedDomParser>(reach_);
  Configure();
  if (parsed) {
    parsed_ = true;
    kept_template_.assign(text);
    return;
  }
  parser_->BeginParse();
  xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                    system_id_.c_str(), false);
  // The parser may be kept for other parses after this one, however it ends.
  struct OnlyThisParse {
    BoundedDomParser& parser;
    ~OnlyThisParse() {
      parser.StreamTo(nullptr);
      parser.TrustDocumentType(nullptr, nullptr);
    }
  } only_this_parse{*parser_};
  parser_->StreamTo(sink);
  if (grammar_) parser_->TrustDocumentType(&grammar_->Path(), &system_id_);
  CallLibrary(reporter_, OvraErrorCode::kParseException, [&] { parser_->parse(source); });
  if (reporter_.SawError() || reporter_.SawFatalError()) {
    throw OvraParseException(OvraErrorCode::kParseError);
  }
  parsed_ = true;
  if (is_template && grammar_ && reporter_.Messages().empty() && reporter_.DroppedMessages() == 0)
    kept_template_.assign(text);
}

xercesc::DOMDocument* VelmorXmlParser::GetDocument() const {
  return parser_ ? parser_->getDocument() : nullptr;
}

}  // namespace ovrabjt
