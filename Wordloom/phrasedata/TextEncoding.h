// The encodings an import file may come in and how its bytes become the UTF-16 units that the
// phrase and tips parsers read. The phrase tool itself writes only UTF-16 little-endian without
// a byte-order mark, but a user who edits an exported file may save it as UTF-8 (Notepad's
// default, with or without mark, lines ended by CR LF or by LF alone), as Notepad's "Unicode"
// (UTF-16 little-endian with its mark) or UTF-16 big-endian, and older Traditional Chinese tools
// and editors saved Big5.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class TextEncoding { Utf16LittleEndian, Utf16BigEndian, Utf8, Big5 };

// The encoding named by the byte-order mark the bytes start with: EF BB BF, FF FE or FE FF.
std::optional<TextEncoding> EncodingByMark(std::string_view bytes);

// The encoding an import reads the bytes in: the one their mark names; else UTF-8 when they hold
// no zero byte and are valid UTF-8; else UTF-16 little-endian when they hold zero bytes (its
// keys, separators and line ends are ASCII); else Big5 when code page 950 decodes every byte.
// Nothing when the bytes fit none of these: they are not guessed at.
std::optional<TextEncoding> DetectTextEncoding(std::string_view bytes);

// The units the parsers read from an import file's bytes in the given encoding:
//  - the byte-order mark dropped, so that the first line is read like the others;
//  - every line ended by CR LF: CR LF, LF alone and CR alone each end a line, and so does the
//    end of the text for a last line that has no line end;
//  - UTF-16: pairs of bytes in the encoding's order, an odd last byte ignored;
//  - UTF-8 and Big5: bytes that do not decode spoil the line they stand in, and only that line:
//    it becomes an empty line, which both parsers count as one invalid line, so none of its
//    text is imported changed.
// The stored registry values are not read through here: their parse keeps its own line rule.
std::u16string DecodeText(std::string_view bytes, TextEncoding encoding);

// The lines of bytes that fit no encoding, counted by their ASCII line ends as above: what an
// import reports as invalid when it can read none of them.
std::size_t CountByteLines(std::string_view bytes);

// Whether code page 950 decodes every byte of the bytes.
bool IsBig5(std::string_view bytes);

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
