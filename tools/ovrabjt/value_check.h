// Values of a document that do not take effect as written: the conversion
// reads them leniently (a keyword outside its table leaves the field as it
// was, a number's text is read up to its first other character, a value of
// an unknown syntax is dropped), and the tool says so. The check reads the
// document's own text with the conversion's vocabulary tables; it changes
// nothing the conversion does.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "document_values.h"
#include "releases/release_profile.h"

namespace ovrabjt::cli {

struct ValueWarning {
  std::string where;  // the value's path: "copies", "page-overrides/value[2]/sides"
  std::string what;   // "'twenty-five' is not an integer; read as 0"
};

// CheckValues - one warning for each value of a document of `kind` that
// does not take effect as written in `release`, in document order.
std::vector<ValueWarning> CheckValues(const std::vector<DocumentValue>& values, DocumentKind kind,
                                      const ReleaseProfile& release);

// DocumentWarnings - CheckValues on the document `text` of `kind`, parsed
// under `base_name` in the active release; none when it does not parse
// (the conversion has said why by then).
std::vector<ValueWarning> DocumentWarnings(std::string_view text, DocumentKind kind,
                                           const std::string& base_name);

// The --strict flag of the subcommands that read documents; a document it
// refuses ends the run with `exit_code`.
void AddStrictFlag(CLI::App& command, bool& strict, int exit_code = kExitFailed);

// ReportValueWarnings - prints each warning about the document `shown` on
// standard error ("ovrabjt: warning: 'job.xml': copies: ..."). With
// `strict` and any warning, the sentence that refuses the document ("'x':
// 2 values do not take effect as written (--strict)"); else nothing.
std::optional<std::string> ReportValueWarnings(const std::vector<ValueWarning>& warnings,
                                               const std::string& shown, bool strict);

// CheckDocumentValues - ReportValueWarnings of the DocumentWarnings of
// `text`: false, with the sentence that refuses it in `error`, when `strict`
// refuses the document.
bool CheckDocumentValues(std::string_view text, DocumentKind kind, const std::string& base_name,
                         const std::string& shown, bool strict, std::string& error);

}  // namespace ovrabjt::cli
