// Whole runs of the installer on a fake machine: the order of the steps, what each outcome
// shows, what is still attempted after a failure, and the exit code.
#include "FakeInstallPlatform.h"
#include "InstallFlow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Messages = std::vector<std::pair<unsigned, MessageIcon>>;
constexpr auto Error = MessageIcon::Error;
constexpr auto Information = MessageIcon::Information;
constexpr auto Warning = MessageIcon::Warning;

const std::string Guard = "guard C:\\Users\\Ann\\AppData\\Local\\__{9F4C2A61-7D3B-4E85-B1A6-2C0E8D5F3A47}__";
const std::string Regsvr32 = "\"C:\\Windows\\System32\\regsvr32.exe\"";
const std::string InSystemFolder = " in C:\\Windows\\System32";  // regsvr32's current folder
const std::string Folder32 = "C:\\Program Files (x86)\\VantixIME\\";
const std::string Folder64 = "C:\\Program Files\\VantixIME\\";

void AddCopies(std::vector<std::string>& log, const std::string& subfolder,
               const std::vector<std::u16string>& names, const std::string& folder) {
    for (const std::u16string& name : names) {
        log.push_back("copy D:\\Setup\\" + subfolder + Narrow(name) + " -> " + folder + Narrow(name));
    }
}

void AddFonts(std::vector<std::string>& log) {
    for (const char* font : {"HanaMinA", "HanaMinB"}) {
        log.push_back(std::string("copy D:\\Setup\\Font\\") + font + ".ttf -> C:\\Windows\\Fonts\\" + font + ".ttf");
        log.push_back(std::string("font value ") + font + " Regular (TrueType)");
    }
}

FakeInstallPlatform ShippedMachine() {
    FakeInstallPlatform machine;
    machine.ShipEverythingBut();
    return machine;
}

TEST(InstallFlow, InstallsOn64BitWindows) {
    FakeInstallPlatform machine = ShippedMachine();
    EXPECT_EQ(RunInstall(machine), 0);

    std::vector<std::string> expected{Guard, "read 32", "read 64", "folder " + Folder32};
    AddCopies(expected, "Dictionary\\", ShippedDictionaries, Folder32);
    AddCopies(expected, "X86\\", {u"VantixIME.dll"}, Folder32);
    expected.insert(expected.end(), {"redirection off", "folder " + Folder64});
    AddCopies(expected, "Dictionary\\", ShippedDictionaries, Folder64);
    AddCopies(expected, "X64\\", ShippedPrograms, Folder64);
    expected.insert(expected.end(),
                    {"redirection on",
                     "run " + Regsvr32 + " /s \"" + Folder32 + "VantixIME.dll\"" + InSystemFolder, "read 32",
                     "redirection off",
                     "run " + Regsvr32 + " /s \"" + Folder64 + "VantixIME.dll\"" + InSystemFolder, "redirection on",
                     "read 64", "message 114"});
    AddFonts(expected);
    EXPECT_EQ(machine.log, expected);

    EXPECT_EQ(machine.messages, (Messages{{114, Information}}));
    EXPECT_FALSE(machine.redirectionOff);
    EXPECT_EQ(CheckRegistered(machine, RegistryView::Bits64), u"C:\\Program Files\\VantixIME\\VantixIME.dll");
    const std::vector<std::uint8_t> hanaMinB{'H', 0, 'a', 0, 'n', 0, 'a', 0, 'M', 0, 'i', 0, 'n', 0,
                                             'B', 0, '.', 0, 't', 0, 't', 0, 'f', 0, 0, 0};
    EXPECT_EQ(machine.fontValues[u"HanaMinB Regular (TrueType)"], hanaMinB);
}

TEST(InstallFlow, InstallsOn32BitWindowsFromX86Only) {
    FakeInstallPlatform machine = ShippedMachine();
    machine.windows64 = false;
    machine.folders[SystemFolder::ProgramFiles] = u"C:\\Program Files";
    machine.registry[RegistryView::Bits64] = RegistrationOf(u"C:\\x.dll");  // never looked at
    EXPECT_EQ(RunInstall(machine), 0);

    std::vector<std::string> expected{Guard, "read 32", "folder " + Folder64};
    AddCopies(expected, "Dictionary\\", ShippedDictionaries, Folder64);
    AddCopies(expected, "X86\\", ShippedPrograms, Folder64);
    expected.insert(expected.end(), {"run " + Regsvr32 + " /s \"" + Folder64 + "VantixIME.dll\"" + InSystemFolder,
                                     "read 32", "message 114"});
    AddFonts(expected);
    EXPECT_EQ(machine.log, expected);
    EXPECT_EQ(machine.messages, (Messages{{114, Information}}));
}

struct Outcome {
    const char* name;
    std::function<void(FakeInstallPlatform&)> prepare;
    Messages messages;
    int exitCode;
    std::vector<std::string> logged;     // lines the run must have written
    std::vector<std::string> notLogged;  // starts of lines it must not have written
};

