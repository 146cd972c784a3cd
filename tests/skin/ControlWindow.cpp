#include "ControlWindow.h"

#include <commctrl.h>

#include "SkinTestWindows.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/Installers.h"

namespace skintest {

int ControlWindow::clicks = 0;

namespace {

LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        skin::drawItemButton(skin::findSkinIndex(hwnd), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++ControlWindow::clicks;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* parentClass() {
    static const char* name = [] {
        skin::initSkinModule();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        WNDCLASSA wc{};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ControlTestParent";
        RegisterClassA(&wc);
        return "ControlTestParent";
    }();
    return name;
}

}  // namespace

ControlWindow::ControlWindow()
    : top(CreateWindowExA(0, parentClass(), "t", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr)),
      index(skinTestWindow(top)),
      record(skin::skinRecords.at(index)),
      font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "SimSun")) {
    record->backgroundDc.select(gdi::makeDibPicture(400, 300));
    gdi::UniqueBrush brush(CreateSolidBrush(flatBackground));
    RECT all{0, 0, 400, 300};
    FillRect(record->backgroundDc.get(), &all, brush.get());
}

ControlWindow::~ControlWindow() {
    skin::themeColor = 0x00DDCA22;
    DestroyWindow(top);
    DeleteObject(font);
}

HWND ControlWindow::add(const char* className, LONG style, int x, int y, int w, int h, const char* text) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, top, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void ControlWindow::skin() {
    skin::skinChildControls(index, top);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

Shot::Shot(HDC dc, int width, int height) : w(width), h(height) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(GetPixel(dc, x, y));
}

namespace {
RECT windowRect(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return r;
}
}  // namespace

Shot::Shot(HWND control)
    : Shot(gdi::WindowDc::whole(control).get(), windowRect(control).right - windowRect(control).left,
           windowRect(control).bottom - windowRect(control).top) {}

}  // namespace skintest
