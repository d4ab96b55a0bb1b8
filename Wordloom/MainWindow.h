// The phrase tool's only top-level window: under the ribbon, a tab control with two virtual
// report lists, the phrase list and the associated-word list. It owns both tables, their flags
// and the phrase list's sort state, and every command reaches it.
#pragma once

#include "Ordering.h"
#include "PhraseEdit.h"
#include "FileDialogs.h"
#include "PhraseTable.h"
#include "TipEdit.h"
#include "TipStore.h"
#include "TipTable.h"
#include "Win32Handles.h"
#include "ribbon/Ribbon.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
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
    UserPhrases& Phrases() { return phrases_; }
    UserTips& Tips() { return tips_; }
    const PhraseSortState& SortState() const { return sort_; }
    const EntryImages& Images() const { return images_; }
    int CurrentTab() const { return currentTab_; }
    int FocusedPhrase() const { return focusedPhrase_; }
    int FocusedTip() const { return focusedTip_; }
    HWND TabControl() const { return tab_; }
    HWND PhraseList() const { return phraseList_; }
    HWND TipList() const { return tipList_; }
    HWND CurrentList() const { return currentTab_ == 0 ? phraseList_ : tipList_; }
    int CurrentFocusedRow() const { return currentTab_ == 0 ? focusedPhrase_ : focusedTip_; }
    std::size_t CurrentRowCount() const { return currentTab_ == 0 ? phrases_.table.size() : tips_.table.size(); }
    bool HasUnsavedWork() const { return phrases_.HasUnsavedWork() || tips_.HasUnsavedWork(); }

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
    // What the phrase edit dialog hands back. Insert: a new entry at the end of the list, and no
    // column counts as sorted any more; refused (false, with a message) when the table would no
    // longer fit in a file that imports again. Modify of a row: the texts that differ are stored
    // and their columns lose their sort arrows.
    bool AppendPhrase(const EditedPhrase& edited);
    void ApplyPhraseEdit(int row, const EditedPhrase& edited);
    // What the associated-word editor hands back. Insert: a new entry at the end of the list,
    // refused as for phrases. Modify of a row: its words when they differ; the character stays.
    bool AppendTip(const EditedTip& edited);
    void ApplyTipEdit(int row, const EditedTip& edited);
    // A recent item was chosen: unsaved work is offered for saving, then the file is read into
    // the current tab's table.
    void OpenRecent(const std::wstring& path);
    // The Save command on the current tab; false when nothing was written (the user was told).
    bool SaveCurrentTable();

private:
    static constexpr UINT WM_REFRESH_COMMAND_STATES = WM_APP + 1;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TabControlProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR mainWindow);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Creation, layout and display (MainWindow.cpp).
    void OnCreate();
    HWND CreateList(bool phrases, const RECT& area);
    void InstallImageList(HWND list);
    void Layout();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void SetWindowIcons(int smallWidth, int smallHeight, int largeWidth, int largeHeight);
    void OnDestroy();
    LRESULT OnNotify(const NMHDR& header);
    void OnDisplayInfo(NMLVDISPINFOW& info) const;

    // Commands (MainWindowCommands.cpp).
    void OnCommand(unsigned command);
    void OnTabChanged();
    void DeleteSelected();
    void UndeleteAll();
    void SelectAll();
    void InsertEntry();
    void ModifyRow(int row);
    void ModifyFocusedRow();
    void Find();
    void ShowAbout();
    void SortByColumn(int column);
    void SortInDirection(bool ascending);
    void ShowSortIndicators();
    void ClearSortIndicators();
    void ResetSortMarks();
    void RemoveSortArrow(int column);
    void OnContextMenu(POINT position);
    void RedrawAllRows(HWND list);

    // File commands (MainWindowFiles.cpp).
    void OnClose();
    bool OnQueryEndSession();
    bool OfferToSaveUnsavedWork(UINT buttons);
    bool SavePhrases();
    bool SaveTips();
    void Import();
    void ImportFile(const std::wstring& path);
    void ImportMerge();
    std::optional<std::wstring> AskForFileToImport();
    void MergeFile(const std::wstring& path);
    void ShowImportRefusal(const ImportResult& result);
    void ShowTableTooLarge();
    void Export();
    bool AskToSaveWithoutBackup();
    int AskToSave(UINT buttons);
    void ShowMessage(unsigned stringId, UINT icon);
    void ShowMessage(const std::wstring& text, UINT icon);

    RibbonFactory ribbonFactory_;
    std::unique_ptr<Ribbon> ribbon_;
    int ribbonHeight_ = 0;
    FileDialogRunner fileDialog_ = ShowFileDialog;
    ModuleFileNameQuery programFileName_ = RunningProgramFileName;
    std::wstring title_;
    HWND window_ = nullptr;
    HWND tab_ = nullptr;
    HWND phraseList_ = nullptr;
    HWND tipList_ = nullptr;
    UniqueFont tabFont_;
    UniqueIcon smallIcon_;
    UniqueIcon largeIcon_;

    UserPhrases phrases_;
    UserTips tips_;
    PhraseSortState sort_;
    EntryImages images_{-1, -1};
    int focusedPhrase_ = 0;
    int focusedTip_ = 0;
    int currentTab_ = 0;
    int monitorDpi_ = 0;  // the DPI the window is laid out for; 0: the system's metrics
    bool commandRefreshPosted_ = false;
    ShutdownBlockReason shutdownReason_;  // set while a session end waits on a question
};
