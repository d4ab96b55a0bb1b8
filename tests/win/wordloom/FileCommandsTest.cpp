// Import, Export and Save from the main window: the file dialog is scripted except in one test
// that drives the system's own dialog; the message boxes are answered from inside their loops.
#include "WindowFixture.h"

#include "Commands.h"
#include "DialogDriver.h"
#include "KeyAccess.h"
#include "UiStrings.h"
#include "ValueBackup.h"
#include "res/resource.h"
#include "Win32Handles.h"

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <tuple>

namespace {

// The last line of an import's message when the file had invalid lines (No is the answer there).
const std::wstring AskToShowInvalidLines = L"\n\n\u8981\u986f\u793a\u7121\u6548\u7684\u884c\u55ce?";

// The files handed to the recent items, by a ribbon that keeps nothing else.
std::vector<std::wstring> recentFiles;

class RecentFilesRibbon final : public Ribbon {
public:
    void RefreshCommandStates() override {}
    void InvalidateSortToggles() override {}
    bool ShowContextPopup(POINT) override { return false; }
    void DestroyViews() override {}
    void AddRecentFile(const std::wstring& path) override { recentFiles.push_back(path); }
};

std::unique_ptr<Ribbon> RecordRecentFiles(CMainWindow&) {
    recentFiles.clear();
    return std::make_unique<RecentFilesRibbon>();
}

// A message box as the test read it; nothing when no box came.
struct Message {
    std::wstring text;
    UINT icon = 0;  // MB_ICONERROR, MB_ICONINFORMATION, MB_ICONWARNING, or 0
    bool operator==(const Message&) const = default;
};

void PrintTo(const Message& message, std::ostream* out) {
    *out << testing::PrintToString(message.text) << " with icon " << message.icon;
}

class FileCommandsTest : public MainWindowTest {
protected:
    // Opens the window over both stored tables with a file dialog that hands out the queued
    // paths, or cancels.
    CMainWindow& OpenScripted(std::u16string_view phrases, std::u16string_view tips, RibbonFactory ribbon = nullptr) {
        CMainWindow& window = OpenWith(phrases, tips, ribbon);
        ScriptFileDialog(window);
        return window;
    }

    // The window's file dialog, from here on, records what it is asked and hands out the queued
    // paths, or cancels.
    void ScriptFileDialog(CMainWindow& window) {
        window.SetFileDialog([this](HWND owner, const FileDialogRequest& request) -> std::optional<std::wstring> {
            EXPECT_EQ(owner, window_->Window());
            requests_.push_back(request);
            if (paths_.empty()) return std::nullopt;
            std::wstring path = paths_.front();
            paths_.pop_front();
            return path;
        });
    }

    // Runs a command that ends in one message box, titled as the window is; returns what it said.
    Message CommandWithMessage(unsigned id) {
        Message message;
        RunDialogAnswered([&] { return SendMessageW(window_->Window(), WM_COMMAND, id, 0); },
                          [&](HWND box) {
                              EXPECT_EQ(WindowText(box), window_->Title());
                              ReadMessage(message)(box);
                          });
        return message;
    }

    // Writes the bytes as the file the dialog hands out next, then runs a command on it as
    // CommandWithMessage does.
    Message CommandOnNewFile(unsigned id, const std::wstring& path, std::string_view bytes) {
        WriteFileBytes(path, bytes);
        paths_.push_back(path);
        return CommandWithMessage(id);
    }

    // An answer that reads a message box's text and icon, then closes it with OK.
    static std::function<void(HWND)> ReadMessage(Message& message) {
        return [&message](HWND box) {
            message = {ControlText(box, 0xFFFF), MessageBoxIcon(box)};
            SendMessageW(box, WM_COMMAND, IDOK, 0);
        };
    }

    // Which standard icon the box shows, told apart by the icon handle the system hands out.
    static UINT MessageBoxIcon(HWND box) {
        const auto shown = reinterpret_cast<HICON>(SendDlgItemMessageW(box, 0x0440, STM_GETICON, 0, 0));
        if (shown == LoadIconW(nullptr, IDI_ERROR)) return MB_ICONERROR;
        if (shown == LoadIconW(nullptr, IDI_INFORMATION)) return MB_ICONINFORMATION;
        if (shown == LoadIconW(nullptr, IDI_WARNING)) return MB_ICONWARNING;
        return 0;
    }

    std::deque<std::wstring> paths_;
    std::vector<FileDialogRequest> requests_;
};

std::vector<std::wstring> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

// The file name box of the system's item dialog, found by its place in the dialog template.
void TypePathAndPressEnter(HWND dialog, const std::wstring& path) {
    constexpr int FileNameBox = 1152;
    const HWND box = GetDlgItem(dialog, FileNameBox);
    ASSERT_TRUE(box);
    SetFocus(box);
    SetWindowTextW(box, path.c_str());
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
}

// Text as Notepad saves it by default: UTF-8 with a byte-order mark.
std::string NotepadBytesOf(std::u8string_view text) {
    return "\xEF\xBB\xBF" + std::string(text.begin(), text.end());
}

// While it lives, this user may read HKCU\Software\VantixIME but not write it: the key's only
// entry grants reading (and changing the entries back).
class ReadOnlyKey {
public:
    ReadOnlyKey() { SetAccess(KEY_READ | WRITE_DAC); }
    ~ReadOnlyKey() { SetAccess(KEY_ALL_ACCESS); }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

