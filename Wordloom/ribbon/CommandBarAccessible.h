// The command bar as screen readers see it. Wine describes neither toolbars nor tab controls, and
// no system proxy knows the keytips or the names of icon-only buttons, so the bar and each of its
// parts answer WM_GETOBJECT with an object of ours: the bar's children are its parts, a part's
// children are its commands, and a menu button's children are the commands of its menu.
#pragma once

#include <windows.h>

// The answer to WM_GETOBJECT on the bar or one of its parts: our object for the client area, or 0
// (the system's answer) for every other object id.
LRESULT AnswerCommandBarObject(HWND window, WPARAM flags, LPARAM objectId);
