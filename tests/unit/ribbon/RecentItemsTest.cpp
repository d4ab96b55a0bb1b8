// The recent-items list: adding an imported file, and reading and writing "UPTMRUList".
#include "RecentItems.h"

#include <gtest/gtest.h>

namespace {

using namespace std::literals;

std::vector<std::uint8_t> BytesOf(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t c : text) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>(c >> 8)});
    return bytes;
}

RecentItems Load(std::u16string_view text, std::uint32_t type = StoredStringType) {
    const std::vector<std::uint8_t> bytes = BytesOf(text);
    return RecentItemsFromStored(type, bytes.data(), bytes.size());
}

// The list as "path|p" / "path|n" words, to compare in one line.
std::vector<std::u16string> Words(const RecentItems& items) {
    std::vector<std::u16string> words;
    for (const RecentItem& item : items) words.push_back(item.path + (item.pinned ? u"|p" : u"|n"));
    return words;
}

using WordList = std::vector<std::u16string>;

RecentItems Numbered(std::size_t count, bool pinned) {
    RecentItems items;
    for (std::size_t i = 0; i < count; ++i) items.push_back({u"C:\\f" + std::u16string(1, static_cast<char16_t>(u'1' + i)), pinned});
    return items;
}

TEST(RecentItems, ReadsThePiecesOfTheStoredValueInOrder) {
    // Only "|p" exactly pins; an empty piece is skipped; a piece without a path is dropped but
    // counts among the nine pieces read.
    EXPECT_EQ(Words(Load(u"C:\\a.txt|p;;b|n;c|x;d|px;e;|p;f|p;g;h;i;j;\0"s)),
              (WordList{u"C:\\a.txt|p", u"b|n", u"c|n", u"d|n", u"e|n", u"f|p", u"g|n", u"h|n"}));
    EXPECT_EQ(Words(Load(u"a|p\0b|n;\0"s, StoredExpandableStringType)), (WordList{u"a|p"}));  // ends at the first NUL
    EXPECT_TRUE(Load(u"\0"s).empty());
}

TEST(RecentItems, LoadsNothingFromAValueItCannotTrust) {
    EXPECT_TRUE(Load(u"a|p;\0"s, 3).empty());  // REG_BINARY
    EXPECT_TRUE(Load(u"a|p;\0"s, 7).empty());  // REG_MULTI_SZ
    EXPECT_TRUE(Load(u"a|p;"s).empty());       // no terminating NUL

    // An odd byte count is read rounded down: the NUL must still be there.
    std::vector<std::uint8_t> bytes = BytesOf(u"a|p;\0"s);
    bytes.push_back('x');
    EXPECT_EQ(Words(RecentItemsFromStored(StoredStringType, bytes.data(), bytes.size())), (WordList{u"a|p"}));
    bytes.resize(bytes.size() - 2);  // the NUL's high byte is gone
    EXPECT_TRUE(RecentItemsFromStored(StoredStringType, bytes.data(), bytes.size()).empty());
    EXPECT_TRUE(RecentItemsFromStored(StoredStringType, bytes.data(), 1).empty());
}

TEST(RecentItems, AddingMovesFreesOrRefusesAPlace) {
    RecentItems items = {{u"C:\\Data\\one.txt", true}, {u"C:\\two.txt", false}};
    AddRecentItem(items, u"c:\\DATA\\One.TXT");  // same file: new spelling, pin kept
    AddRecentItem(items, u"C:\\three.txt");
    EXPECT_EQ(Words(items), (WordList{u"C:\\three.txt|n", u"c:\\DATA\\One.TXT|p", u"C:\\two.txt|n"}));
    AddRecentItem(items, u"C:\\two.txt");
    EXPECT_EQ(Words(items), (WordList{u"C:\\two.txt|n", u"C:\\three.txt|n", u"c:\\DATA\\One.TXT|p"}));

    // A path the stored value could not give back is not listed.
    for (std::u16string_view bad : {u"C:\\a;b.txt"sv, u"C:\\a|p"sv, u""sv, u"a\0b"sv}) AddRecentItem(items, bad);
    EXPECT_EQ(items.size(), 3u);

    RecentItems pinned = Numbered(9, true);
    AddRecentItem(pinned, u"C:\\new");
    EXPECT_EQ(Words(pinned), Words(Numbered(9, true)));

    RecentItems firstUnpinned = Numbered(9, true);
    firstUnpinned[0].pinned = false;
    AddRecentItem(firstUnpinned, u"C:\\new");
    WordList expected = Words(Numbered(9, true));
    expected[0] = u"C:\\new|n";
    EXPECT_EQ(Words(firstUnpinned), expected);

    RecentItems unpinned = Numbered(9, false);
    AddRecentItem(unpinned, u"C:\\new");
    EXPECT_EQ(unpinned.front().path, u"C:\\new");
    EXPECT_EQ(unpinned.back().path, u"C:\\f8");

    RecentItems full = Numbered(9, false);
    full[8].pinned = true;
    AddRecentItem(full, u"C:\\new");  // the last unpinned one, f8, makes room
    EXPECT_EQ(Words(full), (WordList{u"C:\\new|n", u"C:\\f1|n", u"C:\\f2|n", u"C:\\f3|n", u"C:\\f4|n", u"C:\\f5|n",
                                   u"C:\\f6|n", u"C:\\f7|n", u"C:\\f9|p"}));
}

TEST(RecentItems, StoredBytesReadBackToTheSameList) {
    const RecentItems items = {{u"C:\\\u8a5e\u5f59.txt", true}, {u"D:\\b", false}};
    const std::vector<std::uint8_t> bytes = StoredRecentItemsBytes(items);
    EXPECT_EQ(StoredRecentItemsText(items), u"C:\\\u8a5e\u5f59.txt|p;D:\\b|n;");
    EXPECT_EQ(bytes, BytesOf(u"C:\\\u8a5e\u5f59.txt|p;D:\\b|n;\0"s));  // little-endian, NUL counted
    EXPECT_EQ(Words(RecentItemsFromStored(StoredStringType, bytes.data(), bytes.size())), Words(items));
    EXPECT_EQ(StoredRecentItemsBytes({}), (std::vector<std::uint8_t>{0, 0}));
}

TEST(RecentItems, DisplayNameAndPinChange) {
    EXPECT_EQ(RecentItemDisplayName(u"C:\\Data\\one.txt"), u"one.txt");
    EXPECT_EQ(RecentItemDisplayName(u"one.txt"), u"one.txt");
    EXPECT_EQ(RecentItemDisplayName(u"C:\\Data\\"), u"");

    RecentItems items = {{u"C:\\a", false}, {u"C:\\b", false}, {u"c:\\B", false}};
    EXPECT_TRUE(SetRecentItemPinned(items, u"C:\\B", true));
    EXPECT_FALSE(SetRecentItemPinned(items, u"C:\\z", true));
    EXPECT_EQ(Words(items), (WordList{u"C:\\a|n", u"C:\\b|p", u"c:\\B|n"}));
}

}  // namespace
