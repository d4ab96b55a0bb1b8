// What both fuzz targets share: reading the input as UTF-16LE, a check that stops the run, a
// plain list selection, ASCII case folding and a straightforward model of the line scan.
#pragma once

#include "ListSelection.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"

namespace fuzz {

// The input bytes as little-endian UTF-16 units; an odd last byte is ignored.
inline std::u16string UnitsOf(const std::uint8_t* data, std::size_t size) {
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return units;
}

inline std::size_t CountOf(std::u16string_view text, char16_t unit) {
    std::size_t count = 0;
    for (const char16_t c : text) count += c == unit ? 1 : 0;
    return count;
}

inline char16_t FoldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

inline std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) c = FoldAscii(c);
    return folded;
}

// One line of a text as the parsers see it: the units before the line's last separator, and
// those after it (the whole line when it has no separator).
struct ModelLine {
    std::u16string head;
    std::u16string tail;
    bool hasSeparator = false;
};

// The lines a parser reads: each ends at a CR; the unit after a CR is skipped; a last line
// without CR is not read; a CR within the last two units ends the text.
inline std::vector<ModelLine> ModelLines(std::u16string_view text, char16_t separator) {
    std::vector<ModelLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t cr = text.find(u'\r', start);
        if (cr == std::u16string_view::npos) break;
        const std::u16string_view line = text.substr(start, cr - start);
        const std::size_t last = line.rfind(separator);
        ModelLine model;
        if (last == std::u16string_view::npos) {
            model.tail = line;
        } else {
            model.hasSeparator = true;
            model.head = line.substr(0, last);
            model.tail = line.substr(last + 1);
        }
        lines.push_back(std::move(model));
        start = cr + 2;
    }
    return lines;
}

// Selection and focus in plain memory; giving a row the focus makes it the anchor.
class PlainListSelection final : public ListSelection {
public:
    PlainListSelection(std::size_t rows, int anchor) : selected_(rows, false), anchor_(anchor) {}

    int NextSelected(int after) const override {
        for (std::size_t row = after < 0 ? 0 : static_cast<std::size_t>(after) + 1; row < selected_.size(); ++row) {
            if (selected_[row]) return static_cast<int>(row);
        }
        return -1;
    }
    bool IsSelected(int row) const override {
        FUZZ_CHECK(InRange(row));  // the core never asks about rows the list does not have
        return selected_[static_cast<std::size_t>(row)];
    }
    void SetSelected(int row, bool selected) override {
        FUZZ_CHECK(InRange(row));
        selected_[static_cast<std::size_t>(row)] = selected;
    }
    void SetFocused(int row) override {
        FUZZ_CHECK(InRange(row));
        anchor_ = row;
    }
    void EnsureVisible(int row) override { FUZZ_CHECK(InRange(row)); }
    int FocusAnchor() const override { return anchor_; }

    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (std::size_t row = 0; row < selected_.size(); ++row) {
            if (selected_[row]) rows.push_back(static_cast<int>(row));
        }
        return rows;
    }

private:
    bool InRange(int row) const { return row >= 0 && static_cast<std::size_t>(row) < selected_.size(); }

    std::vector<bool> selected_;
    int anchor_;
};

}  // namespace fuzz
