#include "TableStore.h"

#include "TextEncoding.h"
#include "ValueBackup.h"
#include "WholeFile.h"

#include <string_view>

StoredText ReadTextValue(const wchar_t* name) {
    StoredText stored;
    const RegistryKey key = RegistryKey::OpenForReading(HKEY_CURRENT_USER, VantixKeyPath);
    if (!key) return stored;
    const std::optional<RegistryValueInfo> value = key.QueryValue(name);
    if (!value) return stored;
    stored.bytes = value->size;
    stored.read = StoredValueRead::Unreadable;
    if (value->type != REG_BINARY) return stored;
    stored.units.resize((static_cast<std::size_t>(value->size) + 1) / 2);
    const std::optional<DWORD> type =
        value->size == 0 ? value->type : key.ReadValue(name, stored.units.data(), value->size);
    if (!type || *type != REG_BINARY) {
        stored.units.clear();
        return stored;
    }
    stored.read = StoredValueRead::Read;
    return stored;
}

SaveOutcome WriteTextValue(const wchar_t* name, std::u16string_view text,
                           const SaveWithoutBackup& saveWithoutBackup) {
    RegistryKey key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, VantixKeyPath);
    if (!key) return SaveOutcome::KeyUnavailable;
    const ValueBackup backup = BackUpValueBeforeOverwrite(key, name, text);
    if (backup.state == ValueBackup::State::Failed && !(saveWithoutBackup && saveWithoutBackup())) {
        return SaveOutcome::NotConfirmed;
    }
    // A registry value holds less than 4 GiB, so a text that long can only be refused.
    const std::uint64_t bytes = static_cast<std::uint64_t>(text.size()) * sizeof(char16_t);
    if (bytes > MAXDWORD ||
        !key.SetBinary(name, text.data(), static_cast<DWORD>(bytes))) {
        DiscardBackup(backup);
        return SaveOutcome::WriteRefused;
    }
    KeepBackup(backup, name);
    return SaveOutcome::Written;
}

ImportFile ReadImportFile(const std::wstring& path) {
    WholeFileContents contents = ReadWholeFile(path, MaxImportFileSize);
    ImportFile file;
    switch (contents.outcome) {
    case FileReadOutcome::Read: {
        const std::string_view bytes(reinterpret_cast<const char*>(contents.units.data()),
                                     contents.bytes);
        if (const std::optional<TextEncoding> encoding = DetectTextEncoding(bytes)) {
            file.outcome = ImportOutcome::Imported;
            file.units = DecodeText(bytes, *encoding);
        } else {
            file.outcome = ImportOutcome::NothingRead;
            file.invalidLines = CountByteLines(bytes);
        }
        break;
    }
    case FileReadOutcome::TooLarge: file.outcome = ImportOutcome::TooLarge; break;
    case FileReadOutcome::CannotOpen:
    case FileReadOutcome::ReadFailed: file.outcome = ImportOutcome::CannotAccess; break;
    }
    return file;
}

ExportOutcome ExportText(const std::wstring& path, std::u16string_view text) {
    if (text.empty()) return ExportOutcome::NothingToExport;
    switch (ReplaceWholeFile(path, text.data(), text.size() * sizeof(char16_t))) {
    case FileWriteOutcome::Written: return ExportOutcome::Written;
    case FileWriteOutcome::CannotCreate: return ExportOutcome::CannotCreate;
    case FileWriteOutcome::WriteFailed: break;
    }
    return ExportOutcome::WriteFailed;
}