    // Whether the key now refuses to be opened for writing.
    static bool Refuses() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return true;
        RegCloseKey(key);
        return false;
    }

private:
    static void SetAccess(ACCESS_MASK granted) { SetKeyAccess(kKeyPath, OnlyTheUserMay(granted)); }
};

}  // namespace

TEST_F(FileCommandsTest, ImportReplacesTheTableExportWritesWhatIsLeftAndSaveKeepsABackup) {
    std::u16string before;
    for (char16_t first = u'A'; first <= u'J'; ++first) {
        for (char16_t second = u'A'; second <= u'J'; ++second) before += std::u16string{first, second} + u"\tp\r\n";
    }
    const std::optional<std::wstring> backups = BackupFolder();
    ASSERT_TRUE(backups);
    std::filesystem::remove_all(*backups);
    CMainWindow& window = OpenScripted(before, u"\u4eba=\u4eba\u6c11\r\n");

    // Three good lines and two bad ones replace the two entries; a path with Chinese and blanks.
    const std::filesystem::path folder = dir_ / L"\u8a5e\u5f59 files";
    std::filesystem::create_directories(folder);
    const std::wstring imported = (folder / L"my phrases.dat").wstring();
    EXPECT_EQ(CommandOnNewFile(cmdImport, imported,
                               BytesOf(u"YOEY\t\u65b0\u842c\u7dc1\r\nbad line\r\nAB\tP2\r\nA1\tdigit\r\nC\tthree\r\n")),
              (Message{L"3 \u500b\u8a5e\u5f59\u5df2\u532f\u5165\u3002\n2 \u7b46\u8cc7\u6599\u932f\u8aa4\uff0c\u7121\u6cd5\u532f\u5165\u3002" +
                  AskToShowInvalidLines, MB_ICONINFORMATION}));
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_FALSE(requests_[0].save);
    EXPECT_TRUE(requests_[0].startInDocuments);
    EXPECT_EQ(requests_[0].title, L"\u532f\u5165\u4f7f\u7528\u8005\u9020\u8a5e");
    EXPECT_EQ(requests_[0].defaultExtension, L"dat");
    ASSERT_EQ(requests_[0].types.size(), 2u);
    EXPECT_EQ(requests_[0].types[0].second, L"*.dat");
    EXPECT_EQ(requests_[0].types[1].second, L"*.*");
    ASSERT_EQ(window.Phrases().table.size(), 3u);
    EXPECT_EQ(ListView_GetItemCount(window.PhraseList()), 3);
    EXPECT_EQ(Cell(window.PhraseList(), 2, 3), L"C");
    EXPECT_FALSE(window.Phrases().phrasesUnchanged);

    // Export after deleting a row writes the other two, and the mark stays.
    Select(window.PhraseList(), {1});
    Command(cmdDelete);
    const std::wstring exported = (folder / L"out put.dat").wstring();
    paths_.push_back(exported);
    EXPECT_EQ(CommandWithMessage(cmdExport).text, L"");
    EXPECT_EQ(ReadFileBytes(exported), BytesOf(u"YOEY\t\u65b0\u842c\u7dc1\r\nC\tthree\r\n"));
    EXPECT_TRUE(window.Phrases().phrasesHaveDeleted);
    EXPECT_TRUE(requests_.back().save);
    EXPECT_EQ(requests_.back().types.size(), 1u);

    // A folder of 250 characters takes the export as Windows takes any file there.
    std::wstring deep = dir_.wstring();
    while (deep.size() < 250) deep += L"\\" + std::wstring(std::min<std::size_t>(40, 249 - deep.size()), L'd');
    ASSERT_EQ(deep.size(), 250u);
    std::filesystem::create_directories(deep);
    paths_.push_back(deep + L"\\a.dat");
    EXPECT_EQ(CommandWithMessage(cmdExport).text, L"");
    EXPECT_EQ(ReadFileBytes(deep + L"\\a.dat"), BytesOf(u"YOEY\t\u65b0\u842c\u7dc1\r\nC\tthree\r\n"));
    EXPECT_EQ(FilesIn(deep), (std::vector<std::wstring>{L"a.dat"}));

    // A target that cannot be replaced keeps its bytes, and no half-written file is left beside it.
    const std::wstring locked = (folder / L"locked.dat").wstring();
    WriteFileBytes(locked, "old bytes");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    paths_.push_back(locked);
    EXPECT_EQ(CommandWithMessage(cmdExport),
              (Message{L"\u7121\u6cd5\u65b0\u589e\u6a94\u6848\u3002", MB_ICONERROR}));
    EXPECT_EQ(ReadFileBytes(locked), "old bytes");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    {
        const HeldFile reader(locked, GENERIC_READ, FILE_SHARE_READ);  // another program has it open
        ASSERT_TRUE(reader.IsOpen());
        paths_.push_back(locked);
        EXPECT_EQ(CommandWithMessage(cmdExport).text, L"\u7121\u6cd5\u65b0\u589e\u6a94\u6848\u3002");
    }
    EXPECT_EQ(ReadFileBytes(locked), "old bytes");
    EXPECT_EQ(FilesIn(folder), (std::vector<std::wstring>{L"locked.dat", L"my phrases.dat", L"out put.dat"}));

    // Save drops the marked row for good; the value it overwrote is kept as an importable file.
    Command(cmdSave);
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, BytesOf(u"YOEY\t\u65b0\u842c\u7dc1\r\nC\tthree\r\n"));
    const std::vector<std::wstring> kept = FilesIn(*backups);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].rfind(L"UserDefinedPhrases-", 0), 0u);
    EXPECT_EQ(ReadFileBytes(*backups + kept[0]), BytesOf(before));
    Command(cmdSave);  // the same bytes again: nothing new to keep
    EXPECT_EQ(FilesIn(*backups).size(), 1u);

    // With every row marked there is nothing to export, and no file is made.
    Command(cmdSelectAll);
    Command(cmdDelete);
    const std::wstring none = (folder / L"none.dat").wstring();
    paths_.push_back(none);
    EXPECT_EQ(CommandWithMessage(cmdExport),
              (Message{L"\u6c92\u6709\u53ef\u4ee5\u532f\u51fa\u7684\u5b57\u5f59\u3002", MB_ICONINFORMATION}));
    EXPECT_FALSE(std::filesystem::exists(none));
    std::filesystem::remove_all(*backups);
}

