// Times the phrase tool's window under a 4 MiB phrase table: the program from process start to
// its painted window, and in-process the window's creation, header-click sorts and the
// whole-list redraws of Select all, Delete and Undelete, an Import and an Import and merge of a
// 4 MiB file, and the Find dialog's Mark All and Find Next over the whole table. Prints its
// figures; asserts nothing.
#include "Commands.h"
#include "MainWindow.h"
#include "PrivateProfile.h"
#include "TableMerge.h"
#include "res/resource.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// About 150,000 lines: keys of 1-6 key characters, phrases of 2-12 CJK units.
std::u16string PhraseText(std::size_t bytes, std::uint32_t seed = 20261208) {
    static constexpr char16_t keys[] = u"QAZWSXEDCRFVTGBYHNUJMIK,OL.P;/";
    std::mt19937 random(seed);
    std::u16string text;
    while (true) {
        std::u16string line;
        for (int i = std::uniform_int_distribution<int>(1, 6)(random); i > 0; --i) line += keys[random() % 30];
        line += u'\t';
        for (int i = std::uniform_int_distribution<int>(2, 12)(random); i > 0; --i) {
            line += static_cast<char16_t>(0x4E00 + random() % 0x5000);
        }
        line += u"\r\n";
        if ((text.size() + line.size()) * 2 > bytes) return text;
        text += line;
    }
}

void StoreValue(const wchar_t* name, const std::u16string& text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\VantixIME", name, REG_BINARY, text.data(),
                    static_cast<DWORD>(text.size() * 2));
}

