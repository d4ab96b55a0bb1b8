// Resource identifiers of the installer (Install.exe).
// Plain #defines: included by Install.rc and by the C++ sources.
#ifndef INSTALL_RES_RESOURCE_H
#define INSTALL_RES_RESOURCE_H

// ---------------------------------------------------------------------------
// Strings (both languages, same identifiers)
#define IDS_CAPTION                 103   // caption of every message box
#define IDS_OS_TOO_OLD              109
#define IDS_EXISTING_REMOVED        110
#define IDS_REMOVAL_FAILED          111
#define IDS_COPY_FAILED             112
#define IDS_REGISTER_FAILED         113
#define IDS_INSTALLED               114
#define IDS_ALREADY_RUNNING         115
#define IDS_PREREQUISITE_FAILED     116   // kept in the table; no step shows it
#define IDS_REBOOT_REQUIRED         117   // kept in the table; no step shows it
#define IDS_FONTS_FAILED            118

#endif // INSTALL_RES_RESOURCE_H
