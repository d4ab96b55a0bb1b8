#include "ApplicationMenu.h"
#include "WideText.h"

#include <oleauto.h>

#include <new>
#include <string>

namespace {

// Menu identifiers of the recent items, above every command identifier of the markup.
constexpr UINT RecentItemFirst = 0xE000;

// One recent item as the framework hands it back after a pin change.
class CRecentItem final : public CSingleInterfaceObject<IRibbonPropertySet, IID_IRibbonPropertySet> {
public:
    CRecentItem(std::wstring label, std::wstring description, bool pinned)
        : label_(std::move(label)), description_(std::move(description)), pinned_(pinned) {}

    HRESULT STDMETHODCALLTYPE GetValue(const PROPERTYKEY& key, PROPVARIANT* value) override {
        if (!value) return E_POINTER;
        if (SameKey(key, RibbonKeyLabel)) return RibbonStringValue(label_.c_str(), value);
        if (SameKey(key, RibbonKeyLabelDescription)) return RibbonStringValue(description_.c_str(), value);
        if (SameKey(key, RibbonKeyPinned)) return RibbonBooleanValue(pinned_, value);
        return E_NOTIMPL;
    }

private:
    ~CRecentItem() override = default;
    std::wstring label_;
    std::wstring description_;
    bool pinned_;
};

struct RecentEntry {
    ComPtr<IRibbonPropertySet> item;
    std::wstring label;
    std::wstring description;
    bool pinned = false;
};

std::optional<std::wstring> ReadString(IRibbonPropertySet& set, const PROPERTYKEY& key) {
    PROPVARIANT value;
    PropVariantInit(&value);
    std::optional<std::wstring> text;
    if (SUCCEEDED(set.GetValue(key, &value)) && value.vt == VT_LPWSTR && value.pwszVal) text = value.pwszVal;
    PropVariantClear(&value);
    return text;
}

// The recent items as the command's handler lists them now; those that are no property sets are
// left out.
std::vector<RecentEntry> ReadRecentItems(RibbonMenuHost& host, UINT32 command) {
    std::vector<RecentEntry> entries;
    PROPVARIANT value;
    PropVariantInit(&value);
    if (host.Ask(command, RibbonKeyRecentItems, value) == S_OK && value.vt == (VT_ARRAY | VT_UNKNOWN) && value.parray) {
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(value.parray, 1, &lower);
        SafeArrayGetUBound(value.parray, 1, &upper);
        for (LONG index = lower; index <= upper; ++index) {
            IUnknown* element = nullptr;
            if (FAILED(SafeArrayGetElement(value.parray, &index, &element)) || !element) continue;
            const ComPtr<IUnknown> owned = ComPtr<IUnknown>::Adopt(element);
            RecentEntry entry;
            entry.item = owned.As<IRibbonPropertySet>(IID_IRibbonPropertySet);
            if (!entry.item) continue;
            entry.label = ReadString(*entry.item.get(), RibbonKeyLabel).value_or(std::wstring());
            entry.description = ReadString(*entry.item.get(), RibbonKeyLabelDescription).value_or(std::wstring());
            PROPVARIANT pinned;
            PropVariantInit(&pinned);
            if (SUCCEEDED(entry.item->GetValue(RibbonKeyPinned, &pinned))) entry.pinned = ReadRibbonBoolean(pinned, false);
            PropVariantClear(&pinned);
            entries.push_back(std::move(entry));
        }
    }
    PropVariantClear(&value);
    return entries;
}

// The whole list goes back, as new items, with the one pin flipped.
void SendPinChange(RibbonMenuHost& host, UINT32 command, const std::vector<RecentEntry>& recent, std::size_t flipped) {
    SAFEARRAY* items = SafeArrayCreateVector(VT_UNKNOWN, 0, static_cast<ULONG>(recent.size()));
    if (!items) return;
    for (LONG index = 0; index < static_cast<LONG>(recent.size()); ++index) {
        const RecentEntry& entry = recent[index];
        const bool pinned = static_cast<std::size_t>(index) == flipped ? !entry.pinned : entry.pinned;
        const ComPtr<IRibbonPropertySet> item =
            ComPtr<IRibbonPropertySet>::Adopt(new (std::nothrow) CRecentItem(entry.label, entry.description, pinned));
        if (item) SafeArrayPutElement(items, &index, static_cast<IUnknown*>(item.get()));
    }
    // The variant owns the array from here: clearing it destroys the array and releases the items.
    PROPVARIANT value;
    PropVariantInit(&value);
    value.vt = VT_ARRAY | VT_UNKNOWN;
    value.parray = items;
    host.ExecuteWith(command, &RibbonKeyRecentItems, &value, nullptr);
    PropVariantClear(&value);
}

}  // namespace

void AppendCommandItems(HMENU menu, const std::vector<CommandGroup>& groups, bool toggles, CommandBarHost& commands) {
    for (const CommandGroup& group : groups) {
        if (group.empty()) continue;
        if (GetMenuItemCount(menu) > 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        for (const std::uint16_t command : group) {
            UINT flags = MF_STRING | (commands.Enabled(command) ? MF_ENABLED : MF_GRAYED);
            if (toggles && commands.Checked(command)) flags |= MF_CHECKED;
            AppendMenuW(menu, flags, command, commands.Label(command).c_str());
        }
    }
}

void CApplicationMenu::Show(const RibbonModel& model, POINT screen) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    AppendCommandItems(menu.get(), model.applicationMenu.groups, false, commands_);
    std::vector<RecentEntry> recent;
    if (model.recentItems) {
        recent = ReadRecentItems(host_, model.recentItems);
        if (GetMenuItemCount(menu.get()) > 0) AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        // The heading in the UI language, as the program answers it.
        AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 0, commands_.Label(model.recentItems).c_str());
        for (std::size_t index = 0; index < recent.size(); ++index) {
            // Pinned items carry a check mark; a right click pins or unpins.
            const UINT flags = MF_STRING | (recent[index].pinned ? MF_CHECKED : MF_UNCHECKED);
            AppendMenuW(menu.get(), flags, RecentItemFirst + index, recent[index].label.c_str());
        }
    }
    open_ = menu.get();
    pinRequest_.reset();
    const UINT chosen = host_.Track(menu.get(), screen, 0);
    open_ = nullptr;
    if (pinRequest_ && *pinRequest_ < recent.size()) {
        SendPinChange(host_, model.recentItems, recent, *pinRequest_);
    } else if (chosen >= RecentItemFirst && chosen - RecentItemFirst < recent.size()) {
        const std::size_t index = chosen - RecentItemFirst;
        PROPVARIANT selected;
        PropVariantInit(&selected);
        selected.vt = VT_UI4;
        selected.ulVal = static_cast<ULONG>(index);
        host_.ExecuteWith(model.recentItems, &RibbonKeySelectedItem, &selected, recent[index].item.get());
    } else if (chosen != 0) {
        commands_.Execute(chosen);
    }
    pinRequest_.reset();
}

void CApplicationMenu::RightClick(HMENU menu, UINT position) {
    if (!open_ || menu != open_) return;
    const UINT id = GetMenuItemID(menu, static_cast<int>(position));
    if (id < RecentItemFirst || id == static_cast<UINT>(-1)) return;
    // The menu closes first; Show sends the change once tracking has ended.
    pinRequest_ = id - RecentItemFirst;
    EndMenu();
}
