// Loads the DLLs named on its command line by bare name, as Windows loads DLLs on a program's
// behalf; with /hardened first it calls the installer's own protection before that. Copied
// beside planted DLLs, it shows whether the protection keeps them out.
#include "DllSearch.h"
#include "Win32Handles.h"

#include <cwchar>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    int first = 1;
    if (argc > 1 && std::wcscmp(argv[1], L"/hardened") == 0) {
        LoadDllsFromSystemFolderOnly();
        first = 2;
    }
    std::vector<UniqueModule> loaded;
    for (int i = first; i < argc; ++i) loaded.emplace_back(LoadLibraryW(argv[i]));
    return 0;
}
