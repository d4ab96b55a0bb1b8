#include "RegistryKey.h"

#include <cstring>
#include <utility>

RegistryKey::~RegistryKey() { Close(); }

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

void RegistryKey::Close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
}

RegistryKey RegistryKey::OpenForReading(HKEY parent, const wchar_t* subKey, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, subKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return {};
    return RegistryKey(key);
}

RegistryKey RegistryKey::OpenForReadingAndWriting(HKEY parent, const wchar_t* subKey,
                                                  REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, subKey, 0, KEY_READ | KEY_WRITE | view, &key) != ERROR_SUCCESS) {
        return {};
    }
    return RegistryKey(key);
}

RegistryKey RegistryKey::OpenOrCreate(HKEY parent, const wchar_t* subKey, REGSAM view) {
    const REGSAM access = KEY_READ | KEY_WRITE | view;
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, subKey, 0, access, &key) == ERROR_SUCCESS) return RegistryKey(key);
    key = nullptr;
    if (RegCreateKeyExW(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return RegistryKey(key);
}

std::optional<RegistryValueInfo> RegistryKey::QueryValue(const wchar_t* name) const {
    RegistryValueInfo info;
    if (key_ == nullptr ||
        RegQueryValueExW(key_, name, nullptr, &info.type, nullptr, &info.size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return info;
}

std::optional<DWORD> RegistryKey::ReadValue(const wchar_t* name, void* buffer, DWORD size) const {
    if (size > 0) std::memset(buffer, 0, size);
    if (key_ == nullptr) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD read = size;
    if (RegQueryValueExW(key_, name, nullptr, &type, static_cast<BYTE*>(buffer), &read) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return type;
}

bool RegistryKey::SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    // Never hand the system a null data pointer, not even for 0 bytes (an empty vector's data()).
    static const BYTE nothing = 0;
    const BYTE* bytes = size > 0 ? static_cast<const BYTE*>(data) : &nothing;
    return key_ != nullptr && RegSetValueExW(key_, name, 0, type, bytes, size) == ERROR_SUCCESS;
}
