// An open registry key that closes itself. Both tools keep their data under one key of the
// current user; this holds just the few calls they make on it.
#pragma once

#include <windows.h>

#include <optional>

struct RegistryValueInfo {
    DWORD type = REG_NONE;
    DWORD size = 0;  // bytes
};

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // `view` is 0 for the process's own registry view, or KEY_WOW64_64KEY / KEY_WOW64_32KEY
    // for the 64-bit or 32-bit view whatever the process is.

    // An existing key with KEY_READ; an empty (false) key when it cannot be opened.
    static RegistryKey OpenForReading(HKEY parent, const wchar_t* subKey, REGSAM view = 0);

    // An existing key with KEY_READ | KEY_WRITE; an empty key when it cannot be opened.
    static RegistryKey OpenForReadingAndWriting(HKEY parent, const wchar_t* subKey,
                                                REGSAM view = 0);
    // An existing key with KEY_READ | KEY_WRITE, else a new non-volatile key without class;
    // an empty key when both fail.
    static RegistryKey OpenOrCreate(HKEY parent, const wchar_t* subKey, REGSAM view = 0);

    explicit operator bool() const { return key_ != nullptr; }
    HKEY Handle() const { return key_; }

    // Type and size of a value; nothing when it is absent or cannot be queried.
    std::optional<RegistryValueInfo> QueryValue(const wchar_t* name) const;

    // Zero-fills `size` bytes at `buffer`, reads the value into them and returns its type;
    // nothing when the read fails (for example when the value has grown beyond `size`).
    std::optional<DWORD> ReadValue(const wchar_t* name, void* buffer, DWORD size) const;

    // Writes a value of any type; 0 bytes make an empty value.
    bool SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size);

    bool SetBinary(const wchar_t* name, const void* data, DWORD size) {
        return SetValue(name, REG_BINARY, data, size);
    }

private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    void Close();

    HKEY key_ = nullptr;
};
