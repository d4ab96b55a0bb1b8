#include "TipStore.h"

#include "TableStore.h"

#include <windows.h>

namespace {

constexpr wchar_t TipsValue[] = L"UserDefinedTips";
constexpr wchar_t DictionaryName[] = L"\\vantix_tips.dic";

// Reads a non-empty value into the table. Missing when the value is absent or empty, the one
// case in which the dictionary is consulted. A value that is there but cannot be read counts as
// unchanged, so that nothing overwrites it unasked.
StoredValueRead LoadTipsFromRegistry(UserTips& tips, std::int32_t normalImage) {
    const StoredText stored = ReadTextValue(TipsValue);
    if (stored.read == StoredValueRead::Missing || stored.bytes == 0) return StoredValueRead::Missing;
    tips.tipsUnchanged = true;
    if (stored.read == StoredValueRead::Read) {
        ParseTipsText(tips.table, stored.units.data(), stored.bytes / 2, normalImage);
    }
    return stored.read;
}

}  // namespace

LoadTipsOutcome LoadTips(UserTips& tips, std::int32_t normalImage,
                         const std::optional<std::wstring>& programPath) {
    switch (LoadTipsFromRegistry(tips, normalImage)) {
    case StoredValueRead::Read: return LoadTipsOutcome::FromRegistry;
    case StoredValueRead::Unreadable: return LoadTipsOutcome::Unreadable;
    case StoredValueRead::Missing: break;
    }
    if (!programPath) return LoadTipsOutcome::NoProgramPath;

    // Quietly: a dictionary that is missing, unreadable or too large just leaves the table empty.
    ImportTips(DictionaryPathBeside(*programPath), tips, normalImage);
    if (tips.table.empty()) return LoadTipsOutcome::DictionaryUnusable;
    // Write the seed back so that the input method finds the same table.
    if (WriteTextValue(TipsValue, FormatTipsText(tips.table, /*skipDeleted=*/false)) !=
        SaveOutcome::Written) {
        return LoadTipsOutcome::SeedNotWritten;
    }
    tips.tipsUnchanged = true;
    return LoadTipsOutcome::Seeded;
}

std::optional<std::wstring> ProgramFilePath(ModuleFileNameQuery query) {
    wchar_t path[MAX_PATH];
    const DWORD length = query(path, MAX_PATH);
    // A path that fills the whole buffer was cut short.
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::wstring(path, length);
}

std::wstring DictionaryPathBeside(std::wstring_view programPath) {
    const std::size_t lastBackslash = programPath.rfind(L'\\');
    std::wstring path(lastBackslash == std::wstring_view::npos
                          ? std::wstring_view()
                          : programPath.substr(0, lastBackslash));
    path += DictionaryName;
    return path;
}

ImportResult ImportTips(const std::wstring& path, UserTips& tips, std::int32_t normalImage) {
    return ImportTableFile(path, tips, ReplaceTipsFromText, normalImage);
}

ExportOutcome ExportTips(const std::wstring& path, const TipTable& table) {
    return ExportText(path, FormatTipsText(table, /*skipDeleted=*/true));
}

SaveOutcome SaveTips(UserTips& tips, const SaveWithoutBackup& saveWithoutBackup) {
    return SaveTableValue(TipsValue, tips.table, tips.tipsHaveDeleted, tips.tipsUnchanged, FormatTipsText,
                          saveWithoutBackup);
}
