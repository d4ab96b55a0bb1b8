// The report of the lines an import skipped: a resizable dialog over the main window with a
// virtual report list (line, reason, text), Copy, which puts every row on the clipboard as
// tab-separated text under a header line, and Close (Esc). The report is of the file as read,
// so it holds nothing of the table.
#pragma once

#include "Dialog.h"
#include "InvalidLinesLayout.h"
#include "InvalidLines.h"
#include "Win32Handles.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CInvalidLinesBox final : public CDialog {
public:
    CInvalidLinesBox(HINSTANCE instance, InvalidLineReport report);

    // Runs the dialog modally; IDCANCEL when closed, -1 when it cannot be shown.
    INT_PTR Run(HWND owner);

    // The rows as Copy puts them on the clipboard: a header line, then one line per row, the
    // cells separated by TAB and the lines ended by CR LF.
    std::wstring RowsAsText() const;

private:
    static constexpr std::size_t ReasonCount = static_cast<std::size_t>(InvalidReason::LongCharacter) + 1;

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;
    void OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void Layout();
    void PlaceControls();
    void OnDisplayInfo(NMLVDISPINFOW& info) const;
    void CopyRows() const;
    std::wstring Cell(std::size_t row, int column) const;

    HINSTANCE instance_;
    InvalidLineReport report_;
    std::array<std::wstring, ReasonCount> reasons_;
    std::optional<InvalidLinesLayout> layout_;
    UniqueFont font_;
    HWND list_ = nullptr;
};

// Shows an import's message over the main window. When the file had invalid lines, the message
// ends in the question whether to show them (Yes, No) and Yes opens the report of the file at
// `path` for the table of `kind`; otherwise the message has OK alone.
void ShowImportMessage(HWND owner, const std::wstring& title, const std::wstring& text, UINT icon,
                       TableKind kind, const std::wstring& path, std::size_t invalidLines);
