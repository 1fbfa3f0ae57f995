#include "support/attr_text.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "attr/attr_value_factory.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt::testing {

namespace {

bool IsListSyntax(std::string_view syntax) {
  return syntax == "collection" || syntax == "1setOf" || syntax == "rangeOfInteger" ||
         syntax == "resolution";
}

}  // namespace

std::unique_ptr<AttrNodeList> ParseAttrText(std::string_view text) {
  auto top = std::make_unique<AttrNodeList>();
  std::vector<AttrNodeList*> levels{top.get()};
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    const std::size_t indent = line.find_first_not_of(' ');
    if (indent == std::string_view::npos) continue;
    const std::size_t depth = indent / 2;
    if (indent % 2 || depth >= levels.size()) throw std::invalid_argument(std::string(line));
    levels.resize(depth + 1);
    line.remove_prefix(indent);
    const std::size_t a = line.find(' ');
    const std::string_view name = line.substr(0, a);
    std::string_view rest = a == std::string_view::npos ? "" : line.substr(a + 1);
    const std::size_t b = rest.find(' ');
    const std::string_view syntax = rest.substr(0, b);
    const std::string_view value = b == std::string_view::npos ? "" : rest.substr(b + 1);
    if (IsListSyntax(syntax)) {
      auto list = std::make_unique<IppList>();
      list->SetSyntaxName(syntax);
      list->SetMembers(std::make_unique<AttrNodeList>());
      AttrNodeList* members = list->GetMembers();
      levels.back()->Append(name, std::move(list));
      levels.push_back(members);
    } else {
      levels.back()->Append(name, AttrValueFactory::CreateValue(syntax, value));
    }
  }
  return top;
}

std::unique_ptr<TicketRecord> LoadAttrText(std::string_view text) {
  auto record = TicketRecord::Allocate();
  InitTicketRecord(*record);
  ReadTicketAttributes(*ParseAttrText(text), *record);
  return record;
}

}  // namespace ovrabjt::testing
