// The program's side of the ribbon over a real main window: the application object answering a
// framework that records what it is told, the recent items and the ribbon's settings in the
// real registry.
#include "Application.h"
#include "Commands.h"
#include "res/resource.h"
#include "DialogDriver.h"
#include "KeytipKeys.h"
#include "RibbonInterfaces.h"
#include "RibbonStores.h"
#include "UiStrings.h"
#include "WindowFixture.h"

#include <map>

namespace {

// A ribbon view that reports a fixed height and keeps the bytes it was given or asked for.
struct RecordingView final : IRibbonView {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRibbonView)) {
            *object = static_cast<IRibbonView*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetHeight(UINT32* height) override {
        *height = 40;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LoadSettingsFromStream(IStream* stream) override {
        loaded.assign(64, '\0');
        ULONG read = 0;
        stream->Read(loaded.data(), 64, &read);
        loaded.resize(read);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SaveSettingsToStream(IStream* stream) override {
        return stream->Write(toSave.data(), static_cast<ULONG>(toSave.size()), nullptr);
    }
    std::string loaded;
    std::string toSave = "collapsed";
};

// A framework that calls the application as the real one does and records what it is told.
struct RecordingFramework final : IRibbonFramework {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Initialize(HWND, IRibbonApplication* app) override {
        application = app;
        application->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Destroy() override {
        if (!application) return S_OK;
        application->OnViewChanged(0, 1, &view, RibbonViewDestroy, 0);
        if (handler) handler->Release();
        application->Release();
        application = nullptr;
        handler = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LoadUI(HINSTANCE, const wchar_t*) override {
        application->OnCreateUICommand(cmdDelete, 0, &handler);
        application->OnViewChanged(0, 1, &view, RibbonViewCreate, 0);
        return application->OnViewChanged(0, 1, &view, RibbonViewSize, 0);
    }
    HRESULT STDMETHODCALLTYPE GetView(UINT32, REFIID, void** view) override {
        *view = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetUICommandProperty(UINT32 command, const PROPERTYKEY& key,
                                                   const PROPVARIANT& value) override {
        if (SameKey(key, RibbonKeyEnabled)) {
            enabled[command] = ReadRibbonBoolean(value, false);
            if (command == cmdDelete) ++deleteStateSets;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InvalidateUICommand(UINT32 command, int flags, const PROPERTYKEY*) override {
        invalidated.emplace_back(command, flags);
        return S_OK;
    }

    IRibbonApplication* application = nullptr;
    IRibbonCommandHandler* handler = nullptr;
    RecordingView view;
    std::map<UINT32, bool> enabled;
    int deleteStateSets = 0;  // one per refresh of the command states
    std::vector<std::pair<UINT32, int>> invalidated;
};

RecordingFramework* recorder = nullptr;

std::unique_ptr<Ribbon> RecordedRibbon(CMainWindow& window) {
    return CreateRibbonOver(window, recorder);
}

std::wstring StringProperty(IRibbonCommandHandler& handler, UINT32 command, const PROPERTYKEY& key) {
    PROPVARIANT value;
    PropVariantInit(&value);
    if (FAILED(handler.UpdateProperty(command, key, nullptr, &value)) || value.vt != VT_LPWSTR) return L"<none>";
    std::wstring text = value.pwszVal;
    PropVariantClear(&value);
    return text;
}

bool Checked(IRibbonCommandHandler& handler, UINT32 command) {
    PROPVARIANT value;
    PropVariantInit(&value);
    EXPECT_EQ(handler.UpdateProperty(command, RibbonKeyBooleanValue, nullptr, &value), S_OK);
    return ReadRibbonBoolean(value, false);
}

std::string StoredText(std::u16string_view text) {
    std::string bytes = BytesOf(text);
    return bytes + std::string(2, '\0');
}

class RibbonApplicationTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        recorder = &framework_;
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        recorder = nullptr;
        SetProcessUiLanguage(UiLanguageTraditionalChinese);
    }
    IRibbonCommandHandler& Handler() { return *framework_.handler; }

    RecordingFramework framework_;
};

TEST_F(RibbonApplicationTest, CommandStatesLabelsAndTogglesFollowTheWindow) {
    SetProcessUiLanguage(UiLanguageEnglish);
    PutText(kPhrasesValue, u"AB\tb\r\nC\ta\r\n");
    PutText(kTipsValue, u"\u4e00=\u4e00\u500b\r\n");
    CMainWindow& window = Open(RecordedRibbon);

    // The view's height places the tab control under the ribbon; the group labels are asked for.
    RECT tab{};
    GetWindowRect(window.TabControl(), &tab);
    POINT corner{tab.left, tab.top};
    ScreenToClient(window.Window(), &corner);
    EXPECT_EQ(corner.y, 40);
    EXPECT_EQ(framework_.invalidated.at(0), std::make_pair(UINT32{cmdGroupEdit}, int{RibbonInvalidateProperty}));
    EXPECT_EQ(framework_.invalidated.at(1), std::make_pair(UINT32{cmdGroupView}, int{RibbonInvalidateProperty}));

    const std::map<UINT32, bool> atStart{{cmdSelectAll, true}, {cmdFind, true},    {cmdFilter, true}, {cmdSort, true},
                                         {cmdUndelete, false},  {cmdDelete, false}, {cmdModify, false}};
    EXPECT_EQ(framework_.enabled, atStart);
    Select(window.PhraseList(), {0});
    ListView_SetItemState(window.PhraseList(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
    Handler().Execute(cmdDelete, RibbonExecute, nullptr, nullptr, nullptr);  // reaches the window
    EXPECT_TRUE(window.Phrases().phrasesHaveDeleted);
    EXPECT_TRUE(framework_.enabled[cmdUndelete]);
    EXPECT_TRUE(framework_.enabled[cmdDelete]);
    EXPECT_TRUE(framework_.enabled[cmdModify]);

    EXPECT_EQ(StringProperty(Handler(), cmdInsert, RibbonKeyLabel), L"Insert");
    EXPECT_EQ(StringProperty(Handler(), cmdSave, RibbonKeyTooltipTitle), L"Save (Ctrl+S)");
    EXPECT_EQ(StringProperty(Handler(), cmdImport, RibbonKeyTooltipDescription),
              L"Open File dialog to import user-defined phrases from a database file.");
    EXPECT_EQ(StringProperty(Handler(), cmdImportMerge, RibbonKeyLabel), L"Import and &merge");
    EXPECT_EQ(StringProperty(Handler(), cmdImportMerge, RibbonKeyTooltipTitle), L"Import and merge");
    EXPECT_EQ(StringProperty(Handler(), cmdImportMerge, RibbonKeyTooltipDescription),
              L"Add the phrases of a file to the list.");
    EXPECT_EQ(StringProperty(Handler(), cmdFilter, RibbonKeyLabel), L"Filter");
    EXPECT_EQ(StringProperty(Handler(), cmdFilter, RibbonKeyTooltipTitle), L"Filter (Ctrl+E)");
    EXPECT_EQ(StringProperty(Handler(), cmdFilter, RibbonKeyTooltipDescription),
              L"Type to show only the rows that hold a text.");
    EXPECT_EQ(StringProperty(Handler(), cmdEditContextMenu, RibbonKeyLabel), L"<none>");  // the markup's own
    SetProcessUiLanguage(UiLanguageTraditionalChinese);
    EXPECT_EQ(StringProperty(Handler(), cmdGroupEdit, RibbonKeyLabel), L"\u7de8\u8f2f");
    EXPECT_EQ(StringProperty(Handler(), cmdFilter, RibbonKeyLabel), L"\u7be9\u9078");
    EXPECT_EQ(StringProperty(Handler(), cmdMRUList, RibbonKeyLabel), L"\u6700\u8fd1\u4f7f\u7528\u7684\u9805\u76ee...");
    EXPECT_EQ(StringProperty(Handler(), cmdFilter, RibbonKeyTooltipTitle), L"\u7be9\u9078 (Ctrl+E)");

    // Sorting checks its toggles and has them read again, in the listed order.
    framework_.invalidated.clear();
    ClickHeader(1);
    EXPECT_TRUE(Checked(Handler(), cmdSortByPhrase));
    EXPECT_TRUE(Checked(Handler(), cmdAscendingSort));
    EXPECT_FALSE(Checked(Handler(), cmdSortByInputKey));
    std::vector<UINT32> order;
    for (const auto& [command, flags] : framework_.invalidated) order.push_back(command);
    EXPECT_EQ(order, (std::vector<UINT32>{cmdSortByPhrase, cmdSortByVantixInputKey, cmdSortByInputKey,
                                          cmdAscendingSort, cmdDescendingSort}));

    // The associated-word tab: Sort disabled, descriptions speak of associated words.
    // Leaving the phrase tab with a deleted mark asks to save it; No keeps the mark.
    RunDialogAnswered([&] { return SwitchToTab(window, 1); },
                      [](HWND box) { SendMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0); });
    EXPECT_FALSE(framework_.enabled[cmdSort]);
    EXPECT_FALSE(framework_.enabled[cmdUndelete]);
    EXPECT_EQ(StringProperty(Handler(), cmdSave, RibbonKeyTooltipDescription),
              L"\u5c07\u8b8a\u66f4\u5132\u5b58\u81f3\u76f8\u95dc\u5b57\u8a5e\u8cc7\u6599\u5eab\u3002");
    EXPECT_EQ(StringProperty(Handler(), cmdImportMerge, RibbonKeyTooltipDescription),
              L"\u5c07\u6a94\u6848\u4e2d\u7684\u76f8\u95dc\u5b57\u8a5e\u52a0\u5165\u6e05\u55ae\u3002");
}

// Alt, H, L does what Ctrl+E does: the current tab's filter box takes the focus with its text
// selected. Filter stays on while the filter shows no row, so the box can still be reached.
TEST_F(RibbonApplicationTest, KeytipsAltHLPutTheFocusInTheCurrentTabsFilterBox) {
    PutText(L"UserDefinedPhrases", u"AB\tone\r\nCD\ttwo\r\n");
    PutText(L"UserDefinedTips", u"\u4e00=\u4e00\u500b\r\n");
    CMainWindow& window = Open(CreateRibbon);
    const HWND phraseBox = GetDlgItem(window.TabControl(), IDC_PHRASE_FILTER);
    const HWND tipBox = GetDlgItem(window.TabControl(), IDC_TIP_FILTER);
    ASSERT_TRUE(phraseBox && tipBox);
    SetWindowTextW(phraseBox, L"zz");
    for (int round = 0; round < 100 && ListView_GetItemCount(window.PhraseList()) != 0; ++round) Pump();
    ASSERT_EQ(ListView_GetItemCount(window.PhraseList()), 0);
    SetForegroundWindow(window.Window());
    const auto typeKeytips = [&](HWND focus, WPARAM last) {
        SetFocus(focus);
        Pump();
        SendMessageW(window.Window(), WM_SYSCOMMAND, SC_KEYMENU, 0);  // Alt
        Press('H');
        const std::vector<std::wstring> home = ShownKeytips();
        Press(last);
        return home;
    };

    // No row is shown: Select all and Find, which go over the rows shown, are off; Filter is on.
    EXPECT_EQ(typeKeytips(window.PhraseList(), 'L'),
              (std::vector<std::wstring>{L"A(off)", L"D(off)", L"F(off)", L"I", L"L", L"O(off)", L"T", L"U(off)"}));
    EXPECT_TRUE(ShownKeytips().empty());
    EXPECT_EQ(GetFocus(), phraseBox);
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(phraseBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);

    // On the associated-word tab the same keys reach that tab's box.
    SwitchToTab(window, 1);
    typeKeytips(window.TipList(), 'L');
    EXPECT_EQ(GetFocus(), tipBox);
}

TEST_F(RibbonApplicationTest, SelectionChangesOfAnyOriginRefreshTheCommandStatesOncePerBurst) {
    std::u16string phrases;
    for (int row = 0; row < 300; ++row) phrases += u"A\tp" + std::u16string(1, static_cast<char16_t>(u'a' + row % 26)) + u"\r\n";
    PutText(kPhrasesValue, phrases);
    CMainWindow& window = Open(RecordedRibbon);
    const HWND list = window.PhraseList();
    auto handleWaiting = [] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    };
    ASSERT_FALSE(framework_.enabled[cmdDelete]);
    ASSERT_FALSE(framework_.enabled[cmdModify]);

    // The keyboard alone: Down focuses and selects the first row.
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(list, WM_KEYUP, VK_DOWN, 0);
    handleWaiting();
    ASSERT_EQ(ListView_GetSelectedCount(list), 1u);
    EXPECT_TRUE(framework_.enabled[cmdDelete]);
    EXPECT_TRUE(framework_.enabled[cmdModify]);

    // Rows that a search or Select all sets, one by one or all at once: one refresh per burst.
    const int before = framework_.deleteStateSets;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    handleWaiting();
    EXPECT_EQ(framework_.deleteStateSets, before + 1);
    EXPECT_FALSE(framework_.enabled[cmdDelete]);
    EXPECT_FALSE(framework_.enabled[cmdModify]);
    for (int row = 0; row < 300; row += 2) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    handleWaiting();
    EXPECT_EQ(framework_.deleteStateSets, before + 2);
    EXPECT_TRUE(framework_.enabled[cmdDelete]);
}

TEST_F(RibbonApplicationTest, RecentItemsPinsAndRibbonSettingsSurviveARestart) {
    // Two stored items, the first pinned, and one piece without a path that is dropped.
    PutValue(L"UPTMRUList", REG_SZ, StoredText(u"C:\\\u8a5e\\A b.dat|p;|n;D:\\tips.dat|n;"));
    PutValue(L"UPTRibbonState", REG_BINARY, "state");
    // Both tables as saved: choosing a recent item has no unsaved work to ask about.
    PutValue(kPhrasesValue, REG_BINARY, "");
    PutText(kTipsValue, u"\u4e00=\u4e00\u500b\r\n");
    CMainWindow& window = Open(RecordedRibbon);
    EXPECT_EQ(framework_.view.loaded, "state");

    PROPVARIANT items;
    PropVariantInit(&items);
    ASSERT_EQ(Handler().UpdateProperty(cmdMRUList, RibbonKeyRecentItems, nullptr, &items), S_OK);
    ASSERT_EQ(items.vt, VT_ARRAY | VT_UNKNOWN);
    LONG upper = -1;
    SafeArrayGetUBound(items.parray, 1, &upper);
    ASSERT_EQ(upper, 1);
    std::vector<std::wstring> seen;
    for (LONG index = 0; index <= upper; ++index) {
        IUnknown* element = nullptr;
        SafeArrayGetElement(items.parray, &index, &element);
        IRibbonPropertySet* item = nullptr;
        element->QueryInterface(IID_IRibbonPropertySet, reinterpret_cast<void**>(&item));
        for (const PROPERTYKEY* key : {&RibbonKeyLabel, &RibbonKeyLabelDescription, &RibbonKeyPinned}) {
            PROPVARIANT value;
            PropVariantInit(&value);
            item->GetValue(*key, &value);
            seen.push_back(value.vt == VT_LPWSTR ? value.pwszVal : ReadRibbonBoolean(value, false) ? L"pinned" : L"-");
            PropVariantClear(&value);
        }
        item->Release();
        element->Release();
    }
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"A b.dat", L"C:\\\u8a5e\\A b.dat", L"pinned", L"tips.dat",
                                               L"D:\\tips.dat", L"-"}));

    // The user unpins the first and pins the second: the framework hands the list back.
    for (LONG index = 0; index <= upper; ++index) {
        IUnknown* element = nullptr;
        SafeArrayGetElement(items.parray, &index, &element);
        element->Release();
    }
    RecentItems flipped{{u"c:\\\u8a5e\\a B.DAT", false}, {u"D:\\tips.dat", true}};
    SAFEARRAY* changed = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
    for (LONG index = 0; index < 2; ++index) {
        CMRUListItem* item = CMRUListItem::Create(flipped[static_cast<std::size_t>(index)]);
        SafeArrayPutElement(changed, &index, static_cast<IUnknown*>(item));
        item->Release();
    }
    PROPVARIANT pins;
    PropVariantInit(&pins);
    pins.vt = VT_ARRAY | VT_UNKNOWN;
    pins.parray = changed;
    EXPECT_EQ(Handler().Execute(cmdMRUList, RibbonExecute, &RibbonKeyRecentItems, &pins, nullptr), S_OK);
    PropVariantClear(&pins);
    PropVariantClear(&items);

    // Choosing an item on the phrase tab reads it into the phrase table, reports the counts and
    // puts the item first in the list.
    const std::wstring chosenPath = PathOf(L"\u6700\u8fd1 list.dat");
    WriteFileBytes(chosenPath, BytesOf(u"A\tone\r\nno tab here\r\n"));
    CMRUListItem* chosen = CMRUListItem::Create({std::u16string(chosenPath.begin(), chosenPath.end()), false});
    PROPVARIANT index;
    PropVariantInit(&index);
    index.vt = VT_UI4;
    index.ulVal = 1;
    std::wstring report;
    RunDialogAnswered(
        [&] { return Handler().Execute(cmdMRUList, RibbonExecute, &RibbonKeySelectedItem, &index, chosen); },
        [&](HWND box) {
            report = ControlText(box, 0xFFFF);
            // The file has an invalid line: the report asks whether to show it, and No declines.
            SendMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
        });
    chosen->Release();
    EXPECT_EQ(report, L"1 \u500b\u8a5e\u5f59\u5df2\u532f\u5165\u3002\n1 \u7b46\u8cc7\u6599\u932f\u8aa4\uff0c\u7121\u6cd5\u532f\u5165\u3002"
                      L"\n\n\u8981\u986f\u793a\u7121\u6548\u7684\u884c\u55ce?");
    ASSERT_EQ(window.Phrases().table.size(), 1u);
    EXPECT_EQ(ListView_GetItemCount(window.PhraseList()), 1);

    // Exit is posted as a close, so it runs after the framework's call has returned.
    Handler().Execute(cmdExit, RibbonExecute, nullptr, nullptr, nullptr);
    MSG close{};
    ASSERT_TRUE(PeekMessageW(&close, window.Window(), WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(close.wParam, WPARAM{cmdExit});
    EXPECT_TRUE(IsWindow(window.Window()));

    const long locks = ModuleLockCount();
    EXPECT_GT(locks, 0);
    window_.reset();  // teardown: the view's settings, then the list, are stored
    EXPECT_EQ(ModuleLockCount(), 0);
    EXPECT_EQ(GetValue(L"UPTRibbonState")->bytes, "collapsed");
    const std::optional<StoredValue> stored = GetValue(L"UPTMRUList");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, DWORD{REG_SZ});
    const std::wstring chosenText = chosenPath + L"|n;";
    EXPECT_EQ(stored->bytes,
              StoredText(std::u16string(chosenText.begin(), chosenText.end()) + u"C:\\\u8a5e\\A b.dat|n;D:\\tips.dat|p;"));
}

// A value one byte longer than its text, as another program may leave it: the items before the
// stray byte are read, and stored again at exit rather than lost.
TEST_F(RibbonApplicationTest, RecentItemsOfAValueOfOddSizeAreReadAndKept) {
    const std::string items = StoredText(u"C:\\\u8a5e\\a.dat|p;D:\\tips.dat|n;");
    PutValue(L"UPTMRUList", REG_SZ, items + '\x7f');
    const RecentItems loaded = LoadRecentItems();
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].path, u"C:\\\u8a5e\\a.dat");
    EXPECT_TRUE(loaded[0].pinned);
    EXPECT_EQ(loaded[1].path, u"D:\\tips.dat");
    EXPECT_FALSE(loaded[1].pinned);

    Open(RecordedRibbon);
    window_.reset();
    const std::optional<StoredValue> stored = GetValue(L"UPTMRUList");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bytes, items);
}

