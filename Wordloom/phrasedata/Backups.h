// Names of the backup files kept of a stored table before a save overwrites it, and which of
// them go when there are too many. A backup holds the value's bytes, which are the table's text
// form, so it can be imported like any exported file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t BackupsKeptPerValue = 10;

struct BackupTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "<value>-YYYYMMDD-hhmmss.dat"; a further backup within the same second gets "-2", then "-3"
// and so on before ".dat" (sequence 0 and 1 give none).
std::u16string BackupFileName(std::u16string_view valueName, const BackupTime& time, unsigned sequence);

// The name for a backup made now, newer than every backup of this value already in the folder
// that has the same time (a name freed by pruning is never taken again within its second).
std::u16string NewBackupName(const std::vector<std::u16string>& names, std::u16string_view valueName,
                             const BackupTime& now);

// Of the names in a folder, the backups of this value beyond the newest `keep`, oldest first.
// Names that are not this value's backups (another value's, or a user's own file) never appear.
std::vector<std::u16string> BackupsBeyondNewest(const std::vector<std::u16string>& names,
                                                std::u16string_view valueName, std::size_t keep);
