// What the installer's Windows tests share: a private folder, files, the text service's class
// registration in either registry view, and the installer's expected messages.
#pragma once

#include "ResourceChecks.h"
#include "TestBytes.h"  // WriteFileBytes, ReadFileBytes
#include "WideText.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A new empty folder under the temp folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(std::wstring_view name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};


// The little-endian bytes of a REG_SZ value: the text and its NUL.
std::string StringValueBytes(std::wstring_view text);

// The machine a program file was built for (IMAGE_FILE_MACHINE_I386 / _AMD64), 0 when it
// cannot be read. Under WOW64 a 32-bit process reads System32 as its redirection shows it.
WORD ProgramMachine(const std::filesystem::path& path);

// The text service's class under SOFTWARE\Classes\CLSID of the machine (HKEY_LOCAL_MACHINE) or
// of the user (HKEY_CURRENT_USER), in the view named by KEY_WOW64_32KEY or KEY_WOW64_64KEY:
// removed, and its InProcServer32 key's values.
void DeleteTextServiceClass(REGSAM view, HKEY hive = HKEY_LOCAL_MACHINE);
// Sets one value of InProcServer32 in the view, with exactly these bytes.
void PutRegistrationValue(REGSAM view, const wchar_t* name, DWORD type, std::string_view bytes,
                          HKEY hive = HKEY_LOCAL_MACHINE);
// The default value of InProcServer32 in the view as stored, if it is a REG_SZ.
std::optional<std::wstring> RegisteredServerPath(REGSAM view, HKEY hive = HKEY_LOCAL_MACHINE);

// A value under HKEY_LOCAL_MACHINE's Fonts key as stored: its type and bytes.
struct StoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};
std::optional<StoredValue> FontValue(const std::wstring& name);

// Whether this program runs under WOW64 (a 32-bit build on 64-bit Windows).
bool RunsUnderWow64();

// The installer's texts, as tests/fixtures/strings/Install.tsv has them.
const StringTable& InstallerStrings();
std::wstring InstallerString(UiLanguage language, unsigned id);
