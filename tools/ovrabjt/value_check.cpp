#include "value_check.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

#include "attr/attr_value.h"
#include "commands.h"
#include "convert/code_table.h"
#include "value_rules.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt::cli {

namespace {

using Shape = DocumentValue::Shape;

bool IsScalarSyntax(std::string_view syntax) {
  for (SyntaxCode code : {kSyntaxInteger, kSyntaxEnum, kSyntaxName, kSyntaxKeyword, kSyntaxText,
                          kSyntaxMimeMediaType, kSyntaxUri})
    if (syntax == ScalarSyntaxName(code)) return true;
  return syntax == "boolean";
}

bool IsIntegerSyntax(std::string_view syntax) {
  return syntax == ScalarSyntaxName(kSyntaxInteger) || syntax == ScalarSyntaxName(kSyntaxEnum);
}

// The syntaxes whose text the keyword readers take (not uri).
bool IsKeywordSyntax(std::string_view syntax) {
  for (SyntaxCode code : {kSyntaxName, kSyntaxKeyword, kSyntaxText, kSyntaxMimeMediaType})
    if (syntax == ScalarSyntaxName(code)) return true;
  return false;
}

// Whether the text is a number as written, one that reads as itself.
bool IsPlainInteger(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return false;
  const std::int32_t value = ParseDecimal(text);
  return value != std::numeric_limits<std::int32_t>::max() &&
         value != std::numeric_limits<std::int32_t>::min();
}

std::string Listed(const Words& words) {
  std::string text;
  for (std::string_view word : words) text += (text.empty() ? "" : ", ") + std::string(word);
  return text;
}

std::string Listed(const Numbers& numbers) {
  std::string text;
  for (std::int32_t number : numbers) text += (text.empty() ? "" : ", ") + std::to_string(number);
  return text;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

class Checker {
 public:
  Checker(const ReleaseProfile& release, DocumentKind kind) : release_(release), kind_(kind) {}

  void CheckList(const std::vector<DocumentValue>& values, std::string_view parent,
                 const std::string& path) {
    std::size_t values_seen = 0;
    std::vector<std::string> names;
    for (const DocumentValue& value : values) {
      std::size_t occurrence = 0;
      for (const std::string& name : names) occurrence += name == value.name;
      names.push_back(value.name);
      std::string where = path.empty() ? value.name : path + "/" + value.name;
      if (value.name == "value") where += "[" + std::to_string(++values_seen) + "]";
      Check(value, parent, where, occurrence);
    }
  }

  std::vector<ValueWarning> warnings;

 private:
  void Warn(const std::string& where, std::string what) {
    warnings.push_back({where, std::move(what)});
  }

  void Check(const DocumentValue& value, std::string_view parent, const std::string& where,
             std::size_t occurrence) {
    if (value.shape == Shape::kSkipped) {
      Warn(where, "an element without a syntax; skipped with what it holds");
      return;
    }
    if (value.shape == Shape::kNothing) {
      Warn(where, "an element without content; read as nothing");
      return;
    }
    if (kind_ == kOvraDocument && parent.empty() && !release_.KnowsAttribute(value.name)) {
      Warn(where,
           "not in the vocabulary of release " + std::string(release_.file_version) + "; ignored");
      return;
    }
    const ValueRule* rule = FindRule(parent, value.name);
    if (rule != nullptr && rule->read_in != nullptr && !rule->read_in(release_)) {
      Warn(where, "not read in release " + std::string(release_.file_version) + "; ignored");
      return;
    }
    const Expect expect = rule != nullptr ? rule->expect : Expect::kAnyValue;
    if (value.shape == Shape::kList) {
      CheckListValue(value, rule, where, occurrence);
      return;
    }
    const std::string reads_as_index = "read as " + std::to_string(occurrence);
    if (!IsScalarSyntax(value.syntax)) {
      Warn(where, "unknown syntax " + Quoted(value.syntax) + "; its text " + Quoted(value.text) +
                      " is dropped" +
                      (expect == Expect::kInteger ? " and the value " + reads_as_index : ""));
      return;
    }
    if (IsIntegerSyntax(value.syntax)) {
      const std::int32_t number = ParseDecimal(value.text);
      if (!IsPlainInteger(value.text)) {
        Warn(where, Quoted(value.text) + " is not an integer; read as " + std::to_string(number));
        return;
      }
      if (expect == Expect::kKeyword) Warn(where, "an integer, not a keyword; ignored");
      if (expect == Expect::kRange) Warn(where, "an integer, not a range; ignored");
      if (expect == Expect::kNumberSet) CheckNumber(*rule, where, number);
      return;
    }
    if (value.syntax == "boolean") {
      for (std::string_view word : {"true", "1", "yes", "false", "0", "no"})
        if (value.text == word) return;
      Warn(where, Quoted(value.text) + " is not a boolean; read as false");
      return;
    }
    switch (expect) {
      case Expect::kInteger:
      case Expect::kNumberSet:
        Warn(where, "a " + value.syntax + ", not an integer; " +
                        (expect == Expect::kInteger ? reads_as_index : "ignored"));
        break;
      case Expect::kRange:
        Warn(where, "a " + value.syntax + ", not a range; ignored");
        break;
      case Expect::kKeyword:
        CheckKeyword(*rule, value, where);
        break;
      case Expect::kAnyValue:
        break;
    }
  }

  void CheckListValue(const DocumentValue& value, const ValueRule* rule, const std::string& where,
                      std::size_t occurrence) {
    if (rule != nullptr && rule->expect == Expect::kRange) {
      for (std::string_view bound : {"lower-bound", "upper-bound"}) {
        bool found = false;
        for (const DocumentValue& member : value.members) found = found || member.name == bound;
        if (!found) Warn(where, "a range without " + Quoted(bound) + "; that bound is not set");
      }
    } else if (rule != nullptr && rule->expect != Expect::kAnyValue) {
      Warn(where, "a collection, not a single value; " +
                      (rule->expect == Expect::kInteger ? "read as " + std::to_string(occurrence)
                                                        : std::string("ignored")));
      return;
    }
    CheckList(value.members, value.name, where);
  }

  void CheckKeyword(const ValueRule& rule, const DocumentValue& value, const std::string& where) {
    if (!IsKeywordSyntax(value.syntax)) {
      Warn(where, "a " + value.syntax + ", not a keyword; ignored");
      return;
    }
    const Words words = rule.words(release_);
    for (std::string_view word : words)
      if (EqualsIgnoreAsciiCase(word, value.text)) return;
    Warn(where,
         Quoted(value.text) + " is not one of its keywords (" + Listed(words) + "); ignored");
  }

  void CheckNumber(const ValueRule& rule, const std::string& where, std::int32_t number) {
    const Numbers numbers = rule.numbers(release_);
    for (std::int32_t known : numbers)
      if (known == number) return;
    Warn(where, std::to_string(number) + " is not one of " + Listed(numbers) + "; ignored");
  }

  const ReleaseProfile& release_;
  DocumentKind kind_;
};

}  // namespace

std::vector<ValueWarning> CheckValues(const std::vector<DocumentValue>& values, DocumentKind kind,
                                      const ReleaseProfile& release) {
  Checker checker(release, kind);
  checker.CheckList(values, "", "");
  return std::move(checker.warnings);
}

void AddStrictFlag(CLI::App& command, bool& strict, int exit_code) {
  command.add_flag("--strict", strict,
                   "Fail (exit code " + std::to_string(exit_code) +
                       ") when a value of the document does not take effect as written; "
                       "without it such values are warned about on standard error");
}

std::vector<ValueWarning> DocumentWarnings(std::string_view text, DocumentKind kind,
                                           const std::string& base_name) {
  try {
    return CheckValues(ParseDocumentValues(text, kind, base_name, ActiveRelease()), kind,
                       ActiveRelease());
  } catch (const OvraParseException&) {
    return {};
  }
}

std::optional<std::string> ReportValueWarnings(const std::vector<ValueWarning>& warnings,
                                               const std::string& shown, bool strict) {
  for (const ValueWarning& warning : warnings)
    std::fprintf(stderr, "ovrabjt: warning: %s: %s: %s\n", shown.c_str(), warning.where.c_str(),
                 warning.what.c_str());
  if (warnings.empty() || !strict) return std::nullopt;
  return shown + ": " + std::to_string(warnings.size()) +
         (warnings.size() == 1 ? " value does" : " values do") +
         " not take effect as written (--strict)";
}

bool CheckDocumentValues(std::string_view text, DocumentKind kind, const std::string& base_name,
                         const std::string& shown, bool strict, std::string& error) {
  const auto refused = ReportValueWarnings(DocumentWarnings(text, kind, base_name), shown, strict);
  if (refused) error = *refused;
  return !refused;
}

}  // namespace ovrabjt::cli
