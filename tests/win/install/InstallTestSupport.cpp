#include "InstallTestSupport.h"

#include "RegistryKey.h"
#include "TestBytes.h"

#include <winternl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

constexpr wchar_t ClassId[] = L"{3E9A7C52-1B84-4D6F-A0C3-58E2F14D7B96}";
constexpr wchar_t Classes[] = L"SOFTWARE\\Classes\\CLSID";
const std::wstring ServerKey = std::wstring(Classes) + L"\\" + ClassId + L"\\InProcServer32";

}  // namespace

TempFolder::TempFolder(std::wstring_view name)
    : path_(std::filesystem::temp_directory_path() /
            (std::wstring(name) + L"-" + std::to_wstring(GetCurrentProcessId()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string StringValueBytes(std::wstring_view text) {
    return BytesOf(Utf16(text)) + std::string(2, '\0');
}

WORD ProgramMachine(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes || bytes->size() < 0x40) return 0;
    const auto byteAt = [&](std::size_t at) { return static_cast<unsigned char>((*bytes)[at]); };
    const std::size_t header = byteAt(0x3C) | byteAt(0x3D) << 8 | byteAt(0x3E) << 16;
    if (header + 6 > bytes->size() || bytes->compare(header, 4, std::string("PE\0\0", 4)) != 0) return 0;
    return static_cast<WORD>(byteAt(header + 4) | byteAt(header + 5) << 8);
}

void DeleteTextServiceClass(REGSAM view, HKEY hive) {
    const RegistryKey classes = RegistryKey::OpenForReadingAndWriting(hive, Classes, view);
    if (!classes) return;  // a user without classes of their own
    const LSTATUS status = RegDeleteTreeW(classes.Handle(), ClassId);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
}

void PutRegistrationValue(REGSAM view, const wchar_t* name, DWORD type, std::string_view bytes, HKEY hive) {
    const RegistryKey key = RegistryKey::OpenOrCreate(hive, ServerKey.c_str(), view);
    ASSERT_TRUE(key);
    // Below RegSetValueExW, which Wine gives a missing string terminator.
    using SetValueCall = LONG(NTAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, void*, ULONG);
    const auto setValue = reinterpret_cast<SetValueCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
    ASSERT_TRUE(setValue);
    std::wstring valueName = name ? name : L"";
    UNICODE_STRING unicodeName{static_cast<USHORT>(valueName.size() * sizeof(wchar_t)),
                               static_cast<USHORT>(valueName.size() * sizeof(wchar_t)), valueName.data()};
    std::string data(bytes);
    ASSERT_EQ(setValue(key.Handle(), &unicodeName, 0, type, data.data(), static_cast<ULONG>(data.size())), 0);
}

std::optional<std::wstring> RegisteredServerPath(REGSAM view, HKEY hive) {
    const RegistryKey key = RegistryKey::OpenForReading(hive, ServerKey.c_str(), view);
    wchar_t text[MAX_PATH + 1]{};
    if (key.ReadValue(nullptr, text, sizeof(text) - sizeof(wchar_t)) != std::optional<DWORD>(REG_SZ)) {
        return std::nullopt;
    }
    return std::wstring(text);
}

std::optional<StoredValue> FontValue(const std::wstring& name) {
    const RegistryKey key = RegistryKey::OpenForReading(
        HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts");
    const std::optional<RegistryValueInfo> info = key.QueryValue(name.c_str());
    if (!info) return std::nullopt;
    StoredValue value{info->type, std::string(info->size, '\0')};
    if (!key.ReadValue(name.c_str(), value.bytes.data(), info->size)) return std::nullopt;
    return value;
}

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

const StringTable& InstallerStrings() {
    static const StringTable strings = ReadExpectedStrings("Install.tsv");
    return strings;
}

std::wstring InstallerString(UiLanguage language, unsigned id) {
    const auto found = InstallerStrings().find({language, id});
    return found == InstallerStrings().end() ? std::wstring() : found->second;
}
