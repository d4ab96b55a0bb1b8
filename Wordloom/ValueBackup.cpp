#include "ValueBackup.h"

#include "Backups.h"
#include "WideText.h"
#include "Win32Handles.h"

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace {

// Writes a new file, never one that is there already; a failed write leaves no file.
bool WriteNewFile(const std::wstring& path, const std::vector<char>& bytes) {
    bool written = false;
    {
        const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD done = 0;
        written = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                  done == bytes.size();
    }
    if (!written) DeleteFileW(path.c_str());
    return written;
}

// This value's backups and the other files beside them, with their write times.
std::vector<BackupFile> FilesInFolder(const std::wstring& folder, const wchar_t* name) {
    std::vector<BackupFile> files;
    WIN32_FIND_DATAW found{};
    const UniqueFind listing(FindFirstFileW((folder + name + L"-*.dat").c_str(), &found));
    if (!listing) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            const std::uint64_t time =
                static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32 | found.ftLastWriteTime.dwLowDateTime;
            files.push_back({Utf16(found.cFileName), time});
        }
    } while (FindNextFileW(listing.get(), &found));
    return files;
}

// How a backup's file name tells a value's type other than REG_BINARY.
std::u16string TypeName(DWORD type) {
    switch (type) {
    case REG_BINARY: return u"";
    case REG_NONE: return u"REG_NONE";
    case REG_SZ: return u"REG_SZ";
    case REG_EXPAND_SZ: return u"REG_EXPAND_SZ";
    case REG_MULTI_SZ: return u"REG_MULTI_SZ";
    case REG_DWORD: return u"REG_DWORD";
    case REG_DWORD_BIG_ENDIAN: return u"REG_DWORD_BIG_ENDIAN";
    case REG_QWORD: return u"REG_QWORD";
    case REG_LINK: return u"REG_LINK";
    default: return u"REG_TYPE_" + Utf16(std::to_wstring(type));
    }
}

}  // namespace

std::optional<std::wstring> BackupFolder() {
    PWSTR raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &raw);
    const CoTaskMemory<wchar_t> localData(raw);
    if (FAILED(result) || !localData) return std::nullopt;
    std::wstring folder = localData.get();
    for (const wchar_t* part : {L"\\VantixIME", L"\\Backups"}) {
        folder += part;
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return std::nullopt;
    }
    return folder + L"\\";
}

ValueBackup BackUpValueBeforeOverwrite(const RegistryKey& key, const wchar_t* name, std::u16string_view newText) {
    ValueBackup backup;
    const std::optional<RegistryValueInfo> info = key.QueryValue(name);
    if (!info || info->size == 0) return backup;
    backup.state = ValueBackup::State::Failed;
    std::vector<char> old(info->size);
    const std::optional<DWORD> type = key.ReadValue(name, old.data(), info->size);
    if (!type) return backup;
    if (*type == REG_BINARY && old.size() == newText.size() * sizeof(char16_t) &&
        std::memcmp(old.data(), newText.data(), old.size()) == 0) {
        backup.state = ValueBackup::State::NotNeeded;  // the save changes nothing
        return backup;
    }
    const std::optional<std::wstring> folder = BackupFolder();
    if (!folder) return backup;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const BackupTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    std::vector<std::u16string> names;
    for (BackupFile& file : FilesInFolder(*folder, name)) names.push_back(std::move(file.name));
    const std::wstring fresh = Wide(NewBackupName(names, Utf16(name), time, TypeName(*type)));
    if (!WriteNewFile(*folder + fresh, old)) return backup;
    backup.state = ValueBackup::State::Made;
    backup.folder = *folder;
    backup.name = fresh;
    return backup;
}

void KeepBackup(const ValueBackup& backup, const wchar_t* valueName) {
    if (backup.state != ValueBackup::State::Made) return;
    for (const std::u16string& beyond :
         BackupsBeyondNewest(FilesInFolder(backup.folder, valueName), Utf16(valueName), BackupsKeptPerValue, Utf16(backup.name))) {
        DeleteFileW((backup.folder + Wide(beyond)).c_str());
    }
}

void DiscardBackup(const ValueBackup& backup) {
    if (backup.state == ValueBackup::State::Made) DeleteFileW((backup.folder + backup.name).c_str());
}
