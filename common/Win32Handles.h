// Owners of the GDI and USER handles the dialogs hold: each frees its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

template <class Handle, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) Traits::Free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

struct FontTraits {
    static void Free(HFONT font) { DeleteObject(font); }
};
struct IconTraits {
    static void Free(HICON icon) { DestroyIcon(icon); }
};
struct BitmapTraits {
    static void Free(HBITMAP bitmap) { DeleteObject(bitmap); }
};
struct ModuleTraits {
    static void Free(HMODULE module) { FreeLibrary(module); }
};

using UniqueFont = UniqueHandle<HFONT, FontTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, BitmapTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

// A file handle, closed once; INVALID_HANDLE_VALUE stands for none.
class UniqueFile {
public:
    explicit UniqueFile(HANDLE handle) : handle_(handle) {}
    ~UniqueFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// A window's device context, released with the window it came from.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A GDI object selected into a device context for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};
