// The file dialogs of Import and Export, behind one function that the tests can replace.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct FileDialogRequest {
    bool save = false;  // Export's save dialog, else Import's open dialog
    std::wstring title;
    std::vector<std::pair<std::wstring, std::wstring>> types;  // name and pattern; the first is selected
    std::wstring defaultExtension;
    bool startInDocuments = false;
};

// The full path the user chose; nothing when the dialog was cancelled or could not be shown.
using FileDialogRunner = std::function<std::optional<std::wstring>(HWND owner, const FileDialogRequest& request)>;

// The system's Common Item Dialog, modal over the owner. When the Documents folder is asked for
// and cannot be had, nothing is shown.
std::optional<std::wstring> ShowFileDialog(HWND owner, const FileDialogRequest& request);
