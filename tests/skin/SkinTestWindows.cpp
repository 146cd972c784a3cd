#include "SkinTestWindows.h"

namespace skintest {

const char* plainClass() {
    static const char* name = runtime::registerWindowClass("SkinTestPlain", DefWindowProcA);
    return name;
}

HWND makeTopWindow(int x, int y, int w, int h, DWORD style, DWORD exStyle) {
    return CreateWindowExA(exStyle, plainClass(), "test", style, x, y, w, h, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND makeChild(HWND parent, int x, int y, int w, int h, const char* className, DWORD style, DWORD exStyle) {
    return CreateWindowExA(exStyle, className ? className : plainClass(), "", style, x, y, w, h, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK recordWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        const LRESULT result = skin::callKeptProc(hwnd, message, wParam, lParam);
        skin::releaseSkinRecord(hwnd);
        return result;
    }
    return skin::callKeptProc(hwnd, message, wParam, lParam);
}

int skinTestWindow(HWND window) {
    auto record = std::make_unique<skin::SkinRecord>();
    record->hwnd = window;
    const int index = skin::addSkinRecord(std::move(record));
    skin::subclassSkinnedWindow(index, recordWindowProc);
    return index;
}

COLORREF positionColour(int x, int y) { return RGB(x % 256, y % 256, 7); }

void paintPositionPattern(skin::SkinRecord& record, int w, int h) {
    void* bits = nullptr;
    HBITMAP bitmap = gdi::makeDibPicture(w, h, &bits);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels[y * w + x] = 0xFF000000u | (static_cast<DWORD>(x % 256) << 16) | (static_cast<DWORD>(y % 256) << 8) | 7u;
    GdiFlush();
    record.backgroundDc.select(bitmap);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace skintest
