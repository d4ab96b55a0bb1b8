#include "Win32InstallPlatform.h"

#include "InstallPaths.h"
#include "Localization.h"
#include "Registration.h"
#include "RegistryKey.h"
#include "SystemCalls.h"
#include "WideText.h"
#include "res/resource.h"

#include <memory>
#include <string>
#include <vector>

namespace {

const wchar_t* WideChars(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Memory that SHGetKnownFolderPath hands over, given back through ole32 as loaded.
struct KnownFolderPathDeleter {
    void operator()(wchar_t* path) const {
        if (InstallerSystemCalls().taskMemFree) InstallerSystemCalls().taskMemFree(path);
    }
};

std::optional<std::u16string> KnownFolderPath(REFKNOWNFOLDERID folder) {
    const SystemCalls& calls = InstallerSystemCalls();
    if (!calls.getKnownFolderPath) return std::nullopt;
    PWSTR path = nullptr;
    const HRESULT result = calls.getKnownFolderPath(folder, 0, nullptr, &path);
    // Also after a failure, which may hand back a buffer.
    const std::unique_ptr<wchar_t, KnownFolderPathDeleter> owner(path);
    if (FAILED(result) || !path) return std::nullopt;
    return Utf16(path);
}

std::optional<std::u16string> ExpandedProgramW6432() {
    wchar_t buffer[PathBufferLength];
    const DWORD length = ExpandEnvironmentStringsW(L"%ProgramW6432%", buffer, PathBufferLength);
    // The count includes the terminator; more than the buffer means the text did not fit.
    if (length == 0 || length > PathBufferLength) return std::nullopt;
    return Utf16(buffer);
}

// A value of the registration key as stored, read into the buffer a string is read into;
// nothing when it is absent or larger.
std::optional<RegistryValue> ReadRegistrationValue(const RegistryKey& key, const wchar_t* name) {
    std::vector<std::uint8_t> data(RegistryStringBufferBytes);
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegQueryValueExW(key.Handle(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(size);
    return RegistryValue{type, std::move(data)};
}

HKEY RootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    }
    return HKEY_LOCAL_MACHINE;
}

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Warning: return MB_ICONWARNING;
    }
    return 0;
}

}  // namespace

Win32InstallPlatform::~Win32InstallPlatform() {
    if (redirectionOff_) RestoreRedirection();
}

std::optional<std::u16string> Win32InstallPlatform::InstallerPath() {
    wchar_t path[PathBufferLength];
    const DWORD length = GetModuleFileNameW(nullptr, path, PathBufferLength);
    // A path that fills the whole buffer was cut short.
    if (length == 0 || length >= PathBufferLength) return std::nullopt;
    return Utf16(std::wstring_view(path, length));
}

std::optional<std::u16string> Win32InstallPlatform::FolderPath(SystemFolder folder) {
    switch (folder) {
    case SystemFolder::LocalAppData: return KnownFolderPath(FOLDERID_LocalAppData);
    case SystemFolder::ProgramFiles: return KnownFolderPath(FOLDERID_ProgramFiles);
    case SystemFolder::ProgramFiles64: return ExpandedProgramW6432();
    case SystemFolder::System: return KnownFolderPath(FOLDERID_System);
    case SystemFolder::Fonts: return KnownFolderPath(FOLDERID_Fonts);
    }
    return std::nullopt;
}

bool Win32InstallPlatform::CreateGuardFile(const std::u16string& path) {
    const HANDLE file = CreateFileW(WideChars(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    guard_.reset();
    guard_.emplace(file);
    return true;
}

bool Win32InstallPlatform::IsWindows7OrLater() {
    OSVERSIONINFOEXW wanted{};
    wanted.dwOSVersionInfoSize = sizeof(wanted);
    wanted.dwMajorVersion = 6;
    wanted.dwMinorVersion = 1;
    wanted.wServicePackMajor = 0;
    ULONGLONG conditions = 0;
    conditions = VerSetConditionMask(conditions, VER_MAJORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_MINORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR,
                              conditions) != FALSE;
}

bool Win32InstallPlatform::IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool Win32InstallPlatform::DisableRedirection() {
    if (redirectionOff_) return true;
    redirectionOff_ = Wow64DisableWow64FsRedirection(&redirectionState_) != FALSE;
    return redirectionOff_;
}

void Win32InstallPlatform::RestoreRedirection() {
    if (!redirectionOff_) return;
    Wow64RevertWow64FsRedirection(redirectionState_);
    redirectionOff_ = false;
}

std::optional<RegistrationValues> Win32InstallPlatform::ReadRegistration(RegistryRoot root,
                                                                         const std::u16string& keyPath,
                                                                         RegistryView view) {
    // The installer is 32-bit: its plain open reaches the 32-bit view. (A 64-bit build, as the
    // tests use, reaches its own view, just as it finds its own regsvr32 and program folder.)
    const REGSAM viewFlag = view == RegistryView::Bits64 ? KEY_WOW64_64KEY : 0;
    const RegistryKey key = RegistryKey::OpenForReading(RootKey(root), WideChars(keyPath), viewFlag);
    if (!key) return std::nullopt;
    return RegistrationValues{ReadRegistrationValue(key, L"ThreadingModel"),
                              ReadRegistrationValue(key, nullptr)};
}

std::optional<std::uint32_t> Win32InstallPlatform::RunAndWait(const std::u16string& commandLine,
                                                             const std::u16string& currentFolder) {
    std::wstring writableLine(commandLine.begin(), commandLine.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, writableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        WideChars(currentFolder), &startup, &started)) {
        return std::nullopt;
    }
    const UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle(started.hThread).reset();  // not needed: closed at once
    // A run that takes longer is left running; it is not ours to end.
    if (WaitForSingleObject(process.get(), RegistrationWaitMilliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.get(), &exitCode)) return std::nullopt;
    return exitCode;
}

void Win32InstallPlatform::CreateFolder(const std::u16string& path) {
    CreateDirectoryW(WideChars(path), nullptr);
}

bool Win32InstallPlatform::CopyFileOver(const std::u16string& from, const std::u16string& to) {
    return CopyFileW(WideChars(from), WideChars(to), FALSE) != FALSE;
}

bool Win32InstallPlatform::WriteFontValue(const std::u16string& name,
                                          std::span<const std::uint8_t> data) {
    RegistryKey key = RegistryKey::OpenForReadingAndWriting(HKEY_LOCAL_MACHINE, WideChars(FontsKeyPath));
    return key && key.SetValue(WideChars(name), REG_SZ, data.data(), static_cast<DWORD>(data.size()));
}

void Win32InstallPlatform::ShowMessage(unsigned stringId, MessageIcon icon) {
    const SystemCalls& calls = InstallerSystemCalls();
    if (!calls.messageBoxEx) return;
    // Text and caption both in the language chosen at start, whatever the message.
    const HMODULE module = GetModuleHandleW(nullptr);
    const std::wstring text = LoadLocalizedString(module, language_, stringId);
    const std::wstring caption = LoadLocalizedString(module, language_, IDS_CAPTION);
    calls.messageBoxEx(nullptr, text.c_str(), caption.c_str(), MB_OK | IconStyle(icon), language_);
}
