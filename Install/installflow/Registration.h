// Finding, removing and making the text service's registration. The text service registers
// and unregisters itself when regsvr32 loads it; the installer only starts regsvr32 and reads
// the class registration to see what happened.
#pragma once

#include "InstallPlatform.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::uint32_t RegistryTypeString = 1;        // REG_SZ
inline constexpr std::uint32_t RegistryTypeExpandString = 2;  // REG_EXPAND_SZ

// The buffer a registration value is read into: 260 characters with the terminator.
inline constexpr std::size_t RegistryStringBufferBytes = 520;

// A registry value read as a string: it must be REG_SZ or REG_EXPAND_SZ and fit the buffer;
// data that is not empty must have an even byte count and end with a NUL. Empty data reads as
// the empty string. The text ends at its first NUL. The text is returned as stored
// (REG_EXPAND_SZ is not expanded).
std::optional<std::u16string> ReadRegistryString(std::uint32_t type,
                                                 std::span<const std::uint8_t> data);

// The same path, the letter case of ASCII letters ignored; every other character must match.
bool IsSamePath(std::u16string_view a, std::u16string_view b);

// "Apartment", letter case ignored (as CompareStringOrdinal with ignoreCase does: no
// character outside ASCII upper-cases to one of the word's letters).
bool IsApartmentThreading(std::u16string_view threadingModel);

// The registered DLL's path when the values make a registration: "ThreadingModel" reads as
// "Apartment" and the default value reads as a string (which may be empty). Nothing otherwise.
std::optional<std::u16string> RegisteredPath(const RegistrationValues& values);

// "<regsvr32>" /s "<dll>" — nothing when a path is empty or holds a double quote, which would
// end its quoted argument early and pass the rest to regsvr32 as further arguments.
std::optional<std::u16string> RegisterCommandLine(std::u16string_view regsvr32Path,
                                                  std::u16string_view dllPath);

// "<regsvr32>" /u /s "<registered path>", the path as stored; refused as above.
std::optional<std::u16string> UnregisterCommandLine(std::u16string_view regsvr32Path,
                                                    std::u16string_view registeredPath);

// One registry view the installer looks after, and how regsvr32 is started for it: the
// 64-bit regsvr32, the one that writes the 64-bit view, runs with redirection switched off.
struct RegistrationTarget {
    RegistryView view = RegistryView::Bits32;
    bool redirectionOff = false;
    friend bool operator==(const RegistrationTarget&, const RegistrationTarget&) = default;
};

// The 32-bit view on every Windows, then the 64-bit view on 64-bit Windows.
std::vector<RegistrationTarget> RegistrationTargets(bool windowsIs64Bit);

// The registered path in a view of the machine's registration (MachineRegistrationKeyPath), or
// nothing when the text service is not registered there. A registration of the user's own is
// never looked at.
std::optional<std::u16string> CheckRegistered(InstallPlatform& platform, RegistryView view);

enum class RemovalOutcome {
    NothingFound,  // no view had a registration
    Removed,       // every registration found is gone
    Failed,        // a registration found could not be removed
};

// Unregisters every registration found, in each view with that view's regsvr32. A removal
// counts only when regsvr32 ended in time and the registration is gone afterwards, whatever
// its exit code; one that cannot be attempted (a path that cannot be built, redirection that
// cannot be switched off) has failed.
RemovalOutcome RemoveExisting(InstallPlatform& platform);

// Registers the copied text service in each view: the 32-bit one from the 32-bit program
// folder, on 64-bit Windows also the 64-bit one from the 64-bit program folder. True when in
// every view regsvr32 ended in time with exit code 0 and the machine's registration then names
// the DLL just copied.
bool Register(InstallPlatform& platform);
