// The ribbon's window: a child strip at the top of the frame with the application button, the
// quick access toolbar, the tab row and, unless collapsed, the groups of the one tab. It shows
// what its host answers (labels, tooltips, enabled states) and tells the host what the user
// chose; the host owns the commands and their handlers.
#pragma once

#include "CommandBarLayout.h"
#include "RibbonMarkup.h"
#include "Win32Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What the bar asks of and tells to the framework that owns it.
class CommandBarHost {
public:
    virtual std::wstring Label(UINT32 command) = 0;
    virtual std::wstring TooltipTitle(UINT32 command) = 0;
    virtual std::wstring TooltipDescription(UINT32 command) = 0;
    virtual bool Enabled(UINT32 command) = 0;
    // A toggle's checked value as its handler answers it now.
    virtual bool Checked(UINT32 command) = 0;
    virtual void Execute(UINT32 command) = 0;
    // The application button or a drop-down button was pressed: its menu opens at a screen point.
    virtual void OpenMenu(UINT32 command, POINT screen) = 0;
    // A right click on an item of an open menu.
    virtual void MenuRightClick(HMENU menu, UINT position) = 0;
    // The bar's height changed (collapse, DPI): the frame lays itself out again.
    virtual void HeightChanged() = 0;

protected:
    ~CommandBarHost() = default;
};

// The child windows' identifiers, so that tests find them.
enum CommandBarPart : int {
    CommandBarApplicationButton = 1,
    CommandBarQuickAccess = 2,
    CommandBarTabRow = 3,
    CommandBarFirstGroup = 100,  // one toolbar per run of same-sized controls of a group, in order
};

// What the bar's accessible objects say of one of its windows or of one command on it, as it
// shows now.
struct CommandBarElement {
    enum class Kind { Bar, Toolbar, TabRow, Button, MenuButton, Tab, MenuItem };
    Kind kind = Kind::Button;
    UINT32 command = 0;       // 0: the bar or one of its parts
    HWND window = nullptr;    // a part of the bar: its own window, which answers for its commands
    std::wstring name;        // the label without its mnemonic mark
    std::wstring description; // the tooltip's
    std::wstring shortcut;    // the keytips' keys, "Alt, H, D"; empty: none
    bool enabled = true;
    bool checked = false;
    bool pressed = false;
    bool focused = false;
    bool selected = false;    // the tab on show
    bool shown = true;        // false: hidden (collapsed groups, a menu's items while it is closed)
    RECT screen{};
};

inline constexpr wchar_t CommandBarClassName[] = L"WordloomCommandBar";
// The small popups that show keytips; a disabled command's badge is a disabled window, drawn grey.
inline constexpr wchar_t KeytipBadgeClassName[] = L"WordloomKeytipBadge";

class CCommandBar {
public:
    CCommandBar(CommandBarHost& host, const RibbonModel& model, HINSTANCE images);
    ~CCommandBar();
    CCommandBar(const CCommandBar&) = delete;
    CCommandBar& operator=(const CCommandBar&) = delete;

    // Creates the window at the top of the frame's client area, laid out for dpi.
    bool Create(HWND frame, int dpi, const std::vector<std::uint16_t>& quickAccess, bool collapsed);
    void Destroy();
    HWND Window() const { return window_; }
    int Height() const { return height_; }

    bool Collapsed() const { return collapsed_; }
    void SetCollapsed(bool collapsed);
    void SetQuickAccess(const std::vector<std::uint16_t>& commands);
    // The frame's client width changed.
    void FitWidth(int width);
    void SetDpi(int dpi);
    // Every label read again (the language changed, or the host was told to invalidate).
    void RefreshLabels();
    void SetEnabled(UINT32 command, bool enabled);
    // The frame was told of new system colours, a theme or other settings (WM_SYSCOLORCHANGE,
    // WM_THEMECHANGED, WM_SETTINGCHANGE): the bar greys its disabled images again, passes the
    // message on to its controls and paints anew.
    void FollowSystemChange(UINT message, WPARAM wParam, LPARAM lParam);

    // What the bar last gave the tooltip: the title cannot be read back from the control.
    const std::wstring& LastTooltipTitle() const { return lastTooltipTitle_; }
    const std::wstring& LastTooltipText() const { return lastTooltipText_; }

    // For the accessible objects: the bar or one of its parts (toolbars, tab row) itself; what it
    // holds (the bar: its parts; a part: its commands, in order); and the commands in the menu of
    // a menu button on a part (the application menu's without the recent items).
    CommandBarElement DescribeWindow(HWND window) const;
    std::vector<CommandBarElement> ElementsIn(HWND window) const;
    std::vector<CommandBarElement> MenuElements(HWND part, UINT32 menuButton) const;

