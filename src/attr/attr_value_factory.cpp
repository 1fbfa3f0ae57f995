#include "attr/attr_value_factory.h"

#include <array>

namespace ovrabjt {

namespace {

template <typename T>
std::unique_ptr<AttrValue> Make(std::string_view text) {
  return std::make_unique<T>(text);
}

struct Maker {
  std::string_view syntax;
  std::unique_ptr<AttrValue> (*make)(std::string_view text);
};

// Compared in this order; the first equal name decides.
constexpr std::array<Maker, 8> kMakers = {{
    {kInteger, Make<IppInteger>},
    {kKeyword, Make<IppKeyword>},
    {kName, Make<IppName>},
    {kEnum, Make<IppEnum>},
    {kBoolean, Make<IppBoolean>},
    {kText, Make<IppText>},
    {kMimeMediaType, Make<IppMimeMediaType>},
    {kUri, Make<IppUri>},
}};

}  // namespace

std::unique_ptr<AttrValue> AttrValueFactory::CreateValue(std::string_view syntax,
                                                         std::string_view text) {
  for (const Maker& m : kMakers)
    if (m.syntax == syntax) return m.make(text);
  return std::make_unique<IppNull>();
}

}  // namespace ovrabjt