void TimeProgramStart(const wchar_t* program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    const auto start = Clock::now();
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start %ls\n", program);
        return;
    }
    HWND window = nullptr;
    while (!window && MillisecondsSince(start) < 30000) {
        window = FindWindowW(nullptr, L"新萬緹輸入法自造詞工具");
        if (!window) window = FindWindowW(nullptr, L"New Vantix User Phrase Tool");
        if (!window) Sleep(1);
    }
    const double windowUp = MillisecondsSince(start);
    // The window is shown and painted before the program's loop takes its first message.
    DWORD_PTR ignored = 0;
    if (window) SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored);
    const double answering = MillisecondsSince(start);
    std::printf("program start to window found:          %8.1f ms\n", windowUp);
    std::printf("program start to window painted/idle:   %8.1f ms\n", answering);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void ClickHeader(CMainWindow& window, int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = window.PhraseList();
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(window.Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    UpdateWindow(window.PhraseList());
}

// The moment the import's report box comes up, which is after the list shows the new rows; the
// box is closed at once.
Clock::time_point reportShown;
LRESULT CALLBACK CloseReportBox(int code, WPARAM window, LPARAM info) {
    if (code == HCBT_ACTIVATE) {
        wchar_t className[16]{};
        GetClassNameW(reinterpret_cast<HWND>(window), className, 16);
        if (std::wstring(className) == L"#32770") {
            reportShown = Clock::now();
            PostMessageW(reinterpret_cast<HWND>(window), WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, window, info);
}

// Writes the text to a file in the temporary folder and returns its path.
std::wstring WriteBenchFile(const std::u16string& text) {
    wchar_t folder[MAX_PATH]{};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"wordloom-bench-import.dat";
    if (const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size() * 2), &written, nullptr);
        CloseHandle(file);
    }
    return path;
}

// A command that reads a file, with the file dialog answered at once (as if Enter had been
// pressed in it), until its report box comes up.
void TimeFileCommand(CMainWindow& window, unsigned command, const std::u16string& text, const char* what) {
    const std::wstring path = WriteBenchFile(text);
    window.SetFileDialog([&](HWND, const FileDialogRequest&) { return std::optional<std::wstring>(path); });
    const HHOOK hook = SetWindowsHookExW(WH_CBT, CloseReportBox, nullptr, GetCurrentThreadId());
    const auto start = Clock::now();
    SendMessageW(window.Window(), WM_COMMAND, command, 0);
    UnhookWindowsHookEx(hook);
    std::printf("%-40s %8.1f ms (%d rows)\n", what, std::chrono::duration<double, std::milli>(reportShown - start).count(),
                ListView_GetItemCount(window.PhraseList()));
    DeleteFileW(path.c_str());
}

// The core's merge of the text into a copy of the window's table.
void TimeCoreMerge(CMainWindow& window, const std::u16string& text, const char* what) {
    UserPhrases copy{window.Phrases().table};
    PhraseSortState sort;
    const auto start = Clock::now();
    const PhraseMergeCounts counts = MergePhrasesFromText(copy, sort, text.data(), text.size(), 0);
    std::printf("%-40s %8.1f ms (%zu added)\n", what, MillisecondsSince(start), counts.added);
}

// Import of the text, beside the core's parse of it, then Import and merge of the same text,
// which finds every line already there.
void TimeImport(CMainWindow& window, const std::u16string& text) {
    {
        PhraseTable table;
        const auto start = Clock::now();
        ParsePhraseText(table, text.data(), text.size(), 0);
        std::printf("%-40s %8.1f ms (%zu entries)\n", "core parse of the file's text:", MillisecondsSince(start), table.size());
    }
    TimeFileCommand(window, cmdImport, text, "import command to rows shown:");
    TimeCoreMerge(window, text, "core merge of the same text:");
    TimeFileCommand(window, cmdImportMerge, text, "import and merge, nothing new:");
}

template <class Action>
void Time(const char* what, Action action) {
    const auto start = Clock::now();
    action();
    std::printf("%-40s %8.1f ms\n", what, MillisecondsSince(start));
}

// The Find dialog's letter keys, from the key press to the list painted again: the key goes to
// the dialog's message filter as its modal loop hands it over, with the focus on Find Next.
// Several rounds, each from every row selected and the list at its top, beside a bare repaint
// of the list: under Wine the repaint alone moves a lot from one moment to the next.
constexpr int FindRounds = 5;
struct FindTiming {
    HWND mainWindow = nullptr;
    HWND list = nullptr;
    std::wstring markText;  // matches a few rows, all the others are selected before
    std::wstring nextText;  // only the last row's phrase
    std::vector<double> repaint, markAll, findNext;
    int markedRows = 0;
    int hitRow = -1;
};
FindTiming* findTiming = nullptr;

double PressInFindBox(HWND focus, UINT key, HWND list) {
    const auto start = Clock::now();
    MSG message{};
    message.hwnd = focus;
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = static_cast<LPARAM>(1 | (MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16));
    CallMsgFilterW(&message, MSGF_DIALOGBOX);
    UpdateWindow(list);
    return MillisecondsSince(start);
}

BOOL CALLBACK TakeDialog(HWND window, LPARAM found) {
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK TimeFindKeys(HWND, UINT, UINT_PTR timer, DWORD) {
    // The dialog shows itself only when its loop first finds the queue empty, which can be
    // after the timer is due; the timer then waits for the next round.
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    KillTimer(nullptr, timer);
    FindTiming& timing = *findTiming;
    const HWND findWhat = GetDlgItem(dialog, IDC_FIND_WHAT);
    const HWND findNext = GetDlgItem(dialog, IDC_FIND_NEXT);
    for (int round = 0; round < FindRounds; ++round) {
        SendMessageW(timing.mainWindow, WM_COMMAND, cmdSelectAll, 0);
        ListView_SetItemState(timing.list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(timing.list, 0, FALSE);
        UpdateWindow(timing.list);
        const auto start = Clock::now();
        InvalidateRect(timing.list, nullptr, FALSE);
        UpdateWindow(timing.list);
        timing.repaint.push_back(MillisecondsSince(start));

        SetWindowTextW(findWhat, timing.markText.c_str());
        SetFocus(findNext);
        timing.markAll.push_back(PressInFindBox(findNext, 'M', timing.list));
        timing.markedRows = static_cast<int>(ListView_GetSelectedCount(timing.list));

        ListView_SetItemState(timing.list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
        SetWindowTextW(findWhat, timing.nextText.c_str());
        SetFocus(findNext);
        timing.findNext.push_back(PressInFindBox(findNext, 'F', timing.list));
        timing.hitRow = ListView_GetNextItem(timing.list, -1, LVNI_SELECTED);
    }
    EndDialog(dialog, IDCANCEL);
}

void PrintRounds(const char* what, std::vector<double> figures, const char* after) {
    std::printf("%-40s", what);
    for (const double figure : figures) std::printf(" %6.1f", figure);
    std::sort(figures.begin(), figures.end());
    std::printf(" ms, median %.1f ms%s\n", figures.empty() ? 0.0 : figures[figures.size() / 2], after);
}

void TimeFind(CMainWindow& window) {
    const PhraseTable& table = window.Phrases().table;
    FindTiming timing;
    timing.mainWindow = window.Window();
    timing.list = window.PhraseList();
    timing.markText = std::wstring(1, static_cast<wchar_t>(table.front().phrase.front()));
    timing.nextText = std::wstring(table.back().phrase.begin(), table.back().phrase.end());
    findTiming = &timing;
    // The windows of the ribbon rounds posted a quit message as they went; it would end the
    // dialog's loop at once.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    SetTimer(nullptr, 0, 100, TimeFindKeys);
    SendMessageW(window.Window(), WM_COMMAND, cmdFind, 0);
    findTiming = nullptr;
    char marked[64], hit[64];
    std::snprintf(marked, sizeof marked, " (%d rows left marked)", timing.markedRows);
    std::snprintf(hit, sizeof hit, " (hit on row %d of %zu)", timing.hitRow, table.size());
    PrintRounds("find: repaint of the list alone:", timing.repaint, "");
    PrintRounds("find: Mark All over every row:", timing.markAll, marked);
    PrintRounds("find: Find Next to the last row:", timing.findNext, hit);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // It overwrites the stored tables and deletes them at the end.
    if (!MayChangeThisProfile("wordloom_window_bench")) return RefusedToRunExitCode;
    const std::u16string text = PhraseText(4194304);
    StoreValue(L"UserDefinedPhrases", text);
    StoreValue(L"UserDefinedTips", u"人=人民\r\n");
    std::printf("phrase value: %zu bytes\n", text.size() * 2);
    if (argc > 1) TimeProgramStart(argv[1]);

    // The ribbon's share of the start, side by side with the window without one, alternately.
    for (int round = 1; round <= 3; ++round) {
        for (const RibbonFactory ribbon : {RibbonFactory{nullptr}, RibbonFactory{CreateRibbon}}) {
            char label[64];
            std::snprintf(label, sizeof label, "window %s ribbon, round %d:", ribbon ? "with" : "without", round);
            CMainWindow measured(ribbon);
            Time(label, [&] {
                measured.Create(GetModuleHandleW(nullptr), L"Wordloom bench");
                ShowWindow(measured.Window(), SW_SHOW);
                UpdateWindow(measured.Window());
            });
        }
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\VantixIME", L"UPTRibbonState");

    CMainWindow window(nullptr);
    Time("window created, shown and painted:", [&] {
        window.Create(GetModuleHandleW(nullptr), L"Wordloom bench");
        ShowWindow(window.Window(), SW_SHOW);
        UpdateWindow(window.Window());
    });
    std::printf("rows: %d\n", ListView_GetItemCount(window.PhraseList()));
    TimeImport(window, text);
    ListView_SetItemState(window.PhraseList(), 5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    for (int column = 1; column <= 3; ++column) {
        for (const char* direction : {"ascending", "descending"}) {
            char label[64];
            std::snprintf(label, sizeof label, "header click, column %d %s:", column, direction);
            Time(label, [&] { ClickHeader(window, column); });
        }
    }
    Time("select all:", [&] { SendMessageW(window.Window(), WM_COMMAND, cmdSelectAll, 0); });
    Time("delete all rows (redraw of every row):", [&] { SendMessageW(window.Window(), WM_COMMAND, cmdDelete, 0); });
    Time("undelete all rows (redraw of every row):", [&] { SendMessageW(window.Window(), WM_COMMAND, cmdUndelete, 0); });
    TimeFind(window);
    // Last, as it adds some 155,000 rows: a file of other lines merged into the table.
    const std::u16string other = PhraseText(4194304, 20261209);
    TimeCoreMerge(window, other, "core merge of another text:");
    TimeFileCommand(window, cmdImportMerge, other, "import and merge, another file:");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VantixIME");
    return 0;
}
