// The ribbon framework over a plain frame window, driven by a fake application that records what
// the framework asks and tells it.
#include "CommandBar.h"
#include "CommandBarColours.h"
#include "Commands.h"
#include "DisplayMetrics.h"
#include "KeytipKeys.h"
#include "RibbonFramework.h"
#include "RibbonState.h"

#include <commctrl.h>
#include <oleacc.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// A recent item as the application hands it out.
class FakeItem final : public IRibbonPropertySet {
public:
    FakeItem(std::wstring label, std::wstring path, bool pinned) : label_(std::move(label)), path_(std::move(path)), pinned_(pinned) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IRibbonPropertySet)) return E_NOINTERFACE;
        *object = static_cast<IRibbonPropertySet*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetValue(const PROPERTYKEY& key, PROPVARIANT* value) override {
        if (SameKey(key, RibbonKeyLabel)) return RibbonStringValue(label_.c_str(), value);
        if (SameKey(key, RibbonKeyLabelDescription)) return RibbonStringValue(path_.c_str(), value);
        if (SameKey(key, RibbonKeyPinned)) return RibbonBooleanValue(pinned_, value);
        return E_NOTIMPL;
    }

private:
    ULONG references_ = 1;
    std::wstring label_;
    std::wstring path_;
    bool pinned_;
};

std::wstring StringOf(IRibbonPropertySet* set, const PROPERTYKEY& key) {
    PROPVARIANT value;
    PropVariantInit(&value);
    std::wstring text;
    if (set && SUCCEEDED(set->GetValue(key, &value)) && value.vt == VT_LPWSTR) text = value.pwszVal;
    PropVariantClear(&value);
    return text;
}

bool PinnedOf(IRibbonPropertySet* set) {
    PROPVARIANT value;
    PropVariantInit(&value);
    const bool pinned = SUCCEEDED(set->GetValue(RibbonKeyPinned, &value)) && ReadRibbonBoolean(value, false);
    PropVariantClear(&value);
    return pinned;
}

// The application and the one handler of every command; it lives on the test's stack, so its
// count only shows who still holds it.
class FakeApplication final : public IRibbonApplication, public IRibbonCommandHandler {
public:
    std::vector<std::string> events;
    std::vector<UINT32> executed;
    std::map<UINT32, std::wstring> labels{{cmdFileMenu, L"File"}, {cmdHome, L"Home"},       {cmdGroupEdit, L"Edit"},
                                          {cmdGroupView, L"View"}, {cmdInsert, L"Insert"},   {cmdDelete, L"Delete"},
                                          {cmdModify, L"Modify"},  {cmdUndelete, L"Undelete"}, {cmdSelectAll, L"Select all"},
                                          {cmdSort, L"Sort list"}, {cmdSave, L"Save"},       {cmdImport, L"Import"},
                                          {cmdExport, L"Export"},  {cmdAbout, L"About"},     {cmdExit, L"Exit"}, {cmdImportMerge, L"Merge"},
                                          {cmdSortByPhrase, L"By phrase"}, {cmdAscendingSort, L"Ascending"}};
    std::map<UINT32, bool> toggles{{cmdSortByPhrase, true}, {cmdAscendingSort, false}};
    // The last execution of the recent items, as it came.
    std::string recentKey;
    PROPVARIANT recentValue{};
    std::vector<std::pair<std::wstring, bool>> pinsSent;
    std::wstring chosenPath;
    ULONG references = 1;
    bool barAliveAtDestroy = false;
    std::vector<std::uint8_t> savedAtDestroy;

