// The settings file and the registry value with its read grant, on the real file system and
// registry of the test's Wine prefix.
#include "KeyAccess.h"
#include "KeyReadGrant.h"
#include "SettingsStore.h"
#include "SettingsTestSupport.h"
#include "Win32Handles.h"

#include <aclapi.h>
#include <sddl.h>

#include <filesystem>
#include <memory>

namespace {

using SettingsStore = SettingsTest;

SettingsRecord NotTheDefaults() {
    SettingsRecord record;
    record.showReading = true;
    record.keyboardLayout = 2;
    return record;
}

TEST_F(SettingsStore, FileLivesInTheRoamingApplicationDataFolder) {
    wchar_t appData[MAX_PATH]{};
    ASSERT_TRUE(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH));
    EXPECT_EQ(SettingsFile(), std::wstring(appData) + L"\\VantixIME\\user.dat");
}

TEST_F(SettingsStore, LoadReadsTheFirstFourBytesOnly) {
    for (const std::string& after : {std::string(), std::string(1000, '\xFF')}) {
        WriteSettingsFile(BytesOfWord(0x000C10A3) + after);
        SettingsRecord record = NotTheDefaults();
        EXPECT_TRUE(LoadSettings(record));
        EXPECT_EQ(record, UnpackSettings(0x000C10A3)) << after.size() << " bytes after the word";
    }
}

TEST_F(SettingsStore, LoadLeavesTheRecordForAMissingOrShortFile) {
    SettingsRecord record = NotTheDefaults();
    EXPECT_FALSE(LoadSettings(record));
    EXPECT_EQ(record, NotTheDefaults());
    for (const std::string& bytes : {std::string(), std::string("\x11", 1), std::string("\x11\x22\x33", 3)}) {
        WriteSettingsFile(bytes);
        EXPECT_FALSE(LoadSettings(record)) << bytes.size() << " bytes";
        EXPECT_EQ(record, NotTheDefaults());
    }
}

TEST_F(SettingsStore, SaveCreatesTheFolderAndWritesFourBytes) {
    std::filesystem::remove_all(SettingsFolder());
    EXPECT_TRUE(SaveSettings(0x12345678));
    EXPECT_EQ(ReadSettingsFile(), std::string("\x78\x56\x34\x12", 4));
}

TEST_F(SettingsStore, SaveReplacesALongerFile) {
    WriteSettingsFile(std::string(64, '\x55'));
    EXPECT_TRUE(SaveSettings(DefaultSettingsWord));
    EXPECT_EQ(ReadSettingsFile(), BytesOfWord(DefaultSettingsWord));
}

TEST_F(SettingsStore, SaveWritesTheRegistryValueAsADwordFromWindows8On) {
    if (!RunsOnWindows8OrLater()) GTEST_SKIP() << "Windows 7 keeps the settings in the file only";
    EXPECT_TRUE(SaveSettings(0x000A10A3));
    EXPECT_EQ(RegistrySettingsValue(), std::optional<DWORD>(0x000A10A3));
    EXPECT_TRUE(SaveSettings(0x10A3));
    EXPECT_EQ(RegistrySettingsValue(), std::optional<DWORD>(0x10A3));
}

TEST_F(SettingsStore, OnWindows7OnlyTheFileIsWritten) {
    if (RunsOnWindows8OrLater()) GTEST_SKIP() << "for Windows 7";
    EXPECT_TRUE(SaveSettings(0x10A3));
    EXPECT_EQ(ReadSettingsFile(), BytesOfWord(0x10A3));
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsStore, AFailedFileWriteLeavesTheRegistryAlone) {
    std::filesystem::create_directories(SettingsFile());  // a folder in the file's place
    EXPECT_FALSE(SaveSettings(DefaultSettingsWord));
    EXPECT_EQ(RegistrySettingsValue(), std::nullopt);
}

// The explicit (not inherited) entries of the key's access list that allow access to a SID.
struct Grant {
    ACCESS_MASK mask;
    BYTE flags;
};

std::vector<Grant> ExplicitGrantsTo(const wchar_t* sidText) {
    PSID sid = nullptr;
    EXPECT_TRUE(ConvertStringSidToSidW(sidText, &sid));
    std::wstring name = std::wstring(L"CURRENT_USER\\") + SettingsKeyPath;
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    EXPECT_EQ(GetNamedSecurityInfoW(name.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    &list, nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    std::vector<Grant> grants;
    for (DWORD index = 0; list && index < list->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(list, index, &entry)) continue;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERITED_ACE)) continue;
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        if (EqualSid(const_cast<DWORD*>(&allowed->SidStart), sid)) grants.push_back({allowed->Mask, header->AceFlags});
    }
    LocalFree(descriptor);
    LocalFree(sid);
    return grants;
}

void ExpectOneInheritableReadGrantForAllApplicationPackages() {
    const std::vector<Grant> grants = ExplicitGrantsTo(L"S-1-15-2-1");
    ASSERT_EQ(grants.size(), 1u);
    EXPECT_EQ(grants[0].mask, static_cast<ACCESS_MASK>(KEY_READ));
    EXPECT_EQ(grants[0].flags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE),
              OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
    EXPECT_FALSE(grants[0].flags & INHERIT_ONLY_ACE);
}

// Makes the settings key one whose access list this process may not change, while it may do
// everything else there: the list denies WRITE_DAC to everyone and takes the owner's implicit
// right to it away (OWNER RIGHTS). Wine gives an owner that right whatever the list says, so
// the key is handed to LocalSystem too where that is allowed (Wine; Windows only with the
// restore privilege).
void DenyAccessListChanges() {
    SetKeyAccess(SettingsKeyPath, L"O:SYD:P(D;;WD;;;WD)(D;;WD;;;S-1-3-4)(A;;KA;;;WD)");
}

TEST_F(SettingsStore, TheValueIsWrittenEvenWhenTheGrantCannotBeMade) {
    ASSERT_NO_FATAL_FAILURE(DenyAccessListChanges());
    // The grant the store makes on its key fails there; the value is written all the same.
    ASSERT_FALSE(GrantAppContainersRead(std::wstring(L"CURRENT_USER\\") + SettingsKeyPath));
    EXPECT_TRUE(StoreSettingsInRegistry(0x10A3));
    EXPECT_EQ(RegistrySettingsValue(), std::optional<DWORD>(0x10A3));
    EXPECT_TRUE(ExplicitGrantsTo(L"S-1-15-2-1").empty());
}

TEST_F(SettingsStore, TwoRegistryStoresLeaveExactlyOneReadGrantForAllApplicationPackages) {
    ASSERT_TRUE(StoreSettingsInRegistry(DefaultSettingsWord));
    ASSERT_TRUE(StoreSettingsInRegistry(DefaultSettingsWord | 4));
    ExpectOneInheritableReadGrantForAllApplicationPackages();
    EXPECT_EQ(RegistrySettingsValue(), std::optional<DWORD>(DefaultSettingsWord | 4));
}

TEST_F(SettingsStore, TwoSavesLeaveExactlyOneReadGrantFromWindows8On) {
    if (!RunsOnWindows8OrLater()) GTEST_SKIP() << "Windows 7 keeps the settings in the file only";
    ASSERT_TRUE(SaveSettings(DefaultSettingsWord));
    ASSERT_TRUE(SaveSettings(DefaultSettingsWord | 4));
    ExpectOneInheritableReadGrantForAllApplicationPackages();
}

}  // namespace