TEST(InstallFlow, EachOutcomeShowsItsMessagesAndEndsWithItsCode) {
    const std::string oldDll = "C:\\Old Place\\VantixIME.dll";
    const std::string unregisterOld = "run " + Regsvr32 + " /u /s \"" + oldDll + "\"" + InSystemFolder;
    const auto registerOld = [](RegistryView view) {
        return [view](FakeInstallPlatform& m) { m.registry[view] = RegistrationOf(u"C:\\Old Place\\VantixIME.dll"); };
    };
    const std::vector<Outcome> outcomes{
        {"second instance, even on old Windows",
         [](FakeInstallPlatform& m) { m.guardHeldElsewhere = true; m.windows7OrLater = false; },
         {{115, Error}}, -1, {Guard}, {"read", "copy", "run"}},
        {"no local application data: no guard, installs",
         [](FakeInstallPlatform& m) { m.folders.erase(SystemFolder::LocalAppData); },
         {{114, Information}}, 0, {}, {"guard"}},
        {"Windows Vista", [](FakeInstallPlatform& m) { m.windows7OrLater = false; },
         {{109, Error}}, -1, {Guard}, {"read", "copy"}},
        {"32-bit registration removed with the 32-bit regsvr32", registerOld(RegistryView::Bits32),
         {{110, Information}}, 1, {unregisterOld}, {"redirection", "copy", "folder"}},
        {"64-bit registration removed with the 64-bit regsvr32", registerOld(RegistryView::Bits64),
         {{110, Information}}, 1, {"redirection off", unregisterOld, "redirection on"}, {"copy"}},
        {"regsvr32 /u ends but the registration stays: reported, then installed over",
         [&](FakeInstallPlatform& m) { registerOld(RegistryView::Bits32)(m); m.unregisterWorks = false; },
         {{111, Error}, {114, Information}}, 0, {unregisterOld, "copy D:\\Setup\\X64\\Wordloom.exe -> " + Folder64 + "Wordloom.exe"}, {}},
        {"regsvr32 hangs: removal and registration both fail",
         [&](FakeInstallPlatform& m) { registerOld(RegistryView::Bits32)(m); m.regsvr32Hangs = true; },
         {{111, Error}, {113, Error}}, -1, {unregisterOld}, {"message 114"}},
        {"registered path with a quote is not passed to regsvr32",
         [](FakeInstallPlatform& m) { m.registry[RegistryView::Bits32] = RegistrationOf(u"C:\\x.dll\" /i \"C:\\y.dll"); },
         {{111, Error}, {114, Information}}, 0, {}, {"run " + Regsvr32 + " /u"}},
        {"a registration in the user's own classes is neither removed nor counted",
         [](FakeInstallPlatform& m) {
             m.userRegistry[RegistryView::Bits32] = RegistrationOf(u"C:\\Users\\Ann\\Downloads\\x86.dll");
             m.userRegistry[RegistryView::Bits64] = RegistrationOf(u"C:\\Users\\Ann\\Downloads\\x64.dll");
         },
         {{114, Information}}, 0, {}, {"run " + Regsvr32 + " /u", "read other"}},
        {"the user's classes naming the copied DLLs do not stand in for the machine's registration",
         [](FakeInstallPlatform& m) {
             m.userRegistry[RegistryView::Bits32] = RegistrationOf(u"C:\\Program Files (x86)\\VantixIME\\VantixIME.dll");
             m.userRegistry[RegistryView::Bits64] = RegistrationOf(u"C:\\Program Files\\VantixIME\\VantixIME.dll");
             m.registerEndsWithoutWriting = {RegistryView::Bits32, RegistryView::Bits64};
         },
         {{113, Error}}, -1, {}, {"run " + Regsvr32 + " /u", "read other"}},
        {"64-bit registration, but redirection cannot be switched off",
         [&](FakeInstallPlatform& m) { registerOld(RegistryView::Bits64)(m); m.redirectionCanBeSwitched = false; },
         {{111, Error}, {112, Error}}, -1, {}, {"run", "folder " + Folder64}},
        {"the installer's own path cannot be had",
         [](FakeInstallPlatform& m) { m.installerPath = std::nullopt; },
         {{112, Error}}, -1, {}, {"copy", "run"}},
        {"no X64 folder: every copy still attempted",
         [](FakeInstallPlatform& m) { m.files.clear(); m.ShipEverythingBut({u"X64\\"}); },
         {{112, Error}}, -1, {"copy D:\\Setup\\X64\\Wordloom.exe -> " + Folder64 + "Wordloom.exe", "redirection on"}, {"run"}},
        {"a locked text service in the 32-bit folder",
         [](FakeInstallPlatform& m) { m.lockedFiles.insert(u"C:\\Program Files (x86)\\VantixIME\\VantixIME.dll"); },
         {{112, Error}}, -1, {"copy D:\\Setup\\X64\\Wordloom.exe -> " + Folder64 + "Wordloom.exe"}, {"run"}},
        {"no 32-bit program folder: the 64-bit one is still filled",
         [](FakeInstallPlatform& m) { m.folders.erase(SystemFolder::ProgramFiles); },
         {{112, Error}}, -1, {"copy D:\\Setup\\X64\\Wordloom.exe -> " + Folder64 + "Wordloom.exe"}, {"folder " + Folder32}},
        {"%ProgramW6432% not set",
         [](FakeInstallPlatform& m) { m.folders[SystemFolder::ProgramFiles64] = u"%ProgramW6432%"; },
         {{112, Error}}, -1, {"copy D:\\Setup\\X86\\VantixIME.dll -> " + Folder32 + "VantixIME.dll"}, {"folder %", "copy D:\\Setup\\X64"}},
        {"64-bit registration fails although the 32-bit one worked",
         [](FakeInstallPlatform& m) { m.registerFails = {RegistryView::Bits64}; },
         {{113, Error}}, -1, {"run " + Regsvr32 + " /s \"" + Folder32 + "VantixIME.dll\"" + InSystemFolder}, {"copy D:\\Setup\\Font"}},
        {"the registration writes its key, then regsvr32 exits with a failure code",
         [](FakeInstallPlatform& m) { m.registerWritesThenFails = {RegistryView::Bits32}; },
         {{113, Error}}, -1, {"read 64"}, {"copy D:\\Setup\\Font"}},
        {"regsvr32 exits with 0, but what is registered is the old DLL a failed removal left",
         [&](FakeInstallPlatform& m) {
             registerOld(RegistryView::Bits64)(m);
             m.unregisterWorks = false;
             m.registerEndsWithoutWriting = {RegistryView::Bits64};
         },
         {{111, Error}, {113, Error}}, -1, {unregisterOld}, {"copy D:\\Setup\\Font"}},
        {"the registration names the copied DLL in other letter case",
         [](FakeInstallPlatform& m) { m.registersInUpperCase = true; },
         {{114, Information}}, 0, {}, {}},
        {"regsvr32 /u exits with a failure code, yet the registration is gone",
         [&](FakeInstallPlatform& m) { registerOld(RegistryView::Bits32)(m); m.unregisterExitCode = 5; },
         {{110, Information}}, 1, {unregisterOld}, {"copy"}},
        {"font values cannot be written: a warning after success",
         [](FakeInstallPlatform& m) { m.fontValuesFail = true; },
         {{114, Information}, {118, Warning}}, 0, {"font value HanaMinB Regular (TrueType)"}, {}},
        {"a font that cannot be copied is passed over silently",
         [](FakeInstallPlatform& m) { m.files.erase(u"D:\\Setup\\Font\\HanaMinA.ttf"); },
         {{114, Information}}, 0, {"font value HanaMinB Regular (TrueType)"}, {"font value HanaMinA"}},
        {"no fonts folder: a warning", [](FakeInstallPlatform& m) { m.folders.erase(SystemFolder::Fonts); },
         {{114, Information}, {118, Warning}}, 0, {}, {"copy D:\\Setup\\Font"}},
    };

    for (const Outcome& outcome : outcomes) {
        SCOPED_TRACE(outcome.name);
        FakeInstallPlatform machine = ShippedMachine();
        outcome.prepare(machine);
        EXPECT_EQ(RunInstall(machine), outcome.exitCode);
        EXPECT_EQ(machine.messages, outcome.messages);
        EXPECT_FALSE(machine.redirectionOff);
        for (const std::string& line : outcome.logged) {
            EXPECT_NE(std::find(machine.log.begin(), machine.log.end(), line), machine.log.end()) << line;
        }
        for (const std::string& start : outcome.notLogged) {
            for (const std::string& line : machine.log) EXPECT_FALSE(line.starts_with(start)) << line;
        }
        for (const std::string& line : machine.log) EXPECT_EQ(line.find("AGAIN"), std::string::npos) << line;
        for (const std::string& line : machine.log) EXPECT_EQ(line.find("WITHOUT"), std::string::npos) << line;
    }
}

TEST(InstallFlow, ARemovedInstallationIsInstalledByTheNextRun) {
    FakeInstallPlatform machine = ShippedMachine();
    machine.registry[RegistryView::Bits32] = RegistrationOf(u"C:\\Program Files (x86)\\VantixIME\\VantixIME.dll");
    machine.registry[RegistryView::Bits64] = RegistrationOf(u"C:\\Program Files\\VantixIME\\VantixIME.dll", u"aPaRtMeNt");
    EXPECT_EQ(RunInstall(machine), 1);
    EXPECT_TRUE(machine.registry.empty());
    EXPECT_EQ(std::count_if(machine.log.begin(), machine.log.end(),
                            [](const std::string& line) { return line.starts_with("run "); }), 2);

    machine.messages.clear();
    EXPECT_EQ(RunInstall(machine), 0);
    EXPECT_EQ(machine.messages, (Messages{{114, Information}}));
    EXPECT_EQ(machine.registry.size(), 2u);
}

}  // namespace
