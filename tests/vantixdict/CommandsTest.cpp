// The commands run in-process on real files: exit codes, what is written and what is not.
#include "PhraseTable.h"
#include "TextForms.h"
#include "VantixDict.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = fs::temp_directory_path() /
                     ("vantixdict-test-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }

    std::string Path(const std::string& name) const { return (directory_ / name).string(); }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream file(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()));
    }

    int Run(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunVantixDict(args, out_, err_);
    }

    fs::path directory_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(Commands, CheckExitCodeFollowsTheImportsInvalidCount) {
    Write("good.dat", StoredBytesFromUnits(u"Q\tone\r\nABCDE\twarned\nA\tlast"));
    Write("bad.dat", StoredBytesFromUnits(u"Q\tone\r\n1\tbad\r\n"));
    EXPECT_EQ(Run({"check", Path("good.dat")}), 0);
    EXPECT_EQ(out_.str(), Path("good.dat") + ":2: warning: the input key \"ABCDE\" has 5 keys; the phrase edit dialog "
                          "accepts at most 4\n" + Path("good.dat") + ": the import would read 3 phrases and report 0 "
                          "invalid lines; 1 warning\n");
    EXPECT_EQ(Run({"check", Path("bad.dat")}), 1);
    EXPECT_EQ(Run({"check", Path("missing.dat")}), 2);
    EXPECT_NE(err_.str().find("there is no such file"), std::string::npos);
    EXPECT_EQ(Run({"check", directory_.string()}), 2);
    EXPECT_NE(err_.str().find("is a directory"), std::string::npos);
}

TEST_F(Commands, RefusedConversionWritesNothing) {
    Write("edited.txt", "Q\tone\nbroken line\n");
    EXPECT_EQ(Run({"convert", Path("edited.txt"), Path("out.dat")}), 1);
    EXPECT_FALSE(fs::exists(Path("out.dat")));
    EXPECT_EQ(FileCount(), 1u);
    EXPECT_NE(err_.str().find(":2: invalid: no TAB"), std::string::npos);

    EXPECT_EQ(Run({"convert", Path("edited.txt"), Path("out.dat"), "--drop-invalid"}), 0);
    EXPECT_EQ(Read("out.dat"), StoredBytesFromUnits(u"Q\tone\r\n"));
}

TEST_F(Commands, OnlyDashONamesTheInputAsOutput) {
    Write("phrases.txt", "yoey\tP\n");
    EXPECT_EQ(Run({"convert", Path("phrases.txt"), Path("phrases.txt"), "--to", "utf16"}), 2);
    EXPECT_EQ(Read("phrases.txt"), "yoey\tP\n");

    EXPECT_EQ(Run({"convert", Path("phrases.txt"), "-o", Path("phrases.txt"), "--to", "utf16"}), 0);
    EXPECT_EQ(Read("phrases.txt"), StoredBytesFromUnits(u"YOEY\tP\r\n"));  // keys raised
    EXPECT_EQ(FileCount(), 1u);  // no temporary file left behind
}

TEST_F(Commands, StoredFormGoesToUtf8AndBackByteForByte) {
    const std::string stored = StoredBytesFromUnits(u"YOEY\t\u4eba\u6c11\r\nQ\t\U00020000\r\n,./;\tx\r\n");
    Write("a.dat", stored);
    ASSERT_EQ(Run({"convert", Path("a.dat"), Path("a.txt")}), 0) << err_.str();
    EXPECT_EQ(Read("a.txt"), "YOEY\t\xE4\xBA\xBA\xE6\xB0\x91\nQ\t\xF0\xA0\x80\x80\n,./;\tx\n");
    ASSERT_EQ(Run({"convert", Path("a.txt"), Path("b.dat")}), 0) << err_.str();
    EXPECT_EQ(Read("b.dat"), stored);
}

