#include "prolog.h"

#include "diagnostics.h"
#include "platform/code_page.h"

namespace ovrabjt::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\n";

// UTF-16 bytes as UTF-8, when a byte-order mark says they are UTF-16 or
// their first character is '<' in one of its byte orders; nothing for
// other bytes.
std::optional<std::string> Utf16AsUtf8(std::string_view bytes) {
  bool little = false;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with(std::string_view("<\0", 2)))
    little = true;
  else if (!bytes.starts_with("\xFE\xFF") && !bytes.starts_with(std::string_view("\0<", 2)))
    return std::nullopt;
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(little ? first | second << 8 : first << 8 | second);
  }
  if (!units.empty() && units.front() == u'\uFEFF') units.erase(0, 1);
  return Utf16ToUtf8(units);
}

// The end of the name that starts the text.
std::size_t NameLength(std::string_view text) {
  const std::size_t end = text.find_first_of(" \t\r\n/>[\"'");
  return end == std::string_view::npos ? text.size() : end;
}

std::string_view SkipBlanks(std::string_view text) {
  const std::size_t at = text.find_first_not_of(kBlanks);
  return at == std::string_view::npos ? std::string_view() : text.substr(at);
}

// A quoted literal at the start of `text`, which moves past it; nothing
// when none stands there.
std::optional<std::string_view> TakeLiteral(std::string_view& text) {
  text = SkipBlanks(text);
  if (text.empty() || (text.front() != '"' && text.front() != '\'')) return std::nullopt;
  const std::size_t end = text.find(text.front(), 1);
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view literal = text.substr(1, end - 1);
  text.remove_prefix(end + 1);
  return literal;
}

// Reads the declaration after "<!DOCTYPE" and returns the text after its
// closing '>', skipping an internal subset with its quoted texts.
std::string_view TakeDoctype(std::string_view text, DocumentProlog& prolog) {
  prolog.has_doctype = true;
  text = SkipBlanks(text);
  text.remove_prefix(NameLength(text));
  text = SkipBlanks(text);
  const bool is_public = text.starts_with("PUBLIC");
  if (is_public || text.starts_with("SYSTEM")) {
    text.remove_prefix(6);
    if (is_public) TakeLiteral(text);
    if (const auto system_id = TakeLiteral(text)) prolog.system_id = *system_id;
  }
  char quote = 0;
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      ++depth;
    } else if (c == ']') {
      --depth;
    } else if (c == '>' && depth <= 0) {
      return text.substr(i + 1);
    }
  }
  return {};
}

std::string_view Hint(DocumentKind kind) {
  switch (kind) {
    case kOvraDocument:
      return "; 'ovrabjt from-xml' converts it into a packed ticket";
    case kKespDocument:
      return "; 'ovrabjt caps' reads it";
    case kMediaPrefsDocument:
      return "; 'ovrabjt stocks' reads it";
    case kNoDocument:
      break;
  }
  return {};
}

}  // namespace

DocumentProlog ScanProlog(std::string_view text) {
  if (const std::optional<std::string> utf8 = Utf16AsUtf8(text)) return ScanProlog(*utf8);
  DocumentProlog prolog;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  for (;;) {
    const std::size_t open = text.find('<');
    if (open == std::string_view::npos) return prolog;
    text.remove_prefix(open + 1);
    std::size_t end = std::string_view::npos;
    if (text.starts_with("!--")) {
      end = text.find("-->");
      if (end != std::string_view::npos) end += 3;
    } else if (text.starts_with('?')) {
      end = text.find("?>");
      if (end != std::string_view::npos) end += 2;
    } else if (text.starts_with("!DOCTYPE")) {
      text = TakeDoctype(text.substr(8), prolog);
      continue;
    } else if (text.starts_with('!')) {
      return prolog;
    } else {
      prolog.root = std::string(text.substr(0, NameLength(text)));
      return prolog;
    }
    if (end == std::string_view::npos) return prolog;
    text.remove_prefix(end);
  }
}

bool LooksLikeXml(std::string_view bytes) {
  if (const std::optional<std::string> utf8 = Utf16AsUtf8(bytes)) return LooksLikeXml(*utf8);
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  const std::size_t first = bytes.find_first_not_of(kBlanks);
  return first != std::string_view::npos && bytes[first] == '<';
}

std::optional<DocumentKind> KindOfRoot(std::string_view root) {
  for (DocumentKind kind : {kOvraDocument, kKespDocument, kMediaPrefsDocument})
    if (root == KindName(kind)) return kind;
  return std::nullopt;
}

std::string DescribeKind(DocumentKind kind) {
  switch (kind) {
    case kOvraDocument:
      return "an ovra job ticket";
    case kKespDocument:
      return "a capabilities (kesp) document";
    case kMediaPrefsDocument:
      return "a media-preferences (mediaprefs) document";
    case kNoDocument:
      break;
  }
  return "no document";
}

std::optional<std::string> WrongKind(std::string_view text, DocumentKind expected,
                                     std::string_view shown) {
  if (!text.empty() && !LooksLikeXml(text))
    return std::string(shown) + " is not " + DescribeKind(expected) + ": it holds no XML text" +
           (expected == kOvraDocument ? "; 'ovrabjt to-xml' converts a packed ticket into one"
                                      : "");
  const std::string root = ScanProlog(text).root;
  if (root.empty() || root == KindName(expected)) return std::nullopt;
  const std::optional<DocumentKind> kind = KindOfRoot(root);
  if (!kind)
    return std::string(shown) + " is not " + DescribeKind(expected) + ": its root element is '" +
           root + "'";
  return std::string(shown) + " is " + DescribeKind(*kind) + ", not " + DescribeKind(expected) +
         std::string(Hint(*kind));
}

std::optional<std::string> NotAPackedTicket(std::string_view bytes, std::string_view shown) {
  if (!LooksLikeXml(bytes)) return std::nullopt;
  const std::string root = ScanProlog(bytes).root;
  const std::optional<DocumentKind> kind = KindOfRoot(root);
  if (!kind) return std::string(shown) + " is an XML document, not a packed ticket";
  return std::string(shown) + " is " + DescribeKind(*kind) + ", not a packed ticket" +
         std::string(Hint(*kind));
}

}  // namespace ovrabjt::cli