TEST_F(FileCommandsTest, AFileThatCannotBeReadLeavesTheTableAndTheAssociatedWordTabImportsItsOwn) {
    CMainWindow& window = OpenScripted(u"A\tone\r\n", u"\u4eba=\u4eba\u6c11\r\n");

    const std::string limit(4 * 1024 * 1024, 'A');
    EXPECT_EQ(CommandOnNewFile(cmdImport, PathOf(L"over.dat"), limit + "A"),
              (Message{L"\u7121\u6cd5\u5f9e\u6a94\u6848\u8b80\u53d6\u8a5e\u5f59!\n\u6a94\u6848\u5927\u5c0f\u9650\u5236\u70ba 4MB\u3002", MB_ICONERROR}));
    paths_.push_back(PathOf(L"missing.dat"));
    EXPECT_EQ(CommandWithMessage(cmdImport).text,
              L"\u7121\u6cd5\u8b80\u53d6\u6a94\u6848\u3002\u8acb\u78ba\u5b9a\u6709\u8b80\u53d6\u7684\u6b0a\u9650\u3002");
    EXPECT_EQ(CommandWithMessage(cmdImport).text, L"");  // the dialog was cancelled
    ASSERT_EQ(window.Phrases().table.size(), 1u);
    EXPECT_TRUE(window.Phrases().phrasesUnchanged);

    ShowTipsTab(window);
    EXPECT_EQ(CommandOnNewFile(cmdImport, PathOf(L"tips.dat"),
                               BytesOf(u"\u5927=\u5927\u5bb6,\u5927\u4eba\r\n\u5c0f=\u5c0f\u5fc3\r\n")).text,
              L"2 \u500b\u8a5e\u5f59\u5df2\u532f\u5165\u3002\n0 \u7b46\u8cc7\u6599\u932f\u8aa4\uff0c\u7121\u6cd5\u532f\u5165\u3002");
    EXPECT_EQ(requests_.back().title, L"\u532f\u5165\u76f8\u95dc\u5b57\u8a5e");
    EXPECT_EQ(ListView_GetItemCount(window.TipList()), 2);
    EXPECT_EQ(Cell(window.TipList(), 1, 1), L"\u5c0f");
    ASSERT_EQ(window.Phrases().table.size(), 1u);  // the other tab's table is not touched
}

