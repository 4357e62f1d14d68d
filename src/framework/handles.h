// Small owning types for the system objects the windows hold: GDI objects,
// menus, accelerator tables, global memory, dropped-file lists, window device
// contexts, the clipboard and input-method contexts. Each owns at most one
// handle, frees it once, and moves but never copies (the guards do neither),
// so no raw handle outlives its owner. Every such guard of the program lives here.
#pragma once

#include <windows.h>
#include <imm.h>
#include <shellapi.h>

#include <utility>

namespace pathbook {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, Handle()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle(); }
    // Frees the handle held and takes `handle`.
    void Reset(Handle handle = Handle()) {
        if (handle_ != Handle()) Traits::Free(handle_);
        handle_ = handle;
    }
    // Gives up ownership, e.g. when the system takes the object over.
    Handle Release() { return std::exchange(handle_, Handle()); }

private:
    Handle handle_ = Handle();
};

struct GdiObjectTraits {
    static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct MenuTraits {
    static void Free(HMENU menu) { DestroyMenu(menu); }
};
struct AcceleratorTraits {
    static void Free(HACCEL table) { DestroyAcceleratorTable(table); }
};
struct GlobalMemoryTraits {
    static void Free(HGLOBAL memory) { GlobalFree(memory); }
};
struct DropTraits {
    static void Free(HDROP drop) { DragFinish(drop); }
};

template <typename T>
using GdiObject = UniqueHandle<T, GdiObjectTraits>;  // HFONT, HBRUSH, HPEN, HBITMAP
using Menu = UniqueHandle<HMENU, MenuTraits>;
using AcceleratorTable = UniqueHandle<HACCEL, AcceleratorTraits>;
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;
using DropHandle = UniqueHandle<HDROP, DropTraits>;

// A window's device context, released to its window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for the lifetime of this guard.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Global memory locked for the lifetime of this guard.
template <typename T>
class GlobalLock {
public:
    explicit GlobalLock(HGLOBAL memory) : memory_(memory), data_(static_cast<T*>(::GlobalLock(memory))) {}
    ~GlobalLock() {
        if (data_ != nullptr) GlobalUnlock(memory_);
    }
    GlobalLock(const GlobalLock&) = delete;
    GlobalLock& operator=(const GlobalLock&) = delete;
    T* Get() const { return data_; }

private:
    HGLOBAL memory_;
    T* data_;
};

// The clipboard open for the lifetime of this guard.
class OpenClipboardGuard {
public:
    explicit OpenClipboardGuard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardGuard() {
        if (open_) CloseClipboard();
    }
    OpenClipboardGuard(const OpenClipboardGuard&) = delete;
    OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;
    bool Open() const { return open_; }

private:
    bool open_;
};

// The input-method context of a window for the lifetime of this guard.
class ImeContext {
public:
    explicit ImeContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
    ~ImeContext() {
        if (context_ != nullptr) ImmReleaseContext(window_, context_);
    }
    ImeContext(const ImeContext&) = delete;
    ImeContext& operator=(const ImeContext&) = delete;
    HIMC Get() const { return context_; }

private:
    HWND window_;
    HIMC context_;
};

}  // namespace pathbook
