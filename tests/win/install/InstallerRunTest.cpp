// The installer as a program, in a Wine prefix made for this run: started from a copy of its
// source tree with DLLs planted beside it, its message boxes read and answered from outside,
// then its exit code, the installed files, the registrations and the font values checked.
// A 32-bit build of this test runs the real Install.exe from the distributable tree; a 64-bit
// build runs the same installer built for 64 bits, which finds its own view, System32 and
// program folder as Install.exe does on 32-bit Windows, and so takes all from X86\.
#include "ChildProcess.h"
#include "InstallTestSupport.h"
#include "InstallerProcess.h"

#include "Deployment.h"
#include "Localization.h"
#include "RegistryKey.h"
#include "Win32InstallPlatform.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Not KnownDLLs, and loaded into the installer on its behalf by the system DLLs it uses: as an
// import of Wine's user32 (version.dll) and when its message box draws (uxtheme.dll).
const std::vector<std::wstring> PlantedNames{L"version.dll", L"uxtheme.dll"};
// Also loaded when the message box draws, but by a delay-load inside Wine's uxtheme, which
// Wine resolves by the unnarrowed search whatever the program asked (Windows takes the
// narrowed one): the installer cannot keep it out under Wine, so only the probe loads it.
const std::wstring ProbedOnlyName = L"msimg32.dll";

std::vector<std::wstring> EveryPlantedName() {
    std::vector<std::wstring> names = PlantedNames;
    names.push_back(ProbedOnlyName);
    return names;
}

struct Shown {
    unsigned id = 0;  // 0: a text that is none of the installer's
    std::wstring caption;
};

// The installer's message in the UI language of this run, by its text.
Shown Identify(const std::wstring& caption, const std::wstring& text) {
    const UiLanguage language = QueryUiLanguage();
    for (unsigned id = IDS_CAPTION; id <= IDS_FONTS_FAILED; ++id) {
        if (InstallerString(language, id) == text) return {id, caption};
    }
    return {0, caption};
}

struct RunResult {
    std::optional<DWORD> exitCode;
    std::vector<unsigned> messages;
};

std::vector<unsigned> IdsOf(const std::vector<Shown>& shown) {
    std::vector<unsigned> ids;
    for (const Shown& message : shown) ids.push_back(message.id);
    return ids;
}

constexpr DWORD Stopped = 0xFFFFFFFF;  // exit code -1

// What the running Windows has: one program folder, or two under WOW64, and the registry view
// its regsvr32 writes for each.
struct ProgramFolder {
    fs::path folder;                // ...\VantixIME
    bool allPrograms;               // or the text service alone
    REGSAM view;
};

std::vector<ProgramFolder> ProgramFolders() {
    Win32InstallPlatform platform(UiLanguageEnglish);
    const fs::path programFiles = Wide(*platform.FolderPath(SystemFolder::ProgramFiles));
    if (!RunsUnderWow64()) return {{programFiles / L"VantixIME", true, KEY_WOW64_64KEY}};
    const fs::path programFiles64 = Wide(*platform.FolderPath(SystemFolder::ProgramFiles64));
    return {{programFiles / L"VantixIME", false, KEY_WOW64_32KEY},
            {programFiles64 / L"VantixIME", true, KEY_WOW64_64KEY}};
}

class InstallerRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Wine takes its own builtin DLLs before a native one of the same name; told to take
        // native ones first for the two programs started here, it looks for them in the
        // search order, as Windows does. (Windows has no use for these keys.)
        for (const wchar_t* program : {L"Install.exe", L"probe.exe"}) {
            const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + program + L"\\DllOverrides";
            RegistryKey overrides = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, key.c_str());
            for (const std::wstring& name : EveryPlantedName()) {
                const std::wstring order = L"native,builtin";
                overrides.SetValue(name.substr(0, name.size() - 4).c_str(), REG_SZ, order.c_str(),
                                   static_cast<DWORD>((order.size() + 1) * sizeof(wchar_t)));
            }
        }
        // Blanks in the folder name, as in "Setup Files" of a download.
        fs::copy(fs::path(INSTALL_TREE), setup(), fs::copy_options::recursive);
        for (const std::wstring& name : PlantedNames) fs::copy_file(fs::path(PLANTED_DLL), setup() / name);
    }

    fs::path setup() const { return folder_.Path() / L"Setup Files"; }
    fs::path installer() const { return setup() / L"Install.exe"; }

    RunResult Run(const std::function<void()>& whileFirstMessageShows = {}) const {
        const InstallerProcess process(installer());
        EXPECT_TRUE(process.Started());
        std::vector<MessageShown> texts;
        RunResult result{process.AnswerAll(texts, whileFirstMessageShows), {}};
        std::vector<Shown> shown;
        for (const MessageShown& text : texts) shown.push_back(Identify(text.caption, text.text));
        for (const Shown& message : shown) {
            // Every caption is the installer's in the run's language.
            EXPECT_EQ(message.caption, InstallerString(QueryUiLanguage(), IDS_CAPTION));
        }
        result.messages = IdsOf(shown);
        return result;
    }

    void ExpectInstalled() const {
        for (const ProgramFolder& program : ProgramFolders()) {
            for (const std::u16string_view name : DictionaryFileNames) {
                EXPECT_EQ(ReadFileBytes(program.folder / name), ReadFileBytes(setup() / L"Dictionary" / name))
                    << program.folder / name;
            }
            const fs::path from = setup() / (program.view == KEY_WOW64_32KEY || !RunsUnderWow64() ? L"X86" : L"X64");
            for (const std::u16string_view name : ProgramFileNames) {
                const bool expected = program.allPrograms || name == u"VantixIME.dll";
                EXPECT_EQ(ReadFileBytes(program.folder / name),
                          expected ? ReadFileBytes(from / name) : std::nullopt)
                    << program.folder / name;
            }
            EXPECT_EQ(RegisteredServerPath(program.view), (program.folder / L"VantixIME.dll").wstring());
        }
        Win32InstallPlatform platform(UiLanguageEnglish);
        const fs::path fonts = Wide(*platform.FolderPath(SystemFolder::Fonts));
        for (const std::wstring name : {L"HanaMinA", L"HanaMinB"}) {
            EXPECT_EQ(fs::file_size(fonts / (name + L".ttf")), fs::file_size(setup() / L"Font" / (name + L".ttf")));
            // REG_SZ with its NUL: 26 bytes.
            EXPECT_EQ(FontValue(name + L" Regular (TrueType)"),
                      (StoredValue{REG_SZ, StringValueBytes(name + L".ttf")}));
        }
    }

    void ExpectNoPlantedDllLoaded(const std::vector<std::wstring>& names = PlantedNames) const {
        for (const std::wstring& name : names) {
            EXPECT_FALSE(fs::exists(setup() / (name + L".loaded"))) << "loaded the planted " << fs::path(name);
        }
    }

    TempFolder folder_{L"install-run"};
};

}  // namespace

TEST_F(InstallerRunTest, InstallsThenRemovesTheInstallationWhileASecondRunWaitsThenInstallsAgain) {
    ASSERT_TRUE(fs::exists(installer())) << "no installer tree: " << INSTALL_TREE;
    for (const ProgramFolder& program : ProgramFolders()) ASSERT_FALSE(RegisteredServerPath(program.view));

    const RunResult first = Run();
    EXPECT_EQ(first.messages, std::vector<unsigned>{IDS_INSTALLED});
    EXPECT_EQ(first.exitCode, std::optional<DWORD>(0));
    ExpectInstalled();

    // The next run finds the registration, removes it and asks for a new log-on; a second
    // installer started while its message shows is turned away.
    RunResult second;
    const RunResult removal = Run([&] { second = Run(); });
    EXPECT_EQ(second.messages, std::vector<unsigned>{IDS_ALREADY_RUNNING});
    EXPECT_EQ(second.exitCode, std::optional<DWORD>(Stopped));
    EXPECT_EQ(removal.messages, std::vector<unsigned>{IDS_EXISTING_REMOVED});
    EXPECT_EQ(removal.exitCode, std::optional<DWORD>(1));
    for (const ProgramFolder& program : ProgramFolders()) EXPECT_FALSE(RegisteredServerPath(program.view));

    const RunResult again = Run();
    EXPECT_EQ(again.messages, std::vector<unsigned>{IDS_INSTALLED});
    EXPECT_EQ(again.exitCode, std::optional<DWORD>(0));
    ExpectInstalled();

    ExpectNoPlantedDllLoaded();
}

