// What the phrase store and the associated-word store share: the registry key the input method
// reads, and reading, writing, importing and exporting a table's text form. Each store only
// names its value and its parse and format functions.
#pragma once

#include "Outcomes.h"
#include "RegistryKey.h"
#include "TableEntries.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Under HKEY_CURRENT_USER.
inline constexpr wchar_t VantixKeyPath[] = L"Software\\VantixIME";

// A table's value under the key as start-up finds it.
// Unreadable: of another type than REG_BINARY, or the read failed.
struct StoredText {
    StoredValueRead read = StoredValueRead::Missing;
    DWORD bytes = 0;              // the value's size, also when it cannot be read
    std::vector<char16_t> units;  // Read: the bytes as UTF-16 units (an odd last byte in the last one's low half)
};
StoredText ReadTextValue(const wchar_t* name);

// Asked when the value's present bytes could not be kept as a backup: whether to save anyway.
using SaveWithoutBackup = std::function<bool()>;

// Opens the key for reading and writing, creating it when absent, and writes the text as a
// REG_BINARY value of twice its length in bytes. The value's bytes are kept as a backup first;
// when that fails the save goes on only if saveWithoutBackup says so (never without it). A
// write that fails takes its backup away again.
SaveOutcome WriteTextValue(const wchar_t* name, std::u16string_view text,
                           const SaveWithoutBackup& saveWithoutBackup = nullptr);

struct ImportFile {
    ImportOutcome outcome = ImportOutcome::CannotAccess;
    std::u16string units;           // to parse: every line ended by CR LF
    std::size_t invalidLines = 0;   // NothingRead: the lines of a file in no encoding the import reads
};

// Reads an import file whole, refusing files above MaxImportFileSize bytes, and decodes it from
// the encoding it is in (DetectTextEncoding): UTF-16 little-endian as exported, UTF-8, UTF-16
// with a mark or Big5 as a text editor or another tool may have saved it. Bytes in none of
// these give NothingRead.
ImportFile ReadImportFile(const std::wstring& path);

// An import: when the file can be read, its entries replace the table through `replace` (the
// core's Replace...FromText, which leaves the table alone when nothing valid was read or the
// result would be too large); otherwise nothing changes.
template <class Tables>
ImportResult ImportTableFile(const std::wstring& path, Tables& tables,
                             ImportResult (*replace)(Tables&, const char16_t*, std::size_t,
                                                     std::int32_t),
                             std::int32_t normalImage) {
    const ImportFile file = ReadImportFile(path);
    if (file.outcome != ImportOutcome::Imported) {
        ImportResult result;
        result.outcome = file.outcome;
        result.invalidLines = file.invalidLines;
        result.entries = tables.table.size();
        return result;
    }
    return replace(tables, file.units.data(), file.units.size(), normalImage);
}

// A save of a table's value: writes the entries not marked deleted (all of them unless
// haveDeleted says some are marked). Only once that worked are the marked entries dropped and
// `unchanged` set; a failed save changes nothing.
template <class Table>
SaveOutcome SaveTableValue(const wchar_t* name, Table& table, bool haveDeleted, bool& unchanged,
                           std::u16string (*format)(const Table&, bool skipDeleted),
                           const SaveWithoutBackup& saveWithoutBackup) {
    const SaveOutcome outcome = WriteTextValue(name, format(table, /*skipDeleted=*/haveDeleted), saveWithoutBackup);
    if (outcome != SaveOutcome::Written) return outcome;
    if (haveDeleted) DropDeletedEntries(table);
    unchanged = true;
    return outcome;
}

// An export of already formatted text: no file at all for empty text.
ExportOutcome ExportText(const std::wstring& path, std::u16string_view text);
