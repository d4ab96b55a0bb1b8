// Makes the golden tests' input files from readable sources, and shows written files in the same
// notation, so that no fixture or expected output has to be kept as opaque bytes.
//
//   vantixdict_fixture make SOURCE OUTPUT     build a file from a fixture source
//   vantixdict_fixture large OUTPUT BYTES     a valid phrase file of exactly BYTES bytes (even)
//   vantixdict_fixture dump utf16|utf8 FILE   print a file in the fixture notation
//
// A fixture source starts with "form: utf16" or "form: utf8"; lines starting with "#" are
// comments; the other lines are the content, their own line breaks left out. Escapes: \t \r \n
// \\ \uXXXX (one UTF-16 unit, so lone surrogates can be written), \U{XXXXXX} (a code point),
// \xHH (one raw byte). Everything else is UTF-8 text, stored in the file's form.
#include "FixtureSource.h"
#include "TextForms.h"
#include "Utf8.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

namespace {

int Fail(const std::string& message) {
    std::cerr << "vantixdict_fixture: " << message << '\n';
    return 2;
}

std::string ReadFile(const std::string& path, bool& found) {
    std::ifstream file(path, std::ios::binary);
    found = static_cast<bool>(file);
    return {std::istreambuf_iterator<char>(file), {}};
}

int Make(const std::string& sourcePath, const std::string& outputPath) {
    bool found = false;
    const std::string source = ReadFile(sourcePath, found);
    if (!found) return Fail("cannot read " + sourcePath);
    std::string error;
    const std::optional<std::string> bytes = FixtureBytes(source, error);
    if (!bytes) return Fail(sourcePath + ": " + error);
    std::ofstream(outputPath, std::ios::binary) << *bytes;
    return 0;
}

int Large(const std::string& outputPath, std::size_t size) {
    // Lines of 16 bytes (QAZ, TAB, two ideographs that differ from line to line, CR LF); the
    // last one absorbs the rest.
    std::u16string units;
    for (std::size_t line = 0; (units.size() + 8) * 2 + 16 <= size; ++line) {
        units += u"QAZ\t";
        units += static_cast<char16_t>(0x4E00 + line / 16384);
        units += static_cast<char16_t>(0x4E00 + line % 16384);
        units += u"\r\n";
    }
    units += u"A\t";
    while ((units.size() + 2) * 2 < size) units += u'\u5b57';
    units += u"\r\n";
    std::ofstream(outputPath, std::ios::binary) << StoredBytesFromUnits(units);
    return 0;
}

void DumpUnit(std::string& out, char32_t codePoint) {
    char escape[16];
    if (codePoint == u'\t') {
        out += "\\t";
    } else if (codePoint == u'\r') {
        out += "\\r";
    } else if (codePoint == u'\n') {
        out += "\\n\n";  // a real line break too, for the reader
    } else if (codePoint == u'\\') {
        out += "\\\\";
    } else if (codePoint < 0x20 || codePoint == 0x7F || codePoint == 0xFEFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(codePoint));
        out += escape;
    } else {
        AppendUtf8(out, codePoint);
    }
}

int Dump(const std::string& form, const std::string& path) {
    bool found = false;
    const std::string bytes = ReadFile(path, found);
    if (!found) {
        std::cout << "(no such file)\n";
        return 0;
    }
    std::string out;
    char escape[16];
    if (form == "utf16") {
        const std::u16string units = UnitsFromStoredBytes(bytes);
        for (const char16_t unit : units) DumpUnit(out, unit);
        if (bytes.size() % 2 != 0) {
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(bytes.back()));
            out += escape;
        }
    } else {
        for (std::size_t i = 0; i < bytes.size();) {
            char32_t codePoint = 0;
            Utf8Error error;
            const std::size_t length = DecodeUtf8CodePoint(bytes, i, codePoint, error);
            if (length == 0) {
                std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(bytes[i]));
                out += escape;
                ++i;
            } else {
                DumpUnit(out, codePoint);
                i += length;
            }
        }
    }
    if (!out.empty() && out.back() != '\n') out += "(no line break at the end)\n";
    std::cout << out;
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "make" && argc == 4) return Make(argv[2], argv[3]);
    if (mode == "large" && argc == 4) return Large(argv[2], std::stoul(argv[3]));
    if (mode == "dump" && argc == 4) return Dump(argv[2], argv[3]);
    return Fail("usage: make SOURCE OUTPUT | large OUTPUT BYTES | dump utf16|utf8 FILE");
}