// Files as other tools and editors save them: Big5, UTF-8 with LF alone, Notepad's "Unicode".
// A file with nothing to read changes nothing; a merge keeps other keys and marked rows.
TEST_F(FileCommandsTest, FilesOfEveryEncodingImportAndMergeKeepsKeysAndMarkedRowsAndSaveStoresThem) {
    CMainWindow& window = OpenScripted(u"A\tone\r\n", u"\u4eba=\u4eba\u6c11\r\n", RecordRecentFiles);
    const std::wstring importedThree =
        L"3 \u500b\u8a5e\u5f59\u5df2\u532f\u5165\u3002\n0 \u7b46\u8cc7\u6599\u932f\u8aa4\uff0c\u7121\u6cd5\u532f\u5165\u3002";

    const std::wstring big5 = PathOf(L"big5.dat");  // 一人, then the euro sign of code page 950
    WriteFileBytes(big5, "AB\t\xA4\x40\xA4\x48\nC\tdup\nX\t\xA3\xE1\n");
    const std::wstring lfOnly = PathOf(L"lf.txt");
    WriteFileBytes(lfOnly, "AB\tAlpha\nC\tdup\nX\t\xE6\x96\xB0");  // no line end after the last line
    const std::wstring notepadUnicode = PathOf(L"unicode.txt");
    WriteFileBytes(notepadUnicode, "\xFF\xFE" + BytesOf(u"AB\tAlpha\r\nC\tdup\r\nX\t\u65b0\r\n"));
    for (const std::wstring& path : {big5, lfOnly, notepadUnicode}) {
        paths_.push_back(path);
        EXPECT_EQ(CommandWithMessage(cmdImport).text, importedThree);
        if (path == big5) {
            EXPECT_EQ(Cell(window.PhraseList(), 0, 1), L"\u4e00\u4eba");
            EXPECT_EQ(Cell(window.PhraseList(), 2, 1), L"\u20ac");
        }
        Command(cmdSave);  // so that the next Import does not ask first
    }
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, BytesOf(u"AB\tAlpha\r\nC\tdup\r\nX\t\u65b0\r\n"));

    // Bytes of no text: ten lines of high bytes that are neither UTF-8 nor Big5.
    std::string noise;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += i % 40 == 39 ? '\n' : static_cast<char>(0x80 | (seed >> 16));
    }
    noise[7] = '\xFF';  // which code page 950 never reads
    const std::wstring random = PathOf(L"random.dat");
    EXPECT_EQ(CommandOnNewFile(cmdImport, random, noise),
              (Message{L"\u672a\u532f\u5165\u4efb\u4f55\u5167\u5bb9:\u6b64\u6a94\u6848\u6c92\u6709\u53ef\u8b80\u53d6\u7684\u884c"
                       L"(10 \u884c\u7121\u6548)\u3002\u6e05\u55ae\u672a\u8b8a\u66f4\u3002" + AskToShowInvalidLines, MB_ICONWARNING}));
    EXPECT_EQ(ListView_GetItemCount(window.PhraseList()), 3);
    EXPECT_EQ(Cell(window.PhraseList(), 0, 1), L"Alpha");
    EXPECT_TRUE(window.Phrases().phrasesUnchanged);

    Select(window.PhraseList(), {1});
    Command(cmdDelete);  // "dup" is marked
    ClickHeader(1);
    ASSERT_EQ(HeaderArrow(1), 1);

    // The table has unsaved work, yet no prompt comes: the report is the only box. A file that
    // is too large leaves the table as it was.
    const std::wstring tooLarge = PathOf(L"too large.dat");
    EXPECT_EQ(CommandOnNewFile(cmdImportMerge, tooLarge, std::string(4 * 1024 * 1024 + 2, 'A')),
              (Message{L"\u7121\u6cd5\u5f9e\u6a94\u6848\u8b80\u53d6\u8a5e\u5f59!\n\u6a94\u6848\u5927\u5c0f\u9650\u5236\u70ba 4MB\u3002", MB_ICONERROR}));
    EXPECT_EQ(window.Phrases().table.size(), 3u);

    // A phrase under another key is a new row, and so is one equal to a marked row; the same key
    // and phrase (ASCII case aside) is there already, from the table or an earlier line.
    const std::wstring second = PathOf(L"\u5408\u4f75 second.dat");
    EXPECT_EQ(CommandOnNewFile(cmdImportMerge, second,
                               BytesOf(u"D\tALPHA\r\nE\tnew\r\nbad line\r\nC\tDUP\r\ne\tNEW\r\nAB\tALPHA\r\nH\t\u842c\r\n")),
              (Message{L"\u5df2\u65b0\u589e 4 \u500b\u8a5e\u5f59\u30022 \u500b\u5df2\u5728\u8868\u683c\u4e2d\u30021 \u884c\u7121\u6548\u3002" +
                  AskToShowInvalidLines, MB_ICONINFORMATION}));
    ASSERT_EQ(requests_.size(), 6u);
    EXPECT_EQ(requests_[5].title, L"\u532f\u5165\u4f7f\u7528\u8005\u9020\u8a5e");
    EXPECT_TRUE(requests_[5].startInDocuments);
    EXPECT_EQ(requests_[5].types.size(), 2u);
    EXPECT_EQ(ListView_GetItemCount(window.PhraseList()), 7);
    EXPECT_EQ(Cell(window.PhraseList(), 6, 1), L"\u842c");
    EXPECT_EQ(HeaderArrow(1), 0);
    EXPECT_FALSE(window.SortState().sortedByPhrase || window.SortState().sortAscending);
    EXPECT_TRUE(RowLook(window.PhraseList(), 1).state & LVIS_CUT);  // the mark stays
    // Only the files that replaced the table are recent items.
    EXPECT_EQ(recentFiles, (std::vector<std::wstring>{big5, lfOnly, notepadUnicode}));

    // Save drops the marked row and stores the rest in the table's order.
    Command(cmdSave);
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes,
              BytesOf(u"AB\tAlpha\r\nX\t\u65b0\r\nD\tALPHA\r\nE\tnew\r\nC\tDUP\r\nH\t\u842c\r\n"));
}

