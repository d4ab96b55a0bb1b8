// The selection and focus of a list of table rows. They live in the list, not in the table: the
// phrase tool's list views implement this, tests use a plain one.
#pragma once

class ListSelection {
public:
    virtual ~ListSelection() = default;

    // The next selected row after `after` (-1 starts with the first row), or -1 when none.
    virtual int NextSelected(int after) const = 0;
    virtual bool IsSelected(int row) const = 0;
    virtual void SetSelected(int row, bool selected) = 0;

    // Gives the row the focused state; the list then reports it as the new focus anchor.
    virtual void SetFocused(int row) = 0;
    virtual void EnsureVisible(int row) = 0;

    // The row that last gained the focus (the search anchor), or -1.
    virtual int FocusAnchor() const = 0;
};
