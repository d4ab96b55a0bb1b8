// Names of the backup files kept of a stored table before a save overwrites it, and which of
// them go when there are too many. A backup holds the value's bytes, which are the table's text
// form, so it can be imported like any exported file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t BackupsKeptPerValue = 10;

struct BackupTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "<value>-YYYYMMDD-hhmmss.dat"; a further backup within the same second gets "-2", then "-3"
// and so on (sequence 0 and 1 give none), and a value stored as another type than binary has
// that type's name last ("-REG_SZ": "REG_" and upper-case letters, digits or "_"), before ".dat".
std::u16string BackupFileName(std::u16string_view valueName, const BackupTime& time, unsigned sequence,
                              std::u16string_view typeName = {});

// The name for a backup made now, after every backup of this value already in the folder that
// has the same time (a name freed by pruning is never taken again within its second).
std::u16string NewBackupName(const std::vector<std::u16string>& names, std::u16string_view valueName,
                             const BackupTime& now, std::u16string_view typeName = {});

// A file in the backup folder and when it was last written (any clock that orders them).
struct BackupFile {
    std::u16string name;
    std::uint64_t writeTime = 0;
};

// Of the files in a folder, this value's backups beyond the newest `keep` by write time, the one
// just written always counted among the kept, whatever its time says (the clock may have gone
// back). Files that are not this value's backups (another value's, a user's own) never appear.
std::vector<std::u16string> BackupsBeyondNewest(const std::vector<BackupFile>& files, std::u16string_view valueName,
                                                std::size_t keep, std::u16string_view justWritten);
