// The ribbon's window: a child strip at the top of the frame with the application button, the
// quick access toolbar, the tab row and, unless collapsed, the groups of the one tab. It shows
// what its host answers (labels, tooltips, enabled states) and tells the host what the user
// chose; the host owns the commands and their handlers.
#pragma once

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

    // What the bar last gave the tooltip: the title cannot be read back from the control.
    const std::wstring& LastTooltipTitle() const { return lastTooltipTitle_; }
    const std::wstring& LastTooltipText() const { return lastTooltipText_; }

    // Keytip mode (Alt, F10): badges on the top level's controls, keys taken by a thread hook
    // until a command runs, a menu opens or the mode is left. A typed letter or digit other than
    // 0 acts as if it had been typed at the top level (Alt+letter).
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
    static LRESULT CALLBACK TabRowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleNotify(const NMHDR& header);
    LRESULT DrawLargeButton(NMTBCUSTOMDRAW& draw);

    int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
    void BuildControls();
    void ClearToolbars();
    Toolbar MakeToolbar(int id, std::uint16_t group, bool large, std::vector<std::uint16_t> commands);
    UniqueImageList FrameIcon() const;
    // The commands' images at the bar's DPI, and grey ones for disabled buttons.
    UniqueImageList LoadImages(const std::vector<std::uint16_t>& commands, bool large, UniqueImageList& disabled) const;
    void FillButtons(const Toolbar& toolbar);
    void Layout();
    void Paint(HDC dc);
    const Toolbar* ToolbarOf(HWND window) const;
    void OpenMenuBelow(UINT32 command, HWND toolbar, int buttonIndex);

    static LRESULT CALLBACK KeytipKeyProc(int code, WPARAM key, LPARAM flags);
    static LRESULT CALLBACK KeytipMouseProc(int code, WPARAM message, LPARAM info);
    static LRESULT CALLBACK KeytipFocusProc(int code, WPARAM window, LPARAM info);
    void ShowKeytipLevel(KeytipLevel level);
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
    int topRowHeight_ = 0;
    bool collapsed_ = false;
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
