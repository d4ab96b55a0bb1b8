// The paths the installer builds. Windows hands them over, and takes them, in buffers of 260
// characters; a path that would not fit is refused as a whole, never cut, so that no step
// copies to, creates or registers a path other than the one it meant.
#pragma once

#include "InstallPlatform.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// Characters of a path buffer, the terminator included.
inline constexpr std::size_t PathBufferLength = 260;

// The parts one after another; nothing when the result and its terminator would not fit in
// PathBufferLength characters.
std::optional<std::u16string> JoinPath(std::initializer_list<std::u16string_view> parts);

// The folder of the installer's program file with its backslash ("D:\Setup\" of
// "D:\Setup\Install.exe"), where the files to install lie; nothing for a path without a
// backslash or one that does not fit a path buffer.
std::optional<std::u16string> SourceFolderOf(std::u16string_view installerPath);

// The file whose being held open keeps a second installer of the same account from running.
std::optional<std::u16string> GuardFilePath(std::u16string_view localAppData);

// The installer's source folder as above, asked of the platform.
std::optional<std::u16string> SourceFolder(InstallPlatform& platform);

// A system folder the installer can build on: nothing when the platform has none, when it is
// empty, and for "%ProgramW6432%" coming back unexpanded (the variable is not set), which
// would otherwise name a folder below the current one.
std::optional<std::u16string> UsableFolder(InstallPlatform& platform, SystemFolder folder);
