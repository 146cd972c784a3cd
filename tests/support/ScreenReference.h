// Pictures of what reaches the screen, compared with reference pictures kept in the
// repository (tests/screens, renewed by scripts/renew-screens.sh).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing {

// What the screen shows in a rectangle (screen coordinates) when the shot is made.
class ScreenShot {
public:
    explicit ScreenShot(const RECT& onScreen);

    int width() const noexcept { return w_; }
    int height() const noexcept { return h_; }
    // Pixels of exactly this colour in the area (shot coordinates).
    int count(const RECT& area, COLORREF colour) const;
    // Fills the area with one colour: what moves there stays out of the comparison.
    void mask(const RECT& area);
    // How many pixels lie beyond a small tolerance of the reference NAME.png (all of
    // them when the sizes differ); when some do, NAME-screen.png and NAME-diff.png
    // (differing pixels red) go beside the test program. With VELMORA_RENEW_SCREENS
    // naming a folder, the shot is saved there as NAME.png instead and 0 returned.
    int pixelsOffReference(const std::string& name) const;

private:
    bool save(const std::string& path, std::vector<DWORD> pixels) const;

    int w_ = 0;
    int h_ = 0;
    std::vector<DWORD> pixels_;  // 0x00RRGGBB, top row first
};

}  // namespace testing
