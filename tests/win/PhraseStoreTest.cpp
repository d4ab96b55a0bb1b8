// The phrase table against the real registry value and real files.
#include "PhraseStore.h"
#include "TipStore.h"
#include "ValueBackup.h"
#include "Backups.h"
#include "WideText.h"
#include "Win32Handles.h"
#include "StoreFixture.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

UserPhrases PhrasesFrom(std::u16string_view text) {
    return TablesFrom<UserPhrases>(text, ParsePhraseText);
}

// "KEY=phrase" per entry.
std::vector<std::u16string> RowsOf(const PhraseTable& table) {
    return EntryRows(table, &PhraseEntry::inputKey, &PhraseEntry::phrase);
}

using Rows = std::vector<std::u16string>;
using PhraseStoreTest = StoreTest;

TEST_F(PhraseStoreTest, LoadReadsTheBinaryValueAndCountsTheTableUnchanged) {
    // The text is parsed over size / 2 units: the odd last byte, half a CR, ends no line.
    PutValue(kPhrasesValue, REG_BINARY,
             BytesOf(u"yoey\t\u8a5e\r\nbad line\r\nAB\tQ\r\nCD\tR") + "\r");
    UserPhrases phrases;
    LoadUserPhrases(phrases, kNormalImage);
    EXPECT_EQ(RowsOf(phrases.table), (Rows{u"YOEY=\u8a5e", u"AB=Q"}));
    EXPECT_EQ(phrases.table[0].vantixKey, u"6^9^3^6^");
    EXPECT_EQ(phrases.table[1].image, kNormalImage);
    EXPECT_TRUE(phrases.phrasesUnchanged);
    EXPECT_FALSE(phrases.phrasesHaveDeleted);
}

TEST_F(PhraseStoreTest, LoadOfAnEmptyValueCountsTheEmptyTableUnchanged) {
    PutValue(kPhrasesValue, REG_BINARY, "");
    UserPhrases phrases;
    LoadUserPhrases(phrases, kNormalImage);
    EXPECT_TRUE(phrases.table.empty());
    EXPECT_TRUE(phrases.phrasesUnchanged);
}

// A missing value counts as changed; one the tool cannot read counts as unchanged, so that
// nothing overwrites it unasked.
TEST_F(PhraseStoreTest, LoadCountsAMissingValueChangedAndAnUnreadableOneUnchanged) {
    UserPhrases noKey;
    EXPECT_EQ(LoadUserPhrases(noKey, kNormalImage), StoredValueRead::Missing);
    EXPECT_TRUE(noKey.table.empty());
    EXPECT_FALSE(noKey.phrasesUnchanged);

    PutValue(L"Other", REG_BINARY, BytesOf(u"A\tx\r\n"));
    UserPhrases noValue;
    EXPECT_EQ(LoadUserPhrases(noValue, kNormalImage), StoredValueRead::Missing);
    EXPECT_TRUE(noValue.table.empty());
    EXPECT_FALSE(noValue.phrasesUnchanged);

    PutValue(kPhrasesValue, REG_SZ, BytesOf(std::u16string(u"A\tx\r\n") + u'\0'));
    UserPhrases wrongType;
    EXPECT_EQ(LoadUserPhrases(wrongType, kNormalImage), StoredValueRead::Unreadable);
    EXPECT_TRUE(wrongType.table.empty());
    EXPECT_TRUE(wrongType.phrasesUnchanged);
}

TEST_F(PhraseStoreTest, SaveCreatesTheKeyAndWritesTheTextByteForByte) {
    UserPhrases phrases = PhrasesFrom(u"YOEY\t\u8a5e\u5f59\r\nA\t\r\nABCDEF\tlong key\r\n");
    phrases.table[1].flags = EntryDeleted;  // kept: the table does not say it has marks
    ASSERT_EQ(SaveUserPhrases(phrases), SaveOutcome::Written);
    EXPECT_TRUE(phrases.phrasesUnchanged);
    EXPECT_EQ(phrases.table.size(), 3u);

    const auto value = GetValue(kPhrasesValue);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(value->bytes, BytesOf(u"YOEY\t\u8a5e\u5f59\r\nA\t\r\nABCDEF\tlong key\r\n"));

    UserPhrases reloaded;
    LoadUserPhrases(reloaded, kNormalImage);
    EXPECT_EQ(RowsOf(reloaded.table), RowsOf(phrases.table));
}

