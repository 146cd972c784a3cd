// Owners for the Win32 handles the run time and the skin create: one small movable,
// non-copyable type per kind, shared by both layers (header only, no link dependency).
#pragma once

#include <windows.h>

#include <utility>

namespace gdi {

namespace detail {
template <typename Handle>
constexpr Handle noHandle() noexcept {
    return nullptr;
}
}  // namespace detail

// The one owner of every handle kind: owns one handle and gives it to Release when it
// goes out of scope. Empty() is the value that owns nothing (null for most kinds).
template <typename Handle, auto Release, auto Empty = detail::noHandle<Handle>>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Empty(); }
    Handle release() noexcept { return std::exchange(handle_, Empty()); }
    void reset(Handle handle = Empty()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Empty()) Release(old);
    }

private:
    Handle handle_ = Empty();
};

namespace detail {
inline void deleteGdiObject(HGDIOBJ object) noexcept { ::DeleteObject(object); }
inline void deleteDc(HDC dc) noexcept { ::DeleteDC(dc); }
inline void destroyIcon(HICON icon) noexcept { ::DestroyIcon(icon); }
inline void destroyWindow(HWND hwnd) noexcept { ::DestroyWindow(hwnd); }
inline void closeHandle(HANDLE handle) noexcept { ::CloseHandle(handle); }
}  // namespace detail

using UniqueBrush = UniqueHandle<HBRUSH, detail::deleteGdiObject>;
using UniqueFont = UniqueHandle<HFONT, detail::deleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::deleteGdiObject>;
using UniqueRegion = UniqueHandle<HRGN, detail::deleteGdiObject>;
using UniqueMemoryDc = UniqueHandle<HDC, detail::deleteDc>;
using UniqueIcon = UniqueHandle<HICON, detail::destroyIcon>;
using UniqueWindow = UniqueHandle<HWND, detail::destroyWindow>;
// Process and thread handles (never INVALID_HANDLE_VALUE, unlike file handles).
using UniqueKernelHandle = UniqueHandle<HANDLE, detail::closeHandle>;

// A kernel event: manual reset stays signalled until reset, auto reset wakes one wait.
class Event : public UniqueKernelHandle {
public:
    enum class Reset : bool { automatic, manual };
    Event() noexcept = default;
    explicit Event(Reset reset) noexcept
        : UniqueKernelHandle(::CreateEventA(nullptr, reset == Reset::manual, FALSE, nullptr)) {}
    void set() const noexcept { ::SetEvent(get()); }
    // True when the event was signalled within ms milliseconds.
    bool wait(DWORD ms) const noexcept { return ::WaitForSingleObject(get(), ms) == WAIT_OBJECT_0; }
};

// A zeroed (transparent black) 32-bit top-down DIB section; bits receives its pixels.
inline HBITMAP makeDibPicture(int w, int h, void** bits = nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits ? bits : &pixels, nullptr, 0);
}

// BeginPaint/EndPaint pair; keeps the PAINTSTRUCT EndPaint needs.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &paint_); }
    ~PaintDc() { ::EndPaint(hwnd_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const noexcept { return dc_; }
    const RECT& dirty() const noexcept { return paint_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A DC from GetDC or GetWindowDC, given back with ReleaseDC.
class WindowDc {
public:
    WindowDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
    static WindowDc client(HWND window) noexcept { return {window, ::GetDC(window)}; }
    static WindowDc whole(HWND window) noexcept { return {window, ::GetWindowDC(window)}; }
    WindowDc(WindowDc&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&&) = delete;
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory DC with a bitmap of its own selected into it. The object the DC held at
// creation is selected back before the bitmap is deleted, so neither leaks.
class BitmapDc {
public:
    BitmapDc() noexcept = default;
    BitmapDc(BitmapDc&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)),
          original_(std::exchange(other.original_, nullptr)),
          bitmap_(std::exchange(other.bitmap_, nullptr)) {}
    BitmapDc& operator=(BitmapDc&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::exchange(other.dc_, nullptr);
            original_ = std::exchange(other.original_, nullptr);
            bitmap_ = std::exchange(other.bitmap_, nullptr);
        }
        return *this;
    }
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    ~BitmapDc() { reset(); }

    HDC get() const noexcept { return dc_; }
    HBITMAP bitmap() const noexcept { return bitmap_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

    // Takes ownership of bitmap and selects it, creating the DC on first use; a bitmap
    // selected earlier is deleted.
    void select(HBITMAP bitmap) noexcept {
        if (!bitmap) return;
        if (!dc_) dc_ = ::CreateCompatibleDC(nullptr);
        if (!dc_) {
            ::DeleteObject(bitmap);
            return;
        }
        HGDIOBJ out = ::SelectObject(dc_, bitmap);
        if (!bitmap_) original_ = out;
        else ::DeleteObject(bitmap_);
        bitmap_ = bitmap;
    }

    // For a DC that was deleted behind this object's back: its handle may already
    // belong to another DC, so only the bitmap is released.
    void forgetDc() noexcept {
        if (bitmap_) ::DeleteObject(bitmap_);
        dc_ = nullptr;
        original_ = nullptr;
        bitmap_ = nullptr;
    }

    void reset() noexcept {
        if (dc_ && original_) ::SelectObject(dc_, original_);
        if (bitmap_) ::DeleteObject(bitmap_);
        if (dc_) ::DeleteDC(dc_);
        dc_ = nullptr;
        original_ = nullptr;
        bitmap_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

// Selects an object into a DC for the guard's lifetime. Declare the owned object first,
// so that it is deselected before it is deleted.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (previous_) ::SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace gdi
