#include "PhraseStore.h"

#include "TableStore.h"

namespace {

constexpr wchar_t PhrasesValue[] = L"UserDefinedPhrases";

}  // namespace

StoredValueRead LoadUserPhrases(UserPhrases& phrases, std::int32_t normalImage) {
    const StoredText stored = ReadTextValue(PhrasesValue);
    if (stored.read == StoredValueRead::Missing) return stored.read;
    // What cannot be read counts as unchanged, so that no prompt invites its overwrite.
    phrases.phrasesUnchanged = true;
    // An empty value is an empty table saved.
    if (stored.read == StoredValueRead::Read) {
        ParsePhraseText(phrases.table, stored.units.data(), stored.bytes / 2, normalImage);
    }
    return stored.read;
}

SaveOutcome SaveUserPhrases(UserPhrases& phrases, const SaveWithoutBackup& saveWithoutBackup) {
    return SaveTableValue(PhrasesValue, phrases.table, phrases.phrasesHaveDeleted, phrases.phrasesUnchanged,
                          FormatPhraseText, saveWithoutBackup);
}

ImportResult ImportPhraseFile(const std::wstring& path, UserPhrases& phrases,
                              std::int32_t normalImage) {
    return ImportTableFile(path, phrases, ReplacePhrasesFromText, normalImage);
}

ExportOutcome ExportPhraseFile(const std::wstring& path, const PhraseTable& table) {
    return ExportText(path, FormatPhraseText(table, /*skipDeleted=*/true));
}
