#include "skin/WindowUtils.h"

#include "skin/SkinCore.h"

namespace skin {

std::string windowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string plainLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            lines += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if ((c >= 0x20 && c != 0x7F) || c == '\n' || c == '\t') {
            lines += static_cast<char>(c);  // GBK's trail bytes are never below 0x40
        }
    }
    return lines;
}

std::string getClassName(HWND hwnd) {
    char name[256] = {};
    const int length = GetClassNameA(hwnd, name, 255);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Window class names compare without regard to case.
bool isClass(HWND hwnd, const char* className) { return lstrcmpiA(getClassName(hwnd).c_str(), className) == 0; }

RECT rectRelativeTo(HWND a, HWND b) {
    RECT origin{}, r{};
    GetWindowRect(a, &origin);
    GetWindowRect(b, &r);
    OffsetRect(&r, -origin.left, -origin.top);
    return r;
}

void applyRoundRegion(HWND window, int w, int h) {
    gdi::UniqueRegion wanted = roundWindowRegion(w, h);
    gdi::UniqueRegion current(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, current.get()) != ERROR &&
        CombineRgn(current.get(), current.get(), wanted.get(), RGN_XOR) == NULLREGION)
        return;
    SetWindowRgn(window, nullptr, TRUE);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The window owns the region from here on.
    SetWindowRgn(window, wanted.release(), TRUE);
}

RECT rectInRoot(HWND control) { return rectRelativeTo(GetAncestor(control, GA_ROOT), control); }

RECT rectInSkinWindow(HWND control) {
    const SkinRecord* record = recordOfAncestor(control);
    return rectRelativeTo(record ? record->hwnd : GetAncestor(control, GA_ROOT), control);
}

RECT childRectInParent(HWND control) {
    if (findSkinIndex(control)) return RECT{};
    HWND parent = GetParent(control);
    RECT r{};
    GetWindowRect(control, &r);
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    OffsetRect(&r, -origin.x, -origin.y);
    return r;
}

RECT innerRect(HWND window) {
    RECT client{}, whole{};
    GetClientRect(window, &client);
    GetWindowRect(window, &whole);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (style & WS_VSCROLL) {
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof(bar);
        if (GetScrollBarInfo(window, OBJID_VSCROLL, &bar)) width += bar.rcScrollBar.right - bar.rcScrollBar.left;
    }
    if (style & WS_HSCROLL) {
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof(bar);
        if (GetScrollBarInfo(window, OBJID_HSCROLL, &bar)) height += bar.rcScrollBar.bottom - bar.rcScrollBar.top;
    }
    const int left = ((whole.right - whole.left) - width) / 2;
    const int top = ((whole.bottom - whole.top) - height) / 2;
    return RECT{left, top, left + width, top + height};
}

void excludeChildClip(HWND window, HDC dc) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || isTransparentWindow(child)) continue;
        const RECT r = childRectInParent(child);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

gdi::WindowDc excludeChildClip(HWND window) {
    gdi::WindowDc dc = gdi::WindowDc::client(window);
    excludeChildClip(window, dc.get());
    return dc;
}

void invalidateChildren(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
}

bool hasFrame(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    return (style & WS_BORDER) || (exStyle & (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME));
}

bool isOwnerDrawListBox(HWND window) {
    return isClass(window, "ListBox") &&
           (GetWindowLongA(window, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
}

bool isTransparentWindow(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }

}  // namespace skin
