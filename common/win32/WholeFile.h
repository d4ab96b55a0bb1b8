// Files read and written whole, in one call each: the import and export files of the phrase
// tool and the settings tool's small data file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FileReadOutcome {
    Read,
    CannotOpen,
    TooLarge,    // more bytes than the caller's limit
    ReadFailed,  // the read failed or returned fewer bytes than the file holds
};

struct WholeFileContents {
    FileReadOutcome outcome = FileReadOutcome::CannotOpen;
    // The bytes as UTF-16 units, zero-filled past the end: an odd last byte sits in the low half
    // of the last unit, and text readers take bytes / 2 units.
    std::vector<char16_t> units;
    std::size_t bytes = 0;
};

// Opens an existing file for reading (others may read too) and reads it whole when it holds at
// most maxBytes bytes.
WholeFileContents ReadWholeFile(const std::wstring& path, std::uint64_t maxBytes);

enum class FileWriteOutcome {
    Written,
    CannotCreate,
    WriteFailed,  // failed or short; what was written stays
};

// Creates the file, replacing any existing one (others may read it meanwhile), and writes the
// bytes in one write.
FileWriteOutcome WriteWholeFile(const std::wstring& path, const void* data, std::size_t bytes);

// Writes the bytes to a new file in the target's folder and only then puts it in the target's
// place, so that a write that fails part-way leaves any earlier file of that name as it was.
// CannotCreate also covers a target that cannot be replaced (read-only, or held open).
FileWriteOutcome ReplaceWholeFile(const std::wstring& path, const void* data, std::size_t bytes);
