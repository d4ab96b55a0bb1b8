#include "KeyReadGrant.h"

#include "Win32Handles.h"

#include <windows.h>
#include <aclapi.h>

namespace {

// S-1-15-2-1. The group is given by its SID rather than by name: the name is translated on
// localized Windows (and so not found there), the SID is the same everywhere.
UniqueSid AllApplicationPackagesSid() {
    SID_IDENTIFIER_AUTHORITY appPackageAuthority = SECURITY_APP_PACKAGE_AUTHORITY;
    PSID sid = nullptr;
    if (!AllocateAndInitializeSid(&appPackageAuthority, SECURITY_BUILTIN_APP_PACKAGE_RID_COUNT,
                                  SECURITY_APP_PACKAGE_BASE_RID, SECURITY_BUILTIN_PACKAGE_ANY_PACKAGE, 0, 0, 0,
                                  0, 0, 0, &sid)) {
        return nullptr;
    }
    return UniqueSid(sid);
}

}  // namespace

bool GrantAppContainersRead(const std::wstring& keyName) {
    const UniqueSid group = AllApplicationPackagesSid();
    if (!group) return false;

    // GetNamedSecurityInfoW and SetNamedSecurityInfoW take a non-const name.
    std::wstring name = keyName;
    PACL oldList = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(name.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                              &oldList, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const LocalMemory<> descriptorOwner(descriptor);  // oldList lies inside it

    EXPLICIT_ACCESS_W entry{};
    entry.grfAccessPermissions = KEY_READ;
    entry.grfAccessMode = SET_ACCESS;  // replaces the group's earlier grant
    entry.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    entry.Trustee.pMultipleTrustee = nullptr;
    entry.Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    entry.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    entry.Trustee.ptstrName = static_cast<LPWSTR>(group.get());

    PACL newList = nullptr;
    if (SetEntriesInAclW(1, &entry, oldList, &newList) != ERROR_SUCCESS) return false;
    const LocalMemory<> newListOwner(newList);
    return SetNamedSecurityInfoW(name.data(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                 newList, nullptr) == ERROR_SUCCESS;
}
