// "Velmora写作.exe" of the default payload: the program the installer puts into the
// product folder and starts on its last page. It only tells the user that the
// application is in place.
#include <windows.h>

namespace {

constexpr char windowClass[] = "VelmoraWriterWindow";
constexpr char title[] = "Velmora写作";
constexpr char heading[] = "Velmora码字 2.0 已安装完成";
constexpr char message[] =
    "感谢使用 Velmora码字！\r\n"
    "这是安装包附带的示例程序，它的出现说明软件已经正确安装到本机。";
constexpr int closeId = 1;

struct Fonts {
    HFONT heading;
    HFONT body;
};

HFONT makeFont(int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, "微软雅黑");
}

void paint(HWND window, const Fonts& fonts) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    RECT band = {0, 0, client.right, 64};
    HBRUSH blue = CreateSolidBrush(RGB(36, 88, 150));
    FillRect(dc, &band, blue);
    DeleteObject(blue);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, fonts.heading);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT line = {24, 0, client.right - 24, 64};
    DrawTextA(dc, heading, -1, &line, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, fonts.body);
    SetTextColor(dc, RGB(40, 44, 52));
    RECT body = {24, 82, client.right - 24, client.bottom - 56};
    DrawTextA(dc, message, -1, &body, DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

LRESULT CALLBACK windowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto* fonts = reinterpret_cast<const Fonts*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (msg) {
    case WM_CREATE: {
        fonts = static_cast<const Fonts*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(fonts));
        HWND button = CreateWindowExA(0, "BUTTON", "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 326,
                                      140, 90, 30, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(closeId)),
                                      nullptr, nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->body), FALSE);
        return 0;
    }
    case WM_PAINT:
        paint(window, *fonts);
        return 0;
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
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    cls.lpszClassName = windowClass;
    if (!RegisterClassA(&cls)) return 1;

    Fonts fonts = {makeFont(-20, FW_BOLD), makeFont(-14, FW_NORMAL)};
    RECT frame = {0, 0, 440, 190};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&frame, style, FALSE);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    HWND window = CreateWindowExA(0, windowClass, title, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                  instance, &fonts);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(fonts.heading);
    DeleteObject(fonts.body);
    return 0;
}
