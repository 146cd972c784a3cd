// A thin owner of one tooltip control whose tools cover rectangles of one window.
#pragma once

#include <windows.h>

#include <optional>

#include "graphics/GdiHandles.h"

namespace skin {

// The control has no parent, so nothing but its owner object ever destroys it.
class Tooltip {
public:
    // Creates the control for owner's client area; a control made earlier is destroyed.
    HWND create(HWND owner, std::optional<bool> balloon = std::nullopt);
    // A tool added again under the same id replaces the earlier one.
    void addTool(const RECT& rect, const char* text, int id);
    void setBackColor(COLORREF colour);
    void setTextColor(COLORREF colour);
    void setMaxWidth(int width);
    void setToolRect(int id, const RECT& rect);
    void setToolText(int id, const char* text);
    HWND handle() const noexcept { return tipWindow.get(); }
    HWND ownerWindow() const noexcept { return owner; }

private:
    LRESULT sendTool(UINT message, int id, const RECT& rect, const char* text);

    gdi::UniqueWindow tipWindow;
    HWND owner = nullptr;
};

}  // namespace skin
