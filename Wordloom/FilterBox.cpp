#include "FilterBox.h"

#include "UiStrings.h"
#include "Win32Handles.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR BoxSubclassId = 1;
constexpr UINT_PTR SettleTimerId = 1;
// Long enough that keys typed in one burst (or repeated by a held key) filter once; a timer
// fires only when no input waits, so keys already queued always come first.
constexpr UINT SettleDelayMs = 60;

}  // namespace

CFilterBox::~CFilterBox() {
    if (edit_) RemoveWindowSubclass(edit_, BoxProc, BoxSubclassId);
}

bool CFilterBox::Create(HWND parent, int id, HFONT font, Events events) {
    const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (!IsWindow(edit)) return false;
    edit_ = edit;
    events_ = std::move(events);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The banner stays while the box has the focus, as a search box's does.
    const std::wstring cue = LoadUiString(IDS_FILTER_CUE);
    SendMessageW(edit_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.c_str()));
    SetWindowSubclass(edit_, BoxProc, BoxSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

std::wstring CFilterBox::Text() const {
    if (!edit_) return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CFilterBox::OnTextChanged() {
    if (edit_) SetTimer(edit_, SettleTimerId, SettleDelayMs, nullptr);
}

void CFilterBox::Clear() {
    if (!edit_) return;
    SetWindowTextW(edit_, L"");
    KillTimer(edit_, SettleTimerId);
}

void CFilterBox::Focus() {
    if (!edit_) return;
    SetFocus(edit_);
    SendMessageW(edit_, EM_SETSEL, 0, -1);
}

int CFilterBox::Height() const {
    if (!edit_) return 0;
    const WindowDC dc(edit_);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(edit_, WM_GETFONT, 0, 0));
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    // The text, a few pixels of room, and the sunken edge above and below.
    const int edge = GetSystemMetrics(SM_CYEDGE);
    return metrics.tmHeight + metrics.tmHeight / 3 + 2 * edge;
}

void CFilterBox::Settle() {
    KillTimer(edit_, SettleTimerId);
    if (events_.textSettled) events_.textSettled();
}

LRESULT CALLBACK CFilterBox::BoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, BoxProc, BoxSubclassId);
        reinterpret_cast<CFilterBox*>(self)->edit_ = nullptr;
        return DefSubclassProc(edit, message, wParam, lParam);
    }
    if (reinterpret_cast<CFilterBox*>(self)->OnMessage(message, wParam)) return 0;
    return DefSubclassProc(edit, message, wParam, lParam);
}

bool CFilterBox::OnMessage(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam != SettleTimerId) return false;
        Settle();
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            if (GetWindowTextLengthW(edit_) > 0) {
                Clear();
                if (events_.textSettled) events_.textSettled();
            }
            return true;
        }
        if (wParam == VK_RETURN) {
            // What was typed is filtered now, not after the pause.
            Settle();
            if (events_.moveToList) events_.moveToList();
            return true;
        }
        if (wParam == VK_DOWN || wParam == VK_TAB) {
            if (events_.moveToList) events_.moveToList();
            return true;
        }
        return false;
    case WM_CHAR:
        // These keys were handled as keys: the edit would only beep at their characters.
        return wParam == VK_ESCAPE || wParam == VK_RETURN || wParam == VK_TAB;
    default:
        return false;
    }
}