// From a clean machine each time: a removal that outlasts its 10 s is reported and installed
// over; a missing X64\ stops the run once the 32-bit folder is filled; a text service that
// never registers, or whose registration writes its class and then fails, stops it after the
// copies.
TEST_F(InstallerRunTest, AHangingRemovalIsPassedOverAndAMissingFolderOrAFailedRegistrationStopsTheRun) {
    ASSERT_TRUE(fs::exists(installer())) << "no installer tree: " << INSTALL_TREE;
    const auto cleanMachine = [] {
        DeleteTextServiceClass(KEY_WOW64_32KEY);
        DeleteTextServiceClass(KEY_WOW64_64KEY);
        for (const ProgramFolder& program : ProgramFolders()) fs::remove_all(program.folder);
    };

    // Registered in the view the installer looks at first, by a server whose unregistration
    // takes 15 s and then leaves the registration as it was.
    cleanMachine();
    const REGSAM firstView = RunsUnderWow64() ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    PutRegistrationValue(firstView, nullptr, REG_SZ, StringValueBytes(fs::path(SLOW_STANDIN_DLL).wstring()));
    PutRegistrationValue(firstView, L"ThreadingModel", REG_SZ, StringValueBytes(L"Apartment"));
    const auto started = std::chrono::steady_clock::now();
    const RunResult hanging = Run();
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_EQ(hanging.messages, (std::vector<unsigned>{IDS_REMOVAL_FAILED, IDS_INSTALLED}));
    EXPECT_EQ(hanging.exitCode, std::optional<DWORD>(0));
    ExpectInstalled();

    cleanMachine();
    fs::remove_all(setup() / L"X64");
    const RunResult withoutX64 = Run();
    const std::vector<ProgramFolder> folders = ProgramFolders();
    if (RunsUnderWow64()) {
        EXPECT_EQ(withoutX64.messages, std::vector<unsigned>{IDS_COPY_FAILED});
        EXPECT_EQ(withoutX64.exitCode, std::optional<DWORD>(Stopped));
        // The 32-bit folder is complete, the 64-bit one has what did not come from X64\.
        EXPECT_EQ(ReadFileBytes(folders[0].folder / L"VantixIME.dll"), ReadFileBytes(setup() / L"X86" / L"VantixIME.dll"));
        for (const ProgramFolder& program : folders) {
            for (const std::u16string_view name : DictionaryFileNames) {
                EXPECT_TRUE(fs::exists(program.folder / name)) << program.folder / name;
            }
        }
        EXPECT_FALSE(fs::exists(folders[1].folder / L"Wordloom.exe"));
        for (const ProgramFolder& program : folders) EXPECT_FALSE(RegisteredServerPath(program.view));
    } else {
        // On 32-bit Windows nothing comes from X64\.
        EXPECT_EQ(withoutX64.messages, std::vector<unsigned>{IDS_INSTALLED});
        EXPECT_EQ(withoutX64.exitCode, std::optional<DWORD>(0));
    }

    // A DLL without a registration entry in place of the text service.
    cleanMachine();
    if (fs::exists(fs::path(INSTALL_TREE) / L"X64")) {
        fs::copy(fs::path(INSTALL_TREE) / L"X64", setup() / L"X64", fs::copy_options::recursive);
    }
    for (const wchar_t* programs : {L"X86", L"X64"}) {
        if (fs::exists(setup() / programs)) fs::copy_file(fs::path(PLANTED_DLL), setup() / programs / L"VantixIME.dll", fs::copy_options::overwrite_existing);
    }
    const RunResult unregistered = Run();
    EXPECT_EQ(unregistered.messages, std::vector<unsigned>{IDS_REGISTER_FAILED});
    EXPECT_EQ(unregistered.exitCode, std::optional<DWORD>(Stopped));
    for (const ProgramFolder& program : folders) {
        EXPECT_TRUE(fs::exists(program.folder / L"VantixIME.dll")) << "the copies stay";
        EXPECT_FALSE(RegisteredServerPath(program.view));
    }

    // In the first view a text service whose registration writes its class, naming the copied
    // DLL as it should, and then returns a failure code (under WOW64 the 64-bit one is sound):
    // only regsvr32's exit code tells.
    cleanMachine();
    fs::copy_file(fs::path(FAILING_STANDIN_DLL), setup() / L"X86" / L"VantixIME.dll", fs::copy_options::overwrite_existing);
    if (fs::exists(fs::path(INSTALL_TREE) / L"X64")) {
        fs::copy_file(fs::path(INSTALL_TREE) / L"X64" / L"VantixIME.dll", setup() / L"X64" / L"VantixIME.dll",
                      fs::copy_options::overwrite_existing);
    }
    const RunResult failing = Run();
    EXPECT_EQ(failing.messages, std::vector<unsigned>{IDS_REGISTER_FAILED});
    EXPECT_EQ(failing.exitCode, std::optional<DWORD>(Stopped));
    EXPECT_EQ(RegisteredServerPath(folders[0].view), (folders[0].folder / L"VantixIME.dll").wstring());
    cleanMachine();
}

// The same protection, shown by a program that loads the planted names itself: without it the
// planted copies are taken (so the check above can fail), with it they are not.
TEST_F(InstallerRunTest, PlantedDllsAreTakenWithoutTheProtectionAndNotWithIt) {
    const fs::path probe = setup() / L"probe.exe";
    fs::copy_file(fs::path(PROBE_EXE), probe);
    fs::copy_file(fs::path(PLANTED_DLL), setup() / ProbedOnlyName);
    const std::vector<std::wstring> names = EveryPlantedName();
    const auto runProbe = [&](const std::wstring& arguments) {
        std::wstring probeArguments = arguments;
        for (const std::wstring& name : names) probeArguments += L" " + name;
        const ChildProcess process(probe, probeArguments, ChildOutput::Own, setup());
        ASSERT_TRUE(process.Started());
        ASSERT_TRUE(process.ExitCode(30000));
    };

    runProbe(L"");
    for (const std::wstring& name : names) {
        EXPECT_TRUE(fs::exists(setup() / (name + L".loaded"))) << "not even an unprotected program took " << fs::path(name);
        fs::remove(setup() / (name + L".loaded"));
    }
    runProbe(L"/hardened");
    ExpectNoPlantedDllLoaded(names);
}
