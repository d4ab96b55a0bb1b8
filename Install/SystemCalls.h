// The few calls of user32, shell32 and ole32 that the installer makes, taken from those DLLs
// in the system folder when first needed, after the DLL search has been narrowed. The
// installer itself imports only kernel32 and advapi32: whatever an imported DLL imports in
// turn is loaded before the installer's first line runs, and under Wine even user32 imports a
// DLL that is not a KnownDLL (version.dll), which would then be looked for beside the installer.
#pragma once

#include <windows.h>
#include <shlobj.h>

struct SystemCalls {
    int(WINAPI* messageBoxEx)(HWND, LPCWSTR, LPCWSTR, UINT, WORD) = nullptr;
    HRESULT(WINAPI* getKnownFolderPath)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*) = nullptr;
    void(WINAPI* taskMemFree)(void*) = nullptr;
};

// Loaded once and kept for the life of the process; a call whose DLL or entry cannot be had
// stays null.
const SystemCalls& InstallerSystemCalls();
