// Owners for the GDI handles the skin creates: one movable, non-copyable type per kind.
#pragma once

#include <windows.h>

#include <utility>

namespace skin {

// Owns one handle and releases it with Close when it goes out of scope.
template <class Handle, BOOL(WINAPI* Close)(Handle)>
class UniqueGdi {
public:
    UniqueGdi() noexcept = default;
    explicit UniqueGdi(Handle handle) noexcept : handle_(handle) {}
    UniqueGdi(UniqueGdi&& other) noexcept : handle_(other.release()) {}
    UniqueGdi& operator=(UniqueGdi&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;
    ~UniqueGdi() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    Handle release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) noexcept {
        if (handle_) Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

inline BOOL WINAPI deleteBitmap(HBITMAP h) { return DeleteObject(h); }
inline BOOL WINAPI deleteBrush(HBRUSH h) { return DeleteObject(h); }
inline BOOL WINAPI deleteRegion(HRGN h) { return DeleteObject(h); }

using UniqueBitmap = UniqueGdi<HBITMAP, deleteBitmap>;
using UniqueBrush = UniqueGdi<HBRUSH, deleteBrush>;
using UniqueRegion = UniqueGdi<HRGN, deleteRegion>;
using UniqueMemoryDc = UniqueGdi<HDC, DeleteDC>;
using UniqueIcon = UniqueGdi<HICON, DestroyIcon>;

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
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits ? bits : &pixels, nullptr, 0);
}

// A DC from GetDC or GetWindowDC, given back with ReleaseDC.
class WindowDc {
public:
    WindowDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
    static WindowDc client(HWND window) noexcept { return {window, GetDC(window)}; }
    static WindowDc whole(HWND window) noexcept { return {window, GetWindowDC(window)}; }
    WindowDc(WindowDc&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&&) = delete;
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
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
        if (!dc_) dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) {
            if (bitmap) DeleteObject(bitmap);
            return;
        }
        HGDIOBJ out = SelectObject(dc_, bitmap);
        if (!bitmap_) original_ = out;
        else DeleteObject(bitmap_);
        bitmap_ = bitmap;
    }

    // For a DC that was deleted behind this object's back: its handle may already
    // belong to another DC, so only the bitmap is released.
    void forgetDc() noexcept {
        if (bitmap_) DeleteObject(bitmap_);
        dc_ = nullptr;
        original_ = nullptr;
        bitmap_ = nullptr;
    }

    void reset() noexcept {
        if (dc_ && original_) SelectObject(dc_, original_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
        dc_ = nullptr;
        original_ = nullptr;
        bitmap_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

// Selects an object into a DC for one scope. Declare the object before the guard.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace skin
