// Reading the class registration and the regsvr32 command lines.
#include "FakeInstallPlatform.h"  // StringValueBytes, Narrow
#include "Registration.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    return std::vector<std::uint8_t>(values.begin(), values.end());
}

TEST(InstallRegistration, StringValuesReadOnlyWhenWellFormed) {
    const std::vector<std::uint8_t> fullBuffer = StringValueBytes(std::u16string(259, u'x'));  // 520 bytes
    std::vector<std::uint8_t> overFull = StringValueBytes(std::u16string(260, u'x'));
    struct Case {
        const char* name;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
        std::optional<std::u16string> expected;
    };
    const std::vector<Case> cases{
        {"REG_SZ", RegistryTypeString, StringValueBytes(u"Apartment"), u"Apartment"},
        {"REG_EXPAND_SZ, kept unexpanded", RegistryTypeExpandString, StringValueBytes(u"%A%\\b.dll"), u"%A%\\b.dll"},
        {"empty data", RegistryTypeString, {}, u""},
        {"only a terminator", RegistryTypeString, Bytes({0, 0}), u""},
        {"REG_BINARY", 3, StringValueBytes(u"Apartment"), std::nullopt},
        {"REG_MULTI_SZ", 7, StringValueBytes(u"Apartment"), std::nullopt},
        {"REG_DWORD", 4, Bytes({1, 0, 0, 0}), std::nullopt},
        {"odd byte count", RegistryTypeString, Bytes({'A', 0, 0, 0, 0}), std::nullopt},
        {"no terminator", RegistryTypeString, Bytes({'A', 0, 'B', 0}), std::nullopt},
        {"terminator's high byte not zero", RegistryTypeString, Bytes({'A', 0, 0, 1}), std::nullopt},
        {"text ends at the first NUL", RegistryTypeString, Bytes({'A', 0, 0, 0, 'B', 0, 0, 0}), u"A"},
        {"non-ASCII units", RegistryTypeString, Bytes({0x89, 0x5B, 0, 0}), u"\u5B89"},
        {"259 characters fill the buffer", RegistryTypeString, fullBuffer, std::u16string(259, u'x')},
        {"260 characters do not fit", RegistryTypeString, overFull, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRegistryString(c.type, c.data), c.expected);
    }
}

TEST(InstallRegistration, ApartmentInAnyCaseAndNothingElse) {
    for (const std::u16string_view yes : {u"Apartment", u"apartment", u"APARTMENT", u"aPARTMENt"}) {
        EXPECT_TRUE(IsApartmentThreading(yes)) << Narrow(yes);
    }
    for (const std::u16string_view no : {u"", u"Both", u"Free", u"Apartmen", u"Apartments", u"Apartment ",
                                         u" Apartment", u"Ap\u00C4rtment", u"Apartm\u00E9nt"}) {
        EXPECT_FALSE(IsApartmentThreading(no)) << Narrow(no);
    }
}

TEST(InstallRegistration, PathsAreTheSameIgnoringTheCaseOfAsciiLettersOnly) {
    EXPECT_TRUE(IsSamePath(u"C:\\Program Files\\VantixIME\\VantixIME.dll", u"c:\\PROGRAM FILES\\vantixime\\vantixime.DLL"));
    EXPECT_FALSE(IsSamePath(u"C:\\Program Files\\VantixIME.dll", u"C:\\Program Files\\VantixIME.dl"));
    EXPECT_FALSE(IsSamePath(u"C:\\Program Files\\VantixIME.dll", u"C:\\Program Files\\VantixIME.dll "));
    EXPECT_FALSE(IsSamePath(u"C:\\PROGRA~1\\VantixIME.dll", u"C:\\Program Files\\VantixIME.dll"));
    EXPECT_FALSE(IsSamePath(u"C:\\\u00C4\\VantixIME.dll", u"C:\\\u00E4\\VantixIME.dll"));
    EXPECT_FALSE(IsSamePath(u"C:\\[\\VantixIME.dll", u"C:\\{\\VantixIME.dll"));  // [ and { lie 32 apart
}

TEST(InstallRegistration, ARegistrationNeedsApartmentAndAReadablePath) {
    const RegistryValue apartment{RegistryTypeString, StringValueBytes(u"apartment")};
    const RegistryValue path{RegistryTypeString, StringValueBytes(u"C:\\A B\\VantixIME.dll")};
    EXPECT_EQ(RegisteredPath({apartment, path}), u"C:\\A B\\VantixIME.dll");
    EXPECT_EQ(RegisteredPath({apartment, RegistryValue{RegistryTypeString, {}}}), u"");
    EXPECT_EQ(RegisteredPath({std::nullopt, path}), std::nullopt);
    EXPECT_EQ(RegisteredPath({apartment, std::nullopt}), std::nullopt);
    EXPECT_EQ(RegisteredPath({RegistryValue{RegistryTypeString, StringValueBytes(u"Both")}, path}), std::nullopt);
    EXPECT_EQ(RegisteredPath({RegistryValue{3, StringValueBytes(u"Apartment")}, path}), std::nullopt);
    EXPECT_EQ(RegisteredPath({apartment, RegistryValue{RegistryTypeString, Bytes({'C', 0})}}), std::nullopt);
}

TEST(InstallRegistration, CommandLinesQuoteEachPathWhole) {
    const std::u16string regsvr32 = u"C:\\Windows\\System32\\regsvr32.exe";
    EXPECT_EQ(RegisterCommandLine(regsvr32, u"C:\\Program Files (x86)\\VantixIME\\VantixIME.dll"),
              u"\"C:\\Windows\\System32\\regsvr32.exe\" /s \"C:\\Program Files (x86)\\VantixIME\\VantixIME.dll\"");
    EXPECT_EQ(UnregisterCommandLine(regsvr32, u"D:\\My Old Place\\VantixIME.dll"),
              u"\"C:\\Windows\\System32\\regsvr32.exe\" /u /s \"D:\\My Old Place\\VantixIME.dll\"");
    // A registered path is used as stored, even an odd one, but never one that could break out
    // of its quotes, and never an empty one.
    EXPECT_EQ(UnregisterCommandLine(regsvr32, u"vantix.dll"),
              u"\"C:\\Windows\\System32\\regsvr32.exe\" /u /s \"vantix.dll\"");
    EXPECT_EQ(UnregisterCommandLine(regsvr32, u"C:\\a.dll\" /i \"C:\\b.dll"), std::nullopt);
    EXPECT_EQ(UnregisterCommandLine(regsvr32, u""), std::nullopt);
    EXPECT_EQ(RegisterCommandLine(u"", u"C:\\a.dll"), std::nullopt);
}

}  // namespace
