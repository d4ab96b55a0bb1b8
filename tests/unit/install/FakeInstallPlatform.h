// A machine for the installer to run on: files, folders, the two registry views and a
// regsvr32 that registers what it is given, all in memory. Every call that changes something
// is written to the log, so a test can compare a whole run with what it expects.
#pragma once

#include "InstallPlatform.h"
#include "Registration.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// Test paths are ASCII; this makes them readable in the log and in failure messages.
inline std::string Narrow(std::u16string_view text) {
    std::string narrow;
    for (const char16_t unit : text) narrow += unit < 0x80 ? static_cast<char>(unit) : '?';
    return narrow;
}

inline std::vector<std::uint8_t> StringValueBytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

inline RegistrationValues RegistrationOf(std::u16string_view dllPath,
                                         std::u16string_view threadingModel = u"Apartment") {
    return {RegistryValue{RegistryTypeString, StringValueBytes(threadingModel)},
            RegistryValue{RegistryTypeString, StringValueBytes(dllPath)}};
}

// What the distribution holds beside Install.exe, written out here on its own so that a
// misspelt name in the installer finds no file.
inline const std::vector<std::u16string> ShippedDictionaries{
    u"vantix_shortcodes.dic", u"vantix_symbols.dic",      u"vantix_27489.dic",
    u"vantix_tips.dic",       u"vantix_ExtB.dic",         u"vantix_ExtCD_V2012A.dic",
    u"vantix_Ext E_V2016A.dic", u"vantix_ExtF.dic",       u"vantix_phrases.dic",
    u"vantix_specialcodes.dic", u"vantix_kana.dic",
};
inline const std::vector<std::u16string> ShippedPrograms{u"VantixIME.dll", u"Vantixcfg.exe",
                                                          u"Wordloom.exe"};
inline const std::vector<std::u16string> ShippedFonts{u"HanaMinA.ttf", u"HanaMinB.ttf"};

// The text service's class registration as the user's own classes hold it, and as the merged
// view of HKEY_CLASSES_ROOT shows it.
inline constexpr char16_t UserRegistrationKeyPath[] =
    u"Software\\Classes\\CLSID\\{3E9A7C52-1B84-4D6F-A0C3-58E2F14D7B96}\\InProcServer32";
inline constexpr char16_t ClassesRootRegistrationKeyPath[] =
    u"CLSID\\{3E9A7C52-1B84-4D6F-A0C3-58E2F14D7B96}\\InProcServer32";

class FakeInstallPlatform final : public InstallPlatform {
public:
    // ---- The machine ----
    bool windows64 = true;
    bool windows7OrLater = true;
    bool guardHeldElsewhere = false;
    bool redirectionCanBeSwitched = true;
    bool regsvr32Hangs = false;           // runs never end within the limit
    bool unregisterWorks = true;          // regsvr32 /u removes the registration (else exits with 5)
    std::uint32_t unregisterExitCode = 0; // and then exits with this code
    // How regsvr32 /s goes in a view, when the DLL is there (else it exits with 3): it registers
    // the DLL and exits with 0, but
    std::set<RegistryView> registerFails;              // registers nothing, exits with 5
    std::set<RegistryView> registerWritesThenFails;    // registers the DLL, exits with 5
    std::set<RegistryView> registerEndsWithoutWriting; // registers nothing, exits with 0
    bool registersInUpperCase = false;                 // the registration names the DLL in capitals
    bool fontValuesFail = false;
    std::optional<std::u16string> installerPath = u"D:\\Setup\\Install.exe";
    std::map<SystemFolder, std::u16string> folders{
        {SystemFolder::LocalAppData, u"C:\\Users\\Ann\\AppData\\Local"},
        {SystemFolder::ProgramFiles, u"C:\\Program Files (x86)"},
        {SystemFolder::ProgramFiles64, u"C:\\Program Files"},
        {SystemFolder::System, u"C:\\Windows\\System32"},
        {SystemFolder::Fonts, u"C:\\Windows\\Fonts"},
    };
    std::set<std::u16string> files;                 // every file there is
    std::set<std::u16string> existingFolders{u"C:\\Windows\\Fonts\\"};
    std::set<std::u16string> lockedFiles;           // in use: cannot be overwritten
    std::map<RegistryView, RegistrationValues> registry;      // the machine's, which regsvr32 writes
    std::map<RegistryView, RegistrationValues> userRegistry;  // the user's own classes: the user can write them

    // ---- What happened ----
    std::vector<std::string> log;
    std::vector<std::pair<unsigned, MessageIcon>> messages;
    std::map<std::u16string, std::vector<std::uint8_t>> fontValues;
    bool redirectionOff = false;

