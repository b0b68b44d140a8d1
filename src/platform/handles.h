#pragma once
#include <windows.h>

#include <utility>

namespace kaza::platform {

// One move-only owner per kind of handle, so that no caller closes anything by hand.
template <class H, class Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) { reset(); h_ = std::exchange(o.h_, Traits::invalid()); }
        return *this;
    }
    H get() const { return h_; }
    H* out() { reset(); return &h_; }
    H release() { return std::exchange(h_, Traits::invalid()); }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    void reset(H h = Traits::invalid()) {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }
private:
    H h_ = Traits::invalid();
};

struct RegKeyTraits {
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};
struct FileTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct FindTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { FindClose(h); }
};
template <class T>
struct GdiTraits {
    static T invalid() { return nullptr; }
    static void close(T h) { DeleteObject(h); }
};
struct DcTraits {
    static HDC invalid() { return nullptr; }
    static void close(HDC h) { DeleteDC(h); }
};

using RegKey = Owned<HKEY, RegKeyTraits>;
using FileHandle = Owned<HANDLE, FileTraits>;
using FindHandle = Owned<HANDLE, FindTraits>;
using Bitmap = Owned<HBITMAP, GdiTraits<HBITMAP>>;
using Brush = Owned<HBRUSH, GdiTraits<HBRUSH>>;
using Font = Owned<HFONT, GdiTraits<HFONT>>;
using Pen = Owned<HPEN, GdiTraits<HPEN>>;
using MemoryDC = Owned<HDC, DcTraits>;

// A COM interface pointer, released when it goes out of scope.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept {
        if (this != &o) { reset(); p_ = std::exchange(o.p_, nullptr); }
        return *this;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // A second owner of the same object.
    ComPtr Share() const {
        ComPtr c;
        if (p_) p_->AddRef();
        c.p_ = p_;
        return c;
    }
    // For the calls that hand out a new reference.
    T** out() { reset(); return &p_; }
    void** outVoid() { return reinterpret_cast<void**>(out()); }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
private:
    T* p_ = nullptr;
};

// Puts the previously selected object back when it goes out of scope.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
private:
    HDC dc_;
    HGDIOBJ old_;
};

// A DC from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND w) : w_(w), dc_(GetDC(w)) {}
    ~WindowDC() { if (dc_) ReleaseDC(w_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
private:
    HWND w_;
    HDC dc_;
};

}  // namespace kaza::platform
