// A skinned test window for control skins, and pixel probes of what the controls
// put on the screen.
#pragma once

#include <windows.h>

#include <cstdlib>

#include "SkinTestWindows.h"
#include "graphics/GdiHandles.h"
#include "skin/SkinCore.h"

namespace skintest {

inline void startSkinModule() {
    static const bool started = (skin::initSkinModule(), true);
    (void)started;
}

// Colour over laid on under at alpha (0-255).
inline COLORREF blend(COLORREF over, int alpha, COLORREF under) {
    auto mix = [alpha](int o, int u) { return (o * alpha + u * (255 - alpha) + 127) / 255; };
    return RGB(mix(GetRValue(over), GetRValue(under)), mix(GetGValue(over), GetGValue(under)),
               mix(GetBValue(over), GetBValue(under)));
}

inline bool closeColour(COLORREF a, COLORREF b, int tolerance = 3) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// What the screen shows at (x, y) of the window (window coordinates).
inline COLORREF screenPixel(HWND hwnd, int x, int y) {
    gdi::WindowDc dc = gdi::WindowDc::whole(hwnd);
    return GetPixel(dc.get(), x, y);
}

// A copy of what the screen shows of a window, read pixel by pixel.
class Snapshot {
public:
    explicit Snapshot(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        w_ = r.right - r.left;
        h_ = r.bottom - r.top;
        picture_.select(gdi::makeDibPicture(w_, h_, reinterpret_cast<void**>(&bits_)));
        gdi::WindowDc dc = gdi::WindowDc::whole(hwnd);
        BitBlt(picture_.get(), 0, 0, w_, h_, dc.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    COLORREF at(int x, int y) const {
        const DWORD p = bits_[y * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels in the rectangle (window coordinates) that match.
    template <class Match>
    int count(const RECT& area, Match&& match) const {
        int n = 0;
        for (int y = area.top; y < area.bottom && y < h_; ++y)
            for (int x = area.left; x < area.right && x < w_; ++x)
                if (match(at(x, y))) ++n;
        return n;
    }
    RECT all() const { return RECT{0, 0, w_, h_}; }
    // Pixels close to the colour key.
    int keyLike() const {
        return count(all(), [](COLORREF c) { return GetRValue(c) > 200 && GetBValue(c) > 200 && GetGValue(c) < 120; });
    }

private:
    gdi::BitmapDc picture_;
    DWORD* bits_ = nullptr;
    int w_ = 0, h_ = 0;
};

// Text and lines: darker than any veiled or white face.
inline bool isDark(COLORREF c) { return GetRValue(c) < 130 && GetGValue(c) < 130; }

// A skinned 480 x 360 window on screen whose background shows positions.
struct SkinnedWindow {
    HWND top;
    int index;
    skin::SkinRecord& record;
    SkinnedWindow()
        : top((startSkinModule(), makeTopWindow(40, 40, 480, 360))),
          index(skinTestWindow(top)),
          record(*skin::skinRecords.at(index)) {
        paintPositionPattern(record, 480, 360);
    }
    ~SkinnedWindow() { DestroyWindow(top); }
    SkinnedWindow(const SkinnedWindow&) = delete;
    SkinnedWindow& operator=(const SkinnedWindow&) = delete;

    HWND add(const char* className, int x, int y, int w, int h, DWORD style, DWORD exStyle = 0) {
        return makeChild(top, x, y, w, h, className, WS_CHILD | WS_VISIBLE | style, exStyle);
    }
};

// Sets a module setting for one scope.
template <class T>
struct ScopedSetting {
    T& setting;
    T saved;
    ScopedSetting(T& s, T value) : setting(s), saved(s) { setting = value; }
    ~ScopedSetting() { setting = saved; }
};

}  // namespace skintest