TEST_F(FileCommandsTest, ANotepadFileImportsAndMergeExtendsAssociatedWordsAndSaveStoresThem) {
    CMainWindow& window = OpenScripted(u"A\tone\r\n", u"\u4e00=\u4e00\u500b\r\n", RecordRecentFiles);
    ShowTipsTab(window);

    const std::wstring first = PathOf(L"first tips.dat");
    EXPECT_EQ(CommandOnNewFile(cmdImport, first,
                               NotepadBytesOf(u8"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\n\u5927=\u5927\u5bb6\r\n")).text,
              L"2 \u500b\u8a5e\u5f59\u5df2\u532f\u5165\u3002\n0 \u7b46\u8cc7\u6599\u932f\u8aa4\uff0c\u7121\u6cd5\u532f\u5165\u3002");
    Select(window.TipList(), {1});
    Command(cmdDelete);  // 大 is marked

    // A file that cannot be read and a cancelled dialog change nothing.
    paths_.push_back(PathOf(L"missing.dat"));
    EXPECT_EQ(CommandWithMessage(cmdImportMerge).text,
              L"\u7121\u6cd5\u8b80\u53d6\u6a94\u6848\u3002\u8acb\u78ba\u5b9a\u6709\u8b80\u53d6\u7684\u6b0a\u9650\u3002");
    EXPECT_EQ(CommandWithMessage(cmdImportMerge).text, L"");
    const std::wstring invalid = PathOf(L"invalid tips.dat");
    EXPECT_EQ(CommandOnNewFile(cmdImportMerge, invalid, BytesOf(u"AB=x\r\nno separator\r\n")).text,
              L"\u672a\u532f\u5165\u4efb\u4f55\u5167\u5bb9:\u6b64\u6a94\u6848\u6c92\u6709\u53ef\u8b80\u53d6\u7684\u884c"
              L"(2 \u884c\u7121\u6548)\u3002\u6e05\u55ae\u672a\u8b8a\u66f4\u3002" + AskToShowInvalidLines);
    EXPECT_EQ(ListView_GetItemCount(window.TipList()), 2);

    // 人 gets the word it lacks; 大, whose only entry is marked, gets an entry of its own.
    const std::wstring second = PathOf(L"second tips.dat");
    EXPECT_EQ(CommandOnNewFile(cmdImportMerge, second,
                               BytesOf(u"\u4eba=\u4eba\u5011,\u4eba\u751f\r\n\u5c0f=\u5c0f\u5fc3\r\nAB=x\r\n\u5927=\u5927\u4eba\r\n")),
              (Message{L"\u5df2\u65b0\u589e 2 \u500b\u9805\u76ee\u3002\u5df2\u64f4\u5145 1 \u500b\u9805\u76ee\u30021 \u884c\u7121\u6548\u3002" +
                  AskToShowInvalidLines, MB_ICONINFORMATION}));
    EXPECT_EQ(requests_.back().title, L"\u532f\u5165\u76f8\u95dc\u5b57\u8a5e");
    ASSERT_EQ(ListView_GetItemCount(window.TipList()), 4);
    EXPECT_EQ(Cell(window.TipList(), 0, 2), L"\u4eba\u6c11,\u4eba\u5011,\u4eba\u751f");
    EXPECT_EQ(Cell(window.TipList(), 2, 1), L"\u5c0f");
    EXPECT_TRUE(RowLook(window.TipList(), 1).state & LVIS_CUT);
    EXPECT_FALSE(window.Tips().tipsUnchanged);
    EXPECT_EQ(recentFiles, (std::vector<std::wstring>{first}));

    Command(cmdSave);
    EXPECT_EQ(GetValue(kTipsValue)->bytes,
              BytesOf(u"\u4eba=\u4eba\u6c11,\u4eba\u5011,\u4eba\u751f\r\n\u5c0f=\u5c0f\u5fc3\r\n\u5927=\u5927\u4eba\r\n"));
    EXPECT_EQ(window.Phrases().table.size(), 1u);  // the other tab's table is not touched
}

TEST_F(FileCommandsTest, AFreshStartAsksOnExitAndYesSavesBothTables) {
    CMainWindow& window = Open();  // nothing stored: both tables count as unsaved
    std::wstring prompt;
    bool yesNoCancel = false;
    auto exitAnswering = [&](int answer) {
        RunDialogAnswered([&] { return SendMessageW(window.Window(), WM_COMMAND, cmdExit, 0); },
                          [&](HWND box) {
                              prompt = ControlText(box, 0xFFFF);
                              yesNoCancel = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && GetDlgItem(box, IDCANCEL);
                              EXPECT_EQ(MessageBoxIcon(box), UINT{MB_ICONWARNING});
                              SendMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
                          });
    };
    exitAnswering(IDCANCEL);
    EXPECT_EQ(prompt, L"\u662f\u5426\u8981\u5132\u5b58\u8b8a\u66f4?");
    EXPECT_TRUE(yesNoCancel);
    ASSERT_TRUE(IsWindow(window.Window()));
    EXPECT_FALSE(GetValue(kPhrasesValue));
    exitAnswering(IDYES);
    EXPECT_FALSE(window.Window());
    ASSERT_TRUE(GetValue(kPhrasesValue));
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, "");
    // The other tab's table had unsaved work too: it is saved, not lost.
    ASSERT_TRUE(GetValue(kTipsValue));
    EXPECT_EQ(GetValue(kTipsValue)->bytes, "");
}

