// The installer's steps on Windows: what the install flow asks of the system, one call each.
#pragma once

#include "InstallPlatform.h"
#include "UiLanguage.h"
#include "Win32Handles.h"

#include <optional>

class Win32InstallPlatform : public InstallPlatform {
public:
    // Messages come in this language, from the string tables of the running program.
    explicit Win32InstallPlatform(UiLanguage language) : language_(language) {}
    ~Win32InstallPlatform() override;
    Win32InstallPlatform(const Win32InstallPlatform&) = delete;
    Win32InstallPlatform& operator=(const Win32InstallPlatform&) = delete;

    std::optional<std::u16string> InstallerPath() override;
    std::optional<std::u16string> FolderPath(SystemFolder folder) override;
    bool CreateGuardFile(const std::u16string& path) override;
    bool IsWindows7OrLater() override;
    bool IsWow64() override;
    bool DisableRedirection() override;
    void RestoreRedirection() override;
    std::optional<RegistrationValues> ReadRegistration(RegistryRoot root, const std::u16string& keyPath,
                                                       RegistryView view) override;
    std::optional<std::uint32_t> RunAndWait(const std::u16string& commandLine,
                                            const std::u16string& currentFolder) override;
    void CreateFolder(const std::u16string& path) override;
    bool CopyFileOver(const std::u16string& from, const std::u16string& to) override;
    bool WriteFontValue(const std::u16string& name, std::span<const std::uint8_t> data) override;
    void ShowMessage(unsigned stringId, MessageIcon icon) override;

private:
    UiLanguage language_;
    std::optional<UniqueFile> guard_;  // held open, shared with no one, until the run ends
    void* redirectionState_ = nullptr;
    bool redirectionOff_ = false;
};
