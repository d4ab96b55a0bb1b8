// Readable failure messages for the layout types of the dialog tests.
#pragma once

#include "DialogLayout.h"

#include <ostream>

inline void PrintTo(const Size& size, std::ostream* out) { *out << size.cx << " x " << size.cy; }
inline void PrintTo(const Rect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
}
