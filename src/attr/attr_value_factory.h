// Makes a scalar value from a syntax name and a text.
#pragma once

#include <memory>
#include <string_view>

#include "attr/attr_value.h"

namespace ovrabjt {

class AttrValueFactory {
 public:
  // A new value of the class whose syntax name equals `syntax` exactly
  // (case matters); any other name, including the list syntaxes, makes an
  // IppNull and drops the text.
  static std::unique_ptr<AttrValue> CreateValue(std::string_view syntax, std::string_view text);
};

}  // namespace ovrabjt
