// The real ribbon over a real main window as a screen reader reads it: the accessible objects that
// the command bar's windows hand out, in both UI languages.
#include "CommandBar.h"
#include "CommandBarColours.h"
#include "Commands.h"
#include "UiStrings.h"
#include "WindowFixture.h"

#include <oleacc.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// What a client reads of one child of an accessible object.
struct ChildLook {
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
    std::wstring shortcut;
    RECT location{};
    bool located = false;
};

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*), IAccessible& object, VARIANT child) {
    BSTR text = nullptr;
    std::wstring copy;
    if ((object.*read)(child, &text) == S_OK && text) copy.assign(text, SysStringLen(text));
    SysFreeString(text);
    return copy;
}

ComPtr<IAccessible> ObjectOf(HWND window) {
    ComPtr<IAccessible> object;
    EXPECT_EQ(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(object.put())),
              S_OK);
    return object;
}

// Child `id`'s own object (a part of the bar, a menu button), or empty when it is a plain element.
ComPtr<IAccessible> ChildObject(IAccessible& parent, LONG id) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    ComPtr<IDispatch> dispatch;
    if (parent.get_accChild(child, dispatch.put()) != S_OK) return {};
    return dispatch.As<IAccessible>(IID_IAccessible);
}

std::vector<ChildLook> ChildrenOf(const ComPtr<IAccessible>& object) {
    std::vector<ChildLook> children;
    LONG count = 0;
    if (!object || object->get_accChildCount(&count) != S_OK) return children;
    for (LONG id = 1; id <= count; ++id) {
        VARIANT child;
        child.vt = VT_I4;
        child.lVal = id;
        ChildLook look;
        look.name = Text(&IAccessible::get_accName, *object.get(), child);
        look.shortcut = Text(&IAccessible::get_accKeyboardShortcut, *object.get(), child);
        VARIANT value;
        VariantInit(&value);
        if (object->get_accRole(child, &value) == S_OK && value.vt == VT_I4) look.role = value.lVal;
        VariantInit(&value);
        if (object->get_accState(child, &value) == S_OK && value.vt == VT_I4) look.state = value.lVal;
        LONG left = 0, top = 0, width = 0, height = 0;
        look.located = object->accLocation(&left, &top, &width, &height, child) == S_OK;
        look.location = RECT{left, top, left + width, top + height};
        children.push_back(look);
    }
    return children;
}

std::vector<std::wstring> Names(const std::vector<ChildLook>& children) {
    std::vector<std::wstring> names;
    for (const ChildLook& child : children) names.push_back(child.name);
    return names;
}

std::vector<std::wstring> Shortcuts(const std::vector<ChildLook>& children) {
    std::vector<std::wstring> shortcuts;
    for (const ChildLook& child : children) shortcuts.push_back(child.shortcut);
    return shortcuts;
}

bool Has(const ChildLook& child, LONG state) {
    return (child.state & state) == state;
}

