// One attribute: a name and a typed value, both owned.
#pragma once

#include <memory>
#include <string>

#include "attr/attr_id.h"
#include "attr/attr_value.h"

namespace ovrabjt {

class AttrNode {
 public:
  AttrNode(std::unique_ptr<AttrID> id, std::unique_ptr<AttrValue> value)
      : id_(std::move(id)), value_(std::move(value)) {}
  virtual ~AttrNode() = default;

  const AttrID* GetId() const { return id_.get(); }
  AttrValue* GetValue() { return value_.get(); }
  const AttrValue* GetValue() const { return value_.get(); }
  const std::string& GetName() const { return id_->GetName(); }

 private:
  std::unique_ptr<AttrID> id_;
  std::unique_ptr<AttrValue> value_;
};

}  // namespace ovrabjt
