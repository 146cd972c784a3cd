// A control's face as it was last painted, kept with what it was painted from, so that
// a repaint that would draw the same face copies it instead.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graphics/GdiHandles.h"

namespace skin {

class ControlCanvas;

// What a kept picture was made from: the pixels it was drawn over and a key of
// everything else it shows. The picture holds while both are the same.
class FaceSource {
public:
    bool same(std::span<const std::uint32_t> pixels, const std::string& key) const {
        return known_ && key == key_ && std::equal(pixels.begin(), pixels.end(), pixels_.begin(), pixels_.end());
    }
    void take(std::span<const std::uint32_t> pixels, std::string key) {
        pixels_.assign(pixels.begin(), pixels.end());
        key_ = std::move(key);
        known_ = true;
    }
    bool empty() const { return pixels_.empty(); }

private:
    std::vector<std::uint32_t> pixels_;
    std::string key_;
    bool known_ = false;
};

// The face depends on the pixels of the backdrop it is drawn on and on a key the painter
// makes of everything else it shows (state, text, colours, pictures, size). A canvas
// with the same backdrop pixels and the same key gets the kept face.
class KeptFace {
public:
    // For a canvas nothing has been drawn on yet: true when the kept face holds, and the
    // canvas then shows it; false when the face must be drawn (and kept afterwards).
    bool restore(ControlCanvas& canvas, std::string key);
    // Keeps what the canvas shows now as the face for the backdrop and key restore saw.
    void keep(ControlCanvas& canvas);

private:
    FaceSource source_;
    gdi::BitmapDc face_;
    int width_ = 0, height_ = 0;
    bool holds_ = false;
};

// Appends the bytes of a plain value to a face key.
template <class Value>
void addToKey(std::string& key, const Value& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace skin
