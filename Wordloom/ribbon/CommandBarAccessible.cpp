#include "CommandBarAccessible.h"
#include "WideText.h"

#include "CommandBar.h"
#include "CommandBarParts.h"
#include "Keytips.h"
#include "RibbonInterfaces.h"

#include <oleacc.h>

#include <algorithm>
#include <new>

using commandbar::IsDropDown;
using commandbar::ItemRect;
using Kind = CommandBarElement::Kind;

namespace {

RECT ScreenRect(HWND window, RECT rect) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG RoleOf(Kind kind) {
    switch (kind) {
    case Kind::Bar: return ROLE_SYSTEM_PANE;
    case Kind::Toolbar: return ROLE_SYSTEM_TOOLBAR;
    case Kind::TabRow: return ROLE_SYSTEM_PAGETABLIST;
    case Kind::MenuButton: return ROLE_SYSTEM_BUTTONMENU;
    case Kind::Tab: return ROLE_SYSTEM_PAGETAB;
    case Kind::MenuItem: return ROLE_SYSTEM_MENUITEM;
    case Kind::Button: break;
    }
    return ROLE_SYSTEM_PUSHBUTTON;
}

LONG StateOf(const CommandBarElement& element) {
    LONG state = 0;
    if (!element.shown) state |= STATE_SYSTEM_INVISIBLE;
    if (!element.enabled) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    } else if (element.command != 0) {
        state |= STATE_SYSTEM_FOCUSABLE;
    }
    if (element.focused) state |= STATE_SYSTEM_FOCUSED;
    if (element.checked) state |= STATE_SYSTEM_CHECKED;
    if (element.pressed) state |= STATE_SYSTEM_PRESSED;
    if (element.kind == Kind::MenuButton) state |= STATE_SYSTEM_HASPOPUP;
    if (element.kind == Kind::Tab) state |= STATE_SYSTEM_SELECTABLE | (element.selected ? STATE_SYSTEM_SELECTED : 0);
    return state;
}

// A text answer: S_FALSE and no string when there is none.
HRESULT TextAnswer(const std::wstring& text, BSTR* answer) {
    if (text.empty()) return S_FALSE;
    *answer = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *answer ? S_OK : E_OUTOFMEMORY;
}

