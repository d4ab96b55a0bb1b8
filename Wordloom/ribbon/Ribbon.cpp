#include "Ribbon.h"

std::unique_ptr<Ribbon> CreateRibbon(CMainWindow&) {
    // No command bar yet: the window runs its no-ribbon path.
    return nullptr;
}
