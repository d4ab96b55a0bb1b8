#include "Deployment.h"

#include "InstallPaths.h"

#include <span>

const std::array<std::u16string_view, 11> DictionaryFileNames{
    u"vantix_shortcodes.dic",   u"vantix_symbols.dic",      u"vantix_27489.dic",
    u"vantix_tips.dic",         u"vantix_ExtB.dic",         u"vantix_ExtCD_V2012A.dic",
    u"vantix_Ext E_V2016A.dic", u"vantix_ExtF.dic",         u"vantix_phrases.dic",
    u"vantix_specialcodes.dic", u"vantix_kana.dic",
};

const std::array<std::u16string_view, 3> ProgramFileNames{
    u"VantixIME.dll",
    u"Vantixcfg.exe",
    u"Wordloom.exe",
};

const std::array<std::u16string_view, 2> FontFileNames{u"HanaMinA.ttf", u"HanaMinB.ttf"};

namespace {

constexpr std::u16string_view InstallFolderName = u"\\VantixIME\\";
constexpr std::u16string_view DictionarySubfolder = u"Dictionary\\";
constexpr std::u16string_view X86Subfolder = u"X86\\";
constexpr std::u16string_view X64Subfolder = u"X64\\";
constexpr std::u16string_view FontSubfolder = u"Font\\";

// Adds source + subfolder + name → target folder + name, or marks the plan incomplete when
// either path would not fit.
void PlanCopy(CopyPlan& plan, CopyTarget& target, const std::u16string& source,
              std::u16string_view subfolder, std::u16string_view name) {
    std::optional<std::u16string> from = JoinPath({source, subfolder, name});
    std::optional<std::u16string> to = JoinPath({target.folder, name});
    if (!from || !to) {
        plan.complete = false;
        return;
    }
    target.copies.push_back({std::move(*from), std::move(*to)});
}

// The target "\VantixIME\" below a program folder, filled with the dictionaries and the
// program files chosen; nothing is added when the folder is missing or too long.
void PlanTarget(CopyPlan& plan, const std::u16string& source,
                const std::optional<std::u16string>& programFolder, bool redirectionOff,
                std::u16string_view programSubfolder,
                std::span<const std::u16string_view> programNames) {
    std::optional<std::u16string> folder;
    if (programFolder) folder = JoinPath({*programFolder, InstallFolderName});
    if (!folder) {
        plan.complete = false;
        return;
    }
    CopyTarget target{std::move(*folder), redirectionOff, {}};
    for (const std::u16string_view name : DictionaryFileNames) {
        PlanCopy(plan, target, source, DictionarySubfolder, name);
    }
    for (const std::u16string_view name : programNames) {
        PlanCopy(plan, target, source, programSubfolder, name);
    }
    plan.targets.push_back(std::move(target));
}

}  // namespace

CopyPlan PlanProgramCopies(const DeploymentFolders& folders, bool windowsIs64Bit) {
    CopyPlan plan;
    if (!folders.source) {
        plan.complete = false;
        return plan;
    }
    const std::span<const std::u16string_view> allPrograms(ProgramFileNames);
    if (!windowsIs64Bit) {
        PlanTarget(plan, *folders.source, folders.programFiles, false, X86Subfolder, allPrograms);
        return plan;
    }
    // 64-bit Windows runs the tools in their 64-bit builds only; the 32-bit folder keeps the
    // 32-bit text service for 32-bit applications.
    PlanTarget(plan, *folders.source, folders.programFiles, false, X86Subfolder,
               allPrograms.first(1));
    PlanTarget(plan, *folders.source, folders.programFiles64, true, X64Subfolder, allPrograms);
    return plan;
}

bool RunCopyPlan(const CopyPlan& plan, InstallPlatform& platform) {
    bool everyCopyMade = plan.complete;
    for (const CopyTarget& target : plan.targets) {
        if (target.redirectionOff && !platform.DisableRedirection()) {
            everyCopyMade = false;
            continue;
        }
        platform.CreateFolder(target.folder);
        for (const FileCopy& copy : target.copies) {
            everyCopyMade = platform.CopyFileOver(copy.from, copy.to) && everyCopyMade;
        }
        if (target.redirectionOff) platform.RestoreRedirection();
    }
    return everyCopyMade;
}

bool CopyFiles(InstallPlatform& platform) {
    const bool windowsIs64Bit = platform.IsWow64();
    DeploymentFolders folders;
    folders.source = SourceFolder(platform);
    folders.programFiles = UsableFolder(platform, SystemFolder::ProgramFiles);
    if (windowsIs64Bit) folders.programFiles64 = UsableFolder(platform, SystemFolder::ProgramFiles64);
    return RunCopyPlan(PlanProgramCopies(folders, windowsIs64Bit), platform);
}

FontPlan PlanFonts(const std::optional<std::u16string>& source,
                   const std::optional<std::u16string>& fontsFolder) {
    FontPlan plan;
    if (!source || !fontsFolder) {
        plan.complete = false;
        return plan;
    }
    for (const std::u16string_view name : FontFileNames) {
        std::optional<std::u16string> from = JoinPath({*source, FontSubfolder, name});
        std::optional<std::u16string> to = JoinPath({*fontsFolder, u"\\", name});
        if (!from || !to) {
            plan.complete = false;
            continue;
        }
        plan.fonts.push_back({{std::move(*from), std::move(*to)}, FontValueName(name),
                              std::u16string(name)});
    }
    return plan;
}

std::u16string FontValueName(std::u16string_view fileName) {
    std::u16string name(fileName.substr(0, fileName.rfind(u'.')));
    name += u" Regular (TrueType)";
    return name;
}

std::vector<std::uint8_t> RegistryStringBytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

bool InstallFonts(InstallPlatform& platform) {
    const FontPlan plan =
        PlanFonts(SourceFolder(platform), UsableFolder(platform, SystemFolder::Fonts));
    bool everyValueWritten = plan.complete;
    for (const FontInstall& font : plan.fonts) {
        if (!platform.CopyFileOver(font.copy.from, font.copy.to)) continue;
        everyValueWritten =
            platform.WriteFontValue(font.valueName, RegistryStringBytes(font.valueData)) &&
            everyValueWritten;
    }
    return everyValueWritten;
}
