// The associated-word table against the real registry value, the dictionary beside the program
// and real files.
#include "StoreFixture.h"
#include "TipStore.h"

#include <filesystem>
#include <vector>

namespace {

const std::u16string kDictionary = u"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\nbad\r\n\u5927=\u5927\u5bb6\r\n";
const std::u16string kDictionaryEntries = u"\u4eba=\u4eba\u6c11,\u4eba\u5011\r\n\u5927=\u5927\u5bb6\r\n";

UserTips TipsFrom(std::u16string_view text) {
    return TablesFrom<UserTips>(text, ParseTipsText);
}

std::vector<std::u16string> LinesOf(const TipTable& table) {
    return EntryRows(table, &TipEntry::character, &TipEntry::words);
}

using Lines = std::vector<std::u16string>;

// Each test gets a program directory (with a Chinese name, to keep paths wide) that may hold
// the built-in dictionary.
class TipStoreTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        std::filesystem::create_directories(dir_ / L"\u7a0b\u5f0f");
        program_ = PathOf(L"\u7a0b\u5f0f\\Wordloom.exe");
    }

    void PutDictionary(std::u16string_view text) {
        WriteFileBytes(PathOf(L"\u7a0b\u5f0f\\vantix_tips.dic"), BytesOf(text));
    }

    std::wstring program_;
};

TEST_F(TipStoreTest, DictionaryPathIsBesideTheProgram) {
    EXPECT_EQ(DictionaryPathBeside(L"C:\\Program Files\\VantixIME\\Wordloom.exe"),
              L"C:\\Program Files\\VantixIME\\vantix_tips.dic");
    EXPECT_EQ(DictionaryPathBeside(L"C:\\Wordloom.exe"), L"C:\\vantix_tips.dic");
    EXPECT_EQ(DictionaryPathBeside(L"Wordloom.exe"), L"\\vantix_tips.dic");
    EXPECT_EQ(DictionaryPathBeside(program_), PathOf(L"\u7a0b\u5f0f\\vantix_tips.dic"));

    const std::optional<std::wstring> self = ProgramFilePath();
    ASSERT_TRUE(self);
    EXPECT_TRUE(self->ends_with(L"\\wordloom_store_tests.exe")) << std::filesystem::path(*self);
}

TEST_F(TipStoreTest, FirstStartSeedsTheValueFromTheDictionary) {
    PutDictionary(kDictionary);
    UserTips tips;
    EXPECT_EQ(LoadTips(tips, kNormalImage, program_), LoadTipsOutcome::Seeded);
    EXPECT_EQ(LinesOf(tips.table), (Lines{u"\u4eba=\u4eba\u6c11,\u4eba\u5011", u"\u5927=\u5927\u5bb6"}));
    EXPECT_EQ(tips.table[1].image, kNormalImage);
    EXPECT_TRUE(tips.tipsUnchanged);

    // The value holds the entries in the tips text form, not the dictionary's invalid line.
    const auto value = GetValue(kTipsValue);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(value->bytes, BytesOf(kDictionaryEntries));

    // The next start takes the value; the dictionary is not read again.
    PutDictionary(u"X=changed\r\n");
    UserTips again;
    EXPECT_EQ(LoadTips(again, kNormalImage, program_), LoadTipsOutcome::FromRegistry);
    EXPECT_EQ(LinesOf(again.table), LinesOf(tips.table));
    EXPECT_TRUE(again.tipsUnchanged);
}

TEST_F(TipStoreTest, AnEmptyValueIsSeededAgain) {
    PutValue(kTipsValue, REG_BINARY, "");
    PutDictionary(kDictionary);
    UserTips tips;
    EXPECT_EQ(LoadTips(tips, kNormalImage, program_), LoadTipsOutcome::Seeded);
    EXPECT_EQ(tips.table.size(), 2u);
    EXPECT_EQ(GetValue(kTipsValue)->bytes, BytesOf(kDictionaryEntries));
}

TEST_F(TipStoreTest, AnyValueWithBytesKeepsTheDictionaryClosed) {
    PutDictionary(kDictionary);

    // Nothing valid in it: the table stays empty, yet it is what the registry holds.
    PutValue(kTipsValue, REG_BINARY, BytesOf(u"no separator\r\nAB=x\r\n"));
    UserTips invalid;
    EXPECT_EQ(LoadTips(invalid, kNormalImage, program_), LoadTipsOutcome::FromRegistry);
    EXPECT_TRUE(invalid.table.empty());
    EXPECT_TRUE(invalid.tipsUnchanged);
    EXPECT_EQ(GetValue(kTipsValue)->bytes, BytesOf(u"no separator\r\nAB=x\r\n"));

    // Of another type: not read, and kept as it is (the table counts as unchanged).
    PutValue(kTipsValue, REG_SZ, BytesOf(std::u16string(u"A=x\r\n") + u'\0'));
    UserTips wrongType;
    EXPECT_EQ(LoadTips(wrongType, kNormalImage, program_), LoadTipsOutcome::Unreadable);
    EXPECT_TRUE(wrongType.table.empty());
    EXPECT_TRUE(wrongType.tipsUnchanged);
    EXPECT_EQ(GetValue(kTipsValue)->type, static_cast<DWORD>(REG_SZ));

    // Without any program path the registry is still read.
    PutValue(kTipsValue, REG_BINARY, BytesOf(u"A=x\r\n"));
    UserTips noPath;
    EXPECT_EQ(LoadTips(noPath, kNormalImage, std::nullopt), LoadTipsOutcome::FromRegistry);
    EXPECT_EQ(LinesOf(noPath.table), (Lines{u"A=x"}));
}

