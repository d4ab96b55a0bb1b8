// A clean HKCU\Software\VantixIME and a private temp directory for each store test, and
// direct registry and file access that does not go through the stores.
#pragma once

#include "RegistryKey.h"
#include "TestBytes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t kNormalImage = 7;  // distinct from a default-initialised image
inline constexpr wchar_t kKeyPath[] = L"Software\\VantixIME";
inline constexpr wchar_t kPhrasesValue[] = L"UserDefinedPhrases";  // under kKeyPath
inline constexpr wchar_t kTipsValue[] = L"UserDefinedTips";

struct StoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

// A table parsed from its text form, in the holder the main window keeps it in.
template <class Tables, class Table>
Tables TablesFrom(std::u16string_view text,
                  std::size_t (*parse)(Table&, const char16_t*, std::size_t, std::int32_t normalImage)) {
    Tables tables;
    parse(tables.table, text.data(), text.size(), kNormalImage);
    return tables;
}

// A table's entries as "first=second", to compare tables at a glance.
template <class Entry>
std::vector<std::u16string> EntryRows(const std::vector<Entry>& table, std::u16string Entry::*first,
                                      std::u16string Entry::*second) {
    std::vector<std::u16string> rows;
    for (const Entry& entry : table) rows.push_back(entry.*first + u"=" + entry.*second);
    return rows;
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteKey();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("wordloom-" + std::to_string(GetCurrentProcessId()) + "-" + test->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }

    void TearDown() override {
        DeleteKey();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    static void DeleteKey() {
        const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath);
        ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
    }

    static void PutValue(const wchar_t* name, DWORD type, std::string_view bytes) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKeyPath, name, type, bytes.data(),
                                  static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    // Read back with the plain API, not through the store under test.
    static std::optional<StoredValue> GetValue(const wchar_t* name) {
        const RegistryKey key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, kKeyPath);
        if (!key) return std::nullopt;
        StoredValue value;
        DWORD size = 0;
        if (RegQueryValueExW(key.Handle(), name, nullptr, &value.type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.bytes.assign(size, '\0');
        auto* data = reinterpret_cast<BYTE*>(value.bytes.data());
        if (RegQueryValueExW(key.Handle(), name, nullptr, &value.type, data, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.bytes.resize(size);
        return value;
    }

    std::wstring PathOf(const std::wstring& name) const { return (dir_ / name).wstring(); }

    std::filesystem::path dir_;
};

// A handle some other program holds on a file while a store works on it.
class HeldFile {
public:
    HeldFile(const std::wstring& path, DWORD access, DWORD share)
        : handle_(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};
