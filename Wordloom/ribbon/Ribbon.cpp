#include "Ribbon.h"

#include "Application.h"
#include "Commands.h"
#include "MainWindow.h"
#include "RibbonFramework.h"
#include "RibbonStores.h"
#include "Win32Handles.h"

#include <array>

namespace {

class CRibbonHost final : public Ribbon {
public:
    CRibbonHost(CMainWindow& window, ComPtr<CApplication> application)
        : window_(window), application_(std::move(application)) {}
    ~CRibbonHost() override { DestroyViews(); }

    // Starts the framework over the window; on failure the host stays without one.
    void Start(ComPtr<IRibbonFramework> framework) {
        if (!framework || FAILED(framework->Initialize(window_.Window(), application_.get()))) return;
        const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_.Window(), GWLP_HINSTANCE));
        if (FAILED(framework->LoadUI(instance, L"APPLICATION_RIBBON"))) {
            framework->Destroy();
            return;
        }
        framework_ = std::move(framework);
        // The groups' labels come from the string table in the UI language, not from the markup.
        for (const UINT32 group : {cmdGroupEdit, cmdGroupView}) {
            framework_->InvalidateUICommand(group, RibbonInvalidateProperty, &RibbonKeyLabel);
        }
    }

    void RefreshCommandStates() override {
        if (!framework_) return;
        const CTablePane& pane = window_.CurrentPane();
        // Select All and Find go over the rows the list shows; a sort orders the whole table.
        const std::size_t rows = pane.RowCount();
        const std::size_t shown = pane.ShownRowCount();
        const bool haveDeleted = pane.HasDeletedRows();
        const HWND list = pane.List();
        const bool selected = list && ListView_GetSelectedCount(list) > 0;
        const bool focused = list && ListView_GetNextItem(list, -1, LVNI_FOCUSED) != -1;
        // Filter stays on when no row is shown, so that the box can be reached to change its text.
        const std::array<std::pair<UINT32, bool>, 7> states{{
            {cmdSelectAll, shown >= 1},
            {cmdFind, shown >= 1},
            {cmdFilter, list != nullptr},
            {cmdSort, pane.Sortable() && rows >= 2},
            {cmdUndelete, haveDeleted},
            {cmdDelete, selected},
            {cmdModify, focused},
        }};
        for (const auto& [command, enabled] : states) {
            PROPVARIANT value;
            RibbonBooleanValue(enabled, &value);
            framework_->SetUICommandProperty(command, RibbonKeyEnabled, value);
        }
    }

    void InvalidateSortToggles() override {
        if (!framework_) return;
        for (const UINT32 toggle : {cmdSortByPhrase, cmdSortByVantixInputKey, cmdSortByInputKey, cmdAscendingSort,
                                    cmdDescendingSort}) {
            framework_->InvalidateUICommand(toggle, RibbonInvalidateValue, nullptr);
        }
    }

    bool ShowContextPopup(POINT screenPoint) override {
        if (!framework_) return false;
        ComPtr<IRibbonContextualUI> popup;
        if (FAILED(framework_->GetView(cmdEditContextMenu, IID_IRibbonContextualUI,
                                       reinterpret_cast<void**>(popup.put()))) ||
            !popup) {
            return false;
        }
        return SUCCEEDED(popup->ShowAtLocation(screenPoint.x, screenPoint.y));
    }

    void DestroyViews() override {
        if (framework_) {
            framework_->Destroy();  // the application saves the ribbon's settings then
            framework_.reset();
        }
        if (application_) {
            SaveRecentItems(application_->Recent());
            application_.reset();
        }
    }

    void ToggleCollapsed() override {
        if (!framework_) return;
        const ComPtr<IRibbonCommandBar> bar = framework_.As<IRibbonCommandBar>(IID_IRibbonCommandBar);
        BOOL collapsed = FALSE;
        if (bar && SUCCEEDED(bar->IsCollapsed(&collapsed))) bar->SetCollapsed(!collapsed);
    }

    void AddRecentFile(const std::wstring& path) override {
        if (application_) application_->AddRecentFile(path);
    }

private:
    CMainWindow& window_;
    ComPtr<CApplication> application_;
    ComPtr<IRibbonFramework> framework_;
};

}  // namespace

std::unique_ptr<Ribbon> CreateRibbonOver(CMainWindow& window, IRibbonFramework* framework) {
    ComPtr<CApplication> application = ComPtr<CApplication>::Adopt(CApplication::Create(window));
    if (!application) return nullptr;
    // The list is there before the framework starts, and is saved even when it fails to.
    application->Recent() = LoadRecentItems();
    auto host = std::make_unique<CRibbonHost>(window, std::move(application));
    host->Start(ComPtr<IRibbonFramework>(framework));
    return host;
}

std::unique_ptr<Ribbon> CreateRibbon(CMainWindow& window) {
    const ComPtr<IRibbonFramework> framework = CreateRibbonFramework();
    return CreateRibbonOver(window, framework.get());
}
