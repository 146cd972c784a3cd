// Containers: windows whose children are skinned and whose colour lies over their
// backdrops (panels, tab pages, group boxes), and keyed containers, windows that go on
// painting themselves into a picture whose key colour is left out (toolbars, labels).
// The engine operations are SkinEngine::registerContainer, setContainerAlpha and
// registerKeyedContainer; skinToolbars is declared with the other installers.
#pragma once

#include <windows.h>

namespace skin {

// Registration shared by the engine operations and the toolbar installer; both return
// the entry's index, or 0 when the window has no skinned ancestor or cannot be taken.
int addContainer(int skinIndex, HWND window, int paintsBackground, COLORREF colour, int alpha, int framed);
int addKeyedContainer(int skinIndex, HWND window, COLORREF keyColor, COLORREF colour, int alpha);

LRESULT CALLBACK keyedContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK containerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The first full paint (after registration or a resize): into dc when one is given,
// else into the container's own DC without its children.
void paintContainer(int skinIndex, int containerIndex, HDC dc = nullptr);
// Later paints: the whole background again, then the transparent children over it.
void repaintContainer(int skinIndex, int containerIndex);
// The group-box face on the container's picture: frame lines and the caption.
void paintGroupBox(int skinIndex, int containerIndex, HDC picture);

// Fills rect of dc with the window's backdrop (the background behind it with the
// colours of the containers it lies in), as makeBackdrop composes it.
void restoreBackdrop(HWND window, HDC dc, const RECT& rect);

bool isGroupBoxButton(HWND window);
// The first ancestor that keeps a painted background of its own; 0 when none does.
HWND nearestBackgroundOwner(HWND window);
void invalidateTransparentChildren(HWND window);

}  // namespace skin
