// Read access to a registry key for the processes of every app container (the group "ALL
// APPLICATION PACKAGES"), so that a text service running inside a sandboxed application can
// read the settings.
#pragma once

#include <string>

// Merges one explicit entry into the key's access list: KEY_READ for the group, inherited by
// subkeys and values. The entry replaces any earlier grant to the group, so repeating it
// leaves exactly one. `keyName` is a security object name such as
// "CURRENT_USER\Software\VantixIME". True when the new list was written.
bool GrantAppContainersRead(const std::wstring& keyName);
