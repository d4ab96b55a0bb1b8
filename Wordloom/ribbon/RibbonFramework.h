// The phrase tool's own ribbon framework: one object that loads the markup, asks the
// application for a handler per command, and shows the command bar at the top of the frame.
#pragma once

#include "RibbonInterfaces.h"
#include "Win32Handles.h"

ComPtr<IRibbonFramework> CreateRibbonFramework();

// What the framework offers beyond the platform's shape: collapsing from code (Ctrl+F1 does not
// reach the frame while a list has the focus) and the bar's window, for layout and tests.
struct IRibbonCommandBar : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetCollapsed(BOOL collapsed) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsCollapsed(BOOL* collapsed) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBarWindow(HWND* window) = 0;
};

extern const IID IID_IRibbonCommandBar;
