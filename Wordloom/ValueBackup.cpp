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

std::vector<std::u16string> BackupsInFolder(const std::wstring& folder, const wchar_t* name) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const UniqueFind listing(FindFirstFileW((folder + name + L"-*.dat").c_str(), &found));
    if (!listing) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(Utf16(found.cFileName));
        }
    } while (FindNextFileW(listing.get(), &found));
    return names;
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

void BackUpValueBeforeOverwrite(const RegistryKey& key, const wchar_t* name, std::u16string_view newText) {
    const std::optional<RegistryValueInfo> info = key.QueryValue(name);
    if (!info || info->type != REG_BINARY || info->size == 0) return;
    std::vector<char> old(info->size);
    const std::optional<DWORD> type = key.ReadValue(name, old.data(), info->size);
    if (!type || *type != REG_BINARY) return;
    if (old.size() == newText.size() * sizeof(char16_t) && std::memcmp(old.data(), newText.data(), old.size()) == 0) {
        return;  // the save changes nothing
    }
    const std::optional<std::wstring> folder = BackupFolder();
    if (!folder) return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const BackupTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::u16string valueName = Utf16(name);
    std::vector<std::u16string> names = BackupsInFolder(*folder, name);
    const std::u16string fresh = NewBackupName(names, valueName, time);
    if (!WriteNewFile(*folder + Wide(fresh), old)) return;
    names.push_back(fresh);
    for (const std::u16string& beyond : BackupsBeyondNewest(names, valueName, BackupsKeptPerValue)) {
        DeleteFileW((*folder + Wide(beyond)).c_str());
    }
}
