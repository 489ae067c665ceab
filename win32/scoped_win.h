// Small owners of Win32 resources, one per kind: each frees its resource when
// it goes out of scope, on every path. None can be copied.
#pragma once
#include <windows.h>
#include <imm.h>

namespace lexidrop {

// A value of type T owned until destruction or Release; Closer says which
// values are valid and how one is freed.
template <typename T, typename Closer>
class ScopedResource {
public:
    ScopedResource() = default;
    explicit ScopedResource(T value) : value_(value) {}
    ~ScopedResource()
    {
        if (Closer::IsValid(value_)) Closer::Close(value_);
    }
    ScopedResource(const ScopedResource&) = delete;
    ScopedResource& operator=(const ScopedResource&) = delete;

    T Get() const { return value_; }
    bool IsValid() const { return Closer::IsValid(value_); }
    // Gives up ownership (the resource now belongs to someone else).
    T Release()
    {
        T value = value_;
        value_ = T{};
        return value;
    }
    // Frees the resource held, then owns `value`.
    void Reset(T value)
    {
        if (Closer::IsValid(value_)) Closer::Close(value_);
        value_ = value;
    }

private:
    T value_{};
};

struct HandleCloser {
    static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct KeyCloser {
    static bool IsValid(HKEY key) { return key != nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};
struct GlobalFreer {
    static bool IsValid(HGLOBAL block) { return block != nullptr; }
    static void Close(HGLOBAL block) { GlobalFree(block); }
};
struct ModuleFreer {
    static bool IsValid(HMODULE module) { return module != nullptr; }
    static void Close(HMODULE module) { FreeLibrary(module); }
};
struct MenuDestroyer {
    static bool IsValid(HMENU menu) { return menu != nullptr; }
    static void Close(HMENU menu) { DestroyMenu(menu); }
};
struct IconDestroyer {
    static bool IsValid(HICON icon) { return icon != nullptr; }
    static void Close(HICON icon) { DestroyIcon(icon); }
};
struct ViewUnmapper {
    static bool IsValid(const void* view) { return view != nullptr; }
    static void Close(const void* view) { UnmapViewOfFile(view); }
};

// A kernel handle (file, mapping, mutex); null and INVALID_HANDLE_VALUE hold nothing.
using ScopedHandle = ScopedResource<HANDLE, HandleCloser>;
// An open registry key.
using ScopedKey = ScopedResource<HKEY, KeyCloser>;
// A global memory block, owned until handed over (to the clipboard).
using ScopedGlobal = ScopedResource<HGLOBAL, GlobalFreer>;
// A loaded library.
using ScopedModule = ScopedResource<HMODULE, ModuleFreer>;
// A menu that belongs to no window.
using ScopedMenu = ScopedResource<HMENU, MenuDestroyer>;
// An icon loaded at a size of its own (not shared).
using ScopedIcon = ScopedResource<HICON, IconDestroyer>;
// A mapped view of a file.
using ScopedMapView = ScopedResource<const void*, ViewUnmapper>;

// A locked global memory block; Data is null when the lock failed.
class ScopedGlobalLock {
public:
    explicit ScopedGlobalLock(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
    ~ScopedGlobalLock()
    {
        if (data_) GlobalUnlock(block_);
    }
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
    void* Data() const { return data_; }

private:
    HGLOBAL block_;
    void* data_;
};

// The device context of a window's client area.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDC()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A window's input context, released on every path (also when there is none).
class ScopedInputContext {
public:
    // Without a window (a lookup on a worker thread) no context is taken.
    explicit ScopedInputContext(HWND window)
        : window_(window), context_(window != nullptr ? ImmGetContext(window) : nullptr)
    {
    }
    ~ScopedInputContext()
    {
        if (context_ != nullptr) ImmReleaseContext(window_, context_);
    }
    ScopedInputContext(const ScopedInputContext&) = delete;
    ScopedInputContext& operator=(const ScopedInputContext&) = delete;
    HIMC Get() const { return context_; }

private:
    HWND window_;
    HIMC context_;
};

}  // namespace lexidrop
