// Where the associated-word table lives outside the program: the REG_BINARY value
// "UserDefinedTips" under HKEY_CURRENT_USER\Software\VantixIME, which the input method reads,
// the built-in dictionary vantix_tips.dic beside the program, and the files the user imports
// and exports. All of them hold the tips text. Nothing here talks to the user; the caller
// turns the outcomes into messages, list updates and recent items.
#pragma once

#include "Outcomes.h"
#include "ProgramPath.h"
#include "TableStore.h"
#include "TipTable.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// At start-up, into the empty table: from the value when it is there with any bytes at all
// (tipsUnchanged set, also when it is of another type or cannot be read: Unreadable, and the
// dictionary is not consulted). Otherwise the dictionary beside programPath is imported
// and, when it gave entries, written to the value; tipsUnchanged is set when that write worked.
LoadTipsOutcome LoadTips(UserTips& tips, std::int32_t normalImage,
                         const std::optional<std::wstring>& programPath);

// The full path of the running program; nothing when it cannot be had or does not fit in
// MAX_PATH characters.
std::optional<std::wstring> ProgramFilePath(ModuleFileNameQuery query = RunningProgramFileName);

// The program's directory (everything before its last "\", empty when there is none) followed
// by "\vantix_tips.dic".
std::wstring DictionaryPathBeside(std::wstring_view programPath);

// Replaces the table with the file's entries and clears both flags. A file that cannot be
// opened or read, or is larger than MaxImportFileSize, leaves the table and flags untouched.
ImportResult ImportTips(const std::wstring& path, UserTips& tips, std::int32_t normalImage);

// Writes the entries not marked deleted; creates no file when there are none. The table is
// not changed.
ExportOutcome ExportTips(const std::wstring& path, const TipTable& table);

// Writes the entries not marked deleted to the value. Only once that worked are the marked
// entries dropped (when tipsHaveDeleted says there are some) and tipsUnchanged set; a failed
// save changes nothing. tipsHaveDeleted is left for the caller, which clears it once the list
// is renewed.
SaveOutcome SaveTips(UserTips& tips, const SaveWithoutBackup& saveWithoutBackup = nullptr);
