#include "Registration.h"

#include "InstallPaths.h"

#include <algorithm>

namespace {

constexpr std::u16string_view Regsvr32FileName = u"\\regsvr32.exe";
constexpr std::u16string_view TextServiceInFolder = u"\\VantixIME\\VantixIME.dll";

char16_t FoldAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool IsQuotablePath(std::u16string_view path) {
    return !path.empty() && path.find(u'"') == std::u16string_view::npos;
}

// regsvr32 quoted, its switches, then the DLL quoted; nothing when a path cannot be quoted.
std::optional<std::u16string> Regsvr32CommandLine(std::u16string_view regsvr32Path, std::u16string_view switches,
                                                  std::u16string_view dllPath) {
    if (!IsQuotablePath(regsvr32Path) || !IsQuotablePath(dllPath)) return std::nullopt;
    std::u16string line = u"\"";
    line += regsvr32Path;
    line += u"\"";
    line += switches;
    line += u"\"";
    line += dllPath;
    line += u"\"";
    return line;
}

// One start of regsvr32: its command line and the folder it runs in, which is the system
// folder it comes from. regsvr32 loads the text service with the altered search order, so an
// import of the DLL found neither beside it nor in the system folders is looked for in the
// current folder; the installer's own is often a downloads folder.
struct Regsvr32Run {
    std::u16string commandLine;
    std::u16string currentFolder;
};

// The run of regsvr32 from the system folder with the arguments that `commandLine` makes of
// regsvr32's path; nothing when a path cannot be had or built.
template <class CommandLine>
std::optional<Regsvr32Run> Regsvr32RunOf(InstallPlatform& platform, CommandLine commandLine) {
    const std::optional<std::u16string> system = UsableFolder(platform, SystemFolder::System);
    if (!system) return std::nullopt;
    const std::optional<std::u16string> regsvr32 = JoinPath({*system, Regsvr32FileName});
    if (!regsvr32) return std::nullopt;
    std::optional<std::u16string> line = commandLine(*regsvr32);
    if (!line) return std::nullopt;
    return Regsvr32Run{std::move(*line), *system};
}

// Runs regsvr32 with redirection as the target needs: its exit code, or nothing when it could
// not run or did not end in time.
std::optional<std::uint32_t> RunFor(InstallPlatform& platform, const RegistrationTarget& target,
                                    const std::optional<Regsvr32Run>& run) {
    if (!run) return std::nullopt;
    if (target.redirectionOff && !platform.DisableRedirection()) return std::nullopt;
    const std::optional<std::uint32_t> exitCode = platform.RunAndWait(run->commandLine, run->currentFolder);
    if (target.redirectionOff) platform.RestoreRedirection();
    return exitCode;
}

}  // namespace

std::optional<std::u16string> ReadRegistryString(std::uint32_t type,
                                                 std::span<const std::uint8_t> data) {
    if (type != RegistryTypeString && type != RegistryTypeExpandString) return std::nullopt;
    if (data.size() > RegistryStringBufferBytes) return std::nullopt;
    if (data.empty()) return std::u16string();
    if (data.size() % 2 != 0) return std::nullopt;

    std::u16string text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    }
    if (text.back() != u'\0') return std::nullopt;
    text.resize(text.find(u'\0'));
    return text;
}

bool IsSamePath(std::u16string_view a, std::u16string_view b) {
    return std::ranges::equal(a, b, [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

bool IsApartmentThreading(std::u16string_view threadingModel) {
    constexpr std::u16string_view upperCaseWord = u"APARTMENT";
    return std::ranges::equal(threadingModel, upperCaseWord,
                              [](char16_t a, char16_t b) { return FoldAscii(a) == b; });
}

std::optional<std::u16string> RegisteredPath(const RegistrationValues& values) {
    if (!values.threadingModel || !values.defaultValue) return std::nullopt;
    const std::optional<std::u16string> threadingModel =
        ReadRegistryString(values.threadingModel->type, values.threadingModel->data);
    if (!threadingModel || !IsApartmentThreading(*threadingModel)) return std::nullopt;
    return ReadRegistryString(values.defaultValue->type, values.defaultValue->data);
}

std::optional<std::u16string> RegisterCommandLine(std::u16string_view regsvr32Path,
                                                  std::u16string_view dllPath) {
    return Regsvr32CommandLine(regsvr32Path, u" /s ", dllPath);
}

std::optional<std::u16string> UnregisterCommandLine(std::u16string_view regsvr32Path,
                                                    std::u16string_view registeredPath) {
    return Regsvr32CommandLine(regsvr32Path, u" /u /s ", registeredPath);
}

std::vector<RegistrationTarget> RegistrationTargets(bool windowsIs64Bit) {
    std::vector<RegistrationTarget> targets{{RegistryView::Bits32, false}};
    if (windowsIs64Bit) targets.push_back({RegistryView::Bits64, true});
    return targets;
}

std::optional<std::u16string> CheckRegistered(InstallPlatform& platform, RegistryView view) {
    const std::optional<RegistrationValues> values =
        platform.ReadRegistration(RegistryRoot::LocalMachine, MachineRegistrationKeyPath, view);
    if (!values) return std::nullopt;
    return RegisteredPath(*values);
}

RemovalOutcome RemoveExisting(InstallPlatform& platform) {
    bool found = false;
    bool failed = false;
    for (const RegistrationTarget& target : RegistrationTargets(platform.IsWow64())) {
        const std::optional<std::u16string> registeredPath = CheckRegistered(platform, target.view);
        if (!registeredPath) continue;
        found = true;

        const std::optional<Regsvr32Run> run = Regsvr32RunOf(platform, [&](const std::u16string& regsvr32) {
            return UnregisterCommandLine(regsvr32, *registeredPath);
        });
        // regsvr32 ends also when the text service refused or could not be loaded (its file
        // gone, say): only the registration's absence shows that the removal worked, whatever
        // the exit code says.
        const bool ended = RunFor(platform, target, run).has_value();
        if (!ended || CheckRegistered(platform, target.view)) failed = true;
    }
    if (failed) return RemovalOutcome::Failed;
    return found ? RemovalOutcome::Removed : RemovalOutcome::NothingFound;
}

bool Register(InstallPlatform& platform) {
    bool everyViewRegistered = true;
    for (const RegistrationTarget& target : RegistrationTargets(platform.IsWow64())) {
        const SystemFolder programFolder = target.view == RegistryView::Bits64
                                               ? SystemFolder::ProgramFiles64
                                               : SystemFolder::ProgramFiles;
        const std::optional<std::u16string> folder = UsableFolder(platform, programFolder);
        const std::optional<std::u16string> dll =
            folder ? JoinPath({*folder, TextServiceInFolder}) : std::nullopt;
        std::optional<Regsvr32Run> run;
        if (dll) {
            run = Regsvr32RunOf(platform, [&](const std::u16string& regsvr32) {
                return RegisterCommandLine(regsvr32, *dll);
            });
        }
        // A registration that wrote its key and then failed, or an old one left in place, is
        // not the text service just copied.
        const std::optional<std::uint32_t> exitCode = RunFor(platform, target, run);
        std::optional<std::u16string> registeredPath;
        if (exitCode == 0u) registeredPath = CheckRegistered(platform, target.view);
        const bool registered = registeredPath && dll && IsSamePath(*registeredPath, *dll);
        everyViewRegistered = registered && everyViewRegistered;
    }
    return everyViewRegistered;
}
