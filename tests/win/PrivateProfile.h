// The guard of the Windows test programs that delete and rewrite the current user's input
// method data (HKEY_CURRENT_USER\Software\VantixIME, %APPDATA%\VantixIME,
// %LOCALAPPDATA%\VantixIME\Backups) or the machine's registration of the input method. They
// run only in a profile made for tests, or where the user has said in so many words that they
// may change this one.
#pragma once

// Marks a profile made for tests: tools/wine-run writes it into every Wine prefix it makes.
// Its value PrivateProfile is the REG_DWORD 1.
inline constexpr wchar_t PrivateProfileMarkerKey[] = L"Software\\VantixTests";
inline constexpr wchar_t PrivateProfileMarkerValue[] = L"PrivateProfile";

// Set to 1, lets the tests change the profile they run in (a throwaway account or machine).
inline constexpr wchar_t MayChangeMyProfileVariable[] = L"VANTIX_TESTS_MAY_CHANGE_MY_PROFILE";

// The exit code of a program that refused to run: not 0, and not ctest's "skipped" (77).
inline constexpr int RefusedToRunExitCode = 3;

// True when the profile carries the marker or the variable is 1. Otherwise writes to stderr
// that `program` refuses to run, why, and how to let it, and returns false.
bool MayChangeThisProfile(const char* program);
