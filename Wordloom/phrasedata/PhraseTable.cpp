#include "PhraseTable.h"

#include "InputKeys.h"

#include <algorithm>

namespace {

constexpr char16_t Tab = u'\t';
constexpr char16_t Cr = u'\r';

}  // namespace

bool AppendPhraseLine(PhraseTable& table, std::u16string_view key, std::u16string_view phrase,
                      std::int32_t normalImage) {
    if (key.empty()) return false;
    // One pass raises, checks and labels each unit.
    std::u16string inputKey(key);
    std::u16string vantixKey(2 * key.size(), u'\0');
    for (std::size_t i = 0; i < key.size(); ++i) {
        char16_t& unit = inputKey[i];
        if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - (u'a' - u'A'));
        const std::optional<std::u16string_view> label = KeyLabelOf(unit);
        if (!label) return false;
        vantixKey[2 * i] = (*label)[0];
        vantixKey[2 * i + 1] = (*label)[1];
    }

    PhraseEntry& entry = table.emplace_back();
    entry.phrase.assign(phrase);
    entry.vantixKey = std::move(vantixKey);
    entry.inputKey = std::move(inputKey);
    entry.image = normalImage;
    return true;
}

std::size_t ParsePhraseText(PhraseTable& table, const char16_t* units, std::size_t count,
                            std::int32_t normalImage) {
    // Room for one entry per line at most, so that appending never moves the entries.
    table.reserve(table.size() + static_cast<std::size_t>(std::count(units, units + count, Cr)));
    std::size_t invalid = 0;
    std::size_t start = 0;
    while (count > 0) {
        std::size_t afterTab = start;  // just after the line's last TAB; start when it has none
        std::size_t cr = start;
        while (cr < count && units[cr] != Cr) {
            if (units[cr] == Tab) afterTab = cr + 1;
            ++cr;
        }
        if (cr == count) break;  // a last line without CR is neither read nor counted

        const std::size_t keyLength = afterTab > start ? afterTab - 1 - start : 0;
        if (!AppendPhraseLine(table, std::u16string_view(units + start, keyLength),
                              std::u16string_view(units + afterTab, cr - afterTab), normalImage)) {
            ++invalid;
        }
        if (cr + 3 > count) break;
        start = cr + 2;  // the unit after CR (LF in well-formed text) is skipped unexamined
    }
    return invalid;
}

std::u16string FormatPhraseText(const PhraseTable& table, bool skipDeleted) {
    return FormatTableText(table, skipDeleted);
}

ImportResult ReplacePhrasesFromText(UserPhrases& phrases, const char16_t* units, std::size_t count,
                                    std::int32_t normalImage) {
    return ReplaceTableFromText(phrases.table, phrases.phrasesUnchanged, phrases.phrasesHaveDeleted, units, count,
                                normalImage, ParsePhraseText);
}
