// The application menu: the markup's commands, then under a greyed header the recent items that
// the recent-items command's handler lists, pinned ones checked. Choosing a recent item executes
// that command with the item's index and properties; a right click on one pins or unpins it: the
// menu closes and the handler gets the whole list back, as new items, with that one pin flipped.
// The recent items travel both ways as a SAFEARRAY of property sets (VT_ARRAY | VT_UNKNOWN).
#pragma once

#include "CommandBar.h"
#include "RibbonInterfaces.h"
#include "RibbonMarkup.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

// What the menus of the bar need of the framework beyond what the bar asks (CommandBarHost).
class RibbonMenuHost {
public:
    // The command's handler answers one property (its UpdateProperty); E_NOTIMPL without one.
    virtual HRESULT Ask(UINT32 command, const PROPERTYKEY& key, PROPVARIANT& value) = 0;
    // The command's handler executes with these properties.
    virtual void ExecuteWith(UINT32 command, const PROPERTYKEY* key, const PROPVARIANT* value,
                             IRibbonPropertySet* properties) = 0;
    // The menu tracked from the bar: the identifier chosen, or 0.
    virtual UINT Track(HMENU menu, POINT screen, UINT flags) = 0;

protected:
    ~RibbonMenuHost() = default;
};

// Every menu of the bar lists commands this way: the groups apart by separators, disabled
// commands greyed and, where the commands are toggles, checked ones checked.
void AppendCommandItems(HMENU menu, const std::vector<CommandGroup>& groups, bool toggles, CommandBarHost& commands);

class CApplicationMenu {
public:
    CApplicationMenu(CommandBarHost& commands, RibbonMenuHost& host) : commands_(commands), host_(host) {}
    CApplicationMenu(const CApplicationMenu&) = delete;
    CApplicationMenu& operator=(const CApplicationMenu&) = delete;

    // Shows the menu at a screen point and does what was chosen once it has closed.
    void Show(const RibbonModel& model, POINT screen);
    // A right click on an item of an open menu (WM_MENURBUTTONUP): on a recent item of this
    // menu, it closes the menu and asks for that item's pin to flip.
    void RightClick(HMENU menu, UINT position);

private:
    CommandBarHost& commands_;
    RibbonMenuHost& host_;
    HMENU open_ = nullptr;  // while it is open
    std::optional<std::size_t> pinRequest_;
};
