// Access lists of registry keys under HKEY_CURRENT_USER, given as SDDL strings, so that a test
// says in one line who may do what with a key.
#pragma once

#include "Win32Handles.h"

#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The SID of the user this process runs as, in SDDL's form ("S-1-5-21-...").
inline std::wstring CurrentUserSid() {
    HANDLE token = nullptr;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    const UniqueKernelHandle tokenOwner(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string user(size, '\0');
    wchar_t* text = nullptr;
    if (!GetTokenInformation(token, TokenUser, user.data(), size, &size) ||
        !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text)) {
        ADD_FAILURE() << "the user's SID cannot be read";
        return {};
    }
    const LocalMemory<wchar_t> textOwner(text);
    return text;
}

// Gives HKCU\<path> (made when missing) the security descriptor that the SDDL string describes:
// its access list, and its owner when the string names one and this process may hand the key
// over (Wine lets it; Windows only with the restore privilege), else the access list alone.
inline void SetKeyAccess(const wchar_t* path, const std::wstring& sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                                     nullptr))
        << "SDDL " << testing::PrintToString(sddl);
    const LocalMemory<> descriptorOwner(descriptor);
    PSID owner = nullptr;
    BOOL ownerDefaulted = FALSE;
    GetSecurityDescriptorOwner(descriptor, &owner, &ownerDefaulted);
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, owner ? WRITE_DAC | WRITE_OWNER : WRITE_DAC,
                              nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    const std::unique_ptr<HKEY__, decltype(&RegCloseKey)> key(handle, &RegCloseKey);
    if (owner &&
        RegSetKeySecurity(key.get(), OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, descriptor) ==
            ERROR_SUCCESS) {
        return;
    }
    ASSERT_EQ(RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
}

// An access list with one entry: the user this process runs as is granted `rights`.
inline std::wstring OnlyTheUserMay(ACCESS_MASK rights) {
    wchar_t mask[16]{};
    swprintf(mask, 16, L"0x%lX", static_cast<unsigned long>(rights));
    return L"D:(A;;" + std::wstring(mask) + L";;;" + CurrentUserSid() + L")";
}