TEST_F(Commands, BigEndianTextWithItsMarkIsReadAsTheImportReadsIt) {
    Write("be.txt", BigEndianBytesFromUnits(u"Z\t\u4eba\r\nA\tx\r\n"));
    EXPECT_EQ(Run({"check", Path("be.txt")}), 0) << err_.str();
    EXPECT_NE(out_.str().find("read 2 phrases and report 0 invalid lines\n"), std::string::npos) << out_.str();

    ASSERT_EQ(Run({"sort", Path("be.txt"), "--by", "key", "-o", Path("sorted.txt")}), 0) << err_.str();
    EXPECT_EQ(Read("sorted.txt"), BigEndianBytesFromUnits(u"A\tx\r\nZ\t\u4eba\r\n"));
    ASSERT_EQ(Run({"convert", Path("be.txt"), Path("be.dat")}), 0) << err_.str();
    EXPECT_EQ(Read("be.dat"), StoredBytesFromUnits(u"Z\t\u4eba\r\nA\tx\r\n"));

    // An odd last byte is ignored by the import, and said.
    Write("odd.txt", BigEndianBytesFromUnits(u"A\tx\r\n") + "\x41");
    EXPECT_EQ(Run({"check", Path("odd.txt")}), 0);
    EXPECT_NE(out_.str().find("odd number of bytes"), std::string::npos) << out_.str();
}

TEST_F(Commands, Big5TextIsCheckedConvertedAndSortedAsTheImportReadsIt) {
    // "yoey<TAB>詞彙", "QAZ<TAB>碁" and "Q<TAB>人民" as code page 950 encodes them, CR LF, no end.
    const std::string big5 = "yoey\t\xB5\xFC\xB7\x4A\r\nQAZ\t\xF9\xD6\r\nQ\t\xA4\x48\xA5\xC1";
    Write("old.txt", big5);
    EXPECT_EQ(Run({"check", Path("old.txt")}), 0) << err_.str();
    EXPECT_EQ(out_.str(), Path("old.txt") + ": note: read as Big5 text (code page 950)\n" + Path("old.txt") +
                              ": the import would read 3 phrases and report 0 invalid lines\n");

    const std::u16string stored = u"YOEY\t\u8a5e\u5f59\r\nQAZ\t\u7881\r\nQ\t\u4eba\u6c11\r\n";
    ASSERT_EQ(Run({"convert", Path("old.txt"), Path("new.dat")}), 0) << err_.str();
    EXPECT_EQ(Read("new.dat"), StoredBytesFromUnits(stored));
    ASSERT_EQ(Run({"convert", Path("old.txt"), Path("new.txt"), "--to", "utf8"}), 0) << err_.str();
    EXPECT_EQ(Read("new.txt"), "yoey\t\xE8\xA9\x9E\xE5\xBD\x99\r\nQAZ\t\xE7\xA2\x81\r\nQ\t\xE4\xBA\xBA\xE6\xB0\x91\r\n");
    ASSERT_EQ(Run({"sort", Path("old.txt"), "--by", "phrase", "-o", Path("old.txt")}), 0) << err_.str();
    EXPECT_EQ(Read("old.txt"), StoredBytesFromUnits(u"Q\t\u4eba\u6c11\r\nQAZ\t\u7881\r\nYOEY\t\u8a5e\u5f59\r\n"));
    EXPECT_NE(err_.str().find("Big5 text is written in the stored form"), std::string::npos);

    // A byte that no form decodes: the import reads nothing, unless the form is named.
    Write("broken.txt", big5 + "\r\nA\t\xFF\r\n");
    EXPECT_EQ(Run({"check", Path("broken.txt")}), 2);
    EXPECT_NE(err_.str().find("code page 950 does not decode line 4"), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("the phrase tool would import nothing from it and report 4 invalid lines"),
              std::string::npos);
    EXPECT_EQ(Run({"check", Path("broken.txt"), "--from", "big5"}), 1);
    EXPECT_NE(out_.str().find(":4: invalid: bytes that are not Big5"), std::string::npos) << out_.str();
    EXPECT_EQ(Run({"convert", Path("broken.txt"), Path("kept.dat"), "--from", "big5", "--keep-invalid"}), 1);
    EXPECT_FALSE(fs::exists(Path("kept.dat")));
    EXPECT_EQ(Run({"convert", Path("broken.txt"), Path("kept.dat"), "--from", "big5", "--drop-invalid"}), 0);
    EXPECT_EQ(Read("kept.dat"), StoredBytesFromUnits(stored));
}