TEST_F(TipStoreTest, WithoutAUsableDictionaryNothingIsWritten) {
    UserTips missing;
    EXPECT_EQ(LoadTips(missing, kNormalImage, program_), LoadTipsOutcome::DictionaryUnusable);
    EXPECT_TRUE(missing.table.empty());
    EXPECT_FALSE(missing.tipsUnchanged);
    EXPECT_FALSE(GetValue(kTipsValue));

    PutDictionary(u"only\r\ninvalid lines\r\n");
    UserTips invalid;
    EXPECT_EQ(LoadTips(invalid, kNormalImage, program_), LoadTipsOutcome::DictionaryUnusable);
    EXPECT_FALSE(invalid.tipsUnchanged);
    EXPECT_FALSE(GetValue(kTipsValue));

    UserTips noPath;
    EXPECT_EQ(LoadTips(noPath, kNormalImage, std::nullopt), LoadTipsOutcome::NoProgramPath);
    EXPECT_TRUE(noPath.table.empty());
    EXPECT_FALSE(noPath.tipsUnchanged);
}

TEST_F(TipStoreTest, SaveDropsMarkedEntriesAndWritesTheRest) {
    UserTips tips = TipsFrom(u"A=a\r\nB=b\r\nC=c\r\n");
    tips.table[1].flags = EntryDeleted;
    tips.tipsHaveDeleted = true;
    ASSERT_EQ(SaveTips(tips), SaveOutcome::Written);
    EXPECT_EQ(LinesOf(tips.table), (Lines{u"A=a", u"C=c"}));
    EXPECT_TRUE(tips.tipsUnchanged);
    const auto value = GetValue(kTipsValue);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(value->bytes, BytesOf(u"A=a\r\nC=c\r\n"));

    // An empty table is saved as 0 bytes, so the next start seeds from the dictionary again.
    tips.table.clear();
    ASSERT_EQ(SaveTips(tips), SaveOutcome::Written);
    EXPECT_EQ(GetValue(kTipsValue)->bytes, "");
    PutDictionary(kDictionary);
    UserTips next;
    EXPECT_EQ(LoadTips(next, kNormalImage, program_), LoadTipsOutcome::Seeded);
}

TEST_F(TipStoreTest, ImportAndExportMoveTheUnmarkedEntriesThroughAFile) {
    UserTips tips = TipsFrom(u"A=a\r\nB=b\r\nC=c\r\n");
    tips.table[0].flags = EntryDeleted;
    const std::wstring path = PathOf(L"tips.dat");
    EXPECT_EQ(ExportTips(path, tips.table), ExportOutcome::Written);
    EXPECT_EQ(ReadFileBytes(path), BytesOf(u"B=b\r\nC=c\r\n"));
    EXPECT_EQ(tips.table[0].flags, EntryDeleted);

    UserTips other = TipsFrom(u"Z=z\r\n");
    other.tipsUnchanged = true;
    other.tipsHaveDeleted = true;
    const ImportResult result = ImportTips(path, other, kNormalImage);
    EXPECT_EQ(result.outcome, ImportOutcome::Imported);
    EXPECT_EQ(result.entries, 2u);
    EXPECT_EQ(result.invalidLines, 0u);
    EXPECT_EQ(LinesOf(other.table), (Lines{u"B=b", u"C=c"}));
    EXPECT_FALSE(other.tipsUnchanged);
    EXPECT_FALSE(other.tipsHaveDeleted);

    WriteFileBytes(PathOf(L"big.dat"), std::string(4194305, 'a'));
    EXPECT_EQ(ImportTips(PathOf(L"big.dat"), other, kNormalImage).outcome,
              ImportOutcome::TooLarge);
    EXPECT_EQ(ImportTips(PathOf(L"missing.dat"), other, kNormalImage).outcome,
              ImportOutcome::CannotAccess);
    EXPECT_EQ(LinesOf(other.table), (Lines{u"B=b", u"C=c"}));

    for (TipEntry& entry : tips.table) entry.flags = EntryDeleted;
    EXPECT_EQ(ExportTips(PathOf(L"none.dat"), tips.table), ExportOutcome::NothingToExport);
    EXPECT_FALSE(std::filesystem::exists(dir_ / L"none.dat"));
    EXPECT_EQ(ExportTips(PathOf(L"nowhere\\tips.dat"), other.table), ExportOutcome::CannotCreate);
}

}  // namespace
