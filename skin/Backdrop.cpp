#include "skin/Backdrop.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "graphics/GxBrush.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxPath.h"
#include "skin/DcGraphics.h"
#include "skin/KeptFace.h"
#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"

namespace skin {

namespace {

bool keepsOwnBackground(HWND hwnd) { return getPropInt(hwnd, prop::keepsBackground) == 1; }

HDC ownBackgroundOf(HWND hwnd) { return getPropHandle<HDC>(hwnd, prop::backgroundDc); }

HDC backgroundOf(const SkinRecord* record) { return record ? record->backgroundDc.get() : nullptr; }

void copyFrom(HDC target, const RECT& area, HDC source, const RECT& offset) {
    BitBlt(target, 0, 0, area.right - area.left, area.bottom - area.top, source, offset.left + area.left,
           offset.top + area.top, SRCCOPY);
}

// Lays the container's colour over the whole picture. A group box keeps its top rows
// clear when the picture is the group box itself, where its caption line runs; the
// rounded shape is the whole box's, so that a part of it (the caption band) lines up.
void layTint(HDC target, const RECT& area, const ContainerSkin& container, bool rounded) {
    GxPath path;
    path.Create();
    if (rounded && container.isGroupBox) {
        RECT whole{};
        GetWindowRect(container.hwnd, &whole);
        addRoundRect(path, static_cast<float>(-area.left), static_cast<float>(5 - area.top),
                     static_cast<float>(whole.right - whole.left), static_cast<float>(whole.bottom - whole.top - 6), 5);
    } else {
        path.AddRectangle(0.0f, 0.0f, static_cast<float>(area.right - area.left),
                          static_cast<float>(area.bottom - area.top));
    }
    DcGraphics surface(target);
    GxSolidBrush brush;
    brush.Create(toArgb(container.tintColor, container.tintAlpha));
    surface.graphics().FillPath(brush, path);
}

// Where a control's backdrop is copied from, and whose tint goes over it.
struct BackdropPlan {
    HDC source = nullptr;
    RECT offset{};
    const SkinRecord* record = nullptr;
    int containerIndex = 0;
    bool rounded = false;
};

// Empty when no skinned window lies behind the control.
std::optional<BackdropPlan> planBackdrop(HWND control) {
    const BackdropSource source = findBackdropSource(control);
    if (source.found) {
        const SkinRecord* record = recordAt(source.skinIndex);
        return BackdropPlan{backgroundOf(record), rectInSkinWindow(control), record,
                            findContainer(source.skinIndex, control), true};
    }
    if (source.owner) {
        if (control == source.owner) {
            if (HWND above = getPropHandle<HWND>(control, prop::backgroundOwner))
                return BackdropPlan{ownBackgroundOf(above), rectRelativeTo(above, control)};
            return BackdropPlan{backgroundOf(recordOfAncestor(control)), rectInRoot(control)};
        }
        const int skinIndex = source.skinIndex ? source.skinIndex : skinIndexOfAncestor(control);
        const int own = findContainer(skinIndex, control);
        return BackdropPlan{ownBackgroundOf(source.owner), rectRelativeTo(source.owner, control), recordAt(skinIndex),
                            own ? own : findTintingContainer(skinIndex, control, source.owner), own != 0};
    }
    const int skinIndex = source.skinIndex ? source.skinIndex : skinIndexOfAncestor(control);
    if (!skinIndex) return std::nullopt;
    const SkinRecord* record = recordAt(skinIndex);
    const int own = findContainer(skinIndex, control);
    return BackdropPlan{backgroundOf(record), rectInRoot(control), record, own ? own : source.containerIndex, false};
}

void tintWith(HDC target, const RECT& area, const BackdropPlan& plan) {
    const ContainerSkin* container = plan.record ? plan.record->containers.at(plan.containerIndex) : nullptr;
    if (container && container->tintColor != 0) layTint(target, area, *container, plan.rounded);
}

// Backdrops shared for the length of one paint, innermost last. UI thread only.
struct Share {
    HWND control;
    RECT area;
    HDC picture;
};
std::vector<Share> shares;

const Share* shareFor(HWND control, const RECT& area) {
    for (auto it = shares.rbegin(); it != shares.rend(); ++it) {
        RECT both{};
        if (it->control == control && IntersectRect(&both, &it->area, &area) && EqualRect(&both, &area)) return &*it;
    }
    return nullptr;
}

}  // namespace

BackdropSource findBackdropSource(HWND control) {
    BackdropSource source;
    for (HWND p = control; p; p = GetParent(p)) {
        if (keepsOwnBackground(p)) {
            source.owner = p;
            return source;
        }
        if (const int index = findSkinIndex(p)) {
            source.found = true;
            source.skinIndex = index;
            return source;
        }
        if (p == control) continue;  // a container stands behind the controls inside it only
        for (int i = 1; i <= skinRecords.count(); ++i) {
            if (const int containerIndex = findContainer(i, p)) {
                if (HWND above = getPropHandle<HWND>(p, prop::backgroundOwner)) {
                    source.owner = above;
                } else {
                    source.skinIndex = i;
                    source.containerIndex = containerIndex;
                }
                return source;
            }
        }
    }
    return source;
}

int findContainer(int skinIndex, HWND hwnd) {
    const SkinRecord* record = recordAt(skinIndex);
    return record ? record->containers.indexOf(hwnd) : 0;
}

int findTintingContainer(int skinIndex, HWND control, HWND stop) {
    const SkinRecord* record = recordAt(skinIndex);
    if (!record) return 0;
    for (HWND p = GetParent(control); p && p != stop; p = GetParent(p)) {
        const int index = record->containers.indexOf(p);
        if (index && record->containers.at(index)->paintsBackground) return index;
    }
    return 0;
}

HDC makeBackdrop(HWND control, const RECT& area, Tinting tinting) {
    gdi::BitmapDc picture;
    picture.select(gdi::makeDibPicture(area.right - area.left, area.bottom - area.top));
    if (!picture) return nullptr;
    const Share* share = tinting == Tinting::now ? shareFor(control, area) : nullptr;
    if (share) {
        copyFrom(picture.get(), area, share->picture, RECT{-share->area.left, -share->area.top, 0, 0});
    } else {
        const std::optional<BackdropPlan> plan = planBackdrop(control);
        if (!plan) return nullptr;
        copyFrom(picture.get(), area, plan->source, plan->offset);
        if (tinting == Tinting::now) tintWith(picture.get(), area, *plan);
    }
    HDC dc = picture.get();
    for (gdi::BitmapDc& stale : backdropList)
        if (stale.get() == dc) stale.forgetDc();
    std::erase_if(backdropList, [](const gdi::BitmapDc& entry) { return !entry; });
    backdropList.push_back(std::move(picture));
    return dc;
}

void tintBackdrop(HWND control, HDC dc, const RECT& area) {
    if (const std::optional<BackdropPlan> plan = planBackdrop(control)) tintWith(dc, area, *plan);
}

BackdropShare::BackdropShare(HWND control, const RECT& area) : picture_(makeBackdrop(control, area)) {
    if (picture_) shares.push_back(Share{control, area, picture_.get()});
}

BackdropShare::~BackdropShare() {
    if (picture_) std::erase_if(shares, [this](const Share& share) { return share.picture == picture_.get(); });
}

bool freeBackdrop(HDC dc) {
    if (!dc) return false;
    auto it = std::find_if(backdropList.begin(), backdropList.end(),
                           [dc](const gdi::BitmapDc& entry) { return entry.get() == dc; });
    if (it == backdropList.end()) return false;
    backdropList.erase(it);
    return true;
}

HDC veiledBackdrop(HWND control) {
    RECT whole{};
    GetWindowRect(control, &whole);
    HDC dc = makeBackdrop(control, RECT{0, 0, whole.right - whole.left, whole.bottom - whole.top});
    if (!dc) return nullptr;
    RECT client{};
    GetClientRect(control, &client);
    POINT origin{0, 0};
    ClientToScreen(control, &origin);
    OffsetRect(&client, origin.x - whole.left, origin.y - whole.top);
    DcGraphics surface(dc);
    GxSolidBrush veil;
    veil.Create(toArgb(0x00FFFFFF, veilAlpha));
    surface.graphics().FillRectangle(veil, static_cast<float>(client.left), static_cast<float>(client.top),
                           static_cast<float>(client.right - client.left), static_cast<float>(client.bottom - client.top));
    return dc;
}

namespace {

// An edit asks for its veiled backdrop at every paint, and the veil costs far more than
// the copy: each control's last veiled picture is kept with the backdrop and veil it
// was made from, and used again while they are the same. UI thread only.
struct VeiledPicture {
    FaceSource made;  // the backdrop, keyed by the veil's alpha
    std::vector<std::uint32_t> veiled;
};

void layVeil(HWND control, HDC dc, int w, int h) {
    static std::map<HWND, VeiledPicture> kept;
    const std::span<std::uint32_t> pixels = dibPixels(dc, w, h);
    auto it = kept.find(control);
    std::string key;
    addToKey(key, veilAlpha);
    if (it != kept.end() && it->second.made.same(pixels, key)) {
        std::copy(it->second.veiled.begin(), it->second.veiled.end(), pixels.begin());
        return;
    }
    // The pixels are the backdrop's until the veil goes over them: they are kept first.
    if (!pixels.empty()) {
        if (it == kept.end()) {
            std::erase_if(kept, [](const auto& entry) { return !IsWindow(entry.first); });
            it = kept.emplace(control, VeiledPicture{}).first;
        }
        it->second.made.take(pixels, std::move(key));
    }
    {
        DcGraphics surface(dc);
        GxSolidBrush veil;
        veil.Create(toArgb(0x00FFFFFF, veilAlpha));
        surface.graphics().FillRectangle(veil, 0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h));
    }
    if (!pixels.empty()) it->second.veiled.assign(pixels.begin(), pixels.end());
}

}  // namespace

