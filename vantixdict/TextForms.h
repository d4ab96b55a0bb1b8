// The forms a phrase or associated-word file comes in: the stored form that the phrase tool
// imports and exports (UTF-16 little-endian, no byte-order mark, CR LF), UTF-8 text for ordinary
// editors (with or without byte-order mark, LF or CR LF), and UTF-16 big-endian text with its
// byte-order mark, which the import also reads. All are turned into the same UTF-16 units, which
// is what the import parses.
#pragma once

#include "Utf8.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

enum class TextForm { Stored, Utf8, Utf16BigEndian };

// "the stored form (UTF-16LE)", "UTF-8 text", "UTF-16BE text"
const char* TextFormName(TextForm form);

// The form the bytes are in, or why it cannot be told:
//  - a UTF-8 byte-order mark (EF BB BF) means UTF-8 text;
//  - FF FE (the UTF-16LE byte-order mark) means the stored form, whose import reads the mark as
//    part of the first line; FE FF means UTF-16BE text, which the import reads without the mark;
//  - no zero byte and valid UTF-8 means UTF-8 text (an empty file is in the stored form);
//  - zero bytes mostly at odd offsets (ASCII keys, TAB, CR and LF as UTF-16LE units) mean the
//    stored form; mostly at even offsets, UTF-16 big-endian without its mark, which is refused
//    (the import would take it for UTF-16LE);
//  - anything else is undecided.
struct FormGuess {
    std::optional<TextForm> form;
    std::string whyNot;  // when there is no form
};
FormGuess GuessTextForm(std::string_view bytes);

// The same without reading all of a text that has no zero byte: it is taken to be UTF-8, and
// the caller that decodes it anyway reports NotUtf8Text when it is not. Saves a pass over large
// files.
FormGuess GuessTextFormQuickly(std::string_view bytes);
std::string NotUtf8Text(std::string_view bytes, const Utf8Error& error);

// The stored form's units: pairs of bytes, low byte first; an odd last byte is ignored, as the
// import ignores it.
std::u16string UnitsFromStoredBytes(std::string_view bytes);

// The same for bytes already held in UTF-16 storage: keeps the whole units and puts them in the
// host's byte order.
void StoredUnitsInPlace(std::u16string& storage, std::size_t byteCount);
std::string StoredBytesFromUnits(std::u16string_view units);

// UTF-16BE text of units: the byte-order mark FE FF, then each unit high byte first.
std::string BigEndianBytesFromUnits(std::u16string_view units);

// The stored form's bytes of units without a copy where the host is little-endian (scratch holds
// them otherwise): what the output of a large file is written from.
std::string_view StoredBytesOf(const std::u16string& units, std::string& scratch);

// UTF-8 text as it would be stored: the byte-order mark dropped and every LF that does not follow
// a CR turned into CR LF. Everything else, a lone CR included, is kept as it is.
struct Utf8Reading {
    std::u16string units;
    bool hadByteOrderMark = false;
    bool firstLineEndWasCrLf = false;  // the style to keep when writing the text back
    bool valid = true;
    Utf8Error error;                   // when not valid
    std::size_t errorLine = 0;         // 1-based line of the error
};
Utf8Reading ReadUtf8Text(std::string_view bytes);

struct Utf8Style {
    bool byteOrderMark = false;
    bool crlf = false;  // CR LF line ends; LF otherwise
};

// Writes units as UTF-8 text: each CR LF becomes the style's line end, everything else is
// encoded as it is. The caller has made sure that the units can be written (no unpaired
// surrogate, no LF outside a CR LF, no CR followed by anything but LF, no U+0000, no U+FEFF at
// the start), so that ReadUtf8Text gives them back unchanged.
void WriteUtf8Text(std::ostream& stream, std::u16string_view units, Utf8Style style);
std::string Utf8TextFromUnits(std::u16string_view units, Utf8Style style);
