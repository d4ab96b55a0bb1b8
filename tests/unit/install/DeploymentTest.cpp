// The path limit, the copy plan where paths get too long, and the font values. (The copy plans
// of 32- and 64-bit machines, and those with folders missing, are checked by whole runs.)
#include "Deployment.h"
#include "FakeInstallPlatform.h"
#include "InstallPaths.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallDeployment, PathsThatDoNotFitAreRefusedNotCut) {
    const std::u16string folder(250, u'x');
    EXPECT_EQ(JoinPath({folder, u"\\", u"12345678"}), folder + u"\\12345678");  // 259: fits
    EXPECT_EQ(JoinPath({folder, u"\\", u"123456789"}), std::nullopt);           // 260: no room for the NUL
    EXPECT_EQ(SourceFolderOf(u"D:\\Setup\\Install.exe"), u"D:\\Setup\\");
    EXPECT_EQ(SourceFolderOf(u"\\\\server\\share\\Install.exe"), u"\\\\server\\share\\");
    EXPECT_EQ(SourceFolderOf(u"Install.exe"), std::nullopt);
    EXPECT_EQ(SourceFolderOf(u"D:\\" + std::u16string(257, u'x')), std::nullopt);
}

TEST(InstallDeployment, OnlyTheCopiesWhosePathsFitArePlanned) {
    // "...\VantixIME\" + a 23-character name is 260 characters; 21 characters still fit.
    const std::u16string longFolder = u"C:\\" + std::u16string(223, u'x');
    const CopyPlan plan = PlanProgramCopies({u"D:\\Setup\\", longFolder, std::nullopt}, false);
    EXPECT_FALSE(plan.complete);
    ASSERT_EQ(plan.targets.size(), 1u);
    std::vector<std::string> names;
    for (const FileCopy& copy : plan.targets[0].copies) {
        EXPECT_LT(copy.to.size(), PathBufferLength);
        names.push_back(Narrow(copy.to.substr(longFolder.size() + 11)));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"vantix_shortcodes.dic", "vantix_symbols.dic", "vantix_27489.dic",
                                               "vantix_tips.dic", "vantix_ExtB.dic", "vantix_ExtF.dic",
                                               "vantix_phrases.dic", "vantix_kana.dic", "VantixIME.dll",
                                               "Vantixcfg.exe", "Wordloom.exe"}));

    // The copies that fit are still made; the result is a failure.
    FakeInstallPlatform machine;
    machine.ShipEverythingBut();
    machine.windows64 = false;
    machine.folders[SystemFolder::ProgramFiles] = longFolder;
    EXPECT_FALSE(CopyFiles(machine));
    EXPECT_TRUE(machine.files.count(longFolder + u"\\VantixIME\\Wordloom.exe"));
}

TEST(InstallDeployment, FontsAndTheirRegistryValues) {
    const FontPlan plan = PlanFonts(u"D:\\Setup\\", u"C:\\Windows\\Fonts");
    EXPECT_EQ(plan, (FontPlan{{{{u"D:\\Setup\\Font\\HanaMinA.ttf", u"C:\\Windows\\Fonts\\HanaMinA.ttf"},
                                 u"HanaMinA Regular (TrueType)", u"HanaMinA.ttf"},
                                {{u"D:\\Setup\\Font\\HanaMinB.ttf", u"C:\\Windows\\Fonts\\HanaMinB.ttf"},
                                 u"HanaMinB Regular (TrueType)", u"HanaMinB.ttf"}},
                               true}));
    EXPECT_EQ(PlanFonts(u"D:\\Setup\\", std::nullopt), (FontPlan{{}, false}));
    EXPECT_EQ(FontValueName(u"a.b.ttf"), u"a.b Regular (TrueType)");
    EXPECT_EQ(FontValueName(u"NoExtension"), u"NoExtension Regular (TrueType)");
    EXPECT_EQ(RegistryStringBytes(u"\u5B89"), (std::vector<std::uint8_t>{0x89, 0x5B, 0, 0}));
    EXPECT_EQ(RegistryStringBytes(u""), (std::vector<std::uint8_t>{0, 0}));
}

}  // namespace
