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

// Keeps the value's present bytes when it is a non-empty REG_BINARY value that differs from
// the text about to be written. Silent: a backup that cannot be made changes nothing else.
void BackUpValueBeforeOverwrite(const RegistryKey& key, const wchar_t* name, std::u16string_view newText);
