#include "MessageLoop.h"

#include "DialogLayout.h"
#include "res/resource.h"

namespace {

class AcceleratorTable {
public:
    explicit AcceleratorTable(HACCEL table) : table_(table) {}
    ~AcceleratorTable() {
        if (table_) DestroyAcceleratorTable(table_);
    }
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    HACCEL get() const { return table_; }

private:
    HACCEL table_;
};

}  // namespace

void TranslateAndDispatch(MSG& message, HWND window, HACCEL accelerators) {
    if (accelerators && TranslateAcceleratorW(window, accelerators, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop(HWND window, HINSTANCE instance) {
    const AcceleratorTable accelerators(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAIN_ACCEL)));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) TranslateAndDispatch(message, window, accelerators.get());
    return static_cast<int>(message.wParam);
}

void CentreMainWindow(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const Rect placed = CentredDialogRect(Rect{frame.left, frame.top, frame.right, frame.bottom}, std::nullopt,
                                          Rect{work.left, work.top, work.right, work.bottom});
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
