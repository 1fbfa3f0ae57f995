// What the fuzz targets share: the name under which ovra documents are
// parsed, an output that keeps the text, and a check that aborts (so that
// libFuzzer keeps the input) when a property fails.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ovrabjt::fuzz {

// A name in the folder that holds the ovra document type.
const char* OvraBaseName();

// Check - aborts with `what` when `ok` is false.
void Check(bool ok, std::string_view what);

// MustSucceed - runs `step`; an OvraParseException from it aborts with `what`
// and the error's code.
void MustSucceed(const std::function<void()>& step, std::string_view what);

}  // namespace ovrabjt::fuzz
