// The interfaces between the phrase tool and its ribbon layer, in the shape of the platform's
// ribbon framework (which cannot serve here: see Wordloom/ribbon/README.md). The program gives
// the framework an application object; the framework asks it for a command handler per command
// and then, through that handler, for every label, tooltip, enabled and checked state it shows,
// and tells it what the user executed. Properties travel as PROPVARIANTs: strings as VT_LPWSTR
// (CoTaskMem), booleans as VT_BOOL, the recent items as VT_ARRAY | VT_UNKNOWN of property sets.
#pragma once

#include <windows.h>

#include <objidl.h>
#include <propidl.h>
#include <unknwn.h>

enum RibbonViewVerb : int { RibbonViewCreate = 0, RibbonViewDestroy = 1, RibbonViewSize = 2, RibbonViewError = 3 };
enum RibbonExecutionVerb : int { RibbonExecute = 0, RibbonPreview = 1, RibbonCancelPreview = 2 };

// What InvalidateUICommand asks the framework to read again.
enum RibbonInvalidation : int {
    RibbonInvalidateState = 1,       // the enabled state
    RibbonInvalidateValue = 2,       // the checked value of a toggle
    RibbonInvalidateProperty = 4,    // the one property named by the key
    RibbonInvalidateAllProperties = 8,
};

// The property keys the framework and the program speak of.
extern const PROPERTYKEY RibbonKeyEnabled;             // VT_BOOL
extern const PROPERTYKEY RibbonKeyLabel;               // VT_LPWSTR
extern const PROPERTYKEY RibbonKeyLabelDescription;    // VT_LPWSTR
extern const PROPERTYKEY RibbonKeyTooltipTitle;        // VT_LPWSTR
extern const PROPERTYKEY RibbonKeyTooltipDescription;  // VT_LPWSTR
extern const PROPERTYKEY RibbonKeyBooleanValue;        // VT_BOOL: a toggle's checked state
extern const PROPERTYKEY RibbonKeyRecentItems;         // VT_ARRAY | VT_UNKNOWN of IRibbonPropertySet
extern const PROPERTYKEY RibbonKeyPinned;              // VT_BOOL
extern const PROPERTYKEY RibbonKeySelectedItem;        // VT_UI4: the index of the chosen recent item

bool SameKey(const PROPERTYKEY& a, const PROPERTYKEY& b);

// A read-only set of properties (one recent item; the properties of an execution).
struct IRibbonPropertySet : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetValue(const PROPERTYKEY& key, PROPVARIANT* value) = 0;
};

struct IRibbonCommandHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Execute(UINT32 commandId, RibbonExecutionVerb verb, const PROPERTYKEY* key,
                                              const PROPVARIANT* currentValue,
                                              IRibbonPropertySet* executionProperties) = 0;
    // E_NOTIMPL for a property the program does not answer: the framework keeps the markup's.
    virtual HRESULT STDMETHODCALLTYPE UpdateProperty(UINT32 commandId, const PROPERTYKEY& key,
                                                     const PROPVARIANT* currentValue, PROPVARIANT* newValue) = 0;
};

struct IRibbonApplication : IUnknown {
    // view: the ribbon view (IRibbonView) for create, destroy and size.
    virtual HRESULT STDMETHODCALLTYPE OnViewChanged(UINT32 viewId, int typeId, IUnknown* view, RibbonViewVerb verb,
                                                    INT32 reason) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnCreateUICommand(UINT32 commandId, int typeId,
                                                        IRibbonCommandHandler** handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnDestroyUICommand(UINT32 commandId, int typeId,
                                                         IRibbonCommandHandler* handler) = 0;
};

// The ribbon itself, as a view: its height, and its settings (collapsed state, the quick access
// toolbar) as a stream.
struct IRibbonView : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetHeight(UINT32* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE LoadSettingsFromStream(IStream* stream) = 0;
    virtual HRESULT STDMETHODCALLTYPE SaveSettingsToStream(IStream* stream) = 0;
};

// A context popup of the markup.
struct IRibbonContextualUI : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE ShowAtLocation(INT32 x, INT32 y) = 0;
};

struct IRibbonFramework : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Initialize(HWND frame, IRibbonApplication* application) = 0;
    // Tears the views down; the application hears of the ribbon view's destruction first.
    virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
    // Loads the markup resource (type "UIFILE") and builds the ribbon's views.
    virtual HRESULT STDMETHODCALLTYPE LoadUI(HINSTANCE instance, const wchar_t* resourceName) = 0;
    // viewId 0 with IID_IRibbonView: the ribbon; a context popup's command with IID_IRibbonContextualUI.
    virtual HRESULT STDMETHODCALLTYPE GetView(UINT32 viewId, REFIID iid, void** view) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetUICommandProperty(UINT32 commandId, const PROPERTYKEY& key,
                                                           const PROPVARIANT& value) = 0;
    virtual HRESULT STDMETHODCALLTYPE InvalidateUICommand(UINT32 commandId, int flags, const PROPERTYKEY* key) = 0;
};

extern const IID IID_IRibbonPropertySet;
extern const IID IID_IRibbonCommandHandler;
extern const IID IID_IRibbonApplication;
extern const IID IID_IRibbonView;
extern const IID IID_IRibbonContextualUI;
extern const IID IID_IRibbonFramework;

// The reference count and interface lookup of an object that implements one interface of the
// layer: created with one reference, the creator's; deleted with the last release.
template <class Interface, const IID& InterfaceId>
class CSingleInterfaceObject : public Interface {
public:
    CSingleInterfaceObject(const CSingleInterfaceObject&) = delete;
    CSingleInterfaceObject& operator=(const CSingleInterfaceObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, InterfaceId)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    CSingleInterfaceObject() = default;
    virtual ~CSingleInterfaceObject() = default;

private:
    long references_ = 1;
};

// PROPVARIANT helpers: a copy of the string (CoTaskMem), a boolean, and reading them back.
HRESULT RibbonStringValue(const wchar_t* text, PROPVARIANT* value);
HRESULT RibbonBooleanValue(bool flag, PROPVARIANT* value);
bool ReadRibbonBoolean(const PROPVARIANT& value, bool fallback);
