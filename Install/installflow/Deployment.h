// What the installer copies where, and the fonts it installs. The files lie in fixed folders
// beside the installer:
//   Dictionary\  the eleven dictionaries      X86\  the 32-bit program files
//   Font\        the two fonts                X64\  the 64-bit program files
// and go into "\VantixIME\" of each program folder the running Windows has.
#pragma once

#include "InstallPlatform.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// In copy order. "vantix_Ext E_V2016A.dic" really has a blank after "Ext".
extern const std::array<std::u16string_view, 11> DictionaryFileNames;

// The text service, the settings tool and the phrase tool, in copy order.
extern const std::array<std::u16string_view, 3> ProgramFileNames;

extern const std::array<std::u16string_view, 2> FontFileNames;

struct FileCopy {
    std::u16string from;
    std::u16string to;
    friend bool operator==(const FileCopy&, const FileCopy&) = default;
};

// One destination folder: created, then filled, with WOW64 file-system redirection switched
// off for all of it where redirectionOff is set.
struct CopyTarget {
    std::u16string folder;  // ends with a backslash
    bool redirectionOff = false;
    std::vector<FileCopy> copies;
    friend bool operator==(const CopyTarget&, const CopyTarget&) = default;
};

// complete is false when something to install could not be planned (a folder missing, a path
// too long): the copies that could be planned are still made, and the result is a failure.
struct CopyPlan {
    std::vector<CopyTarget> targets;
    bool complete = true;
    friend bool operator==(const CopyPlan&, const CopyPlan&) = default;
};

struct DeploymentFolders {
    std::optional<std::u16string> source;          // with its backslash
    std::optional<std::u16string> programFiles;    // 32-bit program files, no backslash
    std::optional<std::u16string> programFiles64;  // 64-bit program files, no backslash
};

// 32-bit Windows: the dictionaries and the three X86\ program files into the 32-bit folder.
// 64-bit Windows: the dictionaries and the X86\ text service (for 32-bit applications) into
// the 32-bit folder, then the dictionaries and the three X64\ program files into the 64-bit
// folder with redirection off. The 64-bit folder is not read on 32-bit Windows.
CopyPlan PlanProgramCopies(const DeploymentFolders& folders, bool windowsIs64Bit);

// Makes the plan. Every planned copy is attempted, also after one has failed; true only when
// the plan was complete and every copy succeeded. A target whose redirection cannot be
// switched off is not copied, and that is a failure.
bool RunCopyPlan(const CopyPlan& plan, InstallPlatform& platform);

// Plans and makes the copies for the running Windows (a failed WOW64 query counts as 32-bit).
bool CopyFiles(InstallPlatform& platform);

// One font: its copy into the fonts folder, then its value under the Fonts key.
struct FontInstall {
    FileCopy copy;
    std::u16string valueName;  // "HanaMinA Regular (TrueType)"
    std::u16string valueData;  // "HanaMinA.ttf"
    friend bool operator==(const FontInstall&, const FontInstall&) = default;
};

struct FontPlan {
    std::vector<FontInstall> fonts;
    bool complete = true;
    friend bool operator==(const FontPlan&, const FontPlan&) = default;
};

// Both fonts from the source's Font\ into the fonts folder; incomplete when a folder is
// missing or a path too long.
FontPlan PlanFonts(const std::optional<std::u16string>& source,
                   const std::optional<std::u16string>& fontsFolder);

// The file name without its extension (cut at the last ".") and " Regular (TrueType)".
std::u16string FontValueName(std::u16string_view fileName);

// A REG_SZ value's bytes: the text and its NUL, little-endian, (length + 1) * 2 bytes.
std::vector<std::uint8_t> RegistryStringBytes(std::u16string_view text);

// Copies and registers both fonts. A font whose copy fails is passed over without a value and
// without changing the result (its file is most likely in use from an earlier install); a
// value that cannot be written, a missing fonts folder or a font that cannot be planned makes
// the result false.
bool InstallFonts(InstallPlatform& platform);
