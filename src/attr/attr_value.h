// Typed attribute values: one class per IPP syntax, and IppList for
// collections, sets and ranges, which owns its member list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "vocabulary/syntax_names.h"

namespace ovrabjt {

class AttrNodeList;

// Syntax codes; the readers dispatch on them. 9 is not used.
enum SyntaxCode : std::int32_t {
  kSyntaxNull = 0,
  kSyntaxInteger = 1,
  kSyntaxEnum = 2,
  kSyntaxName = 3,
  kSyntaxKeyword = 4,
  kSyntaxBoolean = 5,
  kSyntaxText = 6,
  kSyntaxMimeMediaType = 7,
  kSyntaxUri = 8,
  kSyntaxList = 10,
};

class AttrValue {
 public:
  virtual ~AttrValue();
  // Only a list value keeps a syntax name of its own; others ignore it.
  virtual void SetSyntaxName(std::string_view name);
  // The word written as the element's "syntax".
  virtual std::string_view GetSyntaxName() const = 0;
  // The element's text content ("" for null and list values).
  virtual std::string GetText() const = 0;
  // True for name and text values, whose white space the XML keeps.
  virtual bool PreservesSpace() const { return false; }
  // Same syntax code and content; a list value is never equal to anything.
  virtual bool Equals(const AttrValue& other) const = 0;
  // A copy of the value; null for a list value, which is never copied.
  virtual std::unique_ptr<AttrValue> Clone() const = 0;

  SyntaxCode GetSyntaxCode() const { return code_; }

 protected:
  explicit AttrValue(SyntaxCode code) : code_(code) {}
  AttrValue(const AttrValue&) = default;

 private:
  SyntaxCode code_;
};

class PrimitiveInteger : public AttrValue {
 public:
  std::int32_t GetInteger() const { return value_; }
  std::string GetText() const override;
  bool Equals(const AttrValue& other) const override;

 protected:
  PrimitiveInteger(SyntaxCode code, std::string_view text);
  PrimitiveInteger(SyntaxCode code, std::int32_t value) : AttrValue(code), value_(value) {}
  PrimitiveInteger(const PrimitiveInteger&) = default;

 private:
  std::int32_t value_;
};

class PrimitiveString : public AttrValue {
 public:
  // The stored text itself (not a copy).
  const std::string& GetString() const { return value_; }
  std::string GetText() const override { return value_; }
  bool Equals(const AttrValue& other) const override;

 protected:
  PrimitiveString(SyntaxCode code, std::string_view text) : AttrValue(code), value_(text) {}
  PrimitiveString(const PrimitiveString&) = default;

 private:
  std::string value_;
};

// The word written as the "syntax" of a scalar value's element.
constexpr std::string_view ScalarSyntaxName(SyntaxCode code) {
  switch (code) {
    case kSyntaxInteger:
      return kInteger;
    case kSyntaxEnum:
      return kEnum;
    case kSyntaxName:
      return kName;
    case kSyntaxKeyword:
      return kKeyword;
    case kSyntaxText:
      return kText;
    case kSyntaxMimeMediaType:
      return kMimeMediaType;
    case kSyntaxUri:
      return kUri;
    default:
      return kNull;
  }
}

// A concrete integer or string value. Integer values read their text as a
// decimal number; string values copy it unchanged.
template <SyntaxCode Code, typename Base>
class IppScalar final : public Base {
 public:
  explicit IppScalar(std::string_view text) : Base(Code, text) {}
  // An integer or enum value of a number (the value its decimal text makes).
  explicit IppScalar(std::int32_t value) requires std::is_same_v<Base, PrimitiveInteger>
      : Base(Code, value) {}
  IppScalar(const IppScalar&) = default;
  std::string_view GetSyntaxName() const override { return ScalarSyntaxName(Code); }
  bool PreservesSpace() const override { return Code == kSyntaxName || Code == kSyntaxText; }
  std::unique_ptr<AttrValue> Clone() const override { return std::make_unique<IppScalar>(*this); }
};

using IppInteger = IppScalar<kSyntaxInteger, PrimitiveInteger>;
using IppEnum = IppScalar<kSyntaxEnum, PrimitiveInteger>;
using IppName = IppScalar<kSyntaxName, PrimitiveString>;
using IppKeyword = IppScalar<kSyntaxKeyword, PrimitiveString>;
using IppText = IppScalar<kSyntaxText, PrimitiveString>;
using IppMimeMediaType = IppScalar<kSyntaxMimeMediaType, PrimitiveString>;
using IppUri = IppScalar<kSyntaxUri, PrimitiveString>;

class IppBoolean final : public AttrValue {
 public:
  // True for exactly "true", "1" or "yes"; any other text is false.
  explicit IppBoolean(std::string_view text);
  std::string_view GetSyntaxName() const override { return kBoolean; }
  std::string GetText() const override { return value_ ? "true" : "false"; }
  bool Equals(const AttrValue& other) const override;
  std::unique_ptr<AttrValue> Clone() const override;

 private:
  bool value_;
};

class IppNull final : public AttrValue {
 public:
  IppNull() : AttrValue(kSyntaxNull) {}
  std::string_view GetSyntaxName() const override { return kNull; }
  std::string GetText() const override { return {}; }
  bool Equals(const AttrValue& other) const override;
  std::unique_ptr<AttrValue> Clone() const override;
};

// A collection, a set of values ("1setOf", the default) or a range: a syntax
// name and an owned list of members.
class IppList final : public AttrValue {
 public:
  IppList();
  ~IppList() override;
  void SetSyntaxName(std::string_view name) override { syntax_name_ = name; }
  std::string_view GetSyntaxName() const override { return syntax_name_; }
  std::string GetText() const override { return {}; }
  bool Equals(const AttrValue&) const override { return false; }
  std::unique_ptr<AttrValue> Clone() const override { return nullptr; }

  // The member list, or null; the value keeps ownership.
  AttrNodeList* GetMembers() { return members_.get(); }
  const AttrNodeList* GetMembers() const { return members_.get(); }
  // Replaces (and frees) the member list.
  void SetMembers(std::unique_ptr<AttrNodeList> members);

 private:
  std::string syntax_name_;
  std::unique_ptr<AttrNodeList> members_;
};

// The integer of a text: leading white space, an optional sign, then digits up
// to the first other character; no digits give 0. Values beyond 32 bits
// saturate to the nearest end of the range.
std::int32_t ParseDecimal(std::string_view text);

}  // namespace ovrabjt
