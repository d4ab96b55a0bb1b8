#include "Backups.h"

#include <gtest/gtest.h>

TEST(BackupsTest, NamesCarryTimeSequenceAndTypeAndPruningGoesByWriteTime) {
    const BackupTime noon{2026, 12, 8, 14, 15, 3};
    EXPECT_EQ(BackupFileName(u"UserDefinedPhrases", noon, 0), u"UserDefinedPhrases-20261208-141503.dat");
    EXPECT_EQ(BackupFileName(u"UserDefinedTips", {2027, 1, 2, 3, 4, 5}, 12), u"UserDefinedTips-20270102-030405-12.dat");
    EXPECT_EQ(BackupFileName(u"UserDefinedPhrases", noon, 2, u"REG_SZ"), u"UserDefinedPhrases-20261208-141503-2-REG_SZ.dat");

    // Twelve backups written a minute apart, one of them of a value stored as text, beside files
    // that are not ours to delete. Their names say other times: the clock went back in between.
    std::vector<BackupFile> files;
    for (int minute = 1; minute <= 12; ++minute) {
        const std::u16string type = minute == 5 ? u"REG_SZ" : u"";
        files.push_back({BackupFileName(u"UserDefinedPhrases", {2026, 12, 8, 10, 13 - minute, 0}, 0, type),
                         static_cast<std::uint64_t>(minute) * 60});
    }
    for (const char16_t* other : {u"UserDefinedTips-20200101-000000.dat", u"UserDefinedPhrases-old.dat",
                                  u"UserDefinedPhrases-20200101-000000.txt", u"UserDefinedPhrases-20200101-000000-x.dat",
                                  u"UserDefinedPhrases-20200101-000000-REG_sz.dat", u"my phrases.dat"}) {
        files.push_back({other, 0});
    }
    // The two written first go, whatever their names say.
    EXPECT_EQ(BackupsBeyondNewest(files, u"UserDefinedPhrases", BackupsKeptPerValue, u""),
              (std::vector<std::u16string>{u"UserDefinedPhrases-20261208-101100.dat",
                                           u"UserDefinedPhrases-20261208-101200.dat"}));
    // The one just written stays, though its time is the oldest of all; nine others stay with it.
    files.push_back({u"UserDefinedPhrases-20261208-090000.dat", 0});
    EXPECT_EQ(BackupsBeyondNewest(files, u"UserDefinedPhrases", BackupsKeptPerValue,
                                  u"UserDefinedPhrases-20261208-090000.dat"),
              (std::vector<std::u16string>{u"UserDefinedPhrases-20261208-101000.dat",
                                           u"UserDefinedPhrases-20261208-101100.dat",
                                           u"UserDefinedPhrases-20261208-101200.dat"}));
    EXPECT_EQ(BackupsBeyondNewest(files, u"UserDefinedTips", 0, u""),
              (std::vector<std::u16string>{u"UserDefinedTips-20200101-000000.dat"}));

    // A new backup in the same second comes after the highest there, typed or not, even when the
    // plain name was pruned.
    const BackupTime tenOne{2026, 12, 8, 10, 1, 0};
    EXPECT_EQ(NewBackupName({u"UserDefinedPhrases-20261208-100100-2.dat", u"UserDefinedPhrases-20261208-100100-9-REG_DWORD.dat"},
                            u"UserDefinedPhrases", tenOne, u"REG_SZ"),
              u"UserDefinedPhrases-20261208-100100-10-REG_SZ.dat");
    EXPECT_EQ(NewBackupName({u"UserDefinedPhrases-20261208-100100.dat"}, u"UserDefinedTips", tenOne),
              u"UserDefinedTips-20261208-100100.dat");
}
