#include "WholeFile.h"

#include "Win32Handles.h"

#include <windows.h>

#include <cwchar>

namespace {

// One ReadFile or WriteFile moves at most a DWORD of bytes. (A function, so that 32-bit builds
// do not see an always-false comparison.)
bool FitsOneCall(std::uint64_t bytes) { return bytes <= MAXDWORD; }

}  // namespace

WholeFileContents ReadWholeFile(const std::wstring& path, std::uint64_t maxBytes) {
    WholeFileContents contents;
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return contents;

    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        contents.outcome = FileReadOutcome::ReadFailed;
        return contents;
    }
    const auto fileBytes = static_cast<std::uint64_t>(size.QuadPart);
    if (fileBytes > maxBytes || !FitsOneCall(fileBytes)) {
        contents.outcome = FileReadOutcome::TooLarge;
        return contents;
    }

    const auto wanted = static_cast<DWORD>(fileBytes);
    contents.units.assign((static_cast<std::size_t>(wanted) + 1) / 2, u'\0');
    if (wanted > 0) {
        DWORD read = 0;
        if (!ReadFile(file.get(), contents.units.data(), wanted, &read, nullptr) || read != wanted) {
            contents.units.clear();
            contents.outcome = FileReadOutcome::ReadFailed;
            return contents;
        }
    }
    contents.bytes = wanted;
    contents.outcome = FileReadOutcome::Read;
    return contents;
}

namespace {

FileWriteOutcome WriteAll(HANDLE file, const void* data, std::size_t bytes) {
    if (bytes == 0) return FileWriteOutcome::Written;
    if (!FitsOneCall(bytes)) return FileWriteOutcome::WriteFailed;
    const auto wanted = static_cast<DWORD>(bytes);
    DWORD written = 0;
    if (!WriteFile(file, data, wanted, &written, nullptr) || written != wanted) return FileWriteOutcome::WriteFailed;
    return FileWriteOutcome::Written;
}

// The folder part of a path ("." when it names none), for a temporary file beside the target.
std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    if (slash == 0 || path[slash - 1] == L':') return path.substr(0, slash + 1);  // "\x" or "C:\x"
    return path.substr(0, slash);
}

// Creates a new file of a short name of its own beside the target ("~wl" and four hex digits,
// so that it fits wherever a target of a one-letter name does); its path goes to `temporary`.
// The caller owns the handle.
HANDLE CreateTemporaryBeside(const std::wstring& path, std::wstring& temporary) {
    std::wstring folder = FolderOf(path);
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    const unsigned start = GetTickCount() ^ GetCurrentProcessId();
    for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
        wchar_t name[8];
        const unsigned number = (start + attempt * 40503u) & 0xFFFF;
        swprintf(name, 8, L"~wl%04X", number);
        temporary = folder + name;
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

FileWriteOutcome WriteWholeFile(const std::wstring& path, const void* data, std::size_t bytes) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FileWriteOutcome::CannotCreate;
    return WriteAll(file.get(), data, bytes);
}

FileWriteOutcome ReplaceWholeFile(const std::wstring& path, const void* data, std::size_t bytes) {
    // A target that is a folder, or read-only, is refused before anything is written.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return FileWriteOutcome::CannotCreate;
    }
    std::wstring temporary;
    FileWriteOutcome outcome = FileWriteOutcome::Written;
    {
        const UniqueFile file(CreateTemporaryBeside(path, temporary));
        if (!file) return FileWriteOutcome::CannotCreate;
        outcome = WriteAll(file.get(), data, bytes);
        if (outcome == FileWriteOutcome::Written && !FlushFileBuffers(file.get())) {
            outcome = FileWriteOutcome::WriteFailed;
        }
    }
    if (outcome == FileWriteOutcome::Written &&
        !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        outcome = FileWriteOutcome::CannotCreate;
    }
    if (outcome != FileWriteOutcome::Written) DeleteFileW(temporary.c_str());
    return outcome;
}

