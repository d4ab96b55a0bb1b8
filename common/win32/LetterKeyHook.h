// Single-letter shortcuts of a dialog (the settings tool's configure dialog, the phrase tool's
// Find dialog). A message-filter hook on the thread lets the letter-key table turn key presses
// in the dialog's modal loop into the target's commands, so the letters act whatever control
// has the focus (the drop-down lists never see them); the target decides what each one does.
#pragma once

#include "Win32Handles.h"

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

    // Whether a hook is in place on the calling thread, its table and hook still held.
    static bool InstalledOnThisThread();

    // The window that receives the commands; none until it is set.
    void SetTarget(HWND target) { target_ = target; }
    // A text field of the target: keys pressed while it has the focus are typed into it, so
    // they go on to it and the target is told nothing. None until it is set.
    void SetTypingField(HWND field) { typingField_ = field; }

private:
    explicit CLetterKeyHook(UniqueAcceleratorTable table) : table_(std::move(table)) {}
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);

    UniqueAcceleratorTable table_;
    UniqueHook hook_;
    HWND target_ = nullptr;
    HWND typingField_ = nullptr;
};
