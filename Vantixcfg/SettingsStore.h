// Where the settings word lives: the four bytes of %APPDATA%\VantixIME\user.dat, which is the
// settings tool's only source, and on Windows 8 and later also the REG_DWORD "UserSettings"
// under HKEY_CURRENT_USER\Software\VantixIME, where sandboxed readers may read it too.
// Nothing here is reported to the user.
#pragma once

#include "SettingsRecord.h"

#include <optional>
#include <string>

inline constexpr wchar_t SettingsKeyPath[] = L"Software\\VantixIME";
inline constexpr wchar_t SettingsValueName[] = L"UserSettings";

// The full path of user.dat; nothing when the roaming application data folder is unknown.
std::optional<std::wstring> SettingsFilePath();

// Overwrites the record when the file gives its first four bytes; otherwise (no folder, no
// file, a shorter file, a failed read) returns false and leaves the record as it was.
bool LoadSettings(SettingsRecord& record);

// Creates the folder when needed and replaces the file with the four bytes; then, on Windows 8
// or later, stores the word in the registry as well. True when the file was written; the
// registry's outcome does not count. A failed file write leaves the registry alone.
bool SaveSettings(SettingsWord word);

// The registry half of a save: opens or creates the key, grants every app container read
// access to it (inherited by its subkeys) and writes the value, the latter even when the grant
// fails. False only when the key cannot be had or the value not written.
bool StoreSettingsInRegistry(SettingsWord word);