    ~FakeApplication() { PropVariantClear(&recentValue); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRibbonApplication)) {
            *object = static_cast<IRibbonApplication*>(this);
        } else if (IsEqualIID(iid, IID_IRibbonCommandHandler)) {
            *object = static_cast<IRibbonCommandHandler*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    HRESULT STDMETHODCALLTYPE OnViewChanged(UINT32, int, IUnknown* view, RibbonViewVerb verb, INT32) override {
        const char* names[] = {"view create", "view destroy", "view size", "view error"};
        events.push_back(names[verb]);
        if (verb == RibbonViewDestroy) {
            ComPtr<IRibbonCommandBar> bar = ComPtr<IUnknown>(view).As<IRibbonCommandBar>(IID_IRibbonCommandBar);
            HWND window = nullptr;
            barAliveAtDestroy = bar && SUCCEEDED(bar->GetBarWindow(&window)) && IsWindow(window);
            // The program saves the ribbon's settings now.
            ComPtr<IRibbonView> ribbon = ComPtr<IUnknown>(view).As<IRibbonView>(IID_IRibbonView);
            ComPtr<IStream> stream;
            CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
            if (ribbon && SUCCEEDED(ribbon->SaveSettingsToStream(stream.get()))) {
                STATSTG stat{};
                stream->Stat(&stat, STATFLAG_NONAME);
                savedAtDestroy.resize(static_cast<std::size_t>(stat.cbSize.QuadPart));
                const LARGE_INTEGER start{};
                stream->Seek(start, STREAM_SEEK_SET, nullptr);
                ULONG read = 0;
                stream->Read(savedAtDestroy.data(), static_cast<ULONG>(savedAtDestroy.size()), &read);
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnCreateUICommand(UINT32 id, int, IRibbonCommandHandler** handler) override {
        events.push_back("create " + std::to_string(id));
        *handler = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDestroyUICommand(UINT32 id, int, IRibbonCommandHandler* handler) override {
        events.push_back("destroy " + std::to_string(id) + (handler == this ? "" : " (another handler)"));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Execute(UINT32 id, RibbonExecutionVerb, const PROPERTYKEY* key, const PROPVARIANT* value,
                                      IRibbonPropertySet* properties) override {
        executed.push_back(id);
        if (id != cmdMRUList || !key) return S_OK;
        recentKey = SameKey(*key, RibbonKeySelectedItem) ? "selected" : SameKey(*key, RibbonKeyRecentItems) ? "items" : "other";
        PropVariantClear(&recentValue);
        if (value) PropVariantCopy(&recentValue, value);
        chosenPath = StringOf(properties, RibbonKeyLabelDescription);
        if (value && value->vt == (VT_ARRAY | VT_UNKNOWN)) {
            LONG upper = -1;
            SafeArrayGetUBound(value->parray, 1, &upper);
            for (LONG index = 0; index <= upper; ++index) {
                IUnknown* element = nullptr;
                SafeArrayGetElement(value->parray, &index, &element);
                ComPtr<IUnknown> owned = ComPtr<IUnknown>::Adopt(element);
                ComPtr<IRibbonPropertySet> item = owned.As<IRibbonPropertySet>(IID_IRibbonPropertySet);
                pinsSent.emplace_back(StringOf(item.get(), RibbonKeyLabelDescription), PinnedOf(item.get()));
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UpdateProperty(UINT32 id, const PROPERTYKEY& key, const PROPVARIANT*,
                                             PROPVARIANT* value) override {
        if (SameKey(key, RibbonKeyLabel) && labels.count(id)) return RibbonStringValue(labels[id].c_str(), value);
        if (SameKey(key, RibbonKeyTooltipTitle) && id == cmdDelete) return RibbonStringValue(L"Delete (Del)", value);
        if (SameKey(key, RibbonKeyTooltipDescription) && id == cmdDelete) {
            return RibbonStringValue(L"Marks the selected rows deleted.", value);
        }
        if (SameKey(key, RibbonKeyBooleanValue) && toggles.count(id)) return RibbonBooleanValue(toggles[id], value);
        if (SameKey(key, RibbonKeyRecentItems) && id == cmdMRUList) {
            SAFEARRAY* items = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
            const FakeItem* made[] = {new FakeItem(L"one.txt", L"C:\\one.txt", false),
                                      new FakeItem(L"two.txt", L"C:\\two.txt", true)};
            for (LONG index = 0; index < 2; ++index) {
                IUnknown* item = const_cast<FakeItem*>(made[index]);
                SafeArrayPutElement(items, &index, item);
                item->Release();
            }
            PropVariantInit(value);
            value->vt = VT_ARRAY | VT_UNKNOWN;
            value->parray = items;
            return S_OK;
        }
        return E_NOTIMPL;
    }
};

// What an open popup menu showed, read from inside its loop, and the keys then typed into it.
struct MenuLook {
    std::vector<std::wstring> texts;  // separators as "-"
    std::vector<UINT> states;
    RECT window{};
    bool witnessVisible = false;  // menuWitness, while the menu was open
};
MenuLook shownMenu;
std::vector<WPARAM> keysForMenu;
// A right click on the item at this position, as the system tells the menu's owner; -1: none.
int rightClickPosition = -1;
HWND menuOwner = nullptr;
// A window whose visibility the open menu's reader records; null: none.
HWND menuWitness = nullptr;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;  // not open yet: the timer comes again
    KillTimer(nullptr, timer);
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    GetWindowRect(menuWindow, &shownMenu.window);
    shownMenu.witnessVisible = menuWitness && IsWindowVisible(menuWitness);
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
        wchar_t text[128]{};
        const UINT state = GetMenuState(menu, index, MF_BYPOSITION);
        GetMenuStringW(menu, index, text, 128, MF_BYPOSITION);
        shownMenu.texts.push_back((state & MF_SEPARATOR) ? L"-" : text);
        shownMenu.states.push_back(state);
    }
    if (rightClickPosition >= 0) {
        SendMessageW(menuOwner, WM_MENURBUTTONUP, rightClickPosition, reinterpret_cast<LPARAM>(menu));
    }
    for (const WPARAM key : keysForMenu) PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
}

// Reads the menu that `open` shows and types `keys` into it; the last key should close it.
template <class Open>
MenuLook RunMenu(Open open, std::vector<WPARAM> keys) {
    shownMenu = {};
    keysForMenu = std::move(keys);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ReadOpenMenu);
    open();
    KillTimer(nullptr, timer);
    return shownMenu;
}

class RibbonFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW frameClass{};
        frameClass.lpfnWndProc = DefWindowProcW;
        frameClass.hInstance = GetModuleHandleW(nullptr);
        frameClass.lpszClassName = L"RibbonFrameworkTestFrame";
        RegisterClassW(&frameClass);
        frame_ = CreateWindowExW(0, L"RibbonFrameworkTestFrame", L"Ribbon framework test", WS_OVERLAPPEDWINDOW, 40, 40,
                                 760, 420, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(frame_);
        ShowWindow(frame_, SW_SHOW);
    }
    void TearDown() override { DestroyWindow(frame_); }

    ComPtr<IRibbonFramework> Load(FakeApplication& application) {
        ComPtr<IRibbonFramework> framework = CreateRibbonFramework();
        EXPECT_EQ(framework->Initialize(frame_, &application), S_OK);
        EXPECT_EQ(framework->LoadUI(GetModuleHandleW(nullptr), L"APPLICATION_RIBBON"), S_OK);
        return framework;
    }

    static HWND Bar(const ComPtr<IRibbonFramework>& framework) {
        HWND bar = nullptr;
        framework.As<IRibbonCommandBar>(IID_IRibbonCommandBar)->GetBarWindow(&bar);
        return bar;
    }
    static bool Collapsed(const ComPtr<IRibbonFramework>& framework) {
        BOOL collapsed = FALSE;
        framework.As<IRibbonCommandBar>(IID_IRibbonCommandBar)->IsCollapsed(&collapsed);
        return collapsed != FALSE;
    }
    static UINT32 Height(const ComPtr<IRibbonFramework>& framework) {
        UINT32 height = 0;
        framework.As<IRibbonView>(IID_IRibbonView)->GetHeight(&height);
        return height;
    }

    // The toolbars of the bar that hold a command, in the order of the bar's children.
    static std::vector<HWND> ToolbarsWith(HWND bar, UINT command) {
        std::vector<HWND> found;
        for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[64]{};
            GetClassNameW(child, name, 64);
            if (std::wstring(name) == TOOLBARCLASSNAMEW && SendMessageW(child, TB_COMMANDTOINDEX, command, 0) >= 0) {
                found.push_back(child);
            }
        }
        return found;
    }
    static std::wstring ButtonText(HWND bar, UINT command) {
        const std::vector<HWND> toolbars = ToolbarsWith(bar, command);
        wchar_t text[128]{};
        if (!toolbars.empty()) SendMessageW(toolbars.back(), TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(text));
        return text;
    }
    static std::vector<UINT> QuickAccess(HWND bar) {
        const HWND toolbar = GetDlgItem(bar, CommandBarQuickAccess);
        std::vector<UINT> commands;
        for (int index = 0; index < SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0); ++index) {
            TBBUTTON button{};
            SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
            commands.push_back(static_cast<UINT>(button.idCommand));
        }
        return commands;
    }
    static long CountOf(const std::vector<std::string>& events, const std::string& event) {
        return std::count(events.begin(), events.end(), event);
    }

    HWND frame_ = nullptr;
};

TEST_F(RibbonFrameworkTest, BarShowsTheHandlersAnswersAndExecutesWhatIsClicked) {
    FakeApplication application;
    ComPtr<IRibbonFramework> framework = Load(application);
    // One handler asked per command, then the view's creation and its first size.
    ASSERT_GE(application.events.size(), 26u);
    EXPECT_EQ(application.events.front(), "create 2");
    EXPECT_EQ(CountOf(application.events, "create 32775"), 1);
    EXPECT_EQ(application.events[application.events.size() - 2], "view create");
    EXPECT_EQ(application.events.back(), "view size");

    const HWND bar = Bar(framework);
    ASSERT_TRUE(IsWindow(bar));
    EXPECT_EQ(GetParent(bar), frame_);
    RECT client{};
    RECT barRect{};
    GetClientRect(frame_, &client);
    GetWindowRect(bar, &barRect);
    EXPECT_EQ(barRect.right - barRect.left, client.right);
    EXPECT_EQ(static_cast<LONG>(Height(framework)), barRect.bottom - barRect.top);
    EXPECT_GT(Height(framework), 60u);

    // Labels come from the handler; where it has none (Find) nothing shows, not the command's name.
    EXPECT_EQ(ButtonText(bar, cmdInsert), L"Insert");
    EXPECT_EQ(ButtonText(bar, cmdSelectAll), L"Select all");
    EXPECT_EQ(ButtonText(bar, cmdSort), L"Sort list");
    EXPECT_EQ(ButtonText(bar, cmdFind), L"");
    EXPECT_EQ(ButtonText(bar, cmdFileMenu), L"File");
    wchar_t tab[32]{};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 32;
    SendDlgItemMessageW(bar, CommandBarTabRow, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(tab, L"Home");
    EXPECT_EQ(QuickAccess(bar), (std::vector<UINT>{cmdSave, cmdUndelete, cmdImport, cmdDelete, cmdExport}));

    const HWND editLarge = ToolbarsWith(bar, cmdInsert).back();
    SendMessageW(bar, WM_COMMAND, MAKEWPARAM(cmdInsert, BN_CLICKED), reinterpret_cast<LPARAM>(editLarge));
    EXPECT_EQ(application.executed, std::vector<UINT32>{cmdInsert});

    // Disabled wherever the command shows (the group and the quick access toolbar), and a
    // click that still arrives does nothing; the tooltip still answers.
    PROPVARIANT off;
    RibbonBooleanValue(false, &off);
    ASSERT_EQ(framework->SetUICommandProperty(cmdDelete, RibbonKeyEnabled, off), S_OK);
    const std::vector<HWND> withDelete = ToolbarsWith(bar, cmdDelete);
    ASSERT_EQ(withDelete.size(), 2u);
    for (const HWND toolbar : withDelete) EXPECT_FALSE(SendMessageW(toolbar, TB_ISBUTTONENABLED, cmdDelete, 0));
    EXPECT_TRUE(SendMessageW(editLarge, TB_ISBUTTONENABLED, cmdInsert, 0));
    SendMessageW(bar, WM_COMMAND, MAKEWPARAM(cmdDelete, BN_CLICKED), reinterpret_cast<LPARAM>(withDelete.back()));
    EXPECT_EQ(application.executed.size(), 1u);
    wchar_t tipText[INFOTIPSIZE]{};
    NMTBGETINFOTIPW tip{};
    tip.hdr.hwndFrom = withDelete.back();
    tip.hdr.code = TBN_GETINFOTIPW;
    tip.iItem = cmdDelete;
    tip.pszText = tipText;
    tip.cchTextMax = INFOTIPSIZE;
    SendMessageW(bar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_STREQ(tipText, L"Marks the selected rows deleted.");
    EXPECT_EQ(CCommandBar::FromWindow(bar)->LastTooltipTitle(), L"Delete (Del)");

    // The Sort drop-down shows the handler's checked states, read as it opens, and executes a
    // toggle; the other drop-down state shows as the handler last answered.
    application.toggles[cmdAscendingSort] = true;
    const HWND view = ToolbarsWith(bar, cmdSort).back();
    NMTOOLBARW drop{};
    drop.hdr.hwndFrom = view;
    drop.hdr.code = TBN_DROPDOWN;
    drop.iItem = cmdSort;
    const MenuLook sort = RunMenu([&] { SendMessageW(bar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&drop)); },
                                  {VK_DOWN, VK_RETURN});
    ASSERT_EQ(sort.texts, (std::vector<std::wstring>{L"By phrase", L"", L"", L"-", L"Ascending", L""}));
    EXPECT_TRUE(sort.states[0] & MF_CHECKED);
    EXPECT_FALSE(sort.states[1] & MF_CHECKED);
    EXPECT_TRUE(sort.states[4] & MF_CHECKED);
    EXPECT_EQ(application.executed.back(), static_cast<UINT32>(cmdSortByPhrase));

    // A new label after an invalidation; the bar follows the frame's width.
    application.labels[cmdInsert] = L"Add";
    framework->InvalidateUICommand(cmdInsert, RibbonInvalidateProperty, &RibbonKeyLabel);
    EXPECT_EQ(ButtonText(bar, cmdInsert), L"Add");
    for (const HWND toolbar : ToolbarsWith(bar, cmdDelete)) EXPECT_FALSE(SendMessageW(toolbar, TB_ISBUTTONENABLED, cmdDelete, 0));
    SetWindowPos(frame_, nullptr, 0, 0, 900, 420, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(frame_, &client);
    GetWindowRect(bar, &barRect);
    EXPECT_EQ(barRect.right - barRect.left, client.right);

    // A new DPI (Wine never sends it: the test does) brings the larger images and a new height.
    const UINT32 before = Height(framework);
    const long sizes = CountOf(application.events, "view size");
    RECT suggested{40, 40, 940, 460};
    SendMessageW(frame_, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    // At least half the way to twice the height from 96 DPI (a third more from 144 DPI).
    const auto startDpi = static_cast<UINT32>(SystemDpi());
    EXPECT_GT(Height(framework), before * (192 + startDpi) / (2 * startDpi));
    EXPECT_EQ(CountOf(application.events, "view size"), sizes + 1);
    int width = 0;
    int height = 0;
    const HWND large = ToolbarsWith(bar, cmdInsert).back();
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(large, TB_GETIMAGELIST, 0, 0)), &width, &height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(ButtonText(bar, cmdInsert), L"Add");
    framework->Destroy();
}

TEST_F(RibbonFrameworkTest, MenusShowTheHandlersItemsAndSendRecentChoicesAndPins) {
    FakeApplication application;
    ComPtr<IRibbonFramework> framework = Load(application);
    const HWND bar = Bar(framework);
    PROPVARIANT off;
    RibbonBooleanValue(false, &off);
    framework->SetUICommandProperty(cmdUndelete, RibbonKeyEnabled, off);

    // The context popup: four groups, the disabled one grayed; Down Down Enter chooses Insert.
    ComPtr<IRibbonContextualUI> popup;
    ASSERT_EQ(framework->GetView(cmdEditContextMenu, IID_IRibbonContextualUI, reinterpret_cast<void**>(popup.put())), S_OK);
    const MenuLook context = RunMenu([&] { popup->ShowAtLocation(200, 200); }, {VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_EQ(context.texts, (std::vector<std::wstring>{L"Undelete", L"-", L"Insert", L"Delete",
                                                        L"Modify", L"-", L"Select all", L"-", L""}));
    EXPECT_TRUE(context.states[0] & MF_GRAYED);
    EXPECT_FALSE(context.states[2] & MF_GRAYED);
    EXPECT_EQ(application.executed, std::vector<UINT32>{cmdInsert});

    // The application menu: its groups, the recent items under the markup's header, the pinned
    // one checked; choosing the first recent item sends its index and its properties.
    const auto openApplicationMenu = [&] {
        NMTOOLBARW drop{};
        drop.hdr.hwndFrom = GetDlgItem(bar, CommandBarApplicationButton);
        drop.hdr.code = TBN_DROPDOWN;
        drop.iItem = cmdFileMenu;
        SendMessageW(bar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&drop));
    };
    // End reaches the last recent item, Up the one before.
    const MenuLook menu = RunMenu(openApplicationMenu, {VK_END, VK_UP, VK_RETURN});
    ASSERT_EQ(menu.texts, (std::vector<std::wstring>{L"Import", L"Merge", L"Export", L"-", L"Save", L"-", L"About", L"-",
                                                     L"Exit", L"-", L"Recent items...", L"one.txt", L"two.txt"}));
    EXPECT_TRUE(menu.states[10] & MF_GRAYED);
    EXPECT_FALSE(menu.states[11] & MF_CHECKED);
    EXPECT_TRUE(menu.states[12] & MF_CHECKED);
    ASSERT_EQ(application.executed.back(), static_cast<UINT32>(cmdMRUList));
    EXPECT_EQ(application.recentKey, "selected");
    EXPECT_EQ(application.recentValue.vt, VT_UI4);
    EXPECT_EQ(application.recentValue.ulVal, 0u);
    EXPECT_EQ(application.chosenPath, L"C:\\one.txt");

    // A right click on the first recent item pins it: the whole list goes back, one pin changed.
    rightClickPosition = 11;
    menuOwner = bar;
    RunMenu(openApplicationMenu, {});
    rightClickPosition = -1;
    EXPECT_EQ(application.recentKey, "items");
    EXPECT_EQ(application.pinsSent,
              (std::vector<std::pair<std::wstring, bool>>{{L"C:\\one.txt", true}, {L"C:\\two.txt", true}}));
    framework->Destroy();
}

TEST_F(RibbonFrameworkTest, CollapsedStateSurvivesARestartThroughTheStreamAndBadBytesKeepDefaults) {
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    UINT32 expanded = 0;
    UINT32 collapsed = 0;
    {
        FakeApplication application;
        ComPtr<IRibbonFramework> framework = Load(application);
        const HWND bar = Bar(framework);
        expanded = Height(framework);
        // A double click on the tab row collapses: only the top row stays, and the size is told.
        const long sizes = CountOf(application.events, "view size");
        SendDlgItemMessageW(bar, CommandBarTabRow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
        EXPECT_TRUE(Collapsed(framework));
        collapsed = Height(framework);
        EXPECT_LT(collapsed, expanded);
        EXPECT_GT(collapsed, 10u);
        EXPECT_EQ(CountOf(application.events, "view size"), sizes + 1);
        EXPECT_FALSE(IsWindowVisible(ToolbarsWith(bar, cmdInsert).back()));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(bar, CommandBarApplicationButton)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(bar, CommandBarQuickAccess)));

        ASSERT_EQ(framework.As<IRibbonView>(IID_IRibbonView)->SaveSettingsToStream(stream.get()), S_OK);
        framework->Destroy();
    }
    const LARGE_INTEGER start{};
    {
        FakeApplication application;
        ComPtr<IRibbonFramework> framework = Load(application);
        EXPECT_FALSE(Collapsed(framework));  // the markup's default until the settings come
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        ASSERT_EQ(framework.As<IRibbonView>(IID_IRibbonView)->LoadSettingsFromStream(stream.get()), S_OK);
        EXPECT_TRUE(Collapsed(framework));
        EXPECT_EQ(Height(framework), collapsed);
        EXPECT_EQ(application.events.back(), "view size");
        EXPECT_EQ(QuickAccess(Bar(framework)), (std::vector<UINT>{cmdSave, cmdUndelete, cmdImport, cmdDelete, cmdExport}));

        // Another toolbar from stored bytes, in their order.
        const std::vector<std::uint8_t> bytes = EncodeRibbonState({false, {cmdFind, cmdSave}});
        ComPtr<IStream> other;
        CreateStreamOnHGlobal(nullptr, TRUE, other.put());
        other->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        other->Seek(start, STREAM_SEEK_SET, nullptr);
        ASSERT_EQ(framework.As<IRibbonView>(IID_IRibbonView)->LoadSettingsFromStream(other.get()), S_OK);
        EXPECT_FALSE(Collapsed(framework));
        EXPECT_EQ(Height(framework), expanded);
        EXPECT_EQ(QuickAccess(Bar(framework)), (std::vector<UINT>{cmdFind, cmdSave}));
        framework->Destroy();
        // What the program saved as the view went: the state it had then.
        EXPECT_EQ(application.savedAtDestroy, bytes);
    }
    {
        // Bytes that are not ours (a command outside the toolbar's choice, then cut short).
        FakeApplication application;
        ComPtr<IRibbonFramework> framework = Load(application);
        for (std::vector<std::uint8_t> bad : {EncodeRibbonState({true, {cmdHome}}),
                                              std::vector<std::uint8_t>{'V', 'X', 'R', 'S', 1, 0, 1}}) {
            ComPtr<IStream> corrupt;
            CreateStreamOnHGlobal(nullptr, TRUE, corrupt.put());
            corrupt->Write(bad.data(), static_cast<ULONG>(bad.size()), nullptr);
            corrupt->Seek(start, STREAM_SEEK_SET, nullptr);
            EXPECT_EQ(framework.As<IRibbonView>(IID_IRibbonView)->LoadSettingsFromStream(corrupt.get()), S_OK);
            EXPECT_FALSE(Collapsed(framework));
            EXPECT_EQ(QuickAccess(Bar(framework)).size(), 5u);
        }
        framework->Destroy();
    }
}

TEST_F(RibbonFrameworkTest, DestroyTellsTheApplicationFirstThenReleasesEverythingOnce) {
    FakeApplication application;
    ComPtr<IRibbonFramework> framework = Load(application);
    const HWND bar = Bar(framework);
    EXPECT_GT(application.references, 20u);  // the framework and a handler per command hold it
    const std::size_t before = application.events.size();

    ASSERT_EQ(framework->Destroy(), S_OK);
    ASSERT_GT(application.events.size(), before);
    EXPECT_EQ(application.events[before], "view destroy");
    EXPECT_TRUE(application.barAliveAtDestroy);
    EXPECT_EQ(application.savedAtDestroy, EncodeRibbonState({false, {cmdSave, cmdUndelete, cmdImport, cmdDelete, cmdExport}}));
    EXPECT_EQ(CountOf(application.events, "destroy 32775"), 1);
    EXPECT_EQ(application.events.size() - before, 1 + 26u);  // and every command's handler went back
    EXPECT_EQ(application.references, 1u);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(Height(framework), 0u);

    const std::size_t after = application.events.size();
    EXPECT_EQ(framework->Destroy(), S_OK);
    EXPECT_EQ(application.events.size(), after);
}

HWND BadgeNamed(const std::wstring& keytip) {
    for (HWND badge = FindWindowW(KeytipBadgeClassName, nullptr); badge;
         badge = FindWindowExW(nullptr, badge, KeytipBadgeClassName, nullptr)) {
        wchar_t text[16]{};
        GetWindowTextW(badge, text, 16);
        if (IsWindowVisible(badge) && keytip == text) return badge;
    }
    return nullptr;
}

// The keys that reached the frame itself.
std::vector<WPARAM> frameKeys;
LRESULT CALLBACK RecordFrameKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_KEYDOWN) frameKeys.push_back(wParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(RibbonFrameworkTest, KeytipsWalkTheLevelsAndExecuteLikeAClick) {
    FakeApplication application;
    application.labels[cmdExit] = L"E&xit";
    ComPtr<IRibbonFramework> framework = Load(application);
    const HWND bar = Bar(framework);
    PROPVARIANT off;
    RibbonBooleanValue(false, &off);
    framework->SetUICommandProperty(cmdModify, RibbonKeyEnabled, off);
    SetWindowSubclass(frame_, RecordFrameKeys, 7, 0);
    SetForegroundWindow(frame_);
    SetFocus(frame_);
    Pump();
    frameKeys.clear();
    const auto keyMenu = [&](LPARAM character) { SendMessageW(frame_, WM_SYSCOMMAND, SC_KEYMENU, character); };
    const std::vector<std::wstring> top{L"1", L"2", L"3", L"4", L"5", L"F", L"H"};
    const std::vector<std::wstring> home{L"A", L"D", L"F", L"I", L"L", L"O(off)", L"T", L"U"};

    // Alt: the top level, badges centred under their controls that leave the frame active.
    keyMenu(0);
    ASSERT_EQ(ShownKeytips(), top);
    const HWND fileBadge = BadgeNamed(L"F");
    ASSERT_TRUE(fileBadge);
    EXPECT_EQ(GetWindow(fileBadge, GW_OWNER), frame_);
    EXPECT_TRUE(GetWindowLongW(fileBadge, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    RECT badge{};
    RECT button{};
    GetWindowRect(fileBadge, &badge);
    GetWindowRect(GetDlgItem(bar, CommandBarApplicationButton), &button);
    EXPECT_LE(std::abs((badge.left + badge.right) - (button.left + button.right)), 2);
    EXPECT_GT(badge.bottom, button.bottom);
    EXPECT_EQ(GetActiveWindow(), frame_);

    // H, the Home tab's level, with the disabled command greyed; its key runs nothing.
    Press('H');
    ASSERT_EQ(ShownKeytips(), home);
    Press('O');
    EXPECT_EQ(ShownKeytips(), home);
    EXPECT_TRUE(application.executed.empty());
    // Esc goes back one level, then leaves: the next key reaches the frame and runs nothing.
    Press(VK_ESCAPE);
    EXPECT_EQ(ShownKeytips(), top);
    Press(VK_ESCAPE);
    EXPECT_TRUE(ShownKeytips().empty());
    EXPECT_TRUE(frameKeys.empty());  // every key so far was the keytips'
    Press('D');
    EXPECT_EQ(frameKeys, std::vector<WPARAM>{'D'});
    EXPECT_TRUE(application.executed.empty());

    // Alt, H, D: Delete runs once, through the handler, and the mode is over.
    keyMenu(0);
    Press('H');
    Press('D');
    EXPECT_EQ(application.executed, std::vector<UINT32>{cmdDelete});
    EXPECT_TRUE(ShownKeytips().empty());
    Press('D');
    EXPECT_EQ(application.executed.size(), 1u);
    EXPECT_EQ(frameKeys.size(), 2u);

    // Alt+H (as typed at the top level), Esc, then a quick access number: the fourth item, Delete.
    keyMenu('h');
    EXPECT_EQ(ShownKeytips(), home);
    Press(VK_ESCAPE);
    Press('4');
    EXPECT_EQ(application.executed, (std::vector<UINT32>{cmdDelete, cmdDelete}));
    EXPECT_TRUE(ShownKeytips().empty());

    // A key no badge has leaves, and so does the frame's deactivation.
    keyMenu(0);
    Press('Q');
    EXPECT_TRUE(ShownKeytips().empty());
    keyMenu(0);
    SendMessageW(frame_, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(ShownKeytips().empty());
    Press('H');
    EXPECT_TRUE(ShownKeytips().empty());

    // T on the Home level opens the Sort drop-down; F at the top opens the application menu,
    // whose own mnemonics then work (E&xit).
    keyMenu(0);
    Press('H');
    const MenuLook sort = RunMenu([&] { Press('T'); }, {VK_ESCAPE});
    ASSERT_FALSE(sort.texts.empty());
    EXPECT_EQ(sort.texts.front(), L"By phrase");
    EXPECT_TRUE(ShownKeytips().empty());
    keyMenu(0);
    const MenuLook file = RunMenu([&] { Press('F'); }, {'X'});
    ASSERT_FALSE(file.texts.empty());
    EXPECT_EQ(file.texts.front(), L"Import");
    EXPECT_EQ(application.executed.back(), static_cast<UINT32>(cmdExit));
    EXPECT_EQ(application.executed.size(), 3u);
    RemoveWindowSubclass(frame_, RecordFrameKeys, 7);
    framework->Destroy();
}

TEST_F(RibbonFrameworkTest, DownOrF4OnTheFocusedSortButtonOpensItsMenu) {
    FakeApplication application;
    ComPtr<IRibbonFramework> framework = Load(application);
    const HWND bar = Bar(framework);
    const HWND view = ToolbarsWith(bar, cmdSort).back();
    const HWND edit = ToolbarsWith(bar, cmdInsert).back();
    SetForegroundWindow(frame_);
    const auto focusFirstButton = [&](HWND toolbar) {
        SetFocus(toolbar);
        SendMessageW(toolbar, TB_SETHOTITEM, 0, 0);
        Pump();
    };

    // The keyboard's button is the one the accessible object calls focused.
    focusFirstButton(view);
    ComPtr<IAccessible> viewObject;
    ASSERT_EQ(AccessibleObjectFromWindow(view, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(viewObject.put())),
              S_OK);
    VARIANT sort;
    sort.vt = VT_I4;
    sort.lVal = 1;
    VARIANT state;
    VariantInit(&state);
    ASSERT_EQ(viewObject->get_accState(sort, &state), S_OK);
    EXPECT_TRUE(state.lVal & STATE_SYSTEM_FOCUSED);

    const MenuLook down = RunMenu([&] { Press(VK_DOWN); }, {VK_ESCAPE});
    ASSERT_FALSE(down.texts.empty());
    EXPECT_EQ(down.texts.front(), L"By phrase");
    EXPECT_TRUE(application.executed.empty());
    focusFirstButton(view);
    const MenuLook f4 = RunMenu([&] { Press(VK_F4); }, {VK_DOWN, VK_RETURN});
    EXPECT_EQ(f4.texts, down.texts);
    EXPECT_EQ(application.executed, std::vector<UINT32>{cmdSortByPhrase});

    // On a plain button, and on Sort disabled, Down opens nothing.
    focusFirstButton(edit);
    EXPECT_TRUE(RunMenu([&] { Press(VK_DOWN); }, {VK_ESCAPE}).texts.empty());
    PROPVARIANT off;
    RibbonBooleanValue(false, &off);
    framework->SetUICommandProperty(cmdSort, RibbonKeyEnabled, off);
    focusFirstButton(view);
    EXPECT_TRUE(RunMenu([&] { Press(VK_DOWN); }, {VK_ESCAPE}).texts.empty());
    EXPECT_EQ(application.executed.size(), 1u);
    framework->Destroy();
}

TEST_F(RibbonFrameworkTest, KeytipsOnTheCollapsedRibbonShowTheTabOverTheWindowUntilACommandRuns) {
    FakeApplication application;
    ComPtr<IRibbonFramework> framework = Load(application);
    const HWND bar = Bar(framework);
    const HWND edit = ToolbarsWith(bar, cmdInsert).back();
    const HWND view = ToolbarsWith(bar, cmdSort).back();
    framework.As<IRibbonCommandBar>(IID_IRibbonCommandBar)->SetCollapsed(TRUE);
    const UINT32 collapsed = Height(framework);
    const long sizes = CountOf(application.events, "view size");
    const auto barHeight = [&] {
        RECT rect{};
        GetWindowRect(bar, &rect);
        return static_cast<UINT32>(rect.bottom - rect.top);
    };
    const auto stillCollapsed = [&] {
        EXPECT_TRUE(Collapsed(framework));
        EXPECT_FALSE(IsWindowVisible(edit));
        EXPECT_EQ(barHeight(), collapsed);
        EXPECT_EQ(Height(framework), collapsed);
    };
    SetForegroundWindow(frame_);
    SetFocus(frame_);
    Pump();
    const auto keyMenu = [&](LPARAM character) { SendMessageW(frame_, WM_SYSCOMMAND, SC_KEYMENU, character); };
    const std::vector<std::wstring> top{L"1", L"2", L"3", L"4", L"5", L"F", L"H"};
    const std::vector<std::wstring> home{L"A", L"D", L"F", L"I", L"L", L"O", L"T", L"U"};

    // Alt, H: the groups show over the window, badges on their buttons; the frame keeps its
    // layout (no new size) and the bar stays collapsed.
    keyMenu(0);
    Press('H');
    ASSERT_EQ(ShownKeytips(), home);
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_GT(barHeight(), collapsed + 40);
    EXPECT_TRUE(Collapsed(framework));
    EXPECT_EQ(Height(framework), collapsed);
    RECT badge{};
    GetWindowRect(BadgeNamed(L"D"), &badge);
    RECT button{};
    SendMessageW(edit, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_LE(std::abs((badge.left + badge.right) - (button.left + button.right)), 2);

    // Esc goes back to the top level, and the groups go with it.
    Press(VK_ESCAPE);
    EXPECT_EQ(ShownKeytips(), top);
    stillCollapsed();

    // Alt, H, D runs Delete, and the groups are hidden again.
    Press('H');
    Press('D');
    EXPECT_EQ(application.executed, std::vector<UINT32>{cmdDelete});
    EXPECT_TRUE(ShownKeytips().empty());
    stillCollapsed();

    // Alt, H, T opens Sort's menu under its button, which shows while the menu is open.
    keyMenu(0);
    Press('H');
    RECT sortButton{};
    SendMessageW(view, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&sortButton));
    MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&sortButton), 2);
    menuWitness = view;
    const MenuLook sort = RunMenu([&] { Press('T'); }, {VK_ESCAPE});
    menuWitness = nullptr;
    ASSERT_FALSE(sort.texts.empty());
    EXPECT_EQ(sort.texts.front(), L"By phrase");
    EXPECT_TRUE(sort.witnessVisible);
    EXPECT_LE(std::abs(sort.window.left - sortButton.left), 2);
    EXPECT_LE(std::abs(sort.window.top - sortButton.bottom), 2);
    stillCollapsed();
    EXPECT_EQ(CountOf(application.events, "view size"), sizes);
    framework->Destroy();
}

// System colours set for the session while a test runs, and put back as they were at its end.
class SessionColours {
public:
    SessionColours(std::vector<int> elements, std::vector<COLORREF> colours) : elements_(std::move(elements)) {
        for (const int element : elements_) saved_.push_back(GetSysColor(element));
        SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data());
    }
    ~SessionColours() { SetSysColors(static_cast<int>(elements_.size()), elements_.data(), saved_.data()); }
    SessionColours(const SessionColours&) = delete;
    SessionColours& operator=(const SessionColours&) = delete;

private:
    std::vector<int> elements_;
    std::vector<COLORREF> saved_;
};

int Luma(COLORREF colour) {
    return (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
}

// What a window shows within `area`, painted anew and read back from the screen, row by row.
std::vector<COLORREF> Shown(HWND window, RECT area) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const WindowDC screen(window);
    std::vector<COLORREF> shown;
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) shown.push_back(GetPixel(screen.get(), x, y));
    }
    return shown;
}

RECT ButtonRect(HWND toolbar, UINT command) {
    RECT rect{};
    SendMessageW(toolbar, TB_GETITEMRECT, SendMessageW(toolbar, TB_COMMANDTOINDEX, command, 0), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

SIZE ImageSize(HWND toolbar) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)), &width, &height);
    return SIZE{width, height};
}

