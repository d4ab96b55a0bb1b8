#include "SystemCalls.h"

#include "Win32Handles.h"

#include <string>

namespace {

// A DLL of the system folder by its full path, so that no search is made for it at all.
HMODULE LoadSystemDll(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, 0);
}

template <class Function>
void Find(HMODULE module, const char* name, Function& function) {
    if (!module) return;
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

const SystemCalls& InstallerSystemCalls() {
    static const UniqueModule user32(LoadSystemDll(L"user32.dll"));
    static const UniqueModule shell32(LoadSystemDll(L"shell32.dll"));
    static const UniqueModule ole32(LoadSystemDll(L"ole32.dll"));
    static const SystemCalls calls = [] {
        SystemCalls found;
        Find(user32.get(), "MessageBoxExW", found.messageBoxEx);
        Find(shell32.get(), "SHGetKnownFolderPath", found.getKnownFolderPath);
        Find(ole32.get(), "CoTaskMemFree", found.taskMemFree);
        return found;
    }();
    return calls;
}