    // The distribution tree beside the installer, less the subfolders named.
    void ShipEverythingBut(const std::set<std::u16string>& leftOut = {}) {
        const auto ship = [&](std::u16string_view subfolder, const std::vector<std::u16string>& names) {
            if (leftOut.count(std::u16string(subfolder))) return;
            for (const std::u16string& name : names) files.insert(u"D:\\Setup\\" + std::u16string(subfolder) + name);
        };
        ship(u"Dictionary\\", ShippedDictionaries);
        ship(u"X86\\", ShippedPrograms);
        ship(u"X64\\", ShippedPrograms);
        ship(u"Font\\", ShippedFonts);
    }

    std::optional<std::u16string> InstallerPath() override { return installerPath; }

    std::optional<std::u16string> FolderPath(SystemFolder folder) override {
        const auto found = folders.find(folder);
        if (found == folders.end()) return std::nullopt;
        return found->second;
    }

    bool CreateGuardFile(const std::u16string& path) override {
        log.push_back("guard " + Narrow(path));
        return !guardHeldElsewhere;
    }

    bool IsWindows7OrLater() override { return windows7OrLater; }
    bool IsWow64() override { return windows64; }

    bool DisableRedirection() override {
        if (!windows64 || !redirectionCanBeSwitched) return false;
        log.push_back(redirectionOff ? "redirection off AGAIN" : "redirection off");
        redirectionOff = true;
        return true;
    }

    void RestoreRedirection() override {
        log.push_back(redirectionOff ? "redirection on" : "redirection on WITHOUT BEING OFF");
        redirectionOff = false;
    }

    // Answers for the registration key under each root; HKEY_CLASSES_ROOT shows the user's
    // registration where there is one, as Windows does.
    std::optional<RegistrationValues> ReadRegistration(RegistryRoot root, const std::u16string& keyPath,
                                                       RegistryView view) override {
        const std::string bits = view == RegistryView::Bits64 ? "64" : "32";
        const bool machineKey = root == RegistryRoot::LocalMachine && keyPath == MachineRegistrationKeyPath;
        log.push_back(machineKey ? "read " + bits : "read other key " + Narrow(keyPath) + " " + bits);
        const std::map<RegistryView, RegistrationValues>* shown = nullptr;
        if (machineKey) {
            shown = &registry;
        } else if (root == RegistryRoot::CurrentUser && keyPath == UserRegistrationKeyPath) {
            shown = &userRegistry;
        } else if (root == RegistryRoot::ClassesRoot && keyPath == ClassesRootRegistrationKeyPath) {
            shown = userRegistry.count(view) ? &userRegistry : &registry;
        }
        if (!shown || !shown->count(view)) return std::nullopt;
        return shown->at(view);
    }

    // The regsvr32 of System32 is the 64-bit one only while redirection is off.
    std::optional<std::uint32_t> RunAndWait(const std::u16string& commandLine,
                                            const std::u16string& currentFolder) override {
        log.push_back("run " + Narrow(commandLine) + " in " + Narrow(currentFolder));
        if (regsvr32Hangs) return std::nullopt;
        const std::u16string regsvr32 = u"\"" + folders[SystemFolder::System] + u"\\regsvr32.exe\" ";
        if (!commandLine.starts_with(regsvr32) || !commandLine.ends_with(u"\"")) return 0;
        const RegistryView view = redirectionOff ? RegistryView::Bits64 : RegistryView::Bits32;
        const std::u16string arguments = commandLine.substr(regsvr32.size());
        if (arguments.starts_with(u"/u /s \"")) {
            if (!unregisterWorks) return 5;
            registry.erase(view);
            return unregisterExitCode;
        }
        if (!arguments.starts_with(u"/s \"")) return 0;
        std::u16string dll = arguments.substr(4, arguments.size() - 5);
        if (!files.count(dll)) return 3;
        if (registerFails.count(view)) return 5;
        if (registerEndsWithoutWriting.count(view)) return 0;
        if (registersInUpperCase) {
            for (char16_t& c : dll) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
        }
        registry[view] = RegistrationOf(dll);
        return registerWritesThenFails.count(view) ? 5 : 0;
    }

    void CreateFolder(const std::u16string& path) override {
        log.push_back("folder " + Narrow(path));
        existingFolders.insert(path.ends_with(u"\\") ? path : path + u"\\");
    }

    bool CopyFileOver(const std::u16string& from, const std::u16string& to) override {
        log.push_back("copy " + Narrow(from) + " -> " + Narrow(to));
        const std::u16string toFolder = to.substr(0, to.rfind(u'\\') + 1);
        if (!files.count(from) || !existingFolders.count(toFolder) || lockedFiles.count(to)) return false;
        files.insert(to);
        return true;
    }

    bool WriteFontValue(const std::u16string& name, std::span<const std::uint8_t> data) override {
        log.push_back("font value " + Narrow(name));
        if (fontValuesFail) return false;
        fontValues[name].assign(data.begin(), data.end());
        return true;
    }

    void ShowMessage(unsigned stringId, MessageIcon icon) override {
        log.push_back("message " + std::to_string(stringId));
        messages.emplace_back(stringId, icon);
    }
};
