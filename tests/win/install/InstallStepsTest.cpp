// The installer's steps on the real system (under Wine here), in either bitness of this test
// program: a 32-bit build runs under WOW64 as the installer does on 64-bit Windows; a 64-bit
// build sees its own registry view, System32 and program folder, as the installer does on
// 32-bit Windows.
#include "InstallTestSupport.h"

#include "Deployment.h"
#include "RegistryKey.h"
#include "DialogDriver.h"
#include "InstallPaths.h"
#include "Registration.h"
#include "Win32InstallPlatform.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

namespace fs = std::filesystem;

// The view that the 32-bit regsvr32 writes and a plain open reads: the 32-bit one under
// WOW64, the program's own otherwise.
REGSAM PlainView() {
    return RunsUnderWow64() ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

// A copy of the file at the path, its folder made first.
fs::path PlaceCopy(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to);
    return to;
}

// The view the program's own regsvr32 writes, as the installer names it.
RegistryView PlainRegistryView() {
    return RunsUnderWow64() ? RegistryView::Bits32 : RegistryView::Bits64;
}

// What the machine's registration key holds in the view, read as the installer reads it.
std::optional<RegistrationValues> MachineRegistration(Win32InstallPlatform& platform, RegistryView view) {
    return platform.ReadRegistration(RegistryRoot::LocalMachine, MachineRegistrationKeyPath, view);
}

std::u16string SystemFolderOf(Win32InstallPlatform& platform) {
    return *platform.FolderPath(SystemFolder::System);
}

std::u16string Regsvr32(Win32InstallPlatform& platform) {
    return SystemFolderOf(platform) + u"\\regsvr32.exe";
}

// The same platform, only its program file lies in a folder the test prepares.
class PlatformStartedFrom : public Win32InstallPlatform {
public:
    explicit PlatformStartedFrom(const fs::path& installer)
        : Win32InstallPlatform(UiLanguageEnglish), installer_(installer.u16string()) {}
    std::optional<std::u16string> InstallerPath() override { return installer_; }

private:
    std::u16string installer_;
};

// The same platform as on 32-bit Windows (the plain registry view and regsvr32 only), with its
// 32-bit program folder where the test prepares it.
class PlatformInstallingInto : public Win32InstallPlatform {
public:
    explicit PlatformInstallingInto(const fs::path& programFiles)
        : Win32InstallPlatform(UiLanguageEnglish), programFiles_(programFiles.u16string()) {}
    std::optional<std::u16string> FolderPath(SystemFolder folder) override {
        if (folder == SystemFolder::ProgramFiles) return programFiles_;
        return Win32InstallPlatform::FolderPath(folder);
    }
    bool IsWow64() override { return false; }

private:
    std::u16string programFiles_;
};

// This process's current folder, until the object ends.
class CurrentFolder {
public:
    explicit CurrentFolder(const fs::path& folder) : before_(fs::current_path()) { fs::current_path(folder); }
    ~CurrentFolder() { fs::current_path(before_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    fs::path before_;
};

std::wstring AsciiLowerCase(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return text;
}

// Both views of the machine's and of the user's classes without the text service's class,
// before and after each test.
class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        for (const HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            DeleteTextServiceClass(KEY_WOW64_32KEY, hive);
            DeleteTextServiceClass(KEY_WOW64_64KEY, hive);
        }
    }
};

}  // namespace

