// The name of an attribute.
#pragma once

#include <string>
#include <string_view>

namespace ovrabjt {

class AttrID {
 public:
  explicit AttrID(std::string_view name) : name_(name) {}
  virtual ~AttrID() = default;

  const std::string& GetName() const { return name_; }

 private:
  std::string name_;
};

}  // namespace ovrabjt
