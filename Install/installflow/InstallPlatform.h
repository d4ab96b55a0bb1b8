// What the installer asks of Windows, one call each. The installer's Win32 part implements
// this; the install flow, the registration and the deployment are built on it, so that all of
// their decisions are made (and tested) without the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

enum class SystemFolder {
    LocalAppData,    // FOLDERID_LocalAppData
    ProgramFiles,    // FOLDERID_ProgramFiles as a 32-bit process sees it
    ProgramFiles64,  // the expansion of "%ProgramW6432%" (a buffer of 260 characters)
    System,          // FOLDERID_System
    Fonts,           // FOLDERID_Fonts
};

// The installer is a 32-bit program: a plain registry open reaches the 32-bit view.
enum class RegistryView { Bits32, Bits64 };

// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE.
enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

enum class MessageIcon { Error, Information, Warning };

// A registry value as it is stored: its type and all of its bytes.
struct RegistryValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

// The two values of the text service's InProcServer32 key; a value that is absent or cannot
// be read at all is left empty.
struct RegistrationValues {
    std::optional<RegistryValue> threadingModel;  // "ThreadingModel"
    std::optional<RegistryValue> defaultValue;    // the unnamed value: the DLL's path
};

// The machine's own registration of the text service's class, under HKEY_LOCAL_MACHINE. Not
// read through HKEY_CLASSES_ROOT: that view shows HKEY_CURRENT_USER\Software\Classes over the
// machine's classes, to an elevated process too, and the unelevated user can write there; the
// installer would then hand a DLL of the user's choosing to an elevated regsvr32, or take a
// registration of the user's for its own.
inline constexpr char16_t MachineRegistrationKeyPath[] =
    u"SOFTWARE\\Classes\\CLSID\\{3E9A7C52-1B84-4D6F-A0C3-58E2F14D7B96}\\InProcServer32";
// KEY_READ; the 64-bit view adds KEY_WOW64_64KEY.
inline constexpr std::uint32_t RegistrationKeyAccess32 = 0x20019;
inline constexpr std::uint32_t RegistrationKeyAccess64 = 0x20019 | 0x100;

// HKEY_LOCAL_MACHINE key of the installed fonts, opened KEY_READ | KEY_WRITE, no view flag.
inline constexpr char16_t FontsKeyPath[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
inline constexpr std::uint32_t FontsKeyAccess = 0x2001F;

// How long each regsvr32 run may take.
inline constexpr unsigned RegistrationWaitMilliseconds = 10000;

class InstallPlatform {
public:
    virtual ~InstallPlatform() = default;

    // The path of the installer's own program file; nothing when it cannot be had whole (it
    // did not fit in 260 characters).
    virtual std::optional<std::u16string> InstallerPath() = 0;

    // The folder without a trailing backslash, exactly as the platform returns it; nothing
    // when the lookup or the expansion fails.
    virtual std::optional<std::u16string> FolderPath(SystemFolder folder) = 0;

    // Creates the guard file for writing, shared with no one, always anew, hidden, and keeps
    // it open until this object ends. False when it cannot (another installer holds it).
    virtual bool CreateGuardFile(const std::u16string& path) = 0;

    // Windows 7 (6.1) or later, compared as a version number: 6.2 and 10.0 are later, so the
    // minor number alone must not decide (VerifyVersionInfoW compares this way).
    virtual bool IsWindows7OrLater() = 0;

    // Whether the installer runs under WOW64, that is on 64-bit Windows; false when the query
    // fails.
    virtual bool IsWow64() = 0;

    // Switches WOW64 file-system redirection off for this thread; false when it cannot.
    // RestoreRedirection undoes the last successful switch.
    virtual bool DisableRedirection() = 0;
    virtual void RestoreRedirection() = 0;

    // Opens the key below the root in the view (RegistrationKeyAccess32 / 64) and reads the two
    // values of a class registration; nothing when the key does not open. The key is closed
    // before returning.
    virtual std::optional<RegistrationValues> ReadRegistration(RegistryRoot root, const std::u16string& keyPath,
                                                               RegistryView view) = 0;

    // Starts the command line (from a writable copy; no application name, no inherited
    // handles, no creation flags, the installer's environment) with the given folder as its
    // current folder, and waits for it at most RegistrationWaitMilliseconds. Its exit code when
    // it ended within that time; nothing when it could not be started or is still running,
    // which is left alone.
    virtual std::optional<std::uint32_t> RunAndWait(const std::u16string& commandLine,
                                                    const std::u16string& currentFolder) = 0;

    // Creates the folder; it may already exist, so the result does not matter.
    virtual void CreateFolder(const std::u16string& path) = 0;

    // Copies one file, overwriting the destination. (Not "CopyFile": <windows.h> makes that
    // name a macro.)
    virtual bool CopyFileOver(const std::u16string& from, const std::u16string& to) = 0;

    // Sets a REG_SZ value under FontsKeyPath; data is the string's bytes with its terminator.
    virtual bool WriteFontValue(const std::u16string& name, std::span<const std::uint8_t> data) = 0;

    // A message box without owner and with only an OK button: the string and the caption
    // (string 103) in the language chosen at start.
    virtual void ShowMessage(unsigned stringId, MessageIcon icon) = 0;
};