TEST_F(PhraseStoreTest, SaveDropsMarkedEntriesAndKeepsTheOrderOfTheRest) {
    PutValue(kPhrasesValue, REG_BINARY, BytesOf(u"OLD\tvalue\r\n"));  // replaced, not merged
    UserPhrases phrases = PhrasesFrom(u"C\tthree\r\nA\tone\r\nB\ttwo\r\nD\tfour\r\n");
    phrases.table[0].flags = EntryDeleted;
    phrases.table[2].flags = EntryDeleted;
    phrases.phrasesHaveDeleted = true;
    ASSERT_EQ(SaveUserPhrases(phrases), SaveOutcome::Written);
    EXPECT_EQ(RowsOf(phrases.table), (Rows{u"A=one", u"D=four"}));
    EXPECT_TRUE(phrases.phrasesHaveDeleted);  // the save command clears it after the list
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, BytesOf(u"A\tone\r\nD\tfour\r\n"));
}

TEST_F(PhraseStoreTest, SavingAnEmptyTableWritesAnEmptyBinaryValue) {
    UserPhrases phrases = PhrasesFrom(u"A\tx\r\n");
    phrases.table[0].flags = EntryDeleted;
    phrases.phrasesHaveDeleted = true;
    ASSERT_EQ(SaveUserPhrases(phrases), SaveOutcome::Written);
    const auto value = GetValue(kPhrasesValue);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(value->bytes, "");
}

TEST_F(PhraseStoreTest, ImportTakesFilesUpToFourMebibytesAndRefusesOneByteMore) {
    std::u16string text;
    for (int line = 0; line < 419430; ++line) text += u"A\tx\r\n";
    text += u"zz";  // a last line without line end: read, and invalid (no TAB)
    const std::string limit = BytesOf(text);
    ASSERT_EQ(limit.size(), 4194304u);
    WriteFileBytes(PathOf(L"limit.dat"), limit);
    WriteFileBytes(PathOf(L"over.dat"), limit + "A");

    UserPhrases phrases = PhrasesFrom(u"KEEP\tme\r\n");
    phrases.phrasesUnchanged = true;
    phrases.phrasesHaveDeleted = true;
    const ImportResult over = ImportPhraseFile(PathOf(L"over.dat"), phrases, kNormalImage);
    EXPECT_EQ(over.outcome, ImportOutcome::TooLarge);
    EXPECT_EQ(RowsOf(phrases.table), (Rows{u"KEEP=me"}));
    EXPECT_TRUE(phrases.phrasesUnchanged);
    EXPECT_TRUE(phrases.phrasesHaveDeleted);

    const ImportResult atLimit = ImportPhraseFile(PathOf(L"limit.dat"), phrases, kNormalImage);
    EXPECT_EQ(atLimit.outcome, ImportOutcome::Imported);
    EXPECT_EQ(atLimit.entries, 419430u);
    EXPECT_EQ(atLimit.invalidLines, 1u);
    EXPECT_EQ(phrases.table.size(), 419430u);
    EXPECT_FALSE(phrases.phrasesUnchanged);
    EXPECT_FALSE(phrases.phrasesHaveDeleted);
}

