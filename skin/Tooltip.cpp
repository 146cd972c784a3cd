#include "skin/Tooltip.h"

#include <commctrl.h>

#include <cstddef>

namespace skin {

namespace {
// The first-version record: every comctl32 accepts it, and its size follows the
// pointer width of the build.
constexpr UINT toolInfoSize = offsetof(TTTOOLINFOA, lpszText) + sizeof(LPSTR);
}  // namespace

HWND Tooltip::create(HWND ownerWindow, std::optional<bool> balloon) {
    tipWindow.reset();
    owner = ownerWindow;
    DWORD style = TTS_ALWAYSTIP;
    if (balloon.value_or(false)) style |= TTS_BALLOON;
    tipWindow.reset(CreateWindowExA(0, TOOLTIPS_CLASSA, "", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    return tipWindow.get();
}

// Each request gets a fresh record; the control copies the text before returning.
LRESULT Tooltip::sendTool(UINT message, int id, const RECT& rect, const char* text) {
    TTTOOLINFOA info{};
    info.cbSize = toolInfoSize;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = static_cast<UINT_PTR>(id);
    info.rect = rect;
    info.hinst = nullptr;
    info.lpszText = const_cast<char*>(text);
    return SendMessageA(tipWindow.get(), message, 0, reinterpret_cast<LPARAM>(&info));
}

void Tooltip::addTool(const RECT& rect, const char* text, int id) {
    // One tool per id: the control would keep both and go on showing the first text.
    sendTool(TTM_DELTOOLA, id, rect, nullptr);
    sendTool(TTM_ADDTOOLA, id, rect, text);
}

void Tooltip::setBackColor(COLORREF colour) { SendMessageA(tipWindow.get(), TTM_SETTIPBKCOLOR, colour, 0); }

void Tooltip::setTextColor(COLORREF colour) { SendMessageA(tipWindow.get(), TTM_SETTIPTEXTCOLOR, colour, 0); }

void Tooltip::setMaxWidth(int width) { SendMessageA(tipWindow.get(), TTM_SETMAXTIPWIDTH, 0, width); }

void Tooltip::setToolRect(int id, const RECT& rect) { sendTool(TTM_NEWTOOLRECTA, id, rect, nullptr); }

void Tooltip::setToolText(int id, const char* text) { sendTool(TTM_UPDATETIPTEXTA, id, RECT{}, text); }

}  // namespace skin