TEST_F(Commands, ATextThatStartsLikeAByteOrderMarkKeepsItsFirstCharacter) {
    // Two marks: the import drops one, and the associated word of U+FEFF is an entry.
    const std::string twice = "\xFF\xFE" + StoredBytesFromUnits(u"\uFEFF=x\r\n\uFFFE=y\r\n");
    Write("marks.dat", twice);
    ASSERT_EQ(Run({"check", Path("marks.dat"), "--tips"}), 0) << out_.str();
    ASSERT_EQ(Run({"convert", Path("marks.dat"), Path("marks.txt"), "--tips"}), 0) << err_.str();
    EXPECT_EQ(Read("marks.txt"), "\xEF\xBB\xBF\xEF\xBB\xBF=x\n\xEF\xBF\xBE=y\n");
    ASSERT_EQ(Run({"convert", Path("marks.txt"), Path("back.dat"), "--tips"}), 0) << err_.str();
    EXPECT_EQ(Read("back.dat"), twice);
    // Without the first entry, U+FFFE would read as the mark of UTF-16BE.
    Write("nonchar.txt", "\xEF\xBF\xBE=y\n");
    ASSERT_EQ(Run({"convert", Path("nonchar.txt"), Path("nonchar.dat"), "--tips"}), 0) << err_.str();
    EXPECT_EQ(Read("nonchar.dat"), "\xFF\xFE" + StoredBytesFromUnits(u"\uFFFE=y\r\n"));
}

TEST_F(Commands, SortUsesThePhraseToolsStableOrders) {
    Write("p.txt", "Z\tz\nA\ta2\nQA\tqa\nA\ta1\n");
    ASSERT_EQ(Run({"sort", Path("p.txt"), "--by", "vantix", "-o", Path("v.txt")}), 0) << err_.str();
    EXPECT_EQ(Read("v.txt"), "QA\tqa\nA\ta2\nA\ta1\nZ\tz\n");
    ASSERT_EQ(Run({"sort", Path("p.txt"), "--by", "key", "-o", Path("k.txt")}), 0);
    EXPECT_EQ(Read("k.txt"), "A\ta2\nA\ta1\nQA\tqa\nZ\tz\n");
    ASSERT_EQ(Run({"sort", Path("p.txt"), "--by", "key", "--descending", "-o", Path("d.txt")}), 0);
    EXPECT_EQ(Read("d.txt"), "Z\tz\nQA\tqa\nA\ta2\nA\ta1\n");  // ties keep their order
    ASSERT_EQ(Run({"sort", Path("p.txt"), "--by", "phrase", "-o", Path("p.txt")}), 0);
    EXPECT_EQ(Read("p.txt"), "A\ta1\nA\ta2\nQA\tqa\nZ\tz\n");
}

TEST_F(Commands, SortRefusesToLoseLines) {
    Write("p.dat", StoredBytesFromUnits(u"Z\tz\r\n9\tbad\r\n"));
    EXPECT_EQ(Run({"sort", Path("p.dat"), "--by", "key", "-o", Path("s.dat")}), 1);
    EXPECT_FALSE(fs::exists(Path("s.dat")));
    EXPECT_EQ(Run({"sort", Path("p.dat"), "--by", "key", "--drop-invalid", "-o", Path("s.dat")}), 0);
    EXPECT_EQ(Read("s.dat"), StoredBytesFromUnits(u"Z\tz\r\n"));
}

TEST_F(Commands, OversizedFilesWarnOrFailWithStrict) {
    std::u16string units;
    while (units.size() * 2 <= 4194304) units += u"QAZ\t\u4eba\u6c11\u5b57\r\n";
    Write("big.dat", StoredBytesFromUnits(units));
    EXPECT_EQ(Run({"check", Path("big.dat")}), 0);
    EXPECT_NE(out_.str().find("the file has 4194306 bytes, more than the 4 MiB (4194304 bytes)"), std::string::npos);
    EXPECT_EQ(Run({"check", Path("big.dat"), "--strict"}), 2);
    EXPECT_NE(err_.str().find("more than the 4 MiB"), std::string::npos);

    // UTF-8 text under the limit whose entries take more in the stored form: the phrase tool
    // reads it and then refuses the table.
    std::string text;
    while (text.size() < 3000000) text += "QAZ\tabc\n";
    Write("big.txt", text);
    const std::u16string read = DecodeFile(text)->units;
    UserPhrases phrases;
    ASSERT_EQ(ReplacePhrasesFromText(phrases, read.data(), read.size(), 0).outcome, ImportOutcome::TableTooLarge);
    EXPECT_EQ(Run({"check", Path("big.txt")}), 0);
    EXPECT_NE(out_.str().find("in the stored form, the entries take 6750000 bytes, more than the 4 MiB"),
              std::string::npos) << out_.str();
    EXPECT_EQ(Run({"stats", Path("big.txt"), "--strict"}), 2);
}

}  // namespace
