#include "FileDialogs.h"

#include "Win32Handles.h"

#include <shlobj.h>
#include <shobjidl.h>

std::optional<std::wstring> ShowFileDialog(HWND owner, const FileDialogRequest& request) {
    ComPtr<IFileDialog> dialog;
    if (request.save) {
        ComPtr<IFileSaveDialog> saveDialog;
        if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileSaveDialog,
                                    reinterpret_cast<void**>(saveDialog.put())))) {
            return std::nullopt;
        }
        dialog = saveDialog.As<IFileDialog>(IID_IFileDialog);
    } else {
        ComPtr<IFileOpenDialog> openDialog;
        if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                    reinterpret_cast<void**>(openDialog.put())))) {
            return std::nullopt;
        }
        dialog = openDialog.As<IFileDialog>(IID_IFileDialog);
    }
    if (!dialog) return std::nullopt;

    if (request.startInDocuments) {
        ComPtr<IShellItem> documents;
        if (FAILED(SHCreateItemInKnownFolder(FOLDERID_Documents, 0, nullptr, IID_IShellItem,
                                             reinterpret_cast<void**>(documents.put()))) ||
            FAILED(dialog->SetFolder(documents.get()))) {
            return std::nullopt;
        }
    }
    std::vector<COMDLG_FILTERSPEC> types;
    for (const auto& [name, pattern] : request.types) types.push_back({name.c_str(), pattern.c_str()});
    if (!types.empty()) {
        dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data());
        dialog->SetFileTypeIndex(1);
    }
    dialog->SetTitle(request.title.c_str());
    dialog->SetDefaultExtension(request.defaultExtension.c_str());
    if (FAILED(dialog->Show(owner))) return std::nullopt;  // cancelled, or it failed

    ComPtr<IShellItem> chosen;
    if (FAILED(dialog->GetResult(chosen.put())) || !chosen) return std::nullopt;
    PWSTR raw = nullptr;
    const HRESULT named = chosen->GetDisplayName(SIGDN_FILESYSPATH, &raw);
    const CoTaskMemory<wchar_t> path(raw);
    if (FAILED(named) || !path) return std::nullopt;
    return std::wstring(path.get());
}
