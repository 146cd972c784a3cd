#include "support/ScreenReference.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/GdiHandles.h"
#include "graphics/GxImage.h"
#include "support/Protocol.h"

namespace testing {

namespace {

// The references keep 16 levels per channel (8 off at most) to stay small; the rest
// allows for text edges, which the 32-bit and 64-bit builds shade a little apart.
constexpr int tolerance = 16;

int channelGap(DWORD a, DWORD b) {
    int gap = 0;
    for (int shift : {0, 8, 16})
        gap = std::max(gap, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return gap;
}

DWORD rgbOf(COLORREF c) { return static_cast<DWORD>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); }

// GDI+ for one comparison, beside whatever the program under test started.
struct GdiplusScope {
    ULONG_PTR token = 0;
    GdiplusScope() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    }
    ~GdiplusScope() { Gdiplus::GdiplusShutdown(token); }
};

std::vector<DWORD> loadPicture(const std::string& path, int& w, int& h) {
    GxBitmap picture;
    std::vector<DWORD> pixels;
    Gdiplus::BitmapData data{};
    if (!picture.FromFile(path.c_str()) || !picture.LockBits(nullptr, Gdiplus::ImageLockModeRead,
                                                              PixelFormat32bppRGB, data))
        return pixels;
    w = static_cast<int>(data.Width);
    h = static_cast<int>(data.Height);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
        for (int x = 0; x < w; ++x) pixels.push_back(row[x] & 0xFFFFFF);
    }
    picture.UnlockBits(data);
    return pixels;
}

}  // namespace

ScreenShot::ScreenShot(const RECT& onScreen) : w_(onScreen.right - onScreen.left), h_(onScreen.bottom - onScreen.top) {
    DWORD* bits = nullptr;
    gdi::BitmapDc picture;
    picture.select(gdi::makeDibPicture(w_, h_, reinterpret_cast<void**>(&bits)));
    {
        gdi::WindowDc screen(nullptr, GetDC(nullptr));
        BitBlt(picture.get(), 0, 0, w_, h_, screen.get(), onScreen.left, onScreen.top, SRCCOPY);
    }
    GdiFlush();
    pixels_.assign(bits, bits + static_cast<std::size_t>(w_) * h_);
    for (DWORD& p : pixels_) p &= 0xFFFFFF;
}

int ScreenShot::count(const RECT& area, COLORREF colour) const {
    int n = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(h_, area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(w_, area.right); ++x)
            n += pixels_[static_cast<std::size_t>(y * w_ + x)] == rgbOf(colour);
    return n;
}

void ScreenShot::mask(const RECT& area) {
    for (int y = std::max(0L, area.top); y < std::min<LONG>(h_, area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(w_, area.right); ++x)
            pixels_[static_cast<std::size_t>(y * w_ + x)] = 0x808080;
}

bool ScreenShot::save(const std::string& path, std::vector<DWORD> pixels) const {
    GxBitmap picture;
    return picture.FromScan0(w_, h_, w_ * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(pixels.data())) &&
           picture.SaveToFile(path.c_str(), GxFormat::Png);
}

int ScreenShot::pixelsOffReference(const std::string& name) const {
    const GdiplusScope gdiplus;
    if (const char* renew = std::getenv("VELMORA_RENEW_SCREENS")) {
        save(std::string(renew) + "\\" + name + ".png", pixels_);
        return 0;
    }
    std::string folder = "Z:" VELMORA_SCREEN_REFERENCES;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    int w = 0, h = 0;
    const std::vector<DWORD> reference = loadPicture(folder + "\\" + name + ".png", w, h);
    // A pixel is off when no reference pixel at or next to its place is close: the 32-bit
    // and 64-bit builds round some edges to neighbouring pixels.
    auto off = [&](int x, int y) {
        const DWORD p = pixels_[static_cast<std::size_t>(y * w_ + x)];
        for (int ry = std::max(0, y - 1); ry <= std::min(h_ - 1, y + 1); ++ry)
            for (int rx = std::max(0, x - 1); rx <= std::min(w_ - 1, x + 1); ++rx)
                if (channelGap(p, reference[static_cast<std::size_t>(ry * w_ + rx)]) <= tolerance) return false;
        return true;
    };
    std::vector<DWORD> diff(pixels_.size());
    int differing = 0;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * w_ + x);
            const bool bad = w != w_ || h != h_ || off(x, y);
            differing += bad;
            diff[i] = bad ? 0xFF0000 : (pixels_[i] >> 2) & 0x3F3F3F;
        }
    if (differing > 0) {
        save(programFolder() + name + "-screen.png", pixels_);
        save(programFolder() + name + "-diff.png", diff);
    }
    return differing;
}

}  // namespace testing
