// The installer runs elevated and is usually started from a downloads folder, where anyone may
// have left a DLL named like one that Windows loads on a program's behalf (version.dll,
// uxtheme.dll, ...). Called first thing, this keeps every later load to the system folder.
#pragma once

// Takes the application folder and the current folder out of the DLL search for the rest of
// the process: DLLs are then found in System32 only. False on a Windows 7 without the update
// that brought SetDefaultDllDirectories; the current folder is still taken out there.
bool LoadDllsFromSystemFolderOnly();
