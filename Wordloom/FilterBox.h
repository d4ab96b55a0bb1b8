// The box above a table's list where the user types to filter it: a plain edit with a cue
// banner. Typing waits for a pause (a burst of keys filters once); Esc empties the box; Down,
// Tab and Enter move on into the list.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CFilterBox {
public:
    struct Events {
        std::function<void()> textSettled;  // the text changed and typing paused
        std::function<void()> moveToList;
    };

    CFilterBox() = default;
    ~CFilterBox();
    CFilterBox(const CFilterBox&) = delete;
    CFilterBox& operator=(const CFilterBox&) = delete;

    // A child of the parent (which destroys it); false on failure.
    bool Create(HWND parent, int id, HFONT font, Events events);
    HWND Window() const { return edit_; }
    std::wstring Text() const;

    // The parent passes on the box's EN_CHANGE: the filter runs once typing pauses.
    void OnTextChanged();
    // Empties the box; the caller filters at once, so no pause is waited for.
    void Clear();
    // Ctrl+E: the focus goes to the box with its text selected, to type over.
    void Focus();
    // The box's height for its font: one line with the edit's margins.
    int Height() const;

private:
    static LRESULT CALLBACK BoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
    // True when the box handled the message itself.
    bool OnMessage(UINT message, WPARAM wParam);
    void Settle();

    HWND edit_ = nullptr;
    Events events_;
};
