// Containers: windows whose children are skinned and whose colour lies over their
// backdrops (panels, tab pages, group boxes), and keyed containers, windows that go on
// painting themselves into a picture whose key colour is left out (toolbars, labels).
// The engine operations are SkinEngine::registerContainer, setContainerAlpha and
// registerKeyedContainer; skinToolbars is declared with the other installers.
#pragma once

#include <windows.h>

#include "skin/SkinRecord.h"

namespace skin {

// Registration shared by the engine operations and the toolbar installer; both return
// the entry's index, or 0 when the window has no skinned ancestor or cannot be taken.
int addContainer(int skinIndex, HWND window, int paintsBackground, COLORREF colour, int alpha, int framed);
int addKeyedContainer(int skinIndex, HWND window, COLORREF keyColor, COLORREF colour, int alpha);

LRESULT CALLBACK keyedContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK containerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The container's background as the skin paints it (a group box with its frame and
// caption), onto target when one is given, else onto the container's own DC without
// its children.
void paintContainer(ContainerSkin& container, HDC target = nullptr);

// Fills rect of dc with the window's backdrop (the background behind it with the
// colours of the containers it lies in), as makeBackdrop composes it.
void restoreBackdrop(HWND window, HDC dc, const RECT& rect);

bool isGroupBoxButton(HWND window);
// The first ancestor that keeps a painted background of its own; 0 when none does.
HWND nearestBackgroundOwner(HWND window);
void invalidateTransparentChildren(HWND window);

}  // namespace skin
