// Owners of every handle, memory block and COM pointer the programs hold: each frees what it
// owns exactly once, when it goes out of scope or is given something else.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <memory>
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
    // Gives the handle up without freeing it (to a control that takes it over).
    Handle release() { return std::exchange(handle_, Handle{}); }

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
struct AcceleratorTableTraits {
    static void Free(HACCEL table) { DestroyAcceleratorTable(table); }
};
struct HookTraits {
    static void Free(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
struct ImageListTraits {
    static void Free(HIMAGELIST images) { ImageList_Destroy(images); }
};
struct MenuTraits {
    static void Free(HMENU menu) { DestroyMenu(menu); }
};
// A window of the program's own making. Where its owner may destroy it first, the holder gives
// the handle up when the window goes (WM_NCDESTROY).
struct WindowTraits {
    static void Free(HWND window) { DestroyWindow(window); }
};
struct MemoryDCTraits {
    static void Free(HDC dc) { DeleteDC(dc); }
};
// Process, thread and other kernel objects whose "none" is null (files use UniqueFile).
struct KernelHandleTraits {
    static void Free(HANDLE handle) { CloseHandle(handle); }
};

using UniqueFont = UniqueHandle<HFONT, FontTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, BitmapTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueAcceleratorTable = UniqueHandle<HACCEL, AcceleratorTableTraits>;
using UniqueHook = UniqueHandle<HHOOK, HookTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDCTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

// Handles whose "none" is INVALID_HANDLE_VALUE, closed once: files, and directory listings
// from FindFirstFileW.
template <class Traits>
class UniqueInvalidValueHandle {
public:
    explicit UniqueInvalidValueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueInvalidValueHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) Traits::Free(handle_);
    }
    UniqueInvalidValueHandle(const UniqueInvalidValueHandle&) = delete;
    UniqueInvalidValueHandle& operator=(const UniqueInvalidValueHandle&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

struct FileTraits {
    static void Free(HANDLE file) { CloseHandle(file); }
};
struct FindTraits {
    static void Free(HANDLE listing) { FindClose(listing); }
};
using UniqueFile = UniqueInvalidValueHandle<FileTraits>;
using UniqueFind = UniqueInvalidValueHandle<FindTraits>;

// A memory DC compatible with the screen.
inline UniqueMemoryDC CreateScreenCompatibleDC() {
    return UniqueMemoryDC(CreateCompatibleDC(nullptr));
}

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

// Memory that the system allocated for the caller and that is given back with LocalFree,
// CoTaskMemFree or FreeSid.
struct LocalFreeDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
struct CoTaskMemDeleter {
    void operator()(void* memory) const { CoTaskMemFree(memory); }
};
struct SidDeleter {
    void operator()(void* sid) const { FreeSid(sid); }
};
template <class T = void>
using LocalMemory = std::unique_ptr<T, LocalFreeDeleter>;
template <class T = void>
using CoTaskMemory = std::unique_ptr<T, CoTaskMemDeleter>;
using UniqueSid = std::unique_ptr<void, SidDeleter>;

// The reason a window gives Windows for holding up the end of the session, taken back when
// cleared or when its owner goes.
class ShutdownBlockReason {
public:
    ShutdownBlockReason() = default;
    ~ShutdownBlockReason() { Clear(); }
    ShutdownBlockReason(const ShutdownBlockReason&) = delete;
    ShutdownBlockReason& operator=(const ShutdownBlockReason&) = delete;

    void Set(HWND window, const wchar_t* reason) {
        Clear();
        if (ShutdownBlockReasonCreate(window, reason)) window_ = window;
    }
    void Clear() {
        if (window_) ShutdownBlockReasonDestroy(std::exchange(window_, nullptr));
    }
    bool IsSet() const { return window_ != nullptr; }

private:
    HWND window_ = nullptr;
};

// The clipboard, open while the object lives.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// Memory from GlobalAlloc, until the clipboard takes it.
struct GlobalFreeDeleter {
    void operator()(void* memory) const { GlobalFree(memory); }
};

// COM for this thread as a single-threaded apartment, left when the object goes.
class ComApartment {
public:
    ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool ok() const { return entered_; }

private:
    bool entered_;
};

// One counted reference to a COM object: copying adds a reference, the end releases it.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Adds a reference of its own to the pointer it is given.
    explicit ComPtr(Interface* pointer) : pointer_(pointer) {
        if (pointer_) pointer_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes over a reference the caller already holds (a pointer just created).
    static ComPtr Adopt(Interface* pointer) {
        ComPtr owner;
        owner.pointer_ = pointer;
        return owner;
    }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void reset() {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    // For an out parameter: the old reference is released first.
    Interface** put() {
        reset();
        return &pointer_;
    }
    // Hands the reference to the caller.
    Interface* detach() { return std::exchange(pointer_, nullptr); }

    // The object's other interface, or empty when it has none.
    template <class Other>
    ComPtr<Other> As(REFIID iid) const {
        ComPtr<Other> other;
        if (pointer_) pointer_->QueryInterface(iid, reinterpret_cast<void**>(other.put()));
        return other;
    }

private:
    Interface* pointer_ = nullptr;
};
