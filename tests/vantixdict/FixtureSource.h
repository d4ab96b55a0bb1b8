// The bytes of a fixture source: a first line "form: utf16" or "form: utf8", comment lines
// starting with "#", and content lines whose own line breaks are left out, with the escapes
// \t \r \n \\ \uXXXX (one UTF-16 unit) \U{XXXXXX} (a code point) \xHH (one raw byte).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Nothing, and why in error, when the source is not in that notation.
std::optional<std::string> FixtureBytes(std::string_view source, std::string& error);
