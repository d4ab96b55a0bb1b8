// The commands run in-process on real files: exit codes, what is written and what is not.
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
    Write("good.dat", StoredBytesFromUnits(u"Q\tone\r\nABCDE\twarned\r\nA\tignored"));
    Write("bad.dat", StoredBytesFromUnits(u"Q\tone\r\n1\tbad\r\n"));
    EXPECT_EQ(Run({"check", Path("good.dat")}), 0);
    EXPECT_NE(out_.str().find("read 2 phrases and report 0 invalid lines; 1 warning; the last line is ignored"),
              std::string::npos);
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
    EXPECT_NE(out_.str().find("more than the 4 MiB (4194304 bytes)"), std::string::npos);
    EXPECT_EQ(Run({"check", Path("big.dat"), "--strict"}), 2);
    EXPECT_NE(err_.str().find("more than the 4 MiB"), std::string::npos);
}

}  // namespace
