// The program's side of the ribbon: the application object the framework calls back. It hands
// out itself as the handler of every command, answers every label, tooltip and checked state
// from the string table and the main window's flags, keeps the recent items, and turns what the
// user executes into the main window's commands.
#pragma once

#include "RecentItems.h"
#include "RibbonInterfaces.h"

#include <string>

class CMainWindow;

// Objects of the ribbon layer keep the module locked while they exist.
long ModuleLockCount();

class CApplication final : public IRibbonApplication, public IRibbonCommandHandler {
public:
    // Created with one reference, the caller's.
    static CApplication* Create(CMainWindow& window);

    RecentItems& Recent() { return recent_; }
    // After a file was read: the recent-items rules decide where it goes.
    void AddRecentFile(const std::wstring& path);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IRibbonApplication
    HRESULT STDMETHODCALLTYPE OnViewChanged(UINT32 viewId, int typeId, IUnknown* view, RibbonViewVerb verb,
                                            INT32 reason) override;
    HRESULT STDMETHODCALLTYPE OnCreateUICommand(UINT32 commandId, int typeId, IRibbonCommandHandler** handler) override;
    HRESULT STDMETHODCALLTYPE OnDestroyUICommand(UINT32 commandId, int typeId, IRibbonCommandHandler* handler) override;

    // IRibbonCommandHandler
    HRESULT STDMETHODCALLTYPE Execute(UINT32 commandId, RibbonExecutionVerb verb, const PROPERTYKEY* key,
                                      const PROPVARIANT* currentValue, IRibbonPropertySet* executionProperties) override;
    HRESULT STDMETHODCALLTYPE UpdateProperty(UINT32 commandId, const PROPERTYKEY& key, const PROPVARIANT* currentValue,
                                             PROPVARIANT* newValue) override;

private:
    explicit CApplication(CMainWindow& window);
    virtual ~CApplication();

    HRESULT RecentItemsValue(PROPVARIANT* value) const;
    HRESULT ApplyPinChanges(const PROPVARIANT& items);

    long references_ = 1;
    CMainWindow* window_;
    RecentItems recent_;
};

// One recent item as the framework sees it: its display name, full path and pin.
class CMRUListItem final : public CSingleInterfaceObject<IRibbonPropertySet, IID_IRibbonPropertySet> {
public:
    static CMRUListItem* Create(const RecentItem& item);

    HRESULT STDMETHODCALLTYPE GetValue(const PROPERTYKEY& key, PROPVARIANT* value) override;

private:
    explicit CMRUListItem(const RecentItem& item);
    ~CMRUListItem() override;

    std::wstring displayName_;
    std::wstring path_;
    bool pinned_;
};
