// Starts the phrase tool (Wordloom.exe) that was installed beside the settings tool.
#pragma once

#include <optional>
#include <string>

// The phrase tool's path in the folder of the given program file; nothing when the path
// names no folder.
std::optional<std::wstring> PhraseToolBeside(const std::wstring& programPath);

// Starts it without waiting and without reporting a failure (a missing file does nothing).
void StartPhraseTool();
