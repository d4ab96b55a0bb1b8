#include "TipTable.h"

namespace {

constexpr char16_t Separator = u'=';
constexpr char16_t Cr = u'\r';

}  // namespace

std::size_t ParseTipsText(TipTable& table, const char16_t* units, std::size_t count,
                          std::int32_t normalImage) {
    std::size_t invalid = 0;
    std::size_t start = 0;
    while (count > 0) {
        std::size_t afterSeparator = start;  // just after the line's last "="; start when none
        std::size_t cr = start;
        while (cr < count && units[cr] != Cr) {
            if (units[cr] == Separator) afterSeparator = cr + 1;
            ++cr;
        }
        if (cr == count) break;  // a last line without CR is ignored and not counted

        // Valid when exactly one unit stands before the last "=".
        if (afterSeparator == start + 2) {
            TipEntry& entry = table.emplace_back();
            entry.words.assign(units + afterSeparator, cr - afterSeparator);
            entry.character.assign(1, units[start]);
            entry.image = normalImage;
        } else {
            ++invalid;
        }
        start = cr + 2;  // the unit after CR (LF in well-formed text) is skipped unexamined
        if (start >= count) break;
    }
    return invalid;
}

std::u16string FormatTipsText(const TipTable& table, bool skipDeleted) {
    return FormatTableText(table, skipDeleted);
}

ImportResult ReplaceTipsFromText(UserTips& tips, const char16_t* units, std::size_t count,
                                 std::int32_t normalImage) {
    return ReplaceTableFromText(tips.table, tips.tipsUnchanged, tips.tipsHaveDeleted, units, count, normalImage,
                                ParseTipsText);
}

bool AddTip(UserTips& tips, std::u16string character, std::u16string words,
            std::int32_t normalImage) {
    TipEntry entry;
    entry.character = std::move(character);
    entry.words = std::move(words);
    entry.image = normalImage;
    if (StoredFormBytes(tips.table) + StoredLineBytes(entry) > MaxImportFileSize) return false;
    tips.table.push_back(std::move(entry));
    tips.tipsUnchanged = false;
    return true;
}

bool ModifyTipWords(UserTips& tips, std::size_t row, std::u16string_view words) {
    if (row >= tips.table.size()) return false;
    TipEntry& entry = tips.table[row];
    if (entry.words == words) return false;
    entry.words.assign(words);
    tips.tipsUnchanged = false;
    return true;
}
