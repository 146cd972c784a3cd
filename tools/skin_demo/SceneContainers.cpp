// The containers scene: a tinted group box whose controls the container skins, a
// toolbar laid over the background as a keyed container, and a button that shows a
// skinned message box (the "messagebox" scene presses it once the window is up).
#include "Scenes.h"

#include <commctrl.h>

namespace demo {

namespace {

constexpr int messageBoxButtonId = 200;
HWND groupBox = nullptr;
HWND toolbar = nullptr;
WNDPROC classProc = nullptr;

LRESULT CALLBACK sceneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == messageBoxButtonId) {
        skin::installCbtHook();
        MessageBoxA(hwnd, "安装目录不能为空，请选择安装目录。", "Velmora码字", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    return CallWindowProcA(classProc, hwnd, message, wParam, lParam);
}

HWND addTo(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w, int h) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

HWND makeToolbar(HWND parent) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    HWND bar = addTo(parent, TOOLBARCLASSNAMEA, "",
                     TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, 20, 52, 360, 30);
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    const char* labels[] = {"新建", "打开", "保存", "导出"};
    TBBUTTON buttons[4] = {};
    for (int i = 0; i < 4; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = 300 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        buttons[i].iString = reinterpret_cast<INT_PTR>(labels[i]);
    }
    SendMessageA(bar, TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(buttons));
    return bar;
}

}  // namespace

void buildContainersScene(DemoWindow& window) {
    classProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sceneProc)));
    toolbar = makeToolbar(window.hwnd);
    groupBox = window.add("Button", "写作设置", BS_GROUPBOX | BS_LEFT, 20, 95, 300, 230);
    addTo(groupBox, "Button", "自动保存", BS_AUTOCHECKBOX, 20, 30, 120, 22);
    HWND backup = addTo(groupBox, "Button", "保留备份", BS_AUTOCHECKBOX, 150, 30, 120, 22);
    SendMessageA(backup, BM_SETCHECK, BST_CHECKED, 0);
    HWND day = addTo(groupBox, "Button", "日间模式", BS_AUTORADIOBUTTON | WS_GROUP, 20, 65, 120, 22);
    SendMessageA(day, BM_SETCHECK, BST_CHECKED, 0);
    addTo(groupBox, "Button", "夜间模式", BS_AUTORADIOBUTTON, 150, 65, 120, 22);
    HWND progress = addTo(groupBox, PROGRESS_CLASSA, "", 0, 20, 110, 250, 18);
    SendMessageA(progress, PBM_SETPOS, 60, 0);
    addTo(groupBox, TRACKBAR_CLASSA, "", TBS_HORZ | TBS_NOTICKS, 20, 140, 250, 30);
    addTo(groupBox, "Button", "应用", BS_PUSHBUTTON, 20, 185, 96, 28);
    window.add("Button", "显示消息框", BS_PUSHBUTTON, 350, 110, 120, 30, messageBoxButtonId);
    window.options.statusItems = {{"容器演示", {}, 160}, {"", {}, -1}};
}

void finishContainersScene(DemoWindow& window) {
    window.engine.registerKeyedContainer(toolbar);
    window.engine.registerContainer(groupBox, 1, RGB(255, 255, 255), 90);
}

void showMessageBoxScene(DemoWindow& window) {
    finishContainersScene(window);
    PostMessageA(window.hwnd, WM_COMMAND, messageBoxButtonId, 0);
}

}  // namespace demo
