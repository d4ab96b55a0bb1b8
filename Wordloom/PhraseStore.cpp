#include "PhraseStore.h"

#include "RegistryKey.h"
#include "TableStore.h"

namespace {

constexpr wchar_t PhrasesValue[] = L"UserDefinedPhrases";

}  // namespace

StoredValueRead LoadUserPhrases(UserPhrases& phrases, std::int32_t normalImage) {
    const RegistryKey key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, VantixKeyPath);
    if (!key) return StoredValueRead::Missing;
    const std::optional<RegistryValueInfo> value = key.QueryValue(PhrasesValue);
    if (!value) return StoredValueRead::Missing;
    // What cannot be read counts as unchanged, so that no prompt invites its overwrite.
    phrases.phrasesUnchanged = true;
    if (value->type != REG_BINARY) return StoredValueRead::Unreadable;
    if (value->size == 0) return StoredValueRead::Read;  // an empty table was saved
    const std::optional<std::vector<char16_t>> text = ReadBinaryText(key, PhrasesValue, value->size);
    if (!text) return StoredValueRead::Unreadable;
    ParsePhraseText(phrases.table, text->data(), value->size / 2, normalImage);
    return StoredValueRead::Read;
}

SaveOutcome SaveUserPhrases(UserPhrases& phrases, const SaveWithoutBackup& saveWithoutBackup) {
    const SaveOutcome outcome = WriteTextValue(
        PhrasesValue, FormatPhraseText(phrases.table, /*skipDeleted=*/phrases.phrasesHaveDeleted), saveWithoutBackup);
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