TEST_F(PhraseStoreTest, ImportReplacesTheTableAndReportsInvalidLines) {
    std::u16string hundred;
    for (int i = 0; i < 100; ++i) hundred += u"Q\tq\r\n";
    UserPhrases phrases = PhrasesFrom(hundred);
    // A wide path with Chinese characters, a last line without line end, which is read, and an
    // odd last byte (half a CR) that ends no line.
    const std::wstring path = PathOf(L"\u8a5e\u5f59.dat");
    WriteFileBytes(path,
                   BytesOf(u"A\tone\r\nno tab\r\nb\ttwo\r\n\r\nC\tthree\r\nD\tfour") + "\r");
    const ImportResult result = ImportPhraseFile(path, phrases, kNormalImage);
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.entries, 4u);
    EXPECT_EQ(result.invalidLines, 2u);
    const Rows imported{u"A=one", u"B=two", u"C=three", u"D=four"};
    EXPECT_EQ(RowsOf(phrases.table), imported);

    // A file with nothing to read leaves the table as it was.
    WriteFileBytes(PathOf(L"empty.dat"), "");
    phrases.phrasesUnchanged = true;
    const ImportResult empty = ImportPhraseFile(PathOf(L"empty.dat"), phrases, kNormalImage);
    EXPECT_EQ(empty.outcome, ImportOutcome::NothingRead);
    EXPECT_EQ(empty.entries, 4u);
    EXPECT_EQ(empty.invalidLines, 0u);
    EXPECT_EQ(RowsOf(phrases.table), imported);
    EXPECT_TRUE(phrases.phrasesUnchanged);
}

// Notepad saves UTF-8 with a byte-order mark and CR LF by default: both tables import such a
// file, and what is saved afterwards is the stored form all the same.
TEST_F(PhraseStoreTest, NotepadUtf8FilesImportIntoBothTablesAndAreSavedAsUtf16) {
    auto notepadFile = [](std::u8string_view text) {
        return "\xEF\xBB\xBF" + std::string(text.begin(), text.end());
    };
    const std::wstring phrasePath = PathOf(L"phrases.txt");
    WriteFileBytes(phrasePath,
                   notepadFile(u8"YOEY\t\u8a5e\u5f59\r\nq\t\u4eba\u6c11\r\nA\t\U00020000\r\n"));
    UserPhrases phrases = PhrasesFrom(u"OLD\tgone\r\n");
    const ImportResult phraseResult = ImportPhraseFile(phrasePath, phrases, kNormalImage);
    EXPECT_EQ(phraseResult.outcome, ImportOutcome::Imported);
    EXPECT_EQ(phraseResult.entries, 3u);
    EXPECT_EQ(phraseResult.invalidLines, 0u);
    EXPECT_EQ(RowsOf(phrases.table),
              (Rows{u"YOEY=\u8a5e\u5f59", u"Q=\u4eba\u6c11", u"A=\U00020000"}));
    ASSERT_EQ(SaveUserPhrases(phrases), SaveOutcome::Written);
    const std::string storedPhrases =
        BytesOf(u"YOEY\t\u8a5e\u5f59\r\nQ\t\u4eba\u6c11\r\nA\t\U00020000\r\n");
    EXPECT_EQ(GetValue(kPhrasesValue)->bytes, storedPhrases);
    ASSERT_EQ(ExportPhraseFile(phrasePath, phrases.table), ExportOutcome::Written);
    EXPECT_EQ(ReadFileBytes(phrasePath), storedPhrases);

    const std::wstring tipPath = PathOf(L"tips.txt");
    WriteFileBytes(tipPath,
                   notepadFile(u8"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\n\u5927=\u5927\u5bb6\r\n"));
    UserTips tips;
    const ImportResult tipResult = ImportTips(tipPath, tips, kNormalImage);
    EXPECT_EQ(tipResult.outcome, ImportOutcome::Imported);
    EXPECT_EQ(tipResult.entries, 2u);
    EXPECT_EQ(tipResult.invalidLines, 0u);
    ASSERT_EQ(tips.table.size(), 2u);
    EXPECT_EQ(tips.table[0].character, u"\u4eba");
    EXPECT_EQ(tips.table[0].words, u"\u4eba\u6c11,\u4eba\u5011");
    EXPECT_EQ(tips.table[1].character, u"\u5927");
    EXPECT_EQ(tips.table[1].words, u"\u5927\u5bb6");
    ASSERT_EQ(SaveTips(tips), SaveOutcome::Written);
    EXPECT_EQ(GetValue(kTipsValue)->bytes,
              BytesOf(u"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\n\u5927=\u5927\u5bb6\r\n"));
}

