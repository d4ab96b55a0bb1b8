// The phrase tool's only top-level window: under the ribbon, a tab control with one pane per
// table, the phrases and the associated words, and a status bar with the current table's counts. The window keeps the frame, the tab switch, the
// ribbon and the questions that span both tables; every other command goes to the current pane.
#pragma once

#include "FileDialogs.h"
#include "PhrasePane.h"
#include "TipPane.h"
#include "Win32Handles.h"
#include "ribbon/Ribbon.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>

class CMainWindow {
public:
    explicit CMainWindow(RibbonFactory ribbonFactory = CreateRibbon);
    ~CMainWindow();
    CMainWindow(const CMainWindow&) = delete;
    CMainWindow& operator=(const CMainWindow&) = delete;

    // Registers the window class and creates the window with its children; null on failure.
    HWND Create(HINSTANCE instance, const std::wstring& title);
    HWND Window() const { return window_; }
    const std::wstring& Title() const { return title_; }

    // What the commands, dialogs and tests work on.
    UserPhrases& Phrases() { return phrasePane_.Phrases(); }
    UserTips& Tips() { return tipPane_.Tips(); }
    const PhraseSortState& SortState() const { return phrasePane_.SortState(); }
    const EntryImages& Images() const { return images_; }
    int CurrentTab() const { return currentTab_; }
    int FocusedPhrase() const { return phrasePane_.FocusedRow(); }
    int FocusedTip() const { return tipPane_.FocusedRow(); }
    HWND TabControl() const { return tab_; }
    HWND PhraseList() const { return phrasePane_.List(); }
    HWND TipList() const { return tipPane_.List(); }
    HWND StatusBar() const { return status_; }
    const RowView& PhraseView() const { return phrasePane_.View(); }
    const RowView& TipView() const { return tipPane_.View(); }
    CTablePane& CurrentPane() { return currentTab_ == 0 ? static_cast<CTablePane&>(phrasePane_) : tipPane_; }
    const CTablePane& CurrentPane() const { return currentTab_ == 0 ? static_cast<const CTablePane&>(phrasePane_) : tipPane_; }
    HWND CurrentList() const { return CurrentPane().List(); }
    int CurrentFocusedRow() const { return CurrentPane().FocusedRow(); }
    std::size_t CurrentShownRowCount() const { return CurrentPane().ShownRowCount(); }
    bool HasUnsavedWork() const { return phrasePane_.HasUnsavedWork() || tipPane_.HasUnsavedWork(); }
    Ribbon* RibbonBar() const { return ribbon_.get(); }
    // Asks for a file through the file dialog in use.
    std::optional<std::wstring> AskForFile(const FileDialogRequest& request) { return fileDialog_(window_, request); }

    void RefreshCommandStates();
    // Refreshes the command states once the messages now waiting are handled.
    void RefreshCommandStatesSoon();
    // The ribbon's height as its view reports it; the window lays itself out below it.
    void SetRibbonHeight(int height);
    int RibbonHeight() const { return ribbonHeight_; }

    // How the window learns the program's own path, which the associated words are first
    // seeded from; set before Create (a test gives a path too long to use).
    void SetProgramFileNameQuery(ModuleFileNameQuery query) { programFileName_ = query; }
    // Where Import and Export ask for a file; the system's file dialogs unless a test sets another.
    void SetFileDialog(FileDialogRunner runner) { fileDialog_ = std::move(runner); }
    // What the phrase edit dialog and the associated-word editor hand back (see the panes).
    bool AppendPhrase(const EditedPhrase& edited) { return phrasePane_.AppendPhrase(edited); }
    void ApplyPhraseEdit(int row, const EditedPhrase& edited) { phrasePane_.ApplyPhraseEdit(row, edited); }
    bool AppendTip(const EditedTip& edited) { return tipPane_.AppendTip(edited); }
    void ApplyTipEdit(int row, const EditedTip& edited) { tipPane_.ApplyTipEdit(row, edited); }
    // A recent item was chosen: unsaved work is offered for saving, then the file is read into
    // the current tab's table.
    void OpenRecent(const std::wstring& path);
    // The Save command on the current tab; false when nothing was written (the user was told).
    bool SaveCurrentTable() { return CurrentPane().Save(); }

private:
    static constexpr UINT WM_REFRESH_COMMAND_STATES = WM_APP + 1;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TabControlProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR mainWindow);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Creation, layout and notifications (MainWindow.cpp).
    void OnCreate();
    void InstallImageList(HWND list);
    void Layout();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void SetWindowIcons(int smallWidth, int smallHeight, int largeWidth, int largeHeight);
    void OnDestroy();
    LRESULT OnNotify(const NMHDR& header);
    CTablePane* PaneOf(HWND list);
    CTablePane* PaneOfFilterBox(HWND box);
    void UpdateStatusBar();

    // Commands and the questions that span both tables (MainWindowCommands.cpp).
    void OnCommand(unsigned command);
    void OnTabChanged();
    void Find();
    void ShowAbout();
    void OnContextMenu(POINT position);
    void OnClose();
    bool OnQueryEndSession();
    bool OfferToSaveUnsavedWork(UINT buttons);
    void Import();
    int AskToSave(UINT buttons);

    RibbonFactory ribbonFactory_;
    std::unique_ptr<Ribbon> ribbon_;
    int ribbonHeight_ = 0;
    FileDialogRunner fileDialog_ = ShowFileDialog;
    ModuleFileNameQuery programFileName_ = RunningProgramFileName;
    std::wstring title_;
    HWND window_ = nullptr;
    HWND tab_ = nullptr;
    HWND status_ = nullptr;
    UniqueFont tabFont_;
    UniqueIcon smallIcon_;
    UniqueIcon largeIcon_;

    EntryImages images_{-1, -1};  // the same two icons in both lists
    CPhrasePane phrasePane_{*this};
    CTipPane tipPane_{*this};
    int currentTab_ = 0;
    int monitorDpi_ = 0;  // the DPI the window is laid out for; 0: the system's metrics
    bool commandRefreshPosted_ = false;
    ShutdownBlockReason shutdownReason_;  // set while a session end waits on a question
};
