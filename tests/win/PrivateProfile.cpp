#include "PrivateProfile.h"

#include <windows.h>

#include <cstdio>

namespace {

bool ProfileIsMadeForTests() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    return RegGetValueW(HKEY_CURRENT_USER, PrivateProfileMarkerKey, PrivateProfileMarkerValue, RRF_RT_REG_DWORD,
                        nullptr, &value, &size) == ERROR_SUCCESS &&
           value == 1;
}

bool UserLetsUsChangeIt() {
    wchar_t value[4]{};
    const DWORD length = GetEnvironmentVariableW(MayChangeMyProfileVariable, value, 4);
    return length == 1 && value[0] == L'1';
}

}  // namespace

bool MayChangeThisProfile(const char* program) {
    if (ProfileIsMadeForTests() || UserLetsUsChangeIt()) return true;
    std::fprintf(stderr,
                 "%s: refusing to run. It deletes and rewrites the current user's input method data "
                 "(HKEY_CURRENT_USER\\Software\\VantixIME, %%APPDATA%%\\VantixIME, "
                 "%%LOCALAPPDATA%%\\VantixIME\\Backups: phrases, settings and backups) or the machine's "
                 "registration of the input method and its fonts, and this profile was not made for tests "
                 "(tools/wine-run marks the Wine prefixes it makes with HKEY_CURRENT_USER\\%ls, %ls = 1).\n"
                 "To run it anyway, in a throwaway user account or virtual machine only, set %ls=1.\n",
                 program, PrivateProfileMarkerKey, PrivateProfileMarkerValue, MayChangeMyProfileVariable);
    return false;
}
