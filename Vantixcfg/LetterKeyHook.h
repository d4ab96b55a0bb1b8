// The configure dialog's single-letter shortcuts. A message-filter hook on the thread lets the
// letter-key table turn key presses in the dialog's modal loop into the frame's commands, so
// the letters act whatever control has the focus (the drop-down lists never see them).
#pragma once

#include <windows.h>

#include <memory>

class CLetterKeyHook {
public:
    // Loads the accelerator table and hooks this thread's dialog loops; nothing when the table
    // does not load or the hook cannot be set.
    static std::unique_ptr<CLetterKeyHook> Install(HINSTANCE instance, int tableId);

    ~CLetterKeyHook();
    CLetterKeyHook(const CLetterKeyHook&) = delete;
    CLetterKeyHook& operator=(const CLetterKeyHook&) = delete;

    // The window that receives the commands; none until it is set.
    void SetTarget(HWND target) { target_ = target; }

private:
    explicit CLetterKeyHook(HACCEL table) : table_(table) {}
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);

    HACCEL table_ = nullptr;
    HHOOK hook_ = nullptr;
    HWND target_ = nullptr;
};
