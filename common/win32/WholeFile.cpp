#include "WholeFile.h"

#include "Win32Handles.h"

#include <windows.h>

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

FileWriteOutcome WriteWholeFile(const std::wstring& path, const void* data, std::size_t bytes) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FileWriteOutcome::CannotCreate;
    if (bytes == 0) return FileWriteOutcome::Written;
    if (!FitsOneCall(bytes)) return FileWriteOutcome::WriteFailed;

    const auto wanted = static_cast<DWORD>(bytes);
    DWORD written = 0;
    if (!WriteFile(file.get(), data, wanted, &written, nullptr) || written != wanted) {
        return FileWriteOutcome::WriteFailed;
    }
    return FileWriteOutcome::Written;
}