TEST_F(PhraseStoreTest, ImportThatCannotOpenTheFileLeavesEverythingAlone) {
    UserPhrases phrases = PhrasesFrom(u"KEEP\tme\r\n");
    phrases.phrasesUnchanged = true;
    EXPECT_EQ(ImportPhraseFile(PathOf(L"missing.dat"), phrases, kNormalImage).outcome,
              ImportOutcome::CannotAccess);

    // Reading beside another reader works; a file someone is writing is not taken.
    const std::wstring path = PathOf(L"busy.dat");
    WriteFileBytes(path, BytesOf(u"A\tx\r\n"));
    {
        const HeldFile writer(path, GENERIC_WRITE, FILE_SHARE_READ);
        ASSERT_TRUE(writer.IsOpen());
        EXPECT_EQ(ImportPhraseFile(path, phrases, kNormalImage).outcome,
                  ImportOutcome::CannotAccess);
    }
    EXPECT_EQ(RowsOf(phrases.table), (Rows{u"KEEP=me"}));
    EXPECT_TRUE(phrases.phrasesUnchanged);
    {
        const HeldFile reader(path, GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(reader.IsOpen());
        EXPECT_EQ(ImportPhraseFile(path, phrases, kNormalImage).outcome, ImportOutcome::Imported);
    }
    EXPECT_EQ(RowsOf(phrases.table), (Rows{u"A=x"}));
}

TEST_F(PhraseStoreTest, ExportWritesTheUnmarkedEntriesOverAnyOldFile) {
    const std::wstring path = PathOf(L"out.dat");
    WriteFileBytes(path, std::string(1000, 'o'));  // longer than the export: must be cut
    UserPhrases phrases = PhrasesFrom(u"A\tone\r\nB\ttwo\r\nC\tthree\r\n");
    phrases.table[1].flags = EntryDeleted;
    phrases.phrasesHaveDeleted = true;
    EXPECT_EQ(ExportPhraseFile(path, phrases.table), ExportOutcome::Written);
    EXPECT_EQ(ReadFileBytes(path), BytesOf(u"A\tone\r\nC\tthree\r\n"));
    EXPECT_EQ(phrases.table.size(), 3u);
    EXPECT_EQ(phrases.table[1].flags, EntryDeleted);

    // What was exported imports back as the same entries.
    UserPhrases back;
    const ImportResult result = ImportPhraseFile(path, back, kNormalImage);
    EXPECT_EQ(result.invalidLines, 0u);
    EXPECT_EQ(RowsOf(back.table), (Rows{u"A=one", u"C=three"}));
}

TEST_F(PhraseStoreTest, ExportWithNothingToWriteOrNowhereToWriteCreatesNoFile) {
    UserPhrases phrases = PhrasesFrom(u"A\tone\r\nB\ttwo\r\n");
    for (PhraseEntry& entry : phrases.table) entry.flags = EntryDeleted;
    EXPECT_EQ(ExportPhraseFile(PathOf(L"marked.dat"), phrases.table),
              ExportOutcome::NothingToExport);
    EXPECT_FALSE(std::filesystem::exists(dir_ / L"marked.dat"));
    EXPECT_EQ(ExportPhraseFile(PathOf(L"empty.dat"), PhraseTable{}),
              ExportOutcome::NothingToExport);
    EXPECT_FALSE(std::filesystem::exists(dir_ / L"empty.dat"));

    phrases.table[0].flags = 0;
    EXPECT_EQ(ExportPhraseFile(PathOf(L"no such directory\\out.dat"), phrases.table),
              ExportOutcome::CannotCreate);
}

// A save whose write fails takes its copy back, so refused saves never push the older backups
// out; pruning goes by the time the files were written, and never takes the one just made,
// even after the clock went back.
TEST_F(PhraseStoreTest, FailedSavesLeaveTheBackupsAndPruningGoesByFileTime) {
    const std::optional<std::wstring> folder = BackupFolder();
    ASSERT_TRUE(folder);
    std::filesystem::remove_all(*folder);
    ASSERT_TRUE(BackupFolder());
    // Ten earlier backups, written an hour apart before now, named with times after it.
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto nowTicks = static_cast<std::uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    std::vector<std::wstring> earlier;
    for (int hour = 0; hour < 10; ++hour) {
        const std::wstring name = Wide(BackupFileName(u"UserDefinedPhrases", {2099, 1, 1, hour, 0, 0}, 0));
        WriteFileBytes(*folder + name, "earlier " + std::to_string(hour));
        const std::uint64_t written = nowTicks - static_cast<std::uint64_t>(10 - hour) * 36000000000ull;
        const FILETIME time{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
        const UniqueFile file(CreateFileW((*folder + name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file && SetFileTime(file.get(), nullptr, nullptr, &time));
        earlier.push_back(name);
    }
    PutValue(kPhrasesValue, REG_SZ, BytesOf(std::u16string(u"K\tas text\r\n") + u'\0'));
    const RegistryKey key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, L"Software\\VantixIME");
    for (int refused = 0; refused < 10; ++refused) {
        const ValueBackup backup = BackUpValueBeforeOverwrite(key, kPhrasesValue, u"K\tnew\r\n");
        ASSERT_EQ(backup.state, ValueBackup::State::Made);
        EXPECT_NE(backup.name.find(L"-REG_SZ.dat"), std::wstring::npos);
        DiscardBackup(backup);
    }
    for (const std::wstring& name : earlier) EXPECT_TRUE(std::filesystem::exists(*folder + name));

    // A save that writes keeps its copy, the value's raw bytes; the earliest written goes.
    const ValueBackup kept = BackUpValueBeforeOverwrite(key, kPhrasesValue, u"K\tnew\r\n");
    KeepBackup(kept, kPhrasesValue);
    EXPECT_EQ(ReadFileBytes(kept.folder + kept.name), BytesOf(std::u16string(u"K\tas text\r\n") + u'\0'));
    EXPECT_FALSE(std::filesystem::exists(*folder + earlier[0]));
    for (std::size_t hour = 1; hour < earlier.size(); ++hour) EXPECT_TRUE(std::filesystem::exists(*folder + earlier[hour]));
    std::filesystem::remove_all(*folder);
}

TEST_F(PhraseStoreTest, SavesOverOtherBytesKeepTheNewestTenOldValuesAsImportableFiles) {
    const std::optional<std::wstring> folder = BackupFolder();
    ASSERT_TRUE(folder);
    std::filesystem::remove_all(*folder);
    ASSERT_TRUE(BackupFolder());
    WriteFileBytes(*folder + L"UserDefinedPhrases notes.dat", "the user's own");  // not ours to prune
    PutValue(kPhrasesValue, REG_BINARY, BytesOf(u"K\tsaved 0\r\n"));

    // Twelve saves, most within one second: each overwrites different bytes, so each keeps one.
    for (int save = 1; save <= 12; ++save) {
        const std::u16string text = u"K\tsaved " + std::u16string(1, static_cast<char16_t>(u'a' + save)) + u"\r\n";
        UserPhrases phrases = PhrasesFrom(text);
        ASSERT_EQ(SaveUserPhrases(phrases), SaveOutcome::Written);
    }
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(*folder)) {
        if (entry.path().filename().wstring().rfind(L"UserDefinedPhrases-", 0) == 0) {
            kept.push_back(*ReadFileBytes(entry.path().wstring()));
        }
    }
    std::sort(kept.begin(), kept.end());
    std::vector<std::string> expected;
    for (int save = 2; save <= 11; ++save) {  // the values before saves 3 to 12
        expected.push_back(BytesOf(u"K\tsaved " + std::u16string(1, static_cast<char16_t>(u'a' + save)) + u"\r\n"));
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(ReadFileBytes(*folder + L"UserDefinedPhrases notes.dat"), "the user's own");
    std::filesystem::remove_all(*folder);
}

}  // namespace
