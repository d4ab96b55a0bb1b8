// The installer's string tables, compiled into this program as into the installer.
#include "ResourceChecks.h"

#include <gtest/gtest.h>

TEST(InstallerStringTables, HoldExactlyTheExpectedTextsInBothLanguages) {
    const StringTable expected = ReadExpectedStrings("Install.tsv");
    const StringTable compiled = CompiledStrings(GetModuleHandleW(nullptr));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(compiled, expected);
}
