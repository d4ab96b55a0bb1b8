// The configure dialog's three pages: child dialogs of the frame that lie over the tab
// control's display area. A page only passes its controls' messages on to the frame, which
// holds the record and does all the work.
#pragma once

#include "Dialog.h"
#include "res/resource.h"

class CConfigurePage : public CDialog {
public:
    // Creates the page hidden; false when the window cannot be made.
    bool Create(HINSTANCE instance, HWND frame);

protected:
    explicit CConfigurePage(int templateId) : templateId_(templateId) {}
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int templateId_;
    HWND frame_ = nullptr;
};

class CGeneralTab final : public CConfigurePage {
public:
    CGeneralTab() : CConfigurePage(IDD_PAGE_GENERAL) {}
};

class CAdvancedTab final : public CConfigurePage {
public:
    CAdvancedTab() : CConfigurePage(IDD_PAGE_ADVANCED) {}
};

class CKeyboardTab final : public CConfigurePage {
public:
    CKeyboardTab() : CConfigurePage(IDD_PAGE_KEYBOARD) {}
};