RECT ButtonOnScreen(HWND toolbar, int index) {
    RECT rect{};
    SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class RibbonAccessibilityTest : public MainWindowTest {
protected:
    void TearDown() override {
        MainWindowTest::TearDown();
        SetProcessUiLanguage(UiLanguageTraditionalChinese);
    }

    // Two phrases (so Sort is enabled), no row selected (so Delete and Modify are not).
    HWND OpenBar(UiLanguage language) {
        window_.reset();
        SetProcessUiLanguage(language);
        PutText(kPhrasesValue, u"AB\tb\r\nC\ta\r\n");
        PutText(kTipsValue, u"\u4e00=\u4e00\u500b\r\n");
        const HWND bar = FindWindowExW(Open(CreateRibbon).Window(), nullptr, CommandBarClassName, nullptr);
        EXPECT_TRUE(bar);
        return bar;
    }
};

constexpr LONG Enabled = STATE_SYSTEM_FOCUSABLE;
constexpr LONG Disabled = STATE_SYSTEM_UNAVAILABLE;

TEST_F(RibbonAccessibilityTest, EveryCommandHasItsNameRoleStateAndKeytipsInTheUiLanguage) {
    HWND bar = OpenBar(UiLanguageEnglish);
    const HWND edit = GetDlgItem(bar, CommandBarFirstGroup);
    const HWND view = GetDlgItem(bar, CommandBarFirstGroup + 2);

    // The bar's children are its parts, in the order they show, each with its own object.
    const ComPtr<IAccessible> whole = ObjectOf(bar);
    const std::vector<ChildLook> parts = ChildrenOf(whole);
    ASSERT_EQ(parts.size(), 6u);
    std::vector<LONG> roles;
    for (const ChildLook& part : parts) roles.push_back(part.role);
    EXPECT_EQ(roles, (std::vector<LONG>{ROLE_SYSTEM_TOOLBAR, ROLE_SYSTEM_TOOLBAR, ROLE_SYSTEM_PAGETABLIST, ROLE_SYSTEM_TOOLBAR,
                                        ROLE_SYSTEM_TOOLBAR, ROLE_SYSTEM_TOOLBAR}));
    EXPECT_EQ(parts[3].name, L"Edit");
    EXPECT_EQ(parts[5].name, L"View");
    EXPECT_EQ(Names(ChildrenOf(ChildObject(*whole.get(), 3))), std::vector<std::wstring>{L"Home"});

    // The application button shows only the program's icon: it is named after the window.
    const std::vector<ChildLook> application = ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarApplicationButton)));
    ASSERT_EQ(application.size(), 1u);
    EXPECT_EQ(application[0].name, L"Wordloom window test");
    EXPECT_EQ(application[0].role, ROLE_SYSTEM_BUTTONMENU);
    EXPECT_TRUE(Has(application[0], STATE_SYSTEM_HASPOPUP | Enabled));
    EXPECT_EQ(application[0].shortcut, L"Alt, F");
    const std::vector<ChildLook> fileMenu =
        ChildrenOf(ChildObject(*ObjectOf(GetDlgItem(bar, CommandBarApplicationButton)).get(), 1));
    EXPECT_EQ(Names(fileMenu),
              (std::vector<std::wstring>{L"Import", L"Import and merge", L"Export", L"Save", L"About", L"Exit"}));
    EXPECT_EQ(Shortcuts(fileMenu), (std::vector<std::wstring>{L"Alt, F, I", L"Alt, F, M", L"Alt, F, E", L"Alt, F, S",
                                                              L"Alt, F, A", L"Alt, F, X"}));

    // Icon-only quick access buttons still have their names, and numbers for keytips.
    const std::vector<ChildLook> quick = ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarQuickAccess)));
    EXPECT_EQ(Names(quick), (std::vector<std::wstring>{L"Save", L"Undelete", L"Import", L"Delete", L"Export"}));
    EXPECT_EQ(Shortcuts(quick), (std::vector<std::wstring>{L"Alt, 1", L"Alt, 2", L"Alt, 3", L"Alt, 4", L"Alt, 5"}));
    ASSERT_EQ(quick.size(), 5u);
    EXPECT_TRUE(Has(quick[0], Enabled));
    EXPECT_FALSE(quick[0].state & Disabled);
    EXPECT_TRUE(Has(quick[1], Disabled));  // nothing deleted yet
    EXPECT_FALSE(quick[1].state & Enabled);

    const std::vector<ChildLook> tabs = ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarTabRow)));
    ASSERT_EQ(tabs.size(), 1u);
    EXPECT_EQ(tabs[0].role, ROLE_SYSTEM_PAGETAB);
    EXPECT_TRUE(Has(tabs[0], STATE_SYSTEM_SELECTED | Enabled));
    EXPECT_EQ(tabs[0].shortcut, L"Alt, H");

    const std::vector<ChildLook> large = ChildrenOf(ObjectOf(edit));
    EXPECT_EQ(Names(large), (std::vector<std::wstring>{L"Insert", L"Delete", L"Modify"}));
    EXPECT_EQ(Shortcuts(large), (std::vector<std::wstring>{L"Alt, H, I", L"Alt, H, D", L"Alt, H, O"}));
    ASSERT_EQ(large.size(), 3u);
    EXPECT_EQ(large[1].role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_TRUE(Has(large[0], Enabled));
    EXPECT_TRUE(Has(large[1], Disabled));  // no row selected
    EXPECT_TRUE(Has(large[2], Disabled));
    ASSERT_TRUE(large[1].located);
    const RECT deleteButton = ButtonOnScreen(edit, 1);
    EXPECT_TRUE(EqualRect(&large[1].location, &deleteButton));
    EXPECT_EQ(Names(ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarFirstGroup + 1)))),
              (std::vector<std::wstring>{L"Undelete", L"Select all", L"Find"}));

    // Sort is a menu button; its toggles are its children, read while the menu is closed. Filter,
    // beside it, is a plain button.
    const std::vector<ChildLook> sort = ChildrenOf(ObjectOf(view));
    EXPECT_EQ(Names(sort), (std::vector<std::wstring>{L"Sort by", L"Filter"}));
    EXPECT_EQ(Shortcuts(sort), (std::vector<std::wstring>{L"Alt, H, T", L"Alt, H, L"}));
    ASSERT_EQ(sort.size(), 2u);
    EXPECT_EQ(sort[1].role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_TRUE(Has(sort[1], Enabled));
    EXPECT_EQ(sort[0].role, ROLE_SYSTEM_BUTTONMENU);
    EXPECT_TRUE(Has(sort[0], STATE_SYSTEM_HASPOPUP | Enabled));
    const std::vector<ChildLook> toggles = ChildrenOf(ChildObject(*ObjectOf(view).get(), 1));
    EXPECT_EQ(Names(toggles), (std::vector<std::wstring>{L"Sort by phrase", L"Sort by Vantix input key",
                                                         L"Sort by input key", L"Ascending", L"Descending"}));
    EXPECT_EQ(Shortcuts(toggles), (std::vector<std::wstring>{L"Alt, H, T, P", L"Alt, H, T, V", L"Alt, H, T, K", L"", L""}));
    ASSERT_EQ(toggles.size(), 5u);
    EXPECT_EQ(toggles[0].role, ROLE_SYSTEM_MENUITEM);
    EXPECT_TRUE(Has(toggles[0], STATE_SYSTEM_INVISIBLE));
    EXPECT_FALSE(toggles[0].located);
    EXPECT_FALSE(toggles[0].state & STATE_SYSTEM_CHECKED);

    // A selected row (the list's click refreshes the states) and a sort by phrase show in a
    // second read.
    ListView_SetItemState(window_->PhraseList(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NMHDR click{window_->PhraseList(), 0, NM_CLICK};
    SendMessageW(window_->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    ClickHeader(1);
    const std::vector<ChildLook> after = ChildrenOf(ObjectOf(edit));
    ASSERT_EQ(after.size(), 3u);
    EXPECT_TRUE(Has(after[1], Enabled));
    EXPECT_FALSE(after[1].state & Disabled);
    EXPECT_TRUE(Has(ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarQuickAccess))).at(3), Enabled));
    const std::vector<ChildLook> sorted = ChildrenOf(ChildObject(*ObjectOf(view).get(), 1));
    ASSERT_EQ(sorted.size(), 5u);
    EXPECT_TRUE(Has(sorted[0], STATE_SYSTEM_CHECKED));
    EXPECT_FALSE(sorted[1].state & STATE_SYSTEM_CHECKED);
    EXPECT_TRUE(Has(sorted[3], STATE_SYSTEM_CHECKED));
    EXPECT_FALSE(sorted[4].state & STATE_SYSTEM_CHECKED);

    // Traditional Chinese: the labels of that language without their mnemonic marks; the keys
    // inside the Sort menu are its labels' mnemonics.
    bar = OpenBar(UiLanguageTraditionalChinese);
    EXPECT_EQ(Names(ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarTabRow)))), std::vector<std::wstring>{L"\u5e38\u7528"});
    const std::vector<ChildLook> chineseQuick = ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarQuickAccess)));
    ASSERT_EQ(chineseQuick.size(), 5u);
    EXPECT_EQ(chineseQuick[0].name, L"\u5132\u5b58 (S)");
    EXPECT_EQ(chineseQuick[0].shortcut, L"Alt, 1");
    const std::vector<ChildLook> chineseLarge = ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarFirstGroup)));
    ASSERT_EQ(chineseLarge.size(), 3u);
    EXPECT_EQ(chineseLarge[1].name, L"\u522a\u9664");
    EXPECT_EQ(chineseLarge[1].shortcut, L"Alt, H, D");
    EXPECT_TRUE(Has(chineseLarge[1], Disabled));
    const std::vector<ChildLook> chineseToggles =
        ChildrenOf(ChildObject(*ObjectOf(GetDlgItem(bar, CommandBarFirstGroup + 2)).get(), 1));
    ASSERT_EQ(chineseToggles.size(), 5u);
    EXPECT_EQ(chineseToggles[1].name, L"\u4f9d\u842c\u7df9\u8f38\u5165\u9375\u6392\u5e8f (A)");
    EXPECT_EQ(chineseToggles[1].shortcut, L"Alt, H, T, A");
    EXPECT_EQ(chineseToggles[3].name, L"\u905e\u589e");
    const std::vector<ChildLook> chineseView = ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarFirstGroup + 2)));
    EXPECT_EQ(Names(chineseView), (std::vector<std::wstring>{L"\u6392\u5e8f", L"\u7be9\u9078"}));
    EXPECT_EQ(Shortcuts(chineseView), (std::vector<std::wstring>{L"Alt, H, T", L"Alt, H, L"}));

    // Collapsed, the groups are there but hidden, and say so.
    Command(cmdAccelToggleRibbon);
    const std::vector<ChildLook> collapsed = ChildrenOf(ObjectOf(bar));
    ASSERT_EQ(collapsed.size(), 6u);
    EXPECT_FALSE(collapsed[0].state & STATE_SYSTEM_INVISIBLE);
    EXPECT_TRUE(Has(collapsed[3], STATE_SYSTEM_INVISIBLE));
    EXPECT_TRUE(Has(ChildrenOf(ObjectOf(GetDlgItem(bar, CommandBarFirstGroup))).at(0), STATE_SYSTEM_INVISIBLE));
}

// Not a check: the real ribbon under a high-contrast theme (Wine cannot switch one on, so the bar
// is told) with Insert hot, left up for tools/screenshots to capture.
class RibbonScreenshot : public RibbonAccessibilityTest {};

TEST_F(RibbonScreenshot, HighContrastForCapture) {
    const char* language = std::getenv("VANTIX_SCREENSHOT_LANGUAGE");
    if (!language) GTEST_SKIP() << "used by tools/screenshots";
    SetHighContrastQuery([] { return true; });
    const HWND bar = OpenBar(static_cast<UiLanguage>(std::atoi(language)));
    for (HWND part = GetWindow(bar, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT)) {
        const LRESULT insert = SendMessageW(part, TB_COMMANDTOINDEX, cmdInsert, 0);
        if (GetDlgCtrlID(part) >= CommandBarFirstGroup && insert >= 0) SendMessageW(part, TB_SETHOTITEM, insert, 0);
    }
    for (const DWORD end = GetTickCount() + 15000; GetTickCount() < end; Sleep(50)) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    SetHighContrastQuery(nullptr);
}

}  // namespace
