// Owners for Win32 handles: one small movable, non-copyable template per release function.
#pragma once

#include <windows.h>

#include <utility>

namespace runtime {

template <typename Handle, auto Release>
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
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    Handle release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) noexcept {
        if (Handle old = std::exchange(handle_, handle)) Release(old);
    }

private:
    Handle handle_ = nullptr;
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

// Selects an object into a DC for the guard's lifetime. Declare the owned object first,
// so that it is deselected before it is deleted.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectGuard() { ::SelectObject(dc_, previous_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace runtime
