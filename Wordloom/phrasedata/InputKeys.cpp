#include "InputKeys.h"

const std::array<KeyLabelRow, 30> KeyLabelTable = {{
    {u'Q', {u'1', u'^'}, 1},  {u'A', {u'1', u'-'}, 2},  {u'Z', {u'1', u'v'}, 3},
    {u'W', {u'2', u'^'}, 4},  {u'S', {u'2', u'-'}, 5},  {u'X', {u'2', u'v'}, 6},
    {u'E', {u'3', u'^'}, 7},  {u'D', {u'3', u'-'}, 8},  {u'C', {u'3', u'v'}, 9},
    {u'R', {u'4', u'^'}, 10}, {u'F', {u'4', u'-'}, 11}, {u'V', {u'4', u'v'}, 12},
    {u'T', {u'5', u'^'}, 13}, {u'G', {u'5', u'-'}, 14}, {u'B', {u'5', u'v'}, 15},
    {u'Y', {u'6', u'^'}, 16}, {u'H', {u'6', u'-'}, 17}, {u'N', {u'6', u'v'}, 18},
    {u'U', {u'7', u'^'}, 19}, {u'J', {u'7', u'-'}, 20}, {u'M', {u'7', u'v'}, 21},
    {u'I', {u'8', u'^'}, 22}, {u'K', {u'8', u'-'}, 23}, {u',', {u'8', u'v'}, 24},
    {u'O', {u'9', u'^'}, 25}, {u'L', {u'9', u'-'}, 26}, {u'.', {u'9', u'v'}, 27},
    {u'P', {u'0', u'^'}, 28}, {u';', {u'0', u'-'}, 29}, {u'/', {u'0', u'v'}, 30},
}};

namespace {

// Row of KeyLabelTable for each unit below 0x80, -1 for units that are not key characters.
struct KeyIndex {
    signed char row[0x80];
    constexpr KeyIndex() : row{} {
        for (auto& r : row) r = -1;
        constexpr char16_t order[] = u"QAZWSXEDCRFVTGBYHNUJMIK,OL.P;/";
        for (int i = 0; i < 30; ++i) row[order[i]] = static_cast<signed char>(i);
    }
};
constexpr KeyIndex keyIndex;

int RowOf(char16_t c) {
    return c < 0x80 ? keyIndex.row[c] : -1;
}

}  // namespace

bool IsKeyCharacter(char16_t c) {
    return RowOf(c) >= 0;
}

std::optional<std::u16string_view> KeyLabelOf(char16_t c) {
    const int row = RowOf(c);
    if (row < 0) return std::nullopt;
    return std::u16string_view(KeyLabelTable[static_cast<std::size_t>(row)].label, 2);
}

int LayoutPositionOf(char16_t c) {
    return RowOf(c) + 1;
}

std::u16string ToVantixInputKey(std::u16string_view inputKey) {
    std::u16string vantixKey;
    vantixKey.reserve(inputKey.size() * 2);
    for (const char16_t c : inputKey) {
        const int row = RowOf(c);
        if (row < 0) break;
        vantixKey.append(KeyLabelTable[static_cast<std::size_t>(row)].label, 2);
    }
    return vantixKey;
}

bool IsValidStoredKey(std::u16string_view inputKey) {
    if (inputKey.empty()) return false;
    for (const char16_t c : inputKey) {
        if (!IsKeyCharacter(c)) return false;
    }
    return true;
}

bool IsValidTypedKey(std::u16string_view inputKey) {
    return inputKey.size() <= MaxInputKeyLength && IsValidStoredKey(inputKey);
}

bool CompareLayoutOrder(std::u16string_view a, std::u16string_view b, bool ascending) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const int ra = LayoutPositionOf(a[i]);
        const int rb = LayoutPositionOf(b[i]);
        if (ra != rb) return ascending ? ra < rb : ra > rb;
    }
    return ascending ? a.size() < b.size() : a.size() > b.size();
}

void UpperCaseStoredKey(std::u16string& key) {
    for (char16_t& c : key) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
    }
}
