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
  // True when the two names are equal byte for byte (case matters).
  bool Matches(const AttrID& other) const { return name_ == other.name_; }
  bool Matches(std::string_view name) const { return name_ == name; }

 private:
  std::string name_;
};

}  // namespace ovrabjt
