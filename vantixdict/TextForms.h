// The forms a phrase or associated-word file comes in, and how its bytes become the UTF-16 units
// that the import parses. The phrase tool exports the stored form (UTF-16 little-endian, no
// byte-order mark, CR LF); its import also reads UTF-8 text, UTF-16 with a byte-order mark and
// Big5. The form is told and the bytes are decoded by the core's own code
// (Wordloom/phrasedata/TextEncoding.h), so that a file reads here exactly as the import reads it.
#pragma once

#include "LineDiagnostics.h"
#include "TextEncoding.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

enum class TextForm { Stored, Utf8, Utf16BigEndian, Big5 };

// "the stored form (UTF-16LE)", "UTF-8 text", "UTF-16BE text", "Big5 text (code page 950)"
const char* TextFormName(TextForm form);

// The form's name for a file that had a byte-order mark or not: "UTF-16LE text with a
// byte-order mark" (Notepad's "Unicode"), "UTF-8 text with a byte-order mark", ...
std::string DescribeForm(TextForm form, bool byteOrderMark);

enum class LineEnd { Lf, CrLf, Cr };

// How UTF-8 text is written: with or without a byte-order mark, and the line end that each
// CR LF of the units becomes.
struct Utf8Style {
    bool byteOrderMark = false;
    LineEnd lineEnd = LineEnd::Lf;
};

// A file's bytes as the import reads them.
struct DecodedFile {
    TextForm form = TextForm::Stored;
    std::u16string units;                       // DecodeText's: every line ended by CR LF
    std::vector<UndecodedLine> undecoded;       // UTF-8, Big5: the lines read as empty, in order
    bool byteOrderMark = false;                 // the form's mark, which the import drops
    LineEnd firstLineEnd = LineEnd::Lf;         // UTF-8, Big5: the style to keep in UTF-8 output
    std::optional<unsigned char> oddLastByte;   // UTF-16 of odd length: the byte the import ignores
    bool zerosLikeBigEndian = false;            // UTF-16LE without mark whose zero bytes are where
                                                // UTF-16BE text has them
};

// Decodes the bytes in the given form, or without one in the form the import detects
// (DetectTextEncoding). Nothing when no form is given and the import detects none: it would then
// import nothing.
std::optional<DecodedFile> DecodeFile(std::string_view bytes, std::optional<TextForm> form = std::nullopt);

// Why bytes in which the import detects no encoding are in none: which line is not UTF-8, which
// is not Big5.
std::string WhyNoEncoding(std::string_view bytes);

// The stored form's units: pairs of bytes, low byte first; an odd last byte is ignored.
std::u16string UnitsFromStoredBytes(std::string_view bytes);
std::string StoredBytesFromUnits(std::u16string_view units);

// Whether the stored form's bytes of the units would start like a byte-order mark (U+FEFF,
// U+FFFE, or the bytes EF BB BF): the import would drop it or read them in another encoding.
// They are then written after the mark FF FE, which the import drops.
bool StoredFormNeedsMark(std::u16string_view units);

// UTF-16BE text of units: the byte-order mark FE FF, then each unit high byte first.
std::string BigEndianBytesFromUnits(std::u16string_view units);

// The stored form's bytes of units without a copy where the host is little-endian (scratch holds
// them otherwise): what the output of a large file is written from.
std::string_view StoredBytesOf(const std::u16string& units, std::string& scratch);

// Writes units as UTF-8 text: each CR LF becomes the style's line end, everything else is
// encoded as it is. The caller has made sure that the units can be written (no unpaired
// surrogate, no U+0000: see Utf8Obstacle) and that units starting with U+FEFF get a mark before
// it, so that DecodeFile reads them back unchanged.
void WriteUtf8Text(std::ostream& stream, std::u16string_view units, Utf8Style style);
std::string Utf8TextFromUnits(std::u16string_view units, Utf8Style style);
