#include "Backups.h"

#include <gtest/gtest.h>

TEST(BackupsTest, NamesSortByTimeAndSequenceAndOnlyThisValuesBackupsArePruned) {
    const BackupTime noon{2026, 12, 8, 14, 15, 3};
    EXPECT_EQ(BackupFileName(u"UserDefinedPhrases", noon, 0), u"UserDefinedPhrases-20261208-141503.dat");
    EXPECT_EQ(BackupFileName(u"UserDefinedTips", {2027, 1, 2, 3, 4, 5}, 12), u"UserDefinedTips-20270102-030405-12.dat");

    // Twelve backups out of order, two within one second (the second one's "-2" must count as
    // newer, though it sorts before ".dat" by name), beside files that are not ours to delete.
    std::vector<std::u16string> names;
    for (int minute = 11; minute >= 1; --minute) {
        names.push_back(BackupFileName(u"UserDefinedPhrases", {2026, 12, 8, 10, minute, 0}, 0));
    }
    names.push_back(BackupFileName(u"UserDefinedPhrases", {2026, 12, 8, 10, 1, 0}, 2));
    names.insert(names.end(), {u"UserDefinedTips-20200101-000000.dat", u"UserDefinedPhrases-old.dat",
                               u"UserDefinedPhrases-20200101-000000.txt", u"UserDefinedPhrases-20200101-000000-x.dat",
                               u"my phrases.dat"});

    EXPECT_EQ(BackupsBeyondNewest(names, u"UserDefinedPhrases", BackupsKeptPerValue),
              (std::vector<std::u16string>{u"UserDefinedPhrases-20261208-100100.dat",
                                           u"UserDefinedPhrases-20261208-100100-2.dat"}));
    EXPECT_TRUE(BackupsBeyondNewest(names, u"UserDefinedTips", BackupsKeptPerValue).empty());
    // A new backup in the same second comes after the highest there, even when the plain name
    // was pruned: taking it again would make the newest backup count as the oldest.
    const BackupTime tenOne{2026, 12, 8, 10, 1, 0};
    EXPECT_EQ(NewBackupName({u"UserDefinedPhrases-20261208-100100-2.dat", u"UserDefinedPhrases-20261208-100100-9.dat"},
                            u"UserDefinedPhrases", tenOne),
              u"UserDefinedPhrases-20261208-100100-10.dat");
    EXPECT_EQ(NewBackupName(names, u"UserDefinedTips", tenOne), u"UserDefinedTips-20261208-100100.dat");
    EXPECT_EQ(BackupsBeyondNewest(names, u"UserDefinedTips", 0),
              (std::vector<std::u16string>{u"UserDefinedTips-20200101-000000.dat"}));
}
