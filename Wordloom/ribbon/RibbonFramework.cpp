#include "RibbonFramework.h"
#include "WideText.h"

#include "ApplicationMenu.h"
#include "CommandBar.h"
#include "DisplayMetrics.h"
#include "RibbonMarkup.h"
#include "RibbonState.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

const IID IID_IRibbonCommandBar{0x3c2f4a61, 0x8d1e, 0x4b57, {0x9a, 0x20, 0x6e, 0x41, 0xd3, 0x0b, 0x7c, 0x95}};

namespace {

constexpr UINT_PTR FrameSubclassId = 0x52424e;  // "RBN"
// Past this the stream holds no settings of ours.
constexpr ULONG MaxSettingsBytes = 64 * 1024;

bool IsKeytipStart(LPARAM character) {
    return character == 0 || (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z') ||
           (character >= '0' && character <= '9');
}

class CRibbonFramework;

// A context popup of the markup, as GetView hands it out.
class CContextPopup final : public CSingleInterfaceObject<IRibbonContextualUI, IID_IRibbonContextualUI> {
public:
    CContextPopup(CRibbonFramework& framework, UINT32 command);

    HRESULT STDMETHODCALLTYPE ShowAtLocation(INT32 x, INT32 y) override;

private:
    ~CContextPopup() override;
    CRibbonFramework& framework_;
    UINT32 command_;
};

class CRibbonFramework final : public IRibbonFramework,
                               public IRibbonView,
                               public IRibbonCommandBar,
                               public CommandBarHost,
                               private RibbonMenuHost {
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRibbonFramework)) {
            *object = static_cast<IRibbonFramework*>(this);
        } else if (IsEqualIID(iid, IID_IRibbonView)) {
            *object = static_cast<IRibbonView*>(this);
        } else if (IsEqualIID(iid, IID_IRibbonCommandBar)) {
            *object = static_cast<IRibbonCommandBar*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IRibbonFramework
    HRESULT STDMETHODCALLTYPE Initialize(HWND frame, IRibbonApplication* application) override {
        if (!frame || !application) return E_INVALIDARG;
        if (application_ || destroyed_) return E_UNEXPECTED;
        frame_ = frame;
        application_ = ComPtr<IRibbonApplication>(application);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Destroy() override {
        if (destroyed_) return S_OK;
        destroyed_ = true;
        const ComPtr<IRibbonFramework> keepAlive(static_cast<IRibbonFramework*>(this));
        // The application saves the ribbon's settings now, while the bar still holds them.
        if (loaded_ && application_) {
            application_->OnViewChanged(0, 1, static_cast<IRibbonView*>(this), RibbonViewDestroy, 0);
        }
        if (application_ && model_) {
            for (auto& [command, handler] : handlers_) {
                const RibbonCommand* found = model_->Command(command);
                application_->OnDestroyUICommand(command, found ? static_cast<int>(found->kind) : 0, handler.get());
            }
        }
        handlers_.clear();
        if (subclassed_) {
            RemoveWindowSubclass(frame_, FrameProc, FrameSubclassId);
            subclassed_ = false;
        }
        bar_.reset();
        application_.reset();
        loaded_ = false;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE LoadUI(HINSTANCE instance, const wchar_t* resourceName) override {
        if (!application_ || loaded_ || destroyed_) return E_UNEXPECTED;
        const HRSRC found = FindResourceW(instance, resourceName, L"UIFILE");
        const HGLOBAL resource = found ? LoadResource(instance, found) : nullptr;
        const char* bytes = resource ? static_cast<const char*>(LockResource(resource)) : nullptr;
        if (!bytes) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
        MarkupResult parsed = ParseRibbonMarkup(std::string_view(bytes, SizeofResource(instance, found)));
        if (!parsed.model) return E_FAIL;
        model_ = std::move(*parsed.model);
        state_ = RibbonState{false, model_->quickAccessDefaults};

        for (const RibbonCommand& command : model_->commands) {
            ComPtr<IRibbonCommandHandler> handler;
            if (SUCCEEDED(application_->OnCreateUICommand(command.id, static_cast<int>(command.kind), handler.put())) &&
                handler) {
                handlers_.emplace(command.id, std::move(handler));
            }
        }

        int dpi = MonitorDpi(frame_);
        if (dpi <= 0) dpi = SystemDpi();
        bar_ = std::make_unique<CCommandBar>(*this, *model_, instance);
        if (!bar_->Create(frame_, dpi, state_.quickAccess, state_.collapsed)) {
            bar_.reset();
            return E_FAIL;
        }
        subclassed_ = SetWindowSubclass(frame_, FrameProc, FrameSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
        // Keytips start from the frame's WM_SYSCOMMAND / SC_KEYMENU (see FrameProc).
        loaded_ = true;
        const ComPtr<IRibbonFramework> keepAlive(static_cast<IRibbonFramework*>(this));
        const ComPtr<IRibbonApplication> application = application_;
        application->OnViewChanged(0, 1, static_cast<IRibbonView*>(this), RibbonViewCreate, 0);
        if (bar_) application->OnViewChanged(0, 1, static_cast<IRibbonView*>(this), RibbonViewSize, 0);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetView(UINT32 viewId, REFIID iid, void** view) override {
        if (!view) return E_POINTER;
        *view = nullptr;
        if (viewId == 0) {
            if (!IsEqualIID(iid, IID_IRibbonView) && !IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
            *view = static_cast<IRibbonView*>(this);
            AddRef();
            return S_OK;
        }
        if (!model_ || !model_->ContextPopup(static_cast<std::uint16_t>(viewId))) return E_INVALIDARG;
        if (!IsEqualIID(iid, IID_IRibbonContextualUI) && !IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
        auto* popup = new (std::nothrow) CContextPopup(*this, viewId);
        if (!popup) return E_OUTOFMEMORY;
        *view = static_cast<IRibbonContextualUI*>(popup);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetUICommandProperty(UINT32 commandId, const PROPERTYKEY& key,
                                                   const PROPVARIANT& value) override {
        if (!model_ || !model_->Command(static_cast<std::uint16_t>(commandId))) return E_INVALIDARG;
        if (!SameKey(key, RibbonKeyEnabled)) return E_NOTIMPL;
        if (value.vt != VT_BOOL) return E_INVALIDARG;
        const bool enabled = value.boolVal != VARIANT_FALSE;
        enabled_[commandId] = enabled;
        if (bar_) bar_->SetEnabled(commandId, enabled);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE InvalidateUICommand(UINT32 commandId, int flags, const PROPERTYKEY* key) override {
        if (!model_) return E_UNEXPECTED;
        // Command 0 stands for all of them.
        std::vector<UINT32> commands;
        for (const RibbonCommand& command : model_->commands) {
            if (commandId == 0 || command.id == commandId) commands.push_back(command.id);
        }
        if (commands.empty()) return E_INVALIDARG;
        const bool all = (flags & RibbonInvalidateAllProperties) != 0;
        const bool property = (flags & RibbonInvalidateProperty) != 0 && key;
        if (all || (flags & RibbonInvalidateState) || (property && SameKey(*key, RibbonKeyEnabled))) {
            for (const UINT32 command : commands) {
                if (const std::optional<bool> enabled = AskBoolean(command, RibbonKeyEnabled)) {
                    enabled_[command] = *enabled;
                    if (bar_) bar_->SetEnabled(command, *enabled);
                }
            }
        }
        // The toggles' values and the tooltips are read each time their menu or tip opens.
        if (bar_ && (all || (property && SameKey(*key, RibbonKeyLabel)))) bar_->RefreshLabels();
        return S_OK;
    }

    // IRibbonView
    HRESULT STDMETHODCALLTYPE GetHeight(UINT32* height) override {
        if (!height) return E_POINTER;
        *height = bar_ && bar_->Window() ? static_cast<UINT32>(bar_->Height()) : 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE LoadSettingsFromStream(IStream* stream) override {
        if (!stream) return E_POINTER;
        std::vector<std::uint8_t> bytes;
        std::uint8_t chunk[512];
        ULONG read = 0;
        while (bytes.size() <= MaxSettingsBytes && SUCCEEDED(stream->Read(chunk, sizeof chunk, &read)) && read > 0) {
            bytes.insert(bytes.end(), chunk, chunk + read);
        }
        if (!model_ || bytes.size() > MaxSettingsBytes) return S_OK;
        const std::vector<std::uint16_t> allowed = model_->QuickAccessAllowed();
        const std::optional<RibbonState> decoded = DecodeRibbonState(bytes, allowed);
        if (!decoded) return S_OK;  // not ours: the defaults stay
        state_ = *decoded;
        if (bar_) {
            bar_->SetQuickAccess(state_.quickAccess);
            bar_->SetCollapsed(state_.collapsed);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SaveSettingsToStream(IStream* stream) override {
        if (!stream) return E_POINTER;
        if (bar_) state_.collapsed = bar_->Collapsed();
        const std::vector<std::uint8_t> bytes = EncodeRibbonState(state_);
        if (bytes.empty()) return E_FAIL;
        ULONG written = 0;
        const HRESULT result = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
        if (FAILED(result)) return result;
        return written == bytes.size() ? S_OK : STG_E_MEDIUMFULL;
    }

    // IRibbonCommandBar
    HRESULT STDMETHODCALLTYPE SetCollapsed(BOOL collapsed) override {
        if (!bar_) return E_UNEXPECTED;
        bar_->SetCollapsed(collapsed != FALSE);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsCollapsed(BOOL* collapsed) override {
        if (!collapsed) return E_POINTER;
        *collapsed = (bar_ ? bar_->Collapsed() : state_.collapsed) ? TRUE : FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetBarWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = bar_ ? bar_->Window() : nullptr;
        return *window ? S_OK : E_UNEXPECTED;
    }

    // CommandBarHost
    std::wstring Label(UINT32 command) override {
        if (std::optional<std::wstring> label = AskString(command, RibbonKeyLabel)) return *label;
        const RibbonCommand* found = model_ ? model_->Command(static_cast<std::uint16_t>(command)) : nullptr;
        return found ? Wide(found->label) : std::wstring();
    }
    std::wstring TooltipTitle(UINT32 command) override {
        return AskString(command, RibbonKeyTooltipTitle).value_or(std::wstring());
    }
    std::wstring TooltipDescription(UINT32 command) override {
        return AskString(command, RibbonKeyTooltipDescription).value_or(std::wstring());
    }
    bool Enabled(UINT32 command) override {
        if (const auto set = enabled_.find(command); set != enabled_.end()) return set->second;
        return AskBoolean(command, RibbonKeyEnabled).value_or(true);
    }
    bool Checked(UINT32 command) override { return AskBoolean(command, RibbonKeyBooleanValue).value_or(false); }
    void Execute(UINT32 command) override {
        if (!Enabled(command)) return;
        ExecuteWith(command, nullptr, nullptr, nullptr);
    }
    void OpenMenu(UINT32 command, POINT screen) override {
        if (!model_) return;
        if (command == model_->applicationMenu.command) {
            applicationMenu_.Show(*model_, screen);
        } else if (const CommandMenu* menu = model_->DropDown(static_cast<std::uint16_t>(command))) {
            ShowCommandMenu(*menu, screen, true);
        }
    }
    void MenuRightClick(HMENU menu, UINT position) override { applicationMenu_.RightClick(menu, position); }
    void HeightChanged() override {
        if (!loaded_ || !application_) return;
        const ComPtr<IRibbonApplication> application = application_;
        application->OnViewChanged(0, 1, static_cast<IRibbonView*>(this), RibbonViewSize, 0);
    }

    HRESULT ShowContextPopup(UINT32 command, INT32 x, INT32 y) {
        const CommandMenu* menu = model_ ? model_->ContextPopup(static_cast<std::uint16_t>(command)) : nullptr;
        if (!menu || !bar_ || !bar_->Window()) return E_UNEXPECTED;
        ShowCommandMenu(*menu, POINT{x, y}, false);
        return S_OK;
    }

private:
    ~CRibbonFramework() { Destroy(); }

    // RibbonMenuHost
    HRESULT Ask(UINT32 command, const PROPERTYKEY& key, PROPVARIANT& value) override {
        const auto handler = handlers_.find(command);
        if (handler == handlers_.end()) return E_NOTIMPL;
        const ComPtr<IRibbonCommandHandler> keep = handler->second;
        return keep->UpdateProperty(command, key, nullptr, &value);
    }
    std::optional<std::wstring> AskString(UINT32 command, const PROPERTYKEY& key) {
        PROPVARIANT value;
        PropVariantInit(&value);
        std::optional<std::wstring> text;
        if (Ask(command, key, value) == S_OK && value.vt == VT_LPWSTR && value.pwszVal) text = value.pwszVal;
        PropVariantClear(&value);
        return text;
    }
    std::optional<bool> AskBoolean(UINT32 command, const PROPERTYKEY& key) {
        PROPVARIANT value;
        PropVariantInit(&value);
        std::optional<bool> flag;
        if (Ask(command, key, value) == S_OK && value.vt == VT_BOOL) flag = value.boolVal != VARIANT_FALSE;
        PropVariantClear(&value);
        return flag;
    }

    void ExecuteWith(UINT32 command, const PROPERTYKEY* key, const PROPVARIANT* value,
                     IRibbonPropertySet* properties) override {
        const auto handler = handlers_.find(command);
        if (handler == handlers_.end()) return;
        // The handler may tear the ribbon down (Exit): both stay alive for the call.
        const ComPtr<IRibbonFramework> keepAlive(static_cast<IRibbonFramework*>(this));
        const ComPtr<IRibbonCommandHandler> keep = handler->second;
        keep->Execute(command, RibbonExecute, key, value, properties);
    }

    UINT Track(HMENU menu, POINT screen, UINT flags) override {
        if (!bar_ || !bar_->Window()) return 0;
        return static_cast<UINT>(TrackPopupMenuEx(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                  screen.x, screen.y, bar_->Window(), nullptr));
    }

    void ShowCommandMenu(const CommandMenu& commands, POINT screen, bool toggles) {
        UniqueMenu menu(CreatePopupMenu());
        if (!menu) return;
        AppendCommandItems(menu.get(), commands.groups, toggles, *this);
        const UINT chosen = Track(menu.get(), screen, toggles ? 0 : TPM_RIGHTBUTTON);
        if (chosen != 0) Execute(chosen);
    }

    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data) {
        auto* framework = reinterpret_cast<CRibbonFramework*>(data);
        switch (message) {
        case WM_SIZE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (framework->bar_) framework->bar_->FitWidth(LOWORD(lParam));
            return result;
        }
        case WM_KEYDOWN:
            if (wParam == VK_F1 && GetKeyState(VK_CONTROL) < 0 && framework->bar_) {
                framework->bar_->SetCollapsed(!framework->bar_->Collapsed());
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            // Alt or F10 (no character) and Alt+letter show keytips, unless the frame has a menu
            // bar of its own; Alt+Space still opens the window menu.
            if ((wParam & 0xFFF0) == SC_KEYMENU && framework->bar_ && framework->bar_->Window() && !GetMenu(window) &&
                IsKeytipStart(lParam)) {
                framework->bar_->StartKeytips(static_cast<wchar_t>(lParam));
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && framework->bar_) framework->bar_->LeaveKeytips();
            break;
        case WM_MOVE:
            if (framework->bar_) framework->bar_->LeaveKeytips();
            break;
        case WM_DPICHANGED: {
            // The frame moves to its new rectangle first; the bar then follows the new DPI.
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (framework->bar_) framework->bar_->SetDpi(HIWORD(wParam));
            return result;
        }
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
        case WM_SETTINGCHANGE:
            if (framework->bar_) framework->bar_->FollowSystemChange(message, wParam, lParam);
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, FrameProc, FrameSubclassId);
            framework->subclassed_ = false;
            break;
        default: break;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    long references_ = 1;
    HWND frame_ = nullptr;
    ComPtr<IRibbonApplication> application_;
    std::optional<RibbonModel> model_;
    std::map<UINT32, ComPtr<IRibbonCommandHandler>> handlers_;
    std::map<UINT32, bool> enabled_;  // what SetUICommandProperty and the handlers last said
    RibbonState state_;
    std::unique_ptr<CCommandBar> bar_;
    CApplicationMenu applicationMenu_{*this, *this};
    bool subclassed_ = false;
    bool loaded_ = false;
    bool destroyed_ = false;
};

CContextPopup::CContextPopup(CRibbonFramework& framework, UINT32 command) : framework_(framework), command_(command) {
    framework_.AddRef();
}

CContextPopup::~CContextPopup() {
    framework_.Release();
}

HRESULT CContextPopup::ShowAtLocation(INT32 x, INT32 y) {
    return framework_.ShowContextPopup(command_, x, y);
}

}  // namespace

ComPtr<IRibbonFramework> CreateRibbonFramework() {
    auto* framework = new (std::nothrow) CRibbonFramework();
    return ComPtr<IRibbonFramework>::Adopt(framework ? static_cast<IRibbonFramework*>(framework) : nullptr);
}