TEST_F(RibbonApplicationTest, CtrlF1CollapsesTheRealRibbonAndTheStateSurvivesARestart) {
    // The key is the window's accelerator, so it acts whatever control has the focus.
    const HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_ACCEL));
    std::vector<ACCEL> keys(static_cast<std::size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, keys.data(), static_cast<int>(keys.size()));
    DestroyAcceleratorTable(table);
    bool found = false;
    for (const ACCEL& key : keys) {
        found = found || (key.key == VK_F1 && key.cmd == cmdAccelToggleRibbon && (key.fVirt & FCONTROL));
    }
    EXPECT_TRUE(found);

    PutValue(kPhrasesValue, REG_BINARY, "");
    PutText(kTipsValue, u"\u4e00=\u4e00\u500b\r\n");
    const int expanded = Open(CreateRibbon).RibbonHeight();
    EXPECT_GT(expanded, 60);
    Command(cmdAccelToggleRibbon);
    const int collapsed = window_->RibbonHeight();
    EXPECT_GT(collapsed, 0);
    EXPECT_LT(collapsed, expanded);

    window_.reset();
    EXPECT_EQ(Open(CreateRibbon).RibbonHeight(), collapsed);
    Command(cmdAccelToggleRibbon);
    EXPECT_EQ(window_->RibbonHeight(), expanded);

    // A corrupt stored state starts with the markup's defaults: expanded.
    window_.reset();
    PutValue(L"UPTRibbonState", REG_BINARY, std::string("VXRS\x01\x00\x01\xff", 8));
    EXPECT_EQ(Open(CreateRibbon).RibbonHeight(), expanded);
}

}  // namespace
