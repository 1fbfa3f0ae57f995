// The folder of the ovra document types, and the name each ovra document is
// parsed under so that its document type is found there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands.h"

namespace ovrabjt::cli {

// DefaultDtdFolders - where the tool looks for the document types when no
// --dtd-dir is given, in this order: its own data folder (../share/ovrabjt
// from the folder the tool lies in), the folder it was built to be installed
// in, and, only for a tool run from the folder it was built in, the source
// tree's data/. Without duplicates.
std::vector<std::string> DefaultDtdFolders();

// FindDefaultDtdFolder - the first default folder that holds `dtd`; empty
// when none does.
std::string FindDefaultDtdFolder(std::string_view dtd);

// DescribeDtdFolder - for --help: the folder the release's document type is
// taken from, or that none of the default folders holds it.
std::string DescribeDtdFolder();

// DtdFolder - the folder given with --dtd-dir, which must hold the document
// type (else UsageError); without one, the first default folder that holds
// it, else RunFailure naming the folders looked in.
std::string DtdFolder(const GlobalOptions& global);

// OvraBaseName - the name the ovra document `path` is parsed under: its file
// name in the document-type folder ("stream.xml" for standard input or output).
std::string OvraBaseName(const GlobalOptions& global, std::string_view path);

}  // namespace ovrabjt::cli
