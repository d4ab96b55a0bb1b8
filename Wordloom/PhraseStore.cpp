#include "PhraseStore.h"

#include "RegistryKey.h"
#include "TableStore.h"

namespace {

constexpr wchar_t PhrasesValue[] = L"UserDefinedPhrases";

}  // namespace

void LoadUserPhrases(UserPhrases& phrases, std::int32_t normalImage) {
    const RegistryKey key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, VantixKeyPath);
    if (!key) return;
    const std::optional<RegistryValueInfo> value = key.QueryValue(PhrasesValue);
    if (!value || value->type != REG_BINARY) return;
    if (value->size == 0) {
        phrases.phrasesUnchanged = true;  // an empty table was saved
        return;
    }
    const std::optional<std::vector<char16_t>> text = ReadBinaryText(key, PhrasesValue, value->size);
    if (!text) return;
    ParsePhraseText(phrases.table, text->data(), value->size / 2, normalImage);
    phrases.phrasesUnchanged = true;
}

SaveOutcome SaveUserPhrases(UserPhrases& phrases) {
    const SaveOutcome outcome =
        WriteTextValue(PhrasesValue, FormatPhraseText(phrases.table, /*skipDeleted=*/phrases.phrasesHaveDeleted));
    if (outcome != SaveOutcome::Written) return outcome;
    if (phrases.phrasesHaveDeleted) DropDeletedEntries(phrases.table);
    phrases.phrasesUnchanged = true;
    return outcome;
}

ImportResult ImportPhraseFile(const std::wstring& path, UserPhrases& phrases,
                              std::int32_t normalImage) {
    return ImportTableFile(path, phrases, ReplacePhrasesFromText, normalImage);
}

ExportOutcome ExportPhraseFile(const std::wstring& path, const PhraseTable& table) {
    return ExportText(path, FormatPhraseText(table, /*skipDeleted=*/true));
}
