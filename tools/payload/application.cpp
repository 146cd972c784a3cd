// "Velmora写作.exe" of the default payload: the program the installer puts into the
// product folder and starts on its last page. It only tells the user that the
// application is in place.
#include <windows.h>

namespace {

constexpr char windowClass[] = "VelmoraWriterWindow";
constexpr char title[] = "Velmora写作";
constexpr char message[] =
    "Velmora码字 2.0 已成功安装到本机。\r\n\r\n"
    "这是安装包附带的示例程序，说明安装已经完成。";
constexpr int closeId = 1;

HFONT uiFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        const auto font = reinterpret_cast<WPARAM>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        HWND text = CreateWindowExA(0, "STATIC", message, WS_CHILD | WS_VISIBLE, 24, 24, 372, 80, window, nullptr,
                                    nullptr, nullptr);
        HWND button = CreateWindowExA(0, "BUTTON", "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 306,
                                      116, 90, 28, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(closeId)),
                                      nullptr, nullptr);
        SendMessageA(text, WM_SETFONT, font, FALSE);
        SendMessageA(button, WM_SETFONT, font, FALSE);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == closeId) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = windowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = windowClass;
    if (!RegisterClassA(&cls)) return 1;

    HFONT font = uiFont();
    RECT frame = {0, 0, 420, 160};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&frame, style, FALSE);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    HWND window = CreateWindowExA(0, windowClass, title, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                  instance, font);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(font);
    return 0;
}