HBITMAP veiledBackdropBitmap(HWND control) {
    const RECT r = innerRect(control);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    HDC dc = makeBackdrop(control, r);
    if (!dc) return nullptr;
    layVeil(control, dc, w, h);
    return dcToBitmap(dc, w, h);
}

std::span<std::uint32_t> dibPixels(HDC dc, int w, int h) {
    DIBSECTION dib{};
    if (GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits ||
        dib.dsBm.bmBitsPixel != 32 || dib.dsBm.bmWidth != w || dib.dsBm.bmHeight != h)
        return {};
    GdiFlush();
    return {static_cast<std::uint32_t*>(dib.dsBm.bmBits), static_cast<std::size_t>(w) * static_cast<std::size_t>(h)};
}

HBITMAP dcToBitmap(HDC backdrop, int w, int h) {
    HBITMAP bitmap = nullptr;
    {
        gdi::UniqueMemoryDc copy(CreateCompatibleDC(nullptr));
        bitmap = CreateCompatibleBitmap(backdrop, w, h);
        gdi::SelectGuard select(copy.get(), bitmap);
        BitBlt(copy.get(), 0, 0, w, h, backdrop, 0, 0, SRCCOPY);
    }
    freeBackdrop(backdrop);
    return bitmap;
}

}  // namespace skin
