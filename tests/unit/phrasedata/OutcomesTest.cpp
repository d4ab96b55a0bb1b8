// Which message the phrase tool shows for each outcome of load, save, import and export.
#include "Outcomes.h"

#include <gtest/gtest.h>

namespace {

TEST(Outcomes, SaveAndImport) {
    EXPECT_EQ(MessageIdFor(SaveOutcome::Written), 0u);
    EXPECT_EQ(MessageIdFor(SaveOutcome::KeyUnavailable), 219u);  // a save that wrote nothing failed
    EXPECT_EQ(MessageIdFor(SaveOutcome::WriteRefused), 219u);
    EXPECT_EQ(MessageIdFor(ImportOutcome::Imported), 215u);
    EXPECT_EQ(MessageIdFor(ImportOutcome::CannotAccess), 214u);
    EXPECT_EQ(MessageIdFor(ImportOutcome::TooLarge), 213u);
}

TEST(Outcomes, ExportNamesTheTableWhenThereIsNothingToExport) {
    for (TableKind kind : {TableKind::Phrases, TableKind::Tips}) {
        EXPECT_EQ(MessageIdFor(ExportOutcome::Written, kind), 0u);
        EXPECT_EQ(MessageIdFor(ExportOutcome::CannotCreate, kind), 217u);
        EXPECT_EQ(MessageIdFor(ExportOutcome::WriteFailed, kind), 218u);
    }
    EXPECT_EQ(MessageIdFor(ExportOutcome::NothingToExport, TableKind::Phrases), 216u);
    EXPECT_EQ(MessageIdFor(ExportOutcome::NothingToExport, TableKind::Tips), 264u);
}

TEST(Outcomes, StartUpLoadOfTipsIsSilentExceptWithoutAProgramPath) {
    for (LoadTipsOutcome outcome : {LoadTipsOutcome::FromRegistry, LoadTipsOutcome::Seeded,
                                    LoadTipsOutcome::SeedNotWritten,
                                    LoadTipsOutcome::DictionaryUnusable}) {
        EXPECT_EQ(MessageIdFor(outcome), 0u) << static_cast<int>(outcome);
    }
    EXPECT_EQ(MessageIdFor(LoadTipsOutcome::NoProgramPath), 265u);
}

}  // namespace