    // Keytip mode (Alt, F10): badges on the top level's controls, keys taken by a thread hook
    // until a command runs, a menu opens or the mode is left. A typed letter or digit other than
    // 0 acts as if it had been typed at the top level (Alt+letter). While the ribbon is collapsed
    // the tab's keytip shows its groups over the window until the mode ends or a command runs;
    // the bar stays collapsed.
    void StartKeytips(wchar_t typed);
    void LeaveKeytips();
    bool ShowingKeytips() const { return keytipLevel_ != KeytipLevel::None; }

    // The bar behind one of its windows, or null.
    static CCommandBar* FromWindow(HWND window);

private:
    struct Toolbar {
        HWND window = nullptr;
        std::uint16_t group = 0;  // 0: not a tab group's
        bool large = false;
        std::vector<std::uint16_t> commands;
        UniqueImageList images;
        UniqueImageList disabledImages;
    };

    enum class KeytipLevel { None, Top, Tab };
    // A control that a keytip picks, where its badge goes, and what it does.
    struct KeytipTarget {
        std::u16string keytip;
        HWND control = nullptr;  // a toolbar, or the tab row for the tab itself
        int index = 0;           // the button or tab
        UINT32 command = 0;
        bool enabled = true;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The toolbars and the tab row: their accessible objects, Down and F4 on a drop-down button,
    // and the tab row's double click.
    static LRESULT CALLBACK PartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleNotify(const NMHDR& header);
    // Every button is drawn by the bar, in the system's colours (CommandBarPainting.cpp).
    LRESULT DrawButton(NMTBCUSTOMDRAW& draw);

    int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
    void BuildControls();
    void ClearToolbars();
    Toolbar MakeToolbar(int id, std::uint16_t group, bool large, std::vector<std::uint16_t> commands);
    // The toolbar's images and its disabled ones, made anew in the colours now in force.
    void GiveImages(Toolbar& toolbar) const;
    void FillButtons(const Toolbar& toolbar);
    // Layout leaves keytip mode, as the badges would no longer sit on their controls; Arrange
    // only places the controls: it measures them, has CommandBarLayout.h place them and moves
    // them there.
    void Layout();
    void Arrange();
    CommandBarMeasurements Measure();
    void Place(const CommandBarLayout& layout);
    // The collapsed ribbon's groups shown over the window for a while, or hidden again.
    void StartPeek();
    void EndPeek();
    void Paint(HDC dc);
    const Toolbar* ToolbarOf(HWND window) const;
    void OpenMenuBelow(UINT32 command, HWND toolbar, int buttonIndex);
    // What a button does when clicked, picked by keytips or opened with Down: a drop-down's menu
    // below it, or its command. Keytip mode ends first, so that the menu takes the keys.
    void PressButton(UINT32 command, HWND toolbar, int buttonIndex);
    // Down or F4 on a toolbar whose hot button is a drop-down; false when it is not.
    bool OpenHotDropDown(HWND toolbar);

    std::u16string KeytipOf(std::uint16_t command) const;
    // The keytips typed on the way to a button of a part (or the tab of the tab row).
    std::vector<std::u16string> KeytipPath(HWND part, int index) const;
    std::wstring AccessibleName(UINT32 command) const;
    CommandBarElement ButtonElement(const Toolbar& toolbar, int index) const;

    static LRESULT CALLBACK KeytipKeyProc(int code, WPARAM key, LPARAM flags);
    static LRESULT CALLBACK KeytipMouseProc(int code, WPARAM message, LPARAM info);
    static LRESULT CALLBACK KeytipFocusProc(int code, WPARAM window, LPARAM info);
    void ShowKeytipLevel(KeytipLevel level);
    void EndKeytipMode();
    void HideBadges();
    void TypeKeytipKey(WPARAM key);
    void RunKeytipTarget(const KeytipTarget& target);

    CommandBarHost& host_;
    const RibbonModel& model_;
    HINSTANCE images_;
    HWND frame_ = nullptr;
    HWND window_ = nullptr;
    HWND tabRow_ = nullptr;
    std::vector<Toolbar> toolbars_;
    std::vector<std::uint16_t> quickAccess_;
    UniqueFont font_;
    int dpi_ = 96;
    int width_ = 0;
    int height_ = 0;
    bool collapsed_ = false;
    bool peeking_ = false;  // collapsed, with the groups shown over the window for keytips
    // The group labels and where the groups end, for painting.
    struct GroupFrame {
        std::uint16_t group = 0;
        RECT box{};
        std::wstring label;
    };
    std::vector<GroupFrame> groupFrames_;
    std::wstring lastTooltipTitle_;
    std::wstring lastTooltipText_;
    KeytipLevel keytipLevel_ = KeytipLevel::None;
    std::vector<KeytipTarget> keytipTargets_;
    std::vector<HWND> badges_;  // one per target, in the same order
    std::u16string keytipTyped_;
    UniqueHook keyHook_;
    UniqueHook mouseHook_;
    UniqueHook focusHook_;
};