// What a button shows once hot: the colour just inside its edge, the pixels of its label's part
// (under a large button's image, beside a small one's), and how far the one that stands out most
// from the fill is from it in brightness.
struct HotButton {
    COLORREF fill = 0;
    std::vector<COLORREF> label;
    int strongestStep = 0;
};

HotButton ShowHot(HWND toolbar, UINT command, bool imageAbove) {
    SendMessageW(toolbar, TB_SETHOTITEM, SendMessageW(toolbar, TB_COMMANDTOINDEX, command, 0), 0);
    const RECT button = ButtonRect(toolbar, command);
    RECT label{button.left + 2, button.top + 2, button.right - 2, button.bottom - 2};
    if (imageAbove) {
        label.top = button.top + ImageSize(toolbar).cy + MulDiv(5, SystemDpi(), 96);
    } else {
        label.left = button.left + ImageSize(toolbar).cx + LOWORD(SendMessageW(toolbar, TB_GETPADDING, 0, 0));
    }
    HotButton hot;
    hot.fill = Shown(toolbar, RECT{button.left + 1, button.top + 1, button.left + 2, button.top + 2}).at(0);
    hot.label = Shown(toolbar, label);
    for (const COLORREF pixel : hot.label) hot.strongestStep = std::max(hot.strongestStep, std::abs(Luma(pixel) - Luma(hot.fill)));
    return hot;
}

