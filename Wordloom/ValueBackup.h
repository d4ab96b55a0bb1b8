// Before a save overwrites a stored table with other bytes, the old bytes are kept as a file
// in the user's local application data ("VantixIME\Backups\"), the newest few per value, so
// that one mistaken Import followed by Save never loses what the user had.
#pragma once

#include "RegistryKey.h"

#include <optional>
#include <string>
#include <string_view>

// The folder the backups go to, created when absent; nothing when it cannot be had.
std::optional<std::wstring> BackupFolder();

// What became of the backup of a value about to be overwritten.
struct ValueBackup {
    enum class State {
        NotNeeded,  // no value, an empty one, or the same bytes as the save writes
        Made,
        Failed,     // the value could not be read or its copy not written: nothing is kept
    };
    State state = State::NotNeeded;
    std::wstring folder;  // Made: where the copy is
    std::wstring name;    // Made: the copy's file name
};

// Keeps the value's present bytes, of whatever type (a type other than REG_BINARY is named in
// the file name), when it has any and they differ from the text about to be written.
ValueBackup BackUpValueBeforeOverwrite(const RegistryKey& key, const wchar_t* name, std::u16string_view newText);

// The value was written: its backups beyond the newest few go, by file time, never the one
// just made.
void KeepBackup(const ValueBackup& backup, const wchar_t* valueName);

// The write failed, so the value is as it was: the copy just made goes, so that failed saves
// never push the older backups out.
void DiscardBackup(const ValueBackup& backup);
