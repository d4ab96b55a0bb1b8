#include "Application.h"
#include "WideText.h"

#include "Commands.h"
#include "MainWindow.h"
#include "RibbonStores.h"
#include "UiStrings.h"
#include "Win32Handles.h"

#include <oleauto.h>

#include <array>
#include <atomic>
#include <new>

namespace {

std::atomic<long> moduleLocks{0};

// What each command answers; 0 where it has nothing of that kind. The descriptions of Import,
// Export and Save speak of what the visible list holds.
struct CommandStrings {
    unsigned command;
    unsigned label;
    unsigned tooltipTitle;
    unsigned description;      // phrases, or the only one
    unsigned tipsDescription;  // associated words; 0: the same as for phrases
};

constexpr std::array<CommandStrings, 23> CommandTable{{
    {cmdMRUList, IDS_RIBBON_RECENT_ITEMS, 0, 0, 0},
    {cmdHome, IDS_RIBBON_HOME, 0, 0, 0},
    {cmdGroupEdit, IDS_RIBBON_GROUP_EDIT, 0, 0, 0},
    {cmdGroupView, IDS_RIBBON_GROUP_VIEW, 0, 0, 0},
    {cmdSort, IDS_RIBBON_SORT, 0, IDS_TOOLTIP_SORT, 0},
    {cmdAscendingSort, IDS_RIBBON_ASCENDING, 0, 0, 0},
    {cmdDescendingSort, IDS_RIBBON_DESCENDING, 0, 0, 0},
    {cmdAbout, IDS_RIBBON_ABOUT, 0, IDS_TOOLTIP_ABOUT, 0},
    {cmdExit, IDS_RIBBON_EXIT, 0, IDS_TOOLTIP_EXIT, 0},
    {cmdImport, IDS_RIBBON_IMPORT, 0, IDS_TOOLTIP_IMPORT_PHRASES, IDS_TOOLTIP_IMPORT_TIPS},
    {cmdImportMerge, IDS_RIBBON_IMPORT_MERGE, IDS_TOOLTIP_IMPORT_MERGE_TITLE, IDS_TOOLTIP_IMPORT_MERGE_PHRASES,
     IDS_TOOLTIP_IMPORT_MERGE_TIPS},
    {cmdExport, IDS_RIBBON_EXPORT, 0, IDS_TOOLTIP_EXPORT_PHRASES, IDS_TOOLTIP_EXPORT_TIPS},
    {cmdSave, IDS_RIBBON_SAVE, IDS_TOOLTIP_SAVE_TITLE, IDS_TOOLTIP_SAVE_PHRASES, IDS_TOOLTIP_SAVE_TIPS},
    {cmdUndelete, IDS_RIBBON_UNDELETE, IDS_TOOLTIP_UNDELETE_TITLE, IDS_TOOLTIP_UNDELETE, 0},
    {cmdInsert, IDS_RIBBON_INSERT, IDS_TOOLTIP_INSERT_TITLE, IDS_TOOLTIP_INSERT, 0},
    {cmdDelete, IDS_RIBBON_DELETE, IDS_TOOLTIP_DELETE_TITLE, IDS_TOOLTIP_DELETE, 0},
    {cmdModify, IDS_RIBBON_MODIFY, IDS_TOOLTIP_MODIFY_TITLE, IDS_TOOLTIP_MODIFY, 0},
    {cmdSelectAll, IDS_RIBBON_SELECT_ALL, IDS_TOOLTIP_SELECT_ALL_TITLE, IDS_TOOLTIP_SELECT_ALL, 0},
    {cmdFind, IDS_RIBBON_FIND, IDS_TOOLTIP_FIND_TITLE, IDS_TOOLTIP_FIND, 0},
    {cmdFilter, IDS_RIBBON_FILTER, IDS_TOOLTIP_FILTER_TITLE, IDS_TOOLTIP_FILTER, 0},
    {cmdSortByPhrase, IDS_RIBBON_SORT_BY_PHRASE, 0, 0, 0},
    {cmdSortByVantixInputKey, IDS_RIBBON_SORT_BY_VANTIX_KEY, 0, 0, 0},
    {cmdSortByInputKey, IDS_RIBBON_SORT_BY_INPUT_KEY, 0, 0, 0},
}};

const CommandStrings* StringsOf(UINT32 command) {
    for (const CommandStrings& strings : CommandTable) {
        if (strings.command == command) return &strings;
    }
    return nullptr;
}

bool IsVisibleWindow(HWND window) {
    return window && IsWindow(window) && IsWindowVisible(window);
}

HRESULT StringValue(unsigned stringId, PROPVARIANT* value) {
    return RibbonStringValue(LoadUiString(stringId).c_str(), value);
}

// The label description (the full path) and the pinned flag of a recent item the framework
// hands back.
bool ReadItem(IUnknown* element, std::wstring& path, bool& pinned) {
    if (!element) return false;
    ComPtr<IRibbonPropertySet> item;
    if (FAILED(element->QueryInterface(IID_IRibbonPropertySet, reinterpret_cast<void**>(item.put()))) || !item) {
        return false;
    }
    PROPVARIANT value;
    PropVariantInit(&value);
    if (FAILED(item->GetValue(RibbonKeyLabelDescription, &value)) || value.vt != VT_LPWSTR || !value.pwszVal) {
        PropVariantClear(&value);
        return false;
    }
    path = value.pwszVal;
    PropVariantClear(&value);
    PropVariantInit(&value);
    pinned = SUCCEEDED(item->GetValue(RibbonKeyPinned, &value)) && ReadRibbonBoolean(value, false);
    PropVariantClear(&value);
    return true;
}

}  // namespace

