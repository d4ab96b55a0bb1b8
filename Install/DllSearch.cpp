#include "DllSearch.h"

#include <windows.h>

bool LoadDllsFromSystemFolderOnly() {
    // Looked up, not imported: a Windows 7 without KB2533623 lacks the call, and an import
    // would keep the installer from starting there at all.
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const auto setDefaultDllDirectories = kernel32
        ? reinterpret_cast<SetDefaultDllDirectoriesCall>(
              reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")))
        : nullptr;
    if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return true;
    }
    SetDllDirectoryW(L"");
    return false;
}
