#include "InstallPaths.h"

namespace {

constexpr std::u16string_view ProgramW6432Variable = u"%ProgramW6432%";
constexpr std::u16string_view GuardFileName = u"\\__{9F4C2A61-7D3B-4E85-B1A6-2C0E8D5F3A47}__";

}  // namespace

std::optional<std::u16string> JoinPath(std::initializer_list<std::u16string_view> parts) {
    std::size_t length = 0;
    for (const std::u16string_view part : parts) length += part.size();
    if (length >= PathBufferLength) return std::nullopt;

    std::u16string path;
    path.reserve(length);
    for (const std::u16string_view part : parts) path += part;
    return path;
}

std::optional<std::u16string> SourceFolderOf(std::u16string_view installerPath) {
    if (installerPath.size() >= PathBufferLength) return std::nullopt;
    const std::size_t lastBackslash = installerPath.rfind(u'\\');
    if (lastBackslash == std::u16string_view::npos) return std::nullopt;
    return std::u16string(installerPath.substr(0, lastBackslash + 1));
}

std::optional<std::u16string> GuardFilePath(std::u16string_view localAppData) {
    return JoinPath({localAppData, GuardFileName});
}

std::optional<std::u16string> SourceFolder(InstallPlatform& platform) {
    const std::optional<std::u16string> installerPath = platform.InstallerPath();
    if (!installerPath) return std::nullopt;
    return SourceFolderOf(*installerPath);
}

std::optional<std::u16string> UsableFolder(InstallPlatform& platform, SystemFolder folder) {
    std::optional<std::u16string> path = platform.FolderPath(folder);
    if (!path || path->empty()) return std::nullopt;
    if (folder == SystemFolder::ProgramFiles64 && *path == ProgramW6432Variable) return std::nullopt;
    return path;
}
