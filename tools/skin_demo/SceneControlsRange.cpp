// The range-controls scene: horizontal and vertical trackbars (one with a selection
// on a range that does not start at 0), progress bars at 0, half and full, and
// up-down controls; the mouse rests on one trackbar so its round thumb shows.
#include "Scenes.h"

#include <commctrl.h>

namespace demo {

namespace {

HWND hoveredTrackbar = nullptr;

void setTrackbar(HWND trackbar, int low, int high, int pos, int selStart = 0, int selEnd = 0) {
    SendMessageA(trackbar, TBM_SETRANGE, FALSE, MAKELPARAM(low, high));
    if (selEnd > selStart) SendMessageA(trackbar, TBM_SETSEL, FALSE, MAKELPARAM(selStart, selEnd));
    SendMessageA(trackbar, TBM_SETPOS, TRUE, pos);
}

void setProgress(HWND bar, int low, int high, int pos) {
    SendMessageA(bar, PBM_SETRANGE32, low, high);
    SendMessageA(bar, PBM_SETPOS, pos, 0);
}

}  // namespace

void buildRangeScene(DemoWindow& window) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    setTrackbar(window.add(TRACKBAR_CLASSA, "", TBS_NOTICKS, 30, 100, 250, 32), 0, 100, 30);
    setTrackbar(window.add(TRACKBAR_CLASSA, "", TBS_ENABLESELRANGE, 30, 145, 250, 32), 10, 110, 60, 30, 80);
    hoveredTrackbar = window.add(TRACKBAR_CLASSA, "", TBS_BOTH, 30, 190, 250, 36);
    setTrackbar(hoveredTrackbar, 0, 100, 70);
    setTrackbar(window.add(TRACKBAR_CLASSA, "", 0, 30, 240, 250, 32), 0, 100, 100);
    setTrackbar(window.add(TRACKBAR_CLASSA, "", TBS_VERT, 300, 100, 34, 200), 0, 100, 40);
    setTrackbar(window.add(TRACKBAR_CLASSA, "", TBS_VERT | TBS_ENABLESELRANGE, 350, 100, 36, 200), 0, 100, 50, 20, 70);

    setProgress(window.add(PROGRESS_CLASSA, "", 0, 410, 100, 200, 18), 0, 100, 0);
    setProgress(window.add(PROGRESS_CLASSA, "", 0, 410, 130, 200, 18), 0, 100, 50);
    setProgress(window.add(PROGRESS_CLASSA, "", 0, 410, 160, 200, 18), 0, 100, 100);
    setProgress(window.add(PROGRESS_CLASSA, "", 0, 410, 190, 200, 18), 50, 150, 75);  // a quarter
    setProgress(window.add(PROGRESS_CLASSA, "", PBS_VERTICAL, 410, 220, 18, 100), 0, 100, 60);

    window.add(UPDOWN_CLASSA, "", 0, 450, 230, 18, 32);
    window.add(UPDOWN_CLASSA, "", 0, 480, 230, 24, 44);
    window.add(UPDOWN_CLASSA, "", UDS_HORZ, 520, 230, 40, 20);
    window.options.statusItems = {{"滑块、进度条、微调按钮", {}, 220}, {"鼠标停在第三个滑块上", {}, -1}};
}

// The real mouse rests on the third trackbar's thumb, so it shows hovered.
void finishRangeScene(DemoWindow&) {
    RECT thumb{};
    SendMessageA(hoveredTrackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    POINT centre{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    ClientToScreen(hoveredTrackbar, &centre);
    SetCursorPos(centre.x, centre.y);
}

}  // namespace demo