TEST_F(RibbonFrameworkTest, ButtonsFollowHighContrastColours) {
    FakeApplication application;
    ComPtr<IRibbonFramework> framework = Load(application);
    const HWND bar = Bar(framework);
    // White on black, with a light highlight under dark text, as a high-contrast scheme has it.
    const COLORREF highlight = RGB(0x1a, 0xeb, 0xff);
    const SessionColours scheme({COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                                 COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT},
                                {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), highlight,
                                 RGB(0, 0, 0), RGB(0x3f, 0xf2, 0x3f)});
    SetForegroundWindow(frame_);
    Pump();

    // The bar was built before the scheme came: a disabled command's image is greyed anew, in the
    // scheme's grey text colour (green), not in the grey of before.
    PROPVARIANT off;
    RibbonBooleanValue(false, &off);
    framework->SetUICommandProperty(cmdDelete, RibbonKeyEnabled, off);
    const HWND edit = ToolbarsWith(bar, cmdDelete).back();
    RECT deleteImage = ButtonRect(edit, cmdDelete);
    deleteImage.bottom = deleteImage.top + ImageSize(edit).cy + MulDiv(4, SystemDpi(), 96);
    const std::vector<COLORREF> greyed = Shown(edit, deleteImage);
    EXPECT_GT(std::count_if(greyed.begin(), greyed.end(),
                            [](COLORREF pixel) {
                                return GetGValue(pixel) > GetRValue(pixel) + 64 && GetGValue(pixel) > GetBValue(pixel) + 64;
                            }),
              20);

    // A large button (image above its label) and a small one (label beside).
    const auto looks = [&] {
        return std::vector<HotButton>{ShowHot(ToolbarsWith(bar, cmdInsert).back(), cmdInsert, true),
                                      ShowHot(ToolbarsWith(bar, cmdSelectAll).back(), cmdSelectAll, false)};
    };
    // Whatever the theme's state, the hot fill is not a fixed light colour under the white text.
    for (const HotButton& hot : looks()) {
        ASSERT_FALSE(hot.label.empty());
        EXPECT_NE(hot.fill, RGB(0xc4, 0xd5, 0xef));
        EXPECT_NE(hot.fill, RGB(0xe0, 0xea, 0xf7));
        EXPECT_NE(hot.fill, GetSysColor(COLOR_BTNFACE));  // the button does show hot
        EXPECT_GE(hot.strongestStep, 128);
    }
    // With a high-contrast theme on, the plain pair: the highlight under the highlight's text colour.
    SetHighContrastQuery([] { return true; });
    for (const HotButton& hot : looks()) {
        EXPECT_EQ(hot.fill, highlight);
        EXPECT_NE(std::find(hot.label.begin(), hot.label.end(), RGB(0, 0, 0)), hot.label.end());
        EXPECT_GE(hot.strongestStep, 128);
    }
    SetHighContrastQuery(nullptr);
    framework->Destroy();
}

}  // namespace
