// What the command bar's own source files share: not for use outside the bar.
#pragma once

#include "RibbonMarkup.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace commandbar {

// A key that the keytip hook took: the bar acts on it outside the hook, where menus may open.
// Key 0 (from a click or a focus change) leaves keytip mode.
inline constexpr UINT KeytipKeyMessage = WM_APP + 1;

inline bool IsDropDown(const RibbonModel& model, std::uint16_t command) {
    const RibbonCommand* found = model.Command(command);
    return found && (found->kind == CommandKind::DropDownButton || found->kind == CommandKind::ApplicationMenu);
}

inline RECT ItemRect(HWND toolbar, int index) {
    RECT rect{};
    SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

}  // namespace commandbar