TEST_F(FileCommandsTest, ASaveThatCannotWriteChangesNothingAndStopsCloseImportAndOpenRecent) {
    const std::u16string phrases = u"A\tone\r\nB\ttwo\r\nC\tthree\r\n";
    const std::u16string tips = u"\u4eba=\u4eba\u6c11\r\n\u5927=\u5927\u5bb6\r\n";
    CMainWindow& window = OpenScripted(phrases, tips);

    // A row marked on the phrase tab, kept with No when leaving the tab; another on this one.
    Select(window.PhraseList(), {1});
    Command(cmdDelete);
    RunDialogAnswered([&] { return SwitchToTab(window, 1); },
                      [](HWND box) { SendMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0); });
    ASSERT_EQ(window.CurrentTab(), 1);
    Select(window.TipList(), {1});
    Command(cmdDelete);

    // Yes to the prompt, then whatever message the failed save shows; returns that message.
    auto answeringYes = [&](const std::function<void()>& command) {
        Message message;
        RunDialogsAnswered([&] { command(); return INT_PTR{0}; },
                           {[](HWND prompt) { SendMessageW(GetDlgItem(prompt, IDYES), BM_CLICK, 0, 0); },
                            ReadMessage(message)});
        EXPECT_EQ(message.icon, UINT{MB_ICONERROR});
        return message.text;
    };
    const std::wstring saveFailed = LoadUiString(IDS_REGISTRY_WRITE_FAILED);
    const std::wstring other = PathOf(L"other.dat");
    WriteFileBytes(other, BytesOf(u"\u5c0f=\u5c0f\u5fc3\r\n"));
    {
        const ReadOnlyKey readOnly;  // every save now fails for real, opening the key to write
        ASSERT_TRUE(readOnly.Refuses()) << "the registry let a read-only key be written";

        EXPECT_EQ(CommandWithMessage(cmdSave), (Message{saveFailed, MB_ICONERROR}));
        EXPECT_EQ(answeringYes([&] { Command(cmdExit); }), saveFailed);
        EXPECT_EQ(answeringYes([&] { Command(cmdImport); }), saveFailed);
        EXPECT_EQ(answeringYes([&] { window.OpenRecent(other); }), saveFailed);
        // Windows asks to end the session: a save that did not write keeps it waiting.
        LRESULT mayEnd = TRUE;
        EXPECT_EQ(answeringYes([&] { mayEnd = SendMessageW(window.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); }),
                  saveFailed);
        EXPECT_EQ(mayEnd, FALSE);
    }
    // The window stayed, Import asked for no file, Open recent read none: both tables, their
    // lists and their marks are as they were.
    ASSERT_TRUE(IsWindow(window.Window()));
    EXPECT_TRUE(requests_.empty());
    for (const auto& [list, rows, marked] : {std::tuple{window.PhraseList(), window.Phrases().table.size(), window.Phrases().phrasesHaveDeleted},
                                             std::tuple{window.TipList(), window.Tips().table.size(), window.Tips().tipsHaveDeleted}}) {
        EXPECT_EQ(ListView_GetItemCount(list), static_cast<int>(rows));
        EXPECT_TRUE(marked);
        EXPECT_TRUE(RowLook(list, 1).state & LVIS_CUT);
    }
    EXPECT_EQ(window.Phrases().table.size(), 3u);
    EXPECT_EQ(Cell(window.TipList(), 1, 1), L"\u5927");
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, BytesOf(phrases));
    EXPECT_EQ(GetValue(kTipsValue)->bytes, BytesOf(tips));

    // Writable again: Yes to the end of the session saves both tables without their marked
    // entries, and the session may end. With nothing unsaved it may end at once.
    const auto queryEndSession = [&](std::optional<int> answer) {
        std::wstring asked;
        const INT_PTR mayEnd = RunDialogAnswered(
            [&] { return SendMessageW(window.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); },
            [&](HWND prompt) {
                asked = ControlText(prompt, 0xFFFF);
                EXPECT_TRUE(GetDlgItem(prompt, IDYES) && GetDlgItem(prompt, IDNO) && !GetDlgItem(prompt, IDCANCEL));
                SendMessageW(GetDlgItem(prompt, answer.value_or(IDNO)), BM_CLICK, 0, 0);
            });
        EXPECT_EQ(asked, answer ? LoadUiString(IDS_SAVE_PROMPT) : L"");
        return mayEnd;
    };
    EXPECT_EQ(queryEndSession(IDYES), TRUE);
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, BytesOf(u"A\tone\r\nC\tthree\r\n"));
    EXPECT_EQ(GetValue(kTipsValue)->bytes, BytesOf(u"\u4eba=\u4eba\u6c11\r\n"));
    EXPECT_EQ(queryEndSession(std::nullopt), TRUE);
    // No lets the session end with the work unsaved; the end itself asks nothing more.
    Select(window.TipList(), {0});
    Command(cmdDelete);
    EXPECT_EQ(queryEndSession(IDNO), TRUE);
    SendMessageW(window.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(window.Window());
    EXPECT_EQ(GetValue(kTipsValue)->bytes, BytesOf(u"\u4eba=\u4eba\u6c11\r\n"));
}

// A stored value the tool cannot read is said so and kept: closing asks nothing, and the save
// that replaces it keeps its bytes as a backup. When no backup can be kept, the save asks first.
TEST_F(FileCommandsTest, AValueOfAnotherTypeIsKeptUntilSavedAndItsBytesAreBackedUp) {
    const std::optional<std::wstring> folder = BackupFolder();
    ASSERT_TRUE(folder);
    std::filesystem::remove_all(*folder);
    const std::string asText = BytesOf(std::u16string(u"A\tas text\r\n") + u'\0');
    PutValue(kPhrasesValue, REG_SZ, asText);
    PutText(kTipsValue, u"\u4eba=\u4eba\u6c11\r\n");
    const auto openAndReadMessage = [&] {
        Message message;
        window_ = std::make_unique<CMainWindow>(nullptr);
        RunDialogAnswered([&] { return INT_PTR{window_->Create(GetModuleHandleW(nullptr), L"Wordloom window test") != nullptr}; },
                          ReadMessage(message));
        return message;
    };
    const Message unreadable{LoadUiString(IDS_PHRASES_UNREADABLE), MB_ICONWARNING};
    EXPECT_EQ(openAndReadMessage(), unreadable);
    EXPECT_EQ(CommandWithMessage(cmdExit).text, L"");  // nothing to ask about
    EXPECT_FALSE(window_->Window());
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the program's end
    EXPECT_EQ(GetValue(kPhrasesValue)->type, static_cast<DWORD>(REG_SZ));

    EXPECT_EQ(openAndReadMessage(), unreadable);
    CMainWindow& window = *window_;
    ScriptFileDialog(window);
    const std::wstring file = PathOf(L"new.dat");
    CommandOnNewFile(cmdImport, file, BytesOf(u"B\tnew\r\n"));
    Command(cmdSave);
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, BytesOf(u"B\tnew\r\n"));
    std::vector<std::wstring> backups;
    for (const auto& entry : std::filesystem::directory_iterator(*folder)) backups.push_back(entry.path().filename().wstring());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_TRUE(backups[0].starts_with(L"UserDefinedPhrases-") && backups[0].ends_with(L"-REG_SZ.dat")) << backups[0].size();
    EXPECT_EQ(ReadFileBytes(*folder + backups[0]), asText);

    // No backup folder can be made (a file stands in its place): the save asks, and No writes
    // nothing and says nothing more.
    std::filesystem::remove_all(*folder);
    std::wstring backupsFolder = *folder;
    backupsFolder.pop_back();
    WriteFileBytes(backupsFolder, "not a folder");
    CommandOnNewFile(cmdImport, file, BytesOf(u"C\tnewer\r\n"));
    std::vector<std::wstring> asked;
    const auto saveAnswering = [&](int answer) {
        RunDialogAnswered([&] { return SendMessageW(window.Window(), WM_COMMAND, cmdSave, 0); }, [&](HWND box) {
            asked.push_back(ControlText(box, 0xFFFF));
            EXPECT_EQ(MessageBoxIcon(box), UINT{MB_ICONWARNING});
            SendMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
        });
    };
    saveAnswering(IDNO);
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, BytesOf(u"B\tnew\r\n"));
    EXPECT_TRUE(window.Phrases().HasUnsavedWork());
    saveAnswering(IDYES);
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, BytesOf(u"C\tnewer\r\n"));
    EXPECT_FALSE(window.Phrases().HasUnsavedWork());
    EXPECT_EQ(asked, (std::vector<std::wstring>(2, LoadUiString(IDS_SAVE_WITHOUT_BACKUP))));
    std::filesystem::remove(backupsFolder);
}

