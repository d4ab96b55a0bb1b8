// What the main window asks of the ribbon layer. The window works without a ribbon: every
// command still arrives through the accelerators and the lists.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class CMainWindow;

class Ribbon {
public:
    virtual ~Ribbon() = default;

    // Sets the enabled state of the commands that depend on the tables and the current tab.
    virtual void RefreshCommandStates() = 0;
    // Makes the ribbon read the checked state of the five sort toggles again.
    virtual void InvalidateSortToggles() = 0;
    // Shows the context popup (command 5) at a screen point; false when there is none.
    virtual bool ShowContextPopup(POINT screenPoint) = 0;
    // Tears the views down (the ribbon saves its state then) and stores the recent items.
    virtual void DestroyViews() = 0;
    // A file was read into a table: it goes to the recent items.
    virtual void AddRecentFile(const std::wstring&) {}
    // Ctrl+F1 wherever the focus is: collapses or expands the ribbon.
    virtual void ToggleCollapsed() {}
};

// Makes the ribbon for a main window being created, or null when there is no ribbon.
using RibbonFactory = std::unique_ptr<Ribbon> (*)(CMainWindow& window);

// The phrase tool's own ribbon over the window. Without a framework (it failed to start) the
// recent items are still loaded and saved.
std::unique_ptr<Ribbon> CreateRibbon(CMainWindow& window);

struct IRibbonFramework;
// The same over a framework object of the caller's (the tests give one that records).
std::unique_ptr<Ribbon> CreateRibbonOver(CMainWindow& window, IRibbonFramework* framework);
