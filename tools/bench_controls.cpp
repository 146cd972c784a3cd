// Prints the median time of one full repaint (invalidate, then WM_PAINT through the
// skin) of each skinned control kind at a typical size, on a skinned window. One row
// per kind: add a row to `cases` for a new kind.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "BenchClock.h"
#include "BenchWindows.h"
#include "skin/SkinCore.h"
#include "skin/controls/Buttons.h"
#include "skin/controls/Installers.h"

namespace {

struct Case {
    const char* name;
    const char* className;
    DWORD style;
    int w, h;
    void (*prepare)(HWND control);  // state to show, set before the control is skinned
};

const Case cases[] = {
    {"push button", "BUTTON", BS_PUSHBUTTON, 88, 28, [](HWND c) { SetWindowTextA(c, "Next"); }},
    {"trackbar", TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 200, 32,
     [](HWND c) {
         SendMessageA(c, TBM_SETSEL, TRUE, MAKELPARAM(20, 70));
         SendMessageA(c, TBM_SETPOS, TRUE, 40);
     }},
    {"progress bar", PROGRESS_CLASSA, 0, 200, 20, [](HWND c) { SendMessageA(c, PBM_SETPOS, 60, 0); }},
    {"edit", "EDIT", WS_BORDER | ES_AUTOHSCROLL, 160, 24, [](HWND c) { SetWindowTextA(c, "D:\\Velmora"); }},
    {"combo box", "COMBOBOX", CBS_DROPDOWNLIST, 160, 120, [](HWND c) {
         for (const char* item : {"first", "second", "third"})
             SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
         SendMessageA(c, CB_SETCURSEL, 1, 0);
     }},
    {"list view 50", WC_LISTVIEWA, LVS_REPORT | WS_BORDER, 300, 200, [](HWND c) {
         LVCOLUMNA column{};
         column.mask = LVCF_TEXT | LVCF_WIDTH;
         column.cx = 200;
         column.pszText = const_cast<char*>("Chapter");
         SendMessageA(c, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
         for (int i = 0; i < 50; ++i) {
             char text[32];
             std::snprintf(text, sizeof(text), "Chapter %d", i + 1);
             LVITEMA item{};
             item.mask = LVIF_TEXT;
             item.iItem = i;
             item.pszText = text;
             SendMessageA(c, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
         }
     }},
};

constexpr int windowW = 500, windowH = 700;

// The frame's side of owner-drawn buttons.
LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        skin::drawItemButton(skin::findSkinIndex(hwnd), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND makeSkinnedWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BenchControls";
    RegisterClassA(&wc);
    HWND top = CreateWindowExA(0, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE, 0, 0, windowW, windowH, nullptr,
                               nullptr, wc.hInstance, nullptr);
    bench::addWhiteSkinRecord(top, windowW, windowH);
    return top;
}

double medianRepaintMicroseconds(HWND control, int rounds) {
    return 1000.0 * bench::medianMs(rounds, [control] {
        InvalidateRect(control, nullptr, TRUE);
        UpdateWindow(control);
    });
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    skin::SkinEngine engine;
    skin::initSkinModule();
    HWND top = makeSkinnedWindow();
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "SimSun");
    std::vector<HWND> controls;
    int y = 10;
    for (const Case& c : cases) {
        HWND control = CreateWindowExA(0, c.className, "", WS_CHILD | WS_VISIBLE | c.style, 10, y, c.w, c.h, top,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        c.prepare(control);
        controls.push_back(control);
        y += c.h + 10;
    }
    skin::skinChildControls(skin::findSkinIndex(top), top);
    std::printf("one full repaint of a skinned control (median of 500, microseconds)\n");
    for (std::size_t i = 0; i < controls.size(); ++i) {
        medianRepaintMicroseconds(controls[i], 20);  // warm-up: fonts and pictures loaded once
        std::printf("  %-14s %4d x %-3d %8.1f us\n", cases[i].name, cases[i].w, cases[i].h,
                    medianRepaintMicroseconds(controls[i], 500));
    }
    DestroyWindow(top);
    DeleteObject(font);
    skin::releaseAllSkinState();
    return 0;
}
