// How reports show UTF-16 text to a reader: as UTF-8, with control characters, surrogate halves
// and the byte-order mark spelled out so that nothing invisible hides in a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// "U+0031", "U+1F600": the code point in the usual notation.
std::string CodePointName(char32_t codePoint);

// A character for a message: '1' (U+0031), U+0009 (TAB), U+FEFF (byte-order mark).
std::string DescribeCharacter(char32_t codePoint);

// The text in double quotes, invisible units escaped (\t, \r, \n, \uXXXX), cut after maxUnits
// units with "..." so that a huge phrase does not flood the report.
std::string QuoteText(std::u16string_view text, std::size_t maxUnits = 40);

// "1 phrase", "2 phrases": a count with its noun.
std::string CountOf(std::size_t count, std::string_view singular, std::string_view plural);
