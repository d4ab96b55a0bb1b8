#include "SettingsStore.h"

#include "DisplayMetrics.h"
#include "KeyReadGrant.h"
#include "RegistryKey.h"
#include "WholeFile.h"

#include "Win32Handles.h"

#include <windows.h>
#include <shlobj.h>

#include <array>

namespace {

std::optional<std::wstring> RoamingAppDataFolder() {
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path);
    const CoTaskMemory<wchar_t> owner(path);  // also after a failure, which may hand back a buffer
    if (FAILED(result) || !path) return std::nullopt;
    return std::wstring(path);
}

constexpr wchar_t FolderName[] = L"\\VantixIME";
constexpr wchar_t FileName[] = L"\\user.dat";

bool IsWindows8OrLater() {
    const WindowsVersion version = CurrentWindowsVersion();
    return version.major > 6 || (version.major == 6 && version.minor >= 2);
}

}  // namespace

std::optional<std::wstring> SettingsFilePath() {
    const std::optional<std::wstring> folder = RoamingAppDataFolder();
    if (!folder) return std::nullopt;
    return *folder + FolderName + FileName;
}

bool LoadSettings(SettingsRecord& record) {
    const std::optional<std::wstring> path = SettingsFilePath();
    if (!path) return false;
    const UniqueFile file(
        CreateFileW(path->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    // Only the word is read; whatever follows it is not looked at.
    std::array<std::uint8_t, StoredSettingsBytes> bytes{};
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return false;
    const std::optional<SettingsWord> word = WordFromStoredBytes(std::span(bytes.data(), read));
    if (!word) return false;
    record = UnpackSettings(*word);
    return true;
}

bool SaveSettings(SettingsWord word) {
    const std::optional<std::wstring> folder = RoamingAppDataFolder();
    if (!folder) return false;
    const std::wstring vantixFolder = *folder + FolderName;
    CreateDirectoryW(vantixFolder.c_str(), nullptr);  // usually there already
    const auto bytes = StoredBytesOf(word);
    if (WriteWholeFile(vantixFolder + FileName, bytes.data(), bytes.size()) != FileWriteOutcome::Written) {
        return false;
    }
    if (IsWindows8OrLater()) StoreSettingsInRegistry(word);
    return true;
}

bool StoreSettingsInRegistry(SettingsWord word) {
    RegistryKey key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, SettingsKeyPath);
    if (!key) return false;
    GrantAppContainersRead(std::wstring(L"CURRENT_USER\\") + SettingsKeyPath);
    const DWORD value = word;
    return key.SetValue(SettingsValueName, REG_DWORD, &value, sizeof(value));
}
