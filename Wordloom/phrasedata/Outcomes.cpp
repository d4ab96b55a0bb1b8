#include "Outcomes.h"

unsigned MessageIdFor(SaveOutcome outcome) {
    // Whatever kept the value from being written, the user hears that the save failed, unless
    // the user chose it.
    if (outcome == SaveOutcome::Written || outcome == SaveOutcome::NotConfirmed) return 0;
    return MessageId::RegistryWriteRefused;
}

unsigned MessageIdFor(ImportOutcome outcome) {
    switch (outcome) {
    case ImportOutcome::Imported: return MessageId::Imported;
    case ImportOutcome::CannotAccess: return MessageId::CannotAccessFile;
    case ImportOutcome::TooLarge: return MessageId::FileTooLarge;
    case ImportOutcome::NothingRead: return MessageId::NothingImported;
    case ImportOutcome::TableTooLarge: return MessageId::TableTooLarge;
    }
    return 0;
}

unsigned MessageIdFor(ExportOutcome outcome, TableKind kind) {
    switch (outcome) {
    case ExportOutcome::Written: return 0;
    case ExportOutcome::NothingToExport:
        return kind == TableKind::Phrases ? MessageId::NoPhraseToExport : MessageId::NoTipToExport;
    case ExportOutcome::CannotCreate: return MessageId::CannotCreateFile;
    case ExportOutcome::WriteFailed: return MessageId::WriteFailed;
    }
    return 0;
}

unsigned MessageIdFor(LoadTipsOutcome outcome) {
    // Start-up stays silent about everything but a missing program path.
    return outcome == LoadTipsOutcome::NoProgramPath ? MessageId::NoDictionary : 0;
}
