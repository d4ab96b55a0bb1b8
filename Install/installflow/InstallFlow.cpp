#include "InstallFlow.h"

#include "Deployment.h"
#include "InstallPaths.h"
#include "Registration.h"
#include "res/resource.h"

int RunInstall(InstallPlatform& platform) {
    // The guard comes before the version test, so that a second installer on an old system
    // also says that one is already running.
    if (const std::optional<std::u16string> localAppData =
            UsableFolder(platform, SystemFolder::LocalAppData)) {
        const std::optional<std::u16string> guard = GuardFilePath(*localAppData);
        if (guard && !platform.CreateGuardFile(*guard)) {
            platform.ShowMessage(IDS_ALREADY_RUNNING, MessageIcon::Error);
            return ExitStopped;
        }
    }

    if (!platform.IsWindows7OrLater()) {
        platform.ShowMessage(IDS_OS_TOO_OLD, MessageIcon::Error);
        return ExitStopped;
    }

    switch (RemoveExisting(platform)) {
    case RemovalOutcome::Removed:
        // The old text service may still be loaded until the user logs off.
        platform.ShowMessage(IDS_EXISTING_REMOVED, MessageIcon::Information);
        return ExitExistingRemoved;
    case RemovalOutcome::Failed:
        platform.ShowMessage(IDS_REMOVAL_FAILED, MessageIcon::Error);
        break;
    case RemovalOutcome::NothingFound:
        break;
    }

    if (!CopyFiles(platform)) {
        platform.ShowMessage(IDS_COPY_FAILED, MessageIcon::Error);
        return ExitStopped;
    }
    if (!Register(platform)) {
        platform.ShowMessage(IDS_REGISTER_FAILED, MessageIcon::Error);
        return ExitStopped;
    }
    platform.ShowMessage(IDS_INSTALLED, MessageIcon::Information);

    if (!InstallFonts(platform)) platform.ShowMessage(IDS_FONTS_FAILED, MessageIcon::Warning);
    return ExitInstalled;
}
