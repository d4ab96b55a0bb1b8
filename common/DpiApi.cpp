#include "DpiApi.h"

namespace {

template <class Function>
void Find(HMODULE module, const char* name, Function& function) {
    if (!module) return;
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

DpiApi LookUp() {
    DpiApi api;
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    Find(user32, "GetDpiForSystem", api.getDpiForSystem);
    Find(user32, "AdjustWindowRectExForDpi", api.adjustWindowRectExForDpi);
    Find(user32, "EnableNonClientDpiScaling", api.enableNonClientDpiScaling);
    Find(user32, "GetSystemMetricsForDpi", api.getSystemMetricsForDpi);
    Find(user32, "SystemParametersInfoForDpi", api.systemParametersInfoForDpi);
    // The shell scaling library stays loaded for the life of the process.
    Find(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor", api.getDpiForMonitor);
    return api;
}

}  // namespace

const DpiApi& Dpi() {
    static const DpiApi api = LookUp();
    return api;
}
