// The whole graphics layer in one include: start-up, memory streams and every wrapper.
#pragma once

#include "graphics/GdipLifetime.h"
#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxImage.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxMemStream.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "graphics/GxRegion.h"
#include "graphics/GxText.h"