TEST_F(FileCommandsTest, TheSystemsImportDialogTakesATypedPath) {
    const ComApartment com;
    CMainWindow& window = OpenWith(u"", u"\u4eba=\u4eba\u6c11\r\n");
    const std::wstring path = PathOf(L"\u8a5e typed.dat");
    WriteFileBytes(path, BytesOf(u"YOEY\tx\r\n"));

    std::wstring report;
    // The first dialog is the file dialog: type the path and press Enter; then the report box.
    RunDialogsAnswered([&] { return SendMessageW(window.Window(), WM_COMMAND, cmdImport, 0); },
                       {[&](HWND dialog) { TypePathAndPressEnter(dialog, path); },
                        [&](HWND box) {
                            report = ControlText(box, 0xFFFF);
                            SendMessageW(box, WM_COMMAND, IDOK, 0);
                        }});
    EXPECT_EQ(report, L"1 \u500b\u8a5e\u5f59\u5df2\u532f\u5165\u3002\n0 \u7b46\u8cc7\u6599\u932f\u8aa4\uff0c\u7121\u6cd5\u532f\u5165\u3002");
    ASSERT_EQ(window.Phrases().table.size(), 1u);
    EXPECT_EQ(Cell(window.PhraseList(), 0, 3), L"YOEY");
}

namespace {

// The clipboard's text, or "" when it holds none.
std::wstring ClipboardText() {
    if (!OpenClipboard(nullptr)) return L"";
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// What an import with invalid lines shows: the message with its question, answered Yes, then
// the report, whose rows, columns and Copy are read before Close.
struct InvalidLinesView {
    std::wstring message;
    bool yesAndNoOnly = false;
    std::wstring caption;
    std::vector<std::wstring> rows;  // the cells of each row joined by " | "
    std::wstring copied;
    bool resizable = false;
    bool closed = false;
};

InvalidLinesView ImportAnsweringYes(HWND window, unsigned command) {
    InvalidLinesView view;
    RunDialogsAnswered([&] { return SendMessageW(window, WM_COMMAND, command, 0); },
                       {[&](HWND box) {
                            view.message = ControlText(box, 0xFFFF);
                            view.yesAndNoOnly = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && !GetDlgItem(box, IDOK);
                            SendMessageW(box, WM_COMMAND, IDYES, 0);
                        },
                        [&](HWND report) {
                            view.caption = WindowText(report);
                            view.resizable = (GetWindowLongPtrW(report, GWL_STYLE) & WS_THICKFRAME) != 0;
                            const HWND list = GetDlgItem(report, IDC_INVALID_LINES_LIST);
                            EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & LVS_OWNERDATA);
                            std::wstring header;
                            for (int column = 0; column < 3; ++column) {
                                wchar_t title[64]{};
                                LVCOLUMNW lvColumn{LVCF_TEXT, 0, 0, title, 64};
                                ListView_GetColumn(list, column, &lvColumn);
                                header += (column ? L" | " : L"") + std::wstring(title);
                            }
                            view.rows.push_back(header);
                            for (int row = 0; row < ListView_GetItemCount(list); ++row) {
                                std::wstring cells;
                                for (int column = 0; column < 3; ++column) {
                                    wchar_t text[300]{};
                                    ListView_GetItemText(list, row, column, text, 300);
                                    cells += (column ? L" | " : L"") + std::wstring(text);
                                }
                                view.rows.push_back(cells);
                            }
                            SendMessageW(report, WM_COMMAND, IDC_INVALID_LINES_COPY, 0);
                            view.copied = ClipboardText();
                            // Close, the command Esc gives too.
                            SendMessageW(report, WM_COMMAND, IDCANCEL, 0);
                            view.closed = !IsWindowVisible(report);
                        }});
    return view;
}

}  // namespace

