// Outcomes of loading, saving, importing and exporting the two tables, and the string id of the
// message the phrase tool shows for each (0: nothing is shown).
#pragma once

#include <cstddef>

namespace MessageId {
inline constexpr unsigned FileTooLarge = 213;
inline constexpr unsigned CannotAccessFile = 214;
inline constexpr unsigned Imported = 215;  // "%d phrase(s) imported.\n%d invalid line(s)."
inline constexpr unsigned NoPhraseToExport = 216;
inline constexpr unsigned CannotCreateFile = 217;
inline constexpr unsigned WriteFailed = 218;
inline constexpr unsigned RegistryWriteRefused = 219;
inline constexpr unsigned NoTipToExport = 264;
inline constexpr unsigned NoDictionary = 265;
inline constexpr unsigned NothingImported = 306;  // "%d" invalid lines
inline constexpr unsigned TableTooLarge = 307;
}  // namespace MessageId

enum class TableKind { Phrases, Tips };

enum class SaveOutcome {
    Written,
    KeyUnavailable,  // the key could neither be opened nor created: nothing written
    WriteRefused,    // the value could not be written
    NotConfirmed,    // no backup of the value could be kept and the user chose not to save
};

// What start-up made of a stored table's value.
enum class StoredValueRead {
    Read,        // read, or empty
    Missing,     // no key or no value
    Unreadable,  // there, but of another type than REG_BINARY or failing to read
};

enum class ImportOutcome {
    Imported,
    CannotAccess,  // cannot be opened, or read fails or is short
    TooLarge,      // larger than MaxImportFileSize
    NothingRead,   // empty, only a mark, in no encoding the import reads, or without a valid line
    TableTooLarge,  // the table's stored form would grow past MaxImportFileSize
};

// Every outcome but Imported leaves the table, its flags and its list as they were.
struct ImportResult {
    ImportOutcome outcome = ImportOutcome::CannotAccess;
    std::size_t entries = 0;       // table size after the import
    std::size_t invalidLines = 0;
};

enum class ExportOutcome {
    Written,
    NothingToExport,  // every entry is marked deleted or the table is empty: no file made
    CannotCreate,
    WriteFailed,      // nothing replaced: an earlier file of that name stays as it was
};

enum class LoadTipsOutcome {
    FromRegistry,        // a non-empty value was there and was read
    Unreadable,          // a non-empty value was there, of another type or failing to read
    Seeded,              // filled from the built-in dictionary and written back
    SeedNotWritten,      // filled from the dictionary; writing the value failed
    DictionaryUnusable,  // dictionary missing, unreadable, too large or without entries
    NoProgramPath,       // the program's own path could not be had
};

unsigned MessageIdFor(SaveOutcome outcome);
unsigned MessageIdFor(ImportOutcome outcome);
unsigned MessageIdFor(ExportOutcome outcome, TableKind kind);
unsigned MessageIdFor(LoadTipsOutcome outcome);
