// A real main window over a clean HKCU\Software\VantixIME, and the messages the tests send it.
#pragma once

#include "ListRows.h"  // SelectedRows, as the window reads them
#include "MainWindow.h"
#include "MessageLoop.h"
#include "StoreFixture.h"
#include "Win32Handles.h"
#include "res/resource.h"

#include <commctrl.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

// A key as the keyboard gives it to the window with the focus, with Ctrl held or not, through
// the program's own message loop step (accelerators included). A dialog the key opens runs its
// modal loop in here, with Ctrl still held until one of its steps lets go of it.
inline void PressKeyInLoop(HWND window, WPARAM key, bool control = false) {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys.data());
    const UniqueAcceleratorTable accelerators(LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_ACCEL)));
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
    MSG message{};
    while (PeekMessageW(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
        TranslateAndDispatch(message, window, accelerators.get());
    }
    GetKeyboardState(keys.data());
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys.data());
}

class MainWindowTest : public StoreTest {
protected:
    void TearDown() override {
        window_.reset();
        // The window posts a quit message when it goes; later modal loops must not see it.
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        StoreTest::TearDown();
    }

    static void PutText(const wchar_t* name, std::u16string_view text) { PutValue(name, REG_BINARY, BytesOf(text)); }

    CMainWindow& Open(RibbonFactory ribbon = nullptr) {
        window_ = std::make_unique<CMainWindow>(ribbon);
        EXPECT_TRUE(window_->Create(GetModuleHandleW(nullptr), L"Wordloom window test"));
        ShowWindow(window_->Window(), SW_SHOW);
        return *window_;
    }

    // Stores both tables as text, then opens the window over them.
    CMainWindow& OpenWith(std::u16string_view phrases, std::u16string_view tips, RibbonFactory ribbon = nullptr) {
        PutText(kPhrasesValue, phrases);
        PutText(kTipsValue, tips);
        return Open(ribbon);
    }

    // The associated-word tab chosen as a click would, with nothing to ask first.
    static void ShowTipsTab(CMainWindow& window) {
        SwitchToTab(window, 1);
        ASSERT_EQ(window.CurrentTab(), 1);
    }

    static std::wstring Cell(HWND list, int row, int column) {
        wchar_t text[300]{};
        ListView_GetItemText(list, row, column, text, 300);
        return text;
    }

    static LVITEMW RowLook(HWND list, int row, int column = 0) {
        LVITEMW item{};
        item.mask = LVIF_STATE | LVIF_IMAGE;
        item.iItem = row;
        item.iSubItem = column;
        item.stateMask = LVIS_CUT;
        ListView_GetItem(list, &item);
        return item;
    }

    static void Select(HWND list, std::initializer_list<int> rows) {
        for (const int row : rows) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    }

    // Selects a tab as a click would: the tab control changes, then the window hears TCN_SELCHANGE.
    // Returns what the window answered; a caller expecting a prompt wraps this in RunDialogAnswered.
    static LRESULT SwitchToTab(CMainWindow& window, int tab) {
        TabCtrl_SetCurSel(window.TabControl(), tab);
        NMHDR change{window.TabControl(), 0, static_cast<UINT>(TCN_SELCHANGE)};
        return SendMessageW(window.Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    }

    void Command(unsigned id) { SendMessageW(window_->Window(), WM_COMMAND, id, 0); }

    void ClickHeader(int column) {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = window_->PhraseList();
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageW(window_->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    }

    int HeaderArrow(int column) const {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(ListView_GetHeader(window_->PhraseList()), column, &item);
        return (item.fmt & HDF_SORTUP) ? 1 : (item.fmt & HDF_SORTDOWN) ? 2 : 0;
    }

    std::unique_ptr<CMainWindow> window_;
};