TEST_F(FileCommandsTest, AnImportWithInvalidPhraseLinesOffersTheirReportAndCopiesItsRows) {
    CMainWindow& window = OpenScripted(u"A\tone\r\n", u"\u4eba=\u4eba\u6c11\r\n");
    // Notepad's UTF-8 with LF line ends: a good line, one without TAB, a key with a digit, a line
    // with a byte that does not decode, a TAB and a control character in a phrase.
    const std::wstring path = PathOf(L"invalid phrases.txt");
    WriteFileBytes(path, "\xEF\xBB\xBF" "AB\t\xE4\xB8\x80\nno tab here\nQ1\tx\nC\t\xFF\xE4\xB8\x80\n\tkey\x01less\nZ\tok\n");
    paths_.push_back(path);
    const InvalidLinesView view = ImportAnsweringYes(window.Window(), cmdImport);
    EXPECT_EQ(view.message,
              L"2 \u500b\u8a5e\u5f59\u5df2\u532f\u5165\u3002\n4 \u7b46\u8cc7\u6599\u932f\u8aa4\uff0c\u7121\u6cd5\u532f\u5165\u3002" +
                  AskToShowInvalidLines);
    EXPECT_TRUE(view.yesAndNoOnly);
    EXPECT_EQ(view.caption, L"\u7121\u6548\u7684\u884c");
    EXPECT_TRUE(view.resizable);
    const std::wstring noTab = LoadUiString(IDS_REASON_NO_TAB);
    const std::wstring notKey = LoadUiString(IDS_REASON_NOT_KEY);
    const std::wstring notDecoded = LoadUiString(IDS_REASON_NOT_DECODED);
    const std::wstring emptyKey = LoadUiString(IDS_REASON_EMPTY_KEY);
    EXPECT_EQ(view.rows, (std::vector<std::wstring>{
                             L"\u884c | \u539f\u56e0 | \u5167\u5bb9",
                             L"2 | " + noTab + L" | no tab here",
                             L"3 | " + notKey + L" | Q1\\tx",
                             L"4 | " + notDecoded + L" | C\\t\\xFF\u4e00",
                             L"5 | " + emptyKey + L" | \\tkey\\u0001less",
                         }));
    EXPECT_EQ(view.copied, L"\u884c\t\u539f\u56e0\t\u5167\u5bb9\r\n"
                           L"2\t" + noTab + L"\tno tab here\r\n"
                           L"3\t" + notKey + L"\tQ1\\tx\r\n"
                           L"4\t" + notDecoded + L"\tC\\t\\xFF\u4e00\r\n"
                           L"5\t" + emptyKey + L"\t\\tkey\\u0001less\r\n");
    EXPECT_TRUE(view.closed);
    ASSERT_EQ(window.Phrases().table.size(), 2u);  // the import itself is as before

    // A file without an invalid line asks nothing: its message has OK alone.
    Command(cmdSave);
    const std::wstring clean = PathOf(L"clean phrases.txt");
    WriteFileBytes(clean, "AB\tone\r\nC\ttwo\r\n");
    paths_.push_back(clean);
    bool okOnly = false;
    RunDialogAnswered([&] { return SendMessageW(window.Window(), WM_COMMAND, cmdImport, 0); },
                      [&](HWND box) {
                          okOnly = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDYES) && !GetDlgItem(box, IDNO);
                          EXPECT_EQ(ControlText(box, 0xFFFF).find(AskToShowInvalidLines), std::wstring::npos);
                          SendMessageW(box, WM_COMMAND, IDOK, 0);
                      });
    EXPECT_TRUE(okOnly);
}

TEST_F(FileCommandsTest, AMergeOfAssociatedWordsWithInvalidLinesOffersTheirReport) {
    CMainWindow& window = OpenScripted(u"A\tone\r\n", u"\u4eba=\u4eba\u6c11\r\n");
    ShowTipsTab(window);
    const std::wstring path = PathOf(L"invalid tips.dat");
    WriteFileBytes(path, BytesOf(u"\u4eba=\u4eba\u751f\r\nAB=x\r\n\u5927\u5bb6\r\n=x\r\na=b=c\r\n\U0001F600=x\r\n\r\n"));
    paths_.push_back(path);
    const InvalidLinesView view = ImportAnsweringYes(window.Window(), cmdImportMerge);
    EXPECT_EQ(view.message,
              L"\u5df2\u65b0\u589e 0 \u500b\u9805\u76ee\u3002\u5df2\u64f4\u5145 1 \u500b\u9805\u76ee\u30026 \u884c\u7121\u6548\u3002" +
                  AskToShowInvalidLines);
    EXPECT_TRUE(view.yesAndNoOnly);
    auto row = [](int line, unsigned reason, const std::wstring& text) {
        return std::to_wstring(line) + L" | " + LoadUiString(reason) + L" | " + text;
    };
    EXPECT_EQ(view.rows, (std::vector<std::wstring>{
                             L"\u884c | \u539f\u56e0 | \u5167\u5bb9",
                             row(2, IDS_REASON_LONG_CHARACTER, L"AB=x"),
                             row(3, IDS_REASON_NO_EQUALS, L"\u5927\u5bb6"),
                             row(4, IDS_REASON_NO_CHARACTER, L"=x"),
                             row(5, IDS_REASON_EQUALS_IN_CHARACTER, L"a=b=c"),
                             row(6, IDS_REASON_TWO_UNIT_CHARACTER, L"\U0001F600=x"),
                             row(7, IDS_REASON_EMPTY_LINE, L""),
                         }));
    EXPECT_EQ(view.copied.substr(0, view.copied.find(L"\r\n", view.copied.find(L"\r\n") + 2) + 2),
              L"\u884c\t\u539f\u56e0\t\u5167\u5bb9\r\n2\t" + LoadUiString(IDS_REASON_LONG_CHARACTER) + L"\tAB=x\r\n");
    EXPECT_EQ(std::count(view.copied.begin(), view.copied.end(), L'\n'), 7);
    EXPECT_EQ(Cell(window.TipList(), 0, 2), L"\u4eba\u6c11,\u4eba\u751f");
}
