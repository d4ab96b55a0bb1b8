// Where the user phrase table lives outside the program: the REG_BINARY value
// "UserDefinedPhrases" under HKEY_CURRENT_USER\Software\VantixIME, which the input method
// reads, and the files the user imports and exports. All of them hold the phrase text form.
// Nothing here talks to the user; the caller turns the outcomes into messages and list updates.
#pragma once

#include "Outcomes.h"
#include "PhraseTable.h"
#include "TableStore.h"

#include <cstdint>
#include <string>

// At start-up, into the empty table; invalid lines are dropped silently. phrasesUnchanged is set
// when the value was read (or is empty), and also when it is there but cannot be read (another
// type, or a failed read): the caller tells the user, and nothing overwrites it unasked. A
// missing key or value leaves it false.
StoredValueRead LoadUserPhrases(UserPhrases& phrases, std::int32_t normalImage);

// Writes the entries not marked deleted to the value. Only once that worked are the marked
// entries dropped (when phrasesHaveDeleted says there are some) and phrasesUnchanged set; a
// failed save changes nothing. phrasesHaveDeleted is left for the caller, which still needs it
// to renew the list before it clears it.
SaveOutcome SaveUserPhrases(UserPhrases& phrases, const SaveWithoutBackup& saveWithoutBackup = nullptr);

// Replaces the table with the file's entries and clears both flags. A file that cannot be
// opened or read, or is larger than MaxImportFileSize, leaves the table and flags untouched.
ImportResult ImportPhraseFile(const std::wstring& path, UserPhrases& phrases,
                              std::int32_t normalImage);

// Writes the entries not marked deleted; creates no file when there are none. The table is
// not changed.
ExportOutcome ExportPhraseFile(const std::wstring& path, const PhraseTable& table);