long ModuleLockCount() {
    return moduleLocks.load();
}

// ---- CApplication ----

CApplication* CApplication::Create(CMainWindow& window) {
    return new (std::nothrow) CApplication(window);
}

CApplication::CApplication(CMainWindow& window) : window_(&window) {
    ++moduleLocks;
}

CApplication::~CApplication() {
    --moduleLocks;
}

void CApplication::AddRecentFile(const std::wstring& path) {
    AddRecentItem(recent_, Utf16(path));
}

HRESULT CApplication::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRibbonApplication)) {
        *object = static_cast<IRibbonApplication*>(this);
    } else if (IsEqualIID(iid, IID_IRibbonCommandHandler)) {
        *object = static_cast<IRibbonCommandHandler*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CApplication::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG CApplication::Release() {
    const long left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT CApplication::OnViewChanged(UINT32, int, IUnknown* view, RibbonViewVerb verb, INT32) {
    if (verb != RibbonViewCreate && verb != RibbonViewDestroy && verb != RibbonViewSize) return S_OK;
    ComPtr<IRibbonView> ribbon;
    if (!view || FAILED(view->QueryInterface(IID_IRibbonView, reinterpret_cast<void**>(ribbon.put()))) || !ribbon) {
        return E_FAIL;
    }
    switch (verb) {
    case RibbonViewCreate:
        LoadRibbonSettings(*ribbon.get());
        return S_OK;
    case RibbonViewDestroy:
        SaveRibbonSettings(*ribbon.get());
        return S_OK;
    default: {
        UINT32 height = 0;
        const HRESULT result = ribbon->GetHeight(&height);
        if (SUCCEEDED(result)) window_->SetRibbonHeight(static_cast<int>(height));
        return result;
    }
    }
}

HRESULT CApplication::OnCreateUICommand(UINT32, int, IRibbonCommandHandler** handler) {
    if (!handler) return E_POINTER;
    *handler = static_cast<IRibbonCommandHandler*>(this);
    AddRef();
    return S_OK;
}

HRESULT CApplication::OnDestroyUICommand(UINT32, int, IRibbonCommandHandler*) {
    return E_NOTIMPL;
}

HRESULT CApplication::Execute(UINT32 commandId, RibbonExecutionVerb, const PROPERTYKEY* key,
                              const PROPVARIANT* currentValue, IRibbonPropertySet* executionProperties) {
    if (commandId == cmdMRUList) {
        if (key && SameKey(*key, RibbonKeySelectedItem)) {
            if (!executionProperties) return S_OK;
            PROPVARIANT path;
            PropVariantInit(&path);
            if (SUCCEEDED(executionProperties->GetValue(RibbonKeyLabelDescription, &path)) && path.vt == VT_LPWSTR &&
                path.pwszVal) {
                const std::wstring chosen = path.pwszVal;
                PropVariantClear(&path);
                window_->OpenRecent(chosen);
            } else {
                PropVariantClear(&path);
            }
            return S_OK;
        }
        if (key && SameKey(*key, RibbonKeyRecentItems) && currentValue) return ApplyPinChanges(*currentValue);
        return S_OK;
    }
    if (commandId == cmdExit) {
        // The close runs after the framework's call has returned.
        PostMessageW(window_->Window(), WM_CLOSE, cmdExit, 0);
        return S_OK;
    }
    SendMessageW(window_->Window(), WM_COMMAND, commandId, 0);
    return S_OK;
}

HRESULT CApplication::ApplyPinChanges(const PROPVARIANT& items) {
    if (items.vt != (VT_ARRAY | VT_UNKNOWN) || !items.parray) return E_INVALIDARG;
    LONG lower = 0;
    LONG upper = -1;
    HRESULT result = SafeArrayGetLBound(items.parray, 1, &lower);
    if (SUCCEEDED(result)) result = SafeArrayGetUBound(items.parray, 1, &upper);
    if (FAILED(result)) return result;
    for (LONG index = lower; index <= upper; ++index) {
        IUnknown* element = nullptr;
        if (FAILED(SafeArrayGetElement(items.parray, &index, &element))) continue;
        const ComPtr<IUnknown> owned = ComPtr<IUnknown>::Adopt(element);
        std::wstring path;
        bool pinned = false;
        if (ReadItem(owned.get(), path, pinned)) SetRecentItemPinned(recent_, Utf16(path), pinned);
    }
    return S_OK;
}

HRESULT CApplication::UpdateProperty(UINT32 commandId, const PROPERTYKEY& key, const PROPVARIANT*,
                                     PROPVARIANT* newValue) {
    if (!newValue) return E_POINTER;
    if (commandId == cmdMRUList && SameKey(key, RibbonKeyRecentItems)) return RecentItemsValue(newValue);
    if (SameKey(key, RibbonKeyBooleanValue)) {
        const PhraseSortState& sort = window_->SortState();
        switch (commandId) {
        case cmdAscendingSort: return RibbonBooleanValue(sort.sortAscending, newValue);
        case cmdDescendingSort: return RibbonBooleanValue(sort.sortDescending, newValue);
        case cmdSortByPhrase: return RibbonBooleanValue(sort.sortedByPhrase, newValue);
        case cmdSortByVantixInputKey: return RibbonBooleanValue(sort.sortedByVantixKey, newValue);
        case cmdSortByInputKey: return RibbonBooleanValue(sort.sortedByInputKey, newValue);
        default: return E_NOTIMPL;
        }
    }
    const CommandStrings* strings = StringsOf(commandId);
    if (!strings) return E_NOTIMPL;
    if (SameKey(key, RibbonKeyLabel) && strings->label) return StringValue(strings->label, newValue);
    if (SameKey(key, RibbonKeyTooltipTitle) && strings->tooltipTitle) return StringValue(strings->tooltipTitle, newValue);
    if (SameKey(key, RibbonKeyTooltipDescription) && strings->description) {
        if (!strings->tipsDescription) return StringValue(strings->description, newValue);
        if (IsVisibleWindow(window_->PhraseList())) return StringValue(strings->description, newValue);
        if (IsVisibleWindow(window_->TipList())) return StringValue(strings->tipsDescription, newValue);
        return RibbonStringValue(L"", newValue);
    }
    return E_NOTIMPL;
}

HRESULT CApplication::RecentItemsValue(PROPVARIANT* value) const {
    SAFEARRAY* items = SafeArrayCreateVector(VT_UNKNOWN, 0, static_cast<ULONG>(recent_.size()));
    if (!items) return E_OUTOFMEMORY;
    for (LONG index = 0; index < static_cast<LONG>(recent_.size()); ++index) {
        const ComPtr<CMRUListItem> item = ComPtr<CMRUListItem>::Adopt(CMRUListItem::Create(recent_[index]));
        // The vector takes a reference of its own to each element.
        if (item) SafeArrayPutElement(items, &index, static_cast<IUnknown*>(item.get()));
    }
    PROPVARIANT local;
    PropVariantInit(&local);
    local.vt = VT_ARRAY | VT_UNKNOWN;
    local.parray = items;
    const HRESULT result = PropVariantCopy(value, &local);
    PropVariantClear(&local);
    return result;
}

// ---- CMRUListItem ----

CMRUListItem* CMRUListItem::Create(const RecentItem& item) {
    return new (std::nothrow) CMRUListItem(item);
}

CMRUListItem::CMRUListItem(const RecentItem& item)
    : displayName_(Wide(RecentItemDisplayName(item.path))), path_(Wide(item.path)), pinned_(item.pinned) {
    ++moduleLocks;
}

CMRUListItem::~CMRUListItem() {
    --moduleLocks;
}

HRESULT CMRUListItem::GetValue(const PROPERTYKEY& key, PROPVARIANT* value) {
    if (!value) return E_POINTER;
    if (SameKey(key, RibbonKeyLabel)) return RibbonStringValue(displayName_.c_str(), value);
    if (SameKey(key, RibbonKeyLabelDescription)) return RibbonStringValue(path_.c_str(), value);
    if (SameKey(key, RibbonKeyPinned)) return RibbonBooleanValue(pinned_, value);
    return E_NOTIMPL;
}
