// The encodings an import file may come in and how its bytes become the UTF-16 units that the
// phrase and tips parsers read. The phrase tool itself writes only UTF-16 little-endian without
// a byte-order mark, but a user who edits an exported file may save it as UTF-8 (Notepad's
// default, with or without mark) or as UTF-16 big-endian.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class TextEncoding { Utf16LittleEndian, Utf16BigEndian, Utf8 };

// The encoding named by the byte-order mark the bytes start with: EF BB BF, FF FE or FE FF.
std::optional<TextEncoding> EncodingByMark(std::string_view bytes);

// The encoding an import reads the bytes in: the one their mark names; else UTF-8 when they hold
// no zero byte and are valid UTF-8 (phrase and tips text in UTF-16 little-endian always holds
// zero bytes, as its keys, separators and line ends are ASCII); else UTF-16 little-endian.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The units the parsers read from bytes in the given encoding:
//  - UTF-16 little-endian: pairs of bytes, low byte first, an odd last byte ignored. A mark is
//    kept as the unit U+FEFF, so that it spoils the first line as it always has.
//  - UTF-16 big-endian: pairs of bytes, high byte first, an odd last byte ignored, the mark
//    dropped.
//  - UTF-8: the mark dropped, each code point one unit or a surrogate pair. A run of bytes that
//    does not decode spoils the line it stands in: that line, as the parsers walk it (up to a CR,
//    with the unit after the CR), becomes an empty line, CR LF, which both parsers count as one
//    invalid line, so none of its text is imported changed. A spoiled last line without CR is
//    left out, as the parsers ignore such a line anyway.
std::u16string DecodeText(std::string_view bytes, TextEncoding encoding);

// Why bytes are not UTF-8 at some offset (RFC 3629).
enum class Utf8Fault : unsigned char {
    StrayContinuation,  // a continuation byte without a lead byte
    InvalidByte,        // C0, C1 or F5 to FF, which never occur
    CutShortByEnd,      // the bytes end within a sequence
    CutShort,           // a sequence lacks continuation bytes
    Overlong,
    Surrogate,          // an encoded UTF-16 surrogate
    AboveUnicode,       // above U+10FFFF
};

// Decodes the code point that starts at bytes[offset] (offset < bytes.size()): returns its
// length in bytes, 1 to 4, and stores the code point, or returns 0 and stores the fault.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t offset, char32_t& codePoint,
                       Utf8Fault& fault);

// Whether all of the bytes are UTF-8.
bool IsUtf8(std::string_view bytes);

// Appends a code point (at most U+10FFFF, not a surrogate) as one unit or a surrogate pair.
void AppendUtf16(std::u16string& units, char32_t codePoint);
