// What the main window asks of the ribbon layer. The window works without a ribbon: every
// command still arrives through the accelerators and the lists.
#pragma once

#include <windows.h>

#include <memory>

class CMainWindow;

class Ribbon {
public:
    virtual ~Ribbon() = default;

    // Pixels the ribbon takes at the top of the window's client area.
    virtual int Height() const = 0;
    // Sets the enabled state of the commands that depend on the tables and the current tab.
    virtual void RefreshCommandStates() = 0;
    // Makes the ribbon read the checked state of the five sort toggles again.
    virtual void InvalidateSortToggles() = 0;
    // Shows the context popup (command 5) at a screen point; false when there is none.
    virtual bool ShowContextPopup(POINT screenPoint) = 0;
    // Tears the views down (the ribbon saves its state then).
    virtual void DestroyViews() = 0;
};

// Makes the ribbon for a main window being created, or null when there is no ribbon.
using RibbonFactory = std::unique_ptr<Ribbon> (*)(CMainWindow& window);

// The phrase tool's own ribbon; null until the ribbon layer is built.
std::unique_ptr<Ribbon> CreateRibbon(CMainWindow& window);
