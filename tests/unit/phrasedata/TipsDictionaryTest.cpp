// The built-in associated-word dictionary as committed: read the way the phrase tool imports it.
#include "TestTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace {

constexpr std::size_t MaxImportFileSize = 4194304;

std::string ReadBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::u16string FromLittleEndian(const std::string& bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

std::vector<std::u16string> SplitWords(const std::u16string& words) {
    std::vector<std::u16string> out;
    std::size_t start = 0;
    for (std::size_t comma; (comma = words.find(u',', start)) != std::u16string::npos;) {
        out.push_back(words.substr(start, comma - start));
        start = comma + 1;
    }
    out.push_back(words.substr(start));
    return out;
}

bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

class TipsDictionary : public testing::Test {
protected:
    static void SetUpTestSuite() {
        bytes_ = ReadBytes(VANTIX_TIPS_DICTIONARY);
        text_ = FromLittleEndian(bytes_);
        invalid_ = Parse(table_, text_);
    }

    const TipEntry* Find(char16_t character) const {
        const auto found = std::find_if(table_.begin(), table_.end(), [&](const TipEntry& entry) {
            return entry.character == std::u16string(1, character);
        });
        return found == table_.end() ? nullptr : &*found;
    }

    static inline std::string bytes_;
    static inline std::u16string text_;
    static inline TipTable table_;
    static inline std::size_t invalid_ = 0;
};

TEST_F(TipsDictionary, ImportsWholeWithinTheSizeLimitAndHoldsWellFormedWordLists) {
    ASSERT_GT(bytes_.size(), 100000u) << VANTIX_TIPS_DICTIONARY;
    EXPECT_LE(bytes_.size(), MaxImportFileSize);
    EXPECT_EQ(bytes_.size() % 2, 0u);
    EXPECT_NE(text_.front(), u'\uFEFF');
    EXPECT_EQ(invalid_, 0u);
    // Nothing lost: every line became an entry, and writing the table gives the file back.
    EXPECT_EQ(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), u'\r')),
              table_.size());
    EXPECT_EQ(FormatTipsText(table_, /*skipDeleted=*/false), text_);

    std::set<std::u16string> characters;
    for (std::size_t row = 0; row < table_.size(); ++row) {
        SCOPED_TRACE(testing::Message() << "line " << row + 1);
        const TipEntry& entry = table_[row];
        EXPECT_TRUE(characters.insert(entry.character).second) << "character listed twice";
        EXPECT_FALSE(IsSurrogate(entry.character[0]));
        const std::vector<std::u16string> words = SplitWords(entry.words);
        EXPECT_LE(words.size(), 8u);
        EXPECT_EQ(std::set<std::u16string>(words.begin(), words.end()).size(), words.size())
            << "word listed twice";
        for (const std::u16string& word : words) {
            // What the editor would accept as a word of this character.
            EXPECT_GE(word.size(), 2u);
            EXPECT_LE(word.size(), MaxTipWordLength);
            EXPECT_EQ(word[0], entry.character[0]);
            EXPECT_TRUE(std::none_of(word.begin(), word.end(), IsSurrogate));
        }
    }
}

TEST_F(TipsDictionary, CommonCharactersOfferTheirCommonWordsInTaiwanForms) {
    struct Expected {
        char16_t character;
        std::vector<std::u16string> anyOf;
    };
    const std::vector<Expected> expected = {
        {u'學', {u"學生", u"學校"}},
        {u'電', {u"電腦", u"電話"}},
        {u'人', {u"人們", u"人民"}},
        {u'中', {u"中國", u"中文"}},
        {u'為', {u"為什麼", u"為了"}},  // the source spells them 爲什麼, 爲了
        {u'裡', {u"裡面"}},            // and 裏面
    };
    for (const Expected& want : expected) {
        const TipEntry* entry = Find(want.character);
        ASSERT_NE(entry, nullptr) << static_cast<int>(want.character);
        const std::vector<std::u16string> words = SplitWords(entry->words);
        EXPECT_EQ(words.size(), 8u);
        EXPECT_TRUE(std::any_of(want.anyOf.begin(), want.anyOf.end(), [&](const auto& word) {
            return std::find(words.begin(), words.end(), word) != words.end();
        })) << static_cast<int>(want.character);
    }
    // Spellings that only other regions use do not start entries of their own.
    EXPECT_EQ(Find(u'爲'), nullptr);
    EXPECT_EQ(Find(u'裏'), nullptr);
}

}  // namespace
