// The windows the skin benchmarks measure in.
#pragma once

#include <windows.h>

#include <memory>

#include "graphics/GdiHandles.h"
#include "skin/SkinCore.h"

namespace bench {

// A visible static window: a pop-up without a parent, else a child.
inline HWND makeWindow(HWND parent, int x, int y, int w, int h) {
    return CreateWindowExA(0, "Static", "", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE, x, y, w, h,
                           parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Makes top a skinned window with a white background of w x h pixels.
inline void addWhiteSkinRecord(HWND top, int w, int h) {
    auto record = std::make_unique<skin::SkinRecord>();
    record->hwnd = top;
    // The frame painter's background is a 32-bit DIB, as GDI+ hands it over.
    record->backgroundDc.select(gdi::makeDibPicture(w, h));
    PatBlt(record->backgroundDc.get(), 0, 0, w, h, WHITENESS);
    skin::addSkinRecord(std::move(record));
}

}  // namespace bench
