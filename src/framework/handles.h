// Small owning types for the system objects the windows hold: GDI objects,
// menus, accelerator tables, global memory and window device contexts. Each
// owns at most one handle, frees it once, and moves but never copies, so no
// raw handle outlives its owner.
#pragma once

#include <windows.h>
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
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
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

}  // namespace pathbook
