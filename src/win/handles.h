#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

// Owners for the system's handles, in the style of unique_ptr. Each owner's
// empty value is its handle's own sentinel, so call sites test the owner.
namespace win {

// Owns one handle of a kind described by Traits: its type, its empty value
// and how it is closed.
template <class Traits>
class Owner {
public:
    using Handle = typename Traits::Handle;

    Owner() = default;
    explicit Owner(Handle h) : h_(h) {}
    Owner(Owner&& other) noexcept : h_(other.release()) {}
    Owner& operator=(Owner&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~Owner() { reset(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Empty(); }
    Handle release() { return std::exchange(h_, Traits::Empty()); }
    void reset(Handle h = Traits::Empty()) {
        if (*this) Traits::Close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::Empty();
};

// CreateFile's handles: empty is INVALID_HANDLE_VALUE.
struct FileTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
using UniqueFile = Owner<FileTraits>;

// Processes, threads and events: empty is null.
struct KernelTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
using UniqueHandle = Owner<KernelTraits>;

struct KeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
using UniqueHKey = Owner<KeyTraits>;

struct BrushTraits {
    using Handle = HBRUSH;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using UniqueHBrush = Owner<BrushTraits>;

// Icons that LoadImage made at a size of our choosing (not shared ones).
struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
using UniqueHIcon = Owner<IconTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
using UniqueMenu = Owner<MenuTraits>;

// FindFirstFile's searches: empty is INVALID_HANDLE_VALUE.
struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
using UniqueFind = Owner<FindTraits>;

// BeginPaint and EndPaint, paired.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// GetDC and ReleaseDC, paired.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { ReleaseDC(hwnd_, dc_); }
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// A COM interface pointer that releases on destruction.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }
    T* operator->() const { return ptr_; }
    T* Get() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // For out-parameters: releases what is held first.
    T** Put() {
        Reset();
        return &ptr_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (ptr_) ptr_->Release();
        ptr_ = nullptr;
    }

private:
    T* ptr_ = nullptr;
};

// CoInitialize for a scope; CoUninitialize only after it succeeded (S_FALSE,
// already initialised, counts too and must be balanced).
class ComScope {
public:
    ComScope() : hr_(CoInitialize(nullptr)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    explicit operator bool() const { return SUCCEEDED(hr_); }

private:
    HRESULT hr_;
};

}  // namespace win
