#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

// Owners for the system's handles, in the style of unique_ptr.
namespace win {

struct RegKeyCloser {
    void operator()(HKEY key) const { if (key) RegCloseKey(key); }
};
using UniqueHKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct IconDestroyer {
    void operator()(HICON icon) const { if (icon) DestroyIcon(icon); }
};
using UniqueHIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct GdiDeleter {
    void operator()(HGDIOBJ obj) const { if (obj) DeleteObject(obj); }
};
using UniqueHBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;

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
    T** Put() { Reset(); return &ptr_; }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (ptr_) ptr_->Release();
        ptr_ = nullptr;
    }

private:
    T* ptr_ = nullptr;
};

// CoInitialize on construction, CoUninitialize on destruction, whatever
// CoInitialize answered.
class ComScope {
public:
    ComScope() { (void)CoInitialize(nullptr); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() { CoUninitialize(); }
};

}  // namespace win