TEST(InstallGuard, IsHeldWithoutSharingUntilTheRunEndsAndIsTakenAgainAfterwards) {
    const TempFolder folder(L"install-guard");
    const std::u16string guard = *GuardFilePath((folder.Path() / L"Local").u16string());
    fs::create_directories(folder.Path() / L"Local");
    {
        Win32InstallPlatform first(UiLanguageEnglish);
        ASSERT_TRUE(first.CreateGuardFile(guard));
        const DWORD attributes = GetFileAttributesW(Wide(guard).c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);

        Win32InstallPlatform second(UiLanguageEnglish);
        EXPECT_FALSE(second.CreateGuardFile(guard));
        // Not even a reader that shares everything gets in.
        const UniqueFile reader(CreateFileW(Wide(guard).c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_FALSE(reader);
    }
    EXPECT_TRUE(fs::exists(Wide(guard)));  // left on disk, hidden
    Win32InstallPlatform next(UiLanguageEnglish);
    EXPECT_TRUE(next.CreateGuardFile(guard));
}

TEST(SystemFolders, AreThoseOfTheInstallersBitnessAndRedirectionSwitchesRegsvr32) {
    Win32InstallPlatform platform(UiLanguageEnglish);
    EXPECT_TRUE(platform.IsWindows7OrLater());
    // A 64-bit build never runs under WOW64; the 32-bit one does on the 64-bit Wine prefixes.
    EXPECT_EQ(platform.IsWow64(), sizeof(void*) == 4);
    EXPECT_TRUE(platform.InstallerPath()->ends_with(u"\\installsteps_tests.exe"));

    const std::u16string programFiles = *platform.FolderPath(SystemFolder::ProgramFiles);
    const std::u16string programFiles64 = *platform.FolderPath(SystemFolder::ProgramFiles64);
    EXPECT_EQ(programFiles, platform.IsWow64() ? programFiles64 + u" (x86)" : programFiles64);
    EXPECT_TRUE(UsableFolder(platform, SystemFolder::Fonts));
    EXPECT_TRUE(UsableFolder(platform, SystemFolder::LocalAppData));

    const std::wstring regsvr32 = Wide(Regsvr32(platform));
    const WORD ownMachine = sizeof(void*) == 4 ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64;
    EXPECT_EQ(ProgramMachine(regsvr32), ownMachine);
    if (platform.IsWow64()) {
        ASSERT_TRUE(platform.DisableRedirection());
        EXPECT_EQ(ProgramMachine(regsvr32), IMAGE_FILE_MACHINE_AMD64);
        platform.RestoreRedirection();
        EXPECT_EQ(ProgramMachine(regsvr32), IMAGE_FILE_MACHINE_I386);
    }
}

TEST_F(RegistrationTest, EachViewIsReadAsStoredAndJudgedByTheStringRules) {
    Win32InstallPlatform platform(UiLanguageEnglish);
    PutRegistrationValue(KEY_WOW64_32KEY, L"ThreadingModel", REG_SZ, StringValueBytes(L"apartment"));
    PutRegistrationValue(KEY_WOW64_32KEY, nullptr, REG_SZ, StringValueBytes(L"C:\\x86 files\\VantixIME.dll"));
    PutRegistrationValue(KEY_WOW64_64KEY, L"ThreadingModel", REG_SZ, StringValueBytes(L"Apartment"));
    PutRegistrationValue(KEY_WOW64_64KEY, nullptr, REG_SZ, StringValueBytes(L"C:\\x64\\VantixIME.dll"));

    EXPECT_EQ(CheckRegistered(platform, RegistryView::Bits64), u"C:\\x64\\VantixIME.dll");
    EXPECT_EQ(CheckRegistered(platform, RegistryView::Bits32),
              RunsUnderWow64() ? u"C:\\x86 files\\VantixIME.dll" : u"C:\\x64\\VantixIME.dll");

    // The 64-bit view's values in shapes the check must refuse or take as they are.
    struct Case {
        const char* what;
        DWORD threadingType;
        std::string threading;
        DWORD pathType;
        std::string path;
        std::optional<std::u16string> registered;
    };
    const std::string apartment = StringValueBytes(L"Apartment");
    const std::string dll = StringValueBytes(L"C:\\x64\\VantixIME.dll");
    const std::string unterminated = dll.substr(0, dll.size() - 2);
    const std::string longest = StringValueBytes(std::wstring(259, L'a'));
    const std::string tooLong = StringValueBytes(std::wstring(260, L'a'));
    const Case cases[] = {
        {"threading model as a number", REG_DWORD, std::string(4, '\0'), REG_SZ, dll, std::nullopt},
        {"another threading model", REG_SZ, StringValueBytes(L"Both"), REG_SZ, dll, std::nullopt},
        {"path without its NUL", REG_SZ, apartment, REG_SZ, unterminated, std::nullopt},
        {"path of an odd byte count", REG_SZ, apartment, REG_SZ, dll + '\0', std::nullopt},
        {"path filling the 520 bytes", REG_SZ, apartment, REG_SZ, longest, std::u16string(259, u'a')},
        {"path past the 520 bytes", REG_SZ, apartment, REG_SZ, tooLong, std::nullopt},
        {"unexpanded path", REG_SZ, apartment, REG_EXPAND_SZ, StringValueBytes(L"%ProgramFiles%\\V.dll"),
         u"%ProgramFiles%\\V.dll"},
        {"empty path", REG_SZ, apartment, REG_SZ, std::string(), u""},
    };
    for (const Case& c : cases) {
        PutRegistrationValue(KEY_WOW64_64KEY, L"ThreadingModel", c.threadingType, c.threading);
        PutRegistrationValue(KEY_WOW64_64KEY, nullptr, c.pathType, c.path);
        EXPECT_EQ(CheckRegistered(platform, RegistryView::Bits64), c.registered) << c.what;
    }

    DeleteTextServiceClass(KEY_WOW64_64KEY);
    EXPECT_FALSE(MachineRegistration(platform, RegistryView::Bits64));
}

TEST_F(RegistrationTest, Regsvr32RegistersAndUnregistersTheStandInFromAPathWithBlanks) {
    Win32InstallPlatform platform(UiLanguageEnglish);
    const TempFolder folder(L"install-regsvr32");
    const fs::path dll = PlaceCopy(STANDIN_DLL, folder.Path() / L"Program Files" / L"VantixIME.dll");
    const RegistryView view = PlainRegistryView();
    ASSERT_EQ(platform.RunAndWait(*RegisterCommandLine(Regsvr32(platform), dll.u16string()), SystemFolderOf(platform)), 0u);
    EXPECT_EQ(CheckRegistered(platform, view), dll.u16string());
    EXPECT_EQ(RegisteredServerPath(PlainView()), dll.wstring());
    if (RunsUnderWow64()) {
        // The 32-bit regsvr32 wrote the 32-bit view only.
        EXPECT_FALSE(CheckRegistered(platform, RegistryView::Bits64));
    }

    const std::u16string registered = *CheckRegistered(platform, view);
    ASSERT_EQ(platform.RunAndWait(*UnregisterCommandLine(Regsvr32(platform), registered), SystemFolderOf(platform)), 0u);
    EXPECT_FALSE(CheckRegistered(platform, view));
    EXPECT_FALSE(MachineRegistration(platform, view));

    std::u16string absentProgram = u"\"";
    absentProgram += (folder.Path() / L"absent.exe").u16string();
    absentProgram += u"\" /s";
    EXPECT_FALSE(platform.RunAndWait(absentProgram, SystemFolderOf(platform)));
}

// The user's own classes, which any program the user runs unelevated can write, name a DLL of
// the user's in both views: the elevated installer must neither hand it to regsvr32 nor take it
// for a registration, and removes only the machine's own.
TEST_F(RegistrationTest, ARegistrationInTheUsersOwnClassesIsNeitherRemovedNorCounted) {
    Win32InstallPlatform platform(UiLanguageEnglish);
    const TempFolder folder(L"install-user-classes");
    const fs::path planted = PlaceCopy(PLANTED_DLL, folder.Path() / L"Downloads" / L"VantixIME.dll");
    const fs::path loadedMark = planted.wstring() + L".loaded";
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        PutRegistrationValue(view, L"ThreadingModel", REG_SZ, StringValueBytes(L"Apartment"), HKEY_CURRENT_USER);
        PutRegistrationValue(view, nullptr, REG_SZ, StringValueBytes(planted.wstring()), HKEY_CURRENT_USER);
    }

    EXPECT_FALSE(CheckRegistered(platform, RegistryView::Bits32));
    EXPECT_FALSE(CheckRegistered(platform, RegistryView::Bits64));
    EXPECT_EQ(RemoveExisting(platform), RemovalOutcome::NothingFound);

    // The machine's registration of the stand-in beside it is found and removed.
    const fs::path dll = PlaceCopy(STANDIN_DLL, folder.Path() / L"VantixIME" / L"VantixIME.dll");
    ASSERT_EQ(platform.RunAndWait(*RegisterCommandLine(Regsvr32(platform), dll.u16string()), SystemFolderOf(platform)), 0u);
    const RegistryView view = PlainRegistryView();
    EXPECT_EQ(CheckRegistered(platform, view), dll.u16string());
    EXPECT_EQ(RemoveExisting(platform), RemovalOutcome::Removed);
    EXPECT_FALSE(CheckRegistered(platform, view));

    EXPECT_FALSE(fs::exists(loadedMark)) << "the user's DLL was loaded";
    for (const REGSAM userView : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        EXPECT_EQ(RegisteredServerPath(userView, HKEY_CURRENT_USER), planted.wstring()) << "left alone";
    }
}

// Started from a downloads folder, the installer runs regsvr32 in the system folder: the text
// service, loaded with the altered search order, would otherwise find an import it does not
// carry in the downloads folder.
TEST_F(RegistrationTest, Regsvr32RunsInTheSystemFolder) {
    const TempFolder folder(L"install-current-folder");
    PlatformInstallingInto platform(folder.Path() / L"Program Files");
    const fs::path dll = PlaceCopy(RECORDING_STANDIN_DLL, folder.Path() / L"Program Files" / L"VantixIME" / L"VantixIME.dll");
    fs::create_directories(folder.Path() / L"Downloads");
    {
        const CurrentFolder downloads(folder.Path() / L"Downloads");
        EXPECT_TRUE(Register(platform));
    }
    const std::optional<std::string> recorded = ReadFileBytes(dll.wstring() + L".folder");
    ASSERT_TRUE(recorded) << "the stand-in was not registered";
    const std::wstring currentFolder(reinterpret_cast<const wchar_t*>(recorded->data()), recorded->size() / 2);
    EXPECT_EQ(AsciiLowerCase(currentFolder), AsciiLowerCase(Wide(*platform.FolderPath(SystemFolder::System))));
}

TEST(FileCopies, AreAllAttemptedAfterAFailureAndGoIntoEachProgramFolder) {
    Win32InstallPlatform platform(UiLanguageEnglish);
    const TempFolder folder(L"install-copies");
    const fs::path source = folder.Path() / L"Setup";
    for (const std::u16string_view name : DictionaryFileNames) {
        if (name == u"vantix_ExtB.dic") continue;  // missing from the source
        WriteFileBytes(source / L"Dictionary" / fs::path(name), "dictionary " + fs::path(name).string());
    }
    for (const std::u16string_view name : ProgramFileNames) {
        WriteFileBytes(source / L"X86" / fs::path(name), "x86 " + fs::path(name).string());
        WriteFileBytes(source / L"X64" / fs::path(name), "x64 " + fs::path(name).string());
    }
    // The program folders exist; their VantixIME folders are made by the copies, but for the
    // 32-bit one, which holds a file from before.
    const fs::path programFiles = folder.Path() / L"Program Files (x86)";
    const fs::path inUse = programFiles / L"VantixIME" / L"vantix_phrases.dic";
    WriteFileBytes(inUse, "in use");
    fs::create_directories(folder.Path() / L"Program Files");

    DeploymentFolders folders;
    folders.source = source.u16string() + u"\\";
    folders.programFiles = programFiles.u16string();
    folders.programFiles64 = (folder.Path() / L"Program Files").u16string();
    const CopyPlan plan = PlanProgramCopies(folders, platform.IsWow64());
    ASSERT_TRUE(plan.complete);
    {
        // One destination is in use and cannot be replaced.
        const UniqueFile holder(CreateFileW(inUse.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(RunCopyPlan(plan, platform));
    }

    std::set<std::u16string> expectedMissing{(programFiles / L"VantixIME" / L"vantix_ExtB.dic").u16string()};
    if (platform.IsWow64()) {
        expectedMissing.insert((folder.Path() / L"Program Files" / L"VantixIME" / L"vantix_ExtB.dic").u16string());
    }
    std::size_t copied = 0;
    for (const CopyTarget& target : plan.targets) {
        for (const FileCopy& copy : target.copies) {
            if (expectedMissing.count(copy.to)) {
                EXPECT_FALSE(fs::exists(copy.to)) << fs::path(copy.to);
            } else if (copy.to == inUse.u16string()) {
                EXPECT_EQ(ReadFileBytes(copy.to), "in use");
            } else {
                EXPECT_EQ(ReadFileBytes(copy.to), ReadFileBytes(copy.from)) << fs::path(copy.to);
                ++copied;
            }
        }
    }
    // 32-bit Windows: 11 dictionaries, two of them refused, and 3 programs. 64-bit Windows: so
    // with the 32-bit text service alone, then 11 dictionaries (one refused) and 3 programs.
    EXPECT_EQ(copied, platform.IsWow64() ? 9u + 1u + 10u + 3u : 9u + 3u);
    EXPECT_TRUE(fs::exists(source / L"Dictionary" / L"vantix_Ext E_V2016A.dic"));
}

TEST(Fonts, AreCopiedIntoTheFontsFolderAndRegisteredAsStringsWithTheirNul) {
    const TempFolder folder(L"install-fonts");
    PlatformStartedFrom platform(folder.Path() / L"Setup" / L"Install.exe");
    const fs::path fonts = Wide(*platform.FolderPath(SystemFolder::Fonts));
    const auto cleanUp = [&] {
        RegistryKey key = RegistryKey::OpenForReadingAndWriting(HKEY_LOCAL_MACHINE, Wide(FontsKeyPath).c_str());
        for (const wchar_t* name : {L"HanaMinA Regular (TrueType)", L"HanaMinB Regular (TrueType)"}) {
            RegDeleteValueW(key.Handle(), name);
        }
        std::error_code ignored;
        fs::remove(fonts / L"HanaMinA.ttf", ignored);
        fs::remove(fonts / L"HanaMinB.ttf", ignored);
    };
    cleanUp();

    // A font that cannot be copied is passed over without a value and without a warning.
    WriteFileBytes(folder.Path() / L"Setup" / L"Font" / L"HanaMinA.ttf", "font A");
    EXPECT_TRUE(InstallFonts(platform));
    EXPECT_FALSE(FontValue(L"HanaMinB Regular (TrueType)"));
    EXPECT_EQ(ReadFileBytes(fonts / L"HanaMinA.ttf"), "font A");

    WriteFileBytes(folder.Path() / L"Setup" / L"Font" / L"HanaMinB.ttf", "font B");
    EXPECT_TRUE(InstallFonts(platform));
    EXPECT_EQ(ReadFileBytes(fonts / L"HanaMinB.ttf"), "font B");
    EXPECT_EQ(FontValue(L"HanaMinA Regular (TrueType)"), (StoredValue{REG_SZ, StringValueBytes(L"HanaMinA.ttf")}));
    // 12 characters and the NUL: 26 bytes.
    EXPECT_EQ(FontValue(L"HanaMinB Regular (TrueType)"), (StoredValue{REG_SZ, StringValueBytes(L"HanaMinB.ttf")}));
    cleanUp();
}

// ctest runs this under a locale that makes the system pick VANTIX_DEFAULT_UI_LANGUAGE for
// resources; the installer is given the other language, and every caption must follow it.
TEST(Messages, TextAndCaptionComeInTheChosenLanguage) {
    const char* defaultLanguageText = std::getenv("VANTIX_DEFAULT_UI_LANGUAGE");
    if (!defaultLanguageText) GTEST_SKIP() << "VANTIX_DEFAULT_UI_LANGUAGE is not set";
    const UiLanguage systemLanguage = static_cast<UiLanguage>(std::atoi(defaultLanguageText));
    const UiLanguage chosen =
        systemLanguage == UiLanguageEnglish ? UiLanguageTraditionalChinese : UiLanguageEnglish;
    Win32InstallPlatform platform(chosen);

    struct Shown {
        std::wstring caption, text;
        bool hasCancel = true;
    };
    const auto show = [&](unsigned id, MessageIcon icon) {
        Shown shown;
        RunDialogAnswered([&] { platform.ShowMessage(id, icon); return INT_PTR{0}; },
                          [&](HWND box) {
                              shown = {WindowText(box), ControlText(box, 0xFFFF),
                                       GetDlgItem(box, IDCANCEL) && IsWindowVisible(GetDlgItem(box, IDCANCEL))};
                              PostMessageW(box, WM_COMMAND, IDOK, 0);
                          });
        return shown;
    };
    // The two captions differ, so a caption taken in the system's language is seen.
    ASSERT_NE(InstallerString(chosen, IDS_CAPTION), InstallerString(systemLanguage, IDS_CAPTION));
    for (const unsigned id : {IDS_REMOVAL_FAILED, IDS_INSTALLED}) {
        const Shown shown = show(id, id == IDS_INSTALLED ? MessageIcon::Information : MessageIcon::Error);
        EXPECT_EQ(shown.text, InstallerString(chosen, id)) << id;
        EXPECT_EQ(shown.caption, InstallerString(chosen, IDS_CAPTION)) << id;
        EXPECT_FALSE(shown.hasCancel) << id;
    }
}
