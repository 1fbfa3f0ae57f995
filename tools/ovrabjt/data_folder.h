// The folder of the ovra document type, and the name each ovra document is
// parsed under so that its document type is found there.
#pragma once

#include <string>
#include <string_view>

#include "commands.h"

namespace ovrabjt::cli {

// DtdFolder - the folder given with --dtd-dir, which must hold the document
// type (else UsageError); without one, the installed data folder when it
// holds the document type, else the source tree's data folder.
std::string DtdFolder(const GlobalOptions& global);

// OvraBaseName - the name the ovra document `path` is parsed under: its file
// name in the document-type folder ("stream.xml" for standard input or output).
std::string OvraBaseName(const GlobalOptions& global, std::string_view path);

}  // namespace ovrabjt::cli