VARIANT ChildId(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// The object of one window of the bar, or of a menu button on one of its parts. It holds only the
// window and asks the bar behind it on every call, so a client that keeps it past the bar gets
// errors, not a dangling bar.
class CCommandBarAccessible final : public CSingleInterfaceObject<IAccessible, IID_IAccessible> {
public:
    // IAccessible is an IDispatch: clients ask for either.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object && IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return CSingleInterfaceObject::QueryInterface(iid, object);
    }

    // IDispatch: the object has no type information; clients call its IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // The object of a window of the bar (menuButton 0) or of a menu button on one of its parts.
    static HRESULT Make(HWND window, UINT32 menuButton, IDispatch** object) {
        auto* made = new (std::nothrow) CCommandBarAccessible(window, menuButton);
        if (!made) return E_OUTOFMEMORY;
        *object = made;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (menuButton_ != 0) return Make(window_, 0, parent);
        // The window's own object, as the system's client objects answer.
        return CreateStdAccessibleObject(window_, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        View view;
        if (!Look(view)) return E_FAIL;
        *count = static_cast<LONG>(view.children.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        View view;
        if (!Look(view)) return E_FAIL;
        const CommandBarElement* element = Find(view, child);
        if (!element || element == &view.self) return E_INVALIDARG;
        return ChildObject(*element, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, &CommandBarElement::name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Text(child, description, &CommandBarElement::description);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Text(child, shortcut, &CommandBarElement::shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [](const CommandBarElement& element) { return RoleOf(element.kind); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, StateOf);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        View view;
        if (!Look(view)) return E_FAIL;
        for (std::size_t index = 0; index < view.children.size(); ++index) {
            if (view.children[index].focused) {
                *focus = ChildId(static_cast<LONG>(index) + 1);
                return S_OK;
            }
        }
        if (!view.self.focused) return S_FALSE;
        *focus = ChildId(CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        View view;
        if (!Look(view)) return E_FAIL;
        const CommandBarElement* element = Find(view, child);
        if (!element) return E_INVALIDARG;
        if (!element->shown) return S_FALSE;  // a closed menu's item, a collapsed group: nowhere
        *left = element->screen.left;
        *top = element->screen.top;
        *width = element->screen.right - element->screen.left;
        *height = element->screen.bottom - element->screen.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        VariantInit(hit);
        View view;
        if (!Look(view)) return E_FAIL;
        const POINT point{x, y};
        for (std::size_t index = 0; index < view.children.size(); ++index) {
            const CommandBarElement& element = view.children[index];
            if (!element.shown || !PtInRect(&element.screen, point)) continue;
            IDispatch* object = nullptr;
            if (ChildObject(element, &object) == S_OK) {
                hit->vt = VT_DISPATCH;
                hit->pdispVal = object;
            } else {
                *hit = ChildId(static_cast<LONG>(index) + 1);
            }
            return S_OK;
        }
        if (!view.self.shown || !PtInRect(&view.self.screen, point)) return S_FALSE;
        *hit = ChildId(CHILDID_SELF);
        return S_OK;
    }

    // Not offered: values, help, selection, navigation and actions (the keytips and the buttons
    // carry those).
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return NotOffered(value); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return NotOffered(help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG*) override { return NotOffered(file); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override { return NotOffered(action); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection) VariantInit(selection);
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
        if (end) VariantInit(end);
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    CCommandBarAccessible(HWND window, UINT32 menuButton) : window_(window), menuButton_(menuButton) {}
    ~CCommandBarAccessible() override = default;

    struct View {
        CommandBarElement self;
        std::vector<CommandBarElement> children;  // child id n is children[n - 1]
    };

    static HRESULT NotOffered(BSTR* answer) {
        if (answer) *answer = nullptr;
        return E_NOTIMPL;
    }

    // What the object stands for now; false when the bar is gone.
    bool Look(View& view) const {
        const CCommandBar* bar = CCommandBar::FromWindow(window_);
        if (!bar) bar = CCommandBar::FromWindow(GetParent(window_));
        if (!bar) return false;
        if (menuButton_ == 0) {
            view.self = bar->DescribeWindow(window_);
            view.children = bar->ElementsIn(window_);
            return true;
        }
        for (CommandBarElement& element : bar->ElementsIn(window_)) {
            if (element.command != menuButton_) continue;
            view.self = std::move(element);
            view.children = bar->MenuElements(window_, menuButton_);
            return true;
        }
        return false;
    }

    static const CommandBarElement* Find(const View& view, const VARIANT& child) {
        if (child.vt != VT_I4) return nullptr;
        if (child.lVal == CHILDID_SELF) return &view.self;
        if (child.lVal < 1 || static_cast<std::size_t>(child.lVal) > view.children.size()) return nullptr;
        return &view.children[static_cast<std::size_t>(child.lVal) - 1];
    }

    // A part of the bar and a menu button are objects of their own; a plain command is not.
    HRESULT ChildObject(const CommandBarElement& element, IDispatch** object) const {
        if (element.window) return Make(element.window, 0, object);
        if (element.kind == Kind::MenuButton && menuButton_ == 0) return Make(window_, element.command, object);
        return S_FALSE;
    }

    HRESULT Text(const VARIANT& child, BSTR* answer, std::wstring CommandBarElement::*field) const {
        if (!answer) return E_POINTER;
        *answer = nullptr;
        View view;
        if (!Look(view)) return E_FAIL;
        const CommandBarElement* element = Find(view, child);
        return element ? TextAnswer(element->*field, answer) : E_INVALIDARG;
    }

    template <class Of>
    HRESULT Number(const VARIANT& child, VARIANT* answer, Of of) const {
        if (!answer) return E_POINTER;
        VariantInit(answer);
        View view;
        if (!Look(view)) return E_FAIL;
        const CommandBarElement* element = Find(view, child);
        if (!element) return E_INVALIDARG;
        *answer = ChildId(of(*element));
        return S_OK;
    }

    HWND window_;
    UINT32 menuButton_;  // 0: the window itself
};

}  // namespace

LRESULT AnswerCommandBarObject(HWND window, WPARAM flags, LPARAM objectId) {
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
    IDispatch* made = nullptr;
    if (FAILED(CCommandBarAccessible::Make(window, 0, &made))) return 0;
    // The result holds a reference of its own; ours goes.
    const ComPtr<IDispatch> object = ComPtr<IDispatch>::Adopt(made);
    const LRESULT result = LresultFromObject(IID_IAccessible, flags, object.get());
    return result > 0 ? result : 0;
}

std::wstring CCommandBar::AccessibleName(UINT32 command) const {
    const std::wstring label = host_.Label(command);
    const std::wstring name = Wide(WithoutMnemonic(std::u16string(label.begin(), label.end())));
    if (!name.empty() || command != model_.applicationMenu.command || !frame_) return name;
    // The application button shows the program's icon, and only a label when the program gives one.
    wchar_t caption[256]{};
    GetWindowTextW(frame_, caption, 256);
    return caption;
}

CommandBarElement CCommandBar::ButtonElement(const Toolbar& toolbar, int index) const {
    const UINT32 command = toolbar.commands[static_cast<std::size_t>(index)];
    CommandBarElement element;
    element.kind = IsDropDown(model_, static_cast<std::uint16_t>(command)) ? Kind::MenuButton : Kind::Button;
    element.command = command;
    element.name = AccessibleName(command);
    element.description = host_.TooltipDescription(command);
    element.shortcut = Wide(KeytipShortcut(KeytipPath(toolbar.window, index)));
    element.enabled = host_.Enabled(command);
    element.pressed = SendMessageW(toolbar.window, TB_ISBUTTONPRESSED, command, 0) != 0;
    element.focused = GetFocus() == toolbar.window && SendMessageW(toolbar.window, TB_GETHOTITEM, 0, 0) == index;
    element.shown = IsWindowVisible(toolbar.window) != FALSE;
    element.screen = ScreenRect(toolbar.window, ItemRect(toolbar.window, index));
    return element;
}

CommandBarElement CCommandBar::DescribeWindow(HWND window) const {
    CommandBarElement element;
    element.window = window;
    element.kind = window == window_ ? Kind::Bar : window == tabRow_ ? Kind::TabRow : Kind::Toolbar;
    element.focused = GetFocus() == window;
    element.shown = IsWindowVisible(window) != FALSE;
    GetWindowRect(window, &element.screen);
    if (const Toolbar* toolbar = ToolbarOf(window)) {
        // A group's toolbars carry its name; the other two, their commands'.
        const bool quickAccess = window == toolbars_[1].window;
        element.name = AccessibleName(toolbar->group       ? toolbar->group
                                      : quickAccess        ? model_.quickAccessToolbar
                                                           : model_.applicationMenu.command);
    }
    return element;
}

std::vector<CommandBarElement> CCommandBar::ElementsIn(HWND window) const {
    std::vector<CommandBarElement> elements;
    if (window == window_) {
        // The parts in the order they show: application button, quick access, tab row, groups.
        std::vector<HWND> parts;
        for (const Toolbar& toolbar : toolbars_) parts.push_back(toolbar.window);
        parts.insert(parts.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(2, parts.size())), tabRow_);
        for (const HWND part : parts) {
            if (part) elements.push_back(DescribeWindow(part));
        }
    } else if (window == tabRow_) {
        const int count = static_cast<int>(SendMessageW(tabRow_, TCM_GETITEMCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            TCITEMW item{};
            item.mask = TCIF_PARAM;
            SendMessageW(tabRow_, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
            RECT rect{};
            SendMessageW(tabRow_, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
            CommandBarElement tab;
            tab.kind = Kind::Tab;
            tab.command = static_cast<UINT32>(item.lParam);
            tab.name = AccessibleName(tab.command);
            tab.shortcut = Wide(KeytipShortcut(KeytipPath(tabRow_, index)));
            tab.selected = SendMessageW(tabRow_, TCM_GETCURSEL, 0, 0) == index;
            tab.shown = IsWindowVisible(tabRow_) != FALSE;
            tab.screen = ScreenRect(tabRow_, rect);
            elements.push_back(std::move(tab));
        }
    } else if (const Toolbar* toolbar = ToolbarOf(window)) {
        for (std::size_t index = 0; index < toolbar->commands.size(); ++index) {
            elements.push_back(ButtonElement(*toolbar, static_cast<int>(index)));
        }
    }
    return elements;
}

std::vector<CommandBarElement> CCommandBar::MenuElements(HWND part, UINT32 menuButton) const {
    const Toolbar* toolbar = ToolbarOf(part);
    if (!toolbar) return {};
    const auto button = std::find(toolbar->commands.begin(), toolbar->commands.end(), menuButton);
    const CommandMenu* menu = menuButton == model_.applicationMenu.command
                                  ? &model_.applicationMenu
                                  : model_.DropDown(static_cast<std::uint16_t>(menuButton));
    if (button == toolbar->commands.end() || !menu) return {};
    // Once the menu is open, an item's key is its label's mnemonic.
    std::vector<std::u16string> keys = KeytipPath(part, static_cast<int>(button - toolbar->commands.begin()));
    std::vector<CommandBarElement> elements;
    for (const CommandGroup& group : menu->groups) {
        for (const std::uint16_t command : group) {
            const std::wstring label = host_.Label(command);
            const RibbonCommand* found = model_.Command(command);
            CommandBarElement item;
            item.kind = Kind::MenuItem;
            item.command = command;
            item.name = AccessibleName(command);
            item.description = host_.TooltipDescription(command);
            keys.push_back(MnemonicKeytip(std::u16string(label.begin(), label.end())));
            item.shortcut = Wide(KeytipShortcut(keys));
            keys.pop_back();
            item.enabled = host_.Enabled(command);
            item.checked = found && found->kind == CommandKind::Toggle && host_.Checked(command);
            item.shown = false;  // the open menu is the system's own window
            elements.push_back(std::move(item));
        }
    }
    return elements;
}
