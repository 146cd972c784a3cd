// The GDI+ section of WineGaps.h: the status each listed flat function gives under
// Wine 8.0 instead of Ok, and the behaviours that differ, each with its reason.
// Everything not listed must behave as on Windows.
#include "WineGaps.h"

#include <map>

#include "graphics/GxFlat.h"

namespace {
struct KnownGap {
    int status;
    const char* reason;
};

const std::map<std::string, KnownGap>& KnownGaps() {
    // Wine 8.0 exports these as unimplemented stubs: a call ends the process.
    const char* stub = "Wine exports it as an unimplemented stub (a call aborts the process)";
    static const std::map<std::string, KnownGap> gaps = {
        {"GdipSetPenUnit", {functionAbsent, stub}},
        {"GdipGetEncoderParameterList", {functionAbsent, stub}},
        {"GdipEnumerateMetafileDestPoints", {functionAbsent, stub}},
        {"GdipEnumerateMetafileDestPointsI", {functionAbsent, stub}},
        {"GdipEnumerateMetafileSrcRectDestPoint", {functionAbsent, stub}},
        {"GdipEnumerateMetafileSrcRectDestPointI", {functionAbsent, stub}},
        {"GdipEnumerateMetafileSrcRectDestPointsI", {functionAbsent, stub}},
        // Implemented by Wine as "not implemented".
        {"GdipComment", {Gdiplus::NotImplemented, "records nothing: Wine has no metafile comments"}},
        {"GdipGetPathGradientPath", {Gdiplus::NotImplemented, "Wine does not keep the path of a path gradient"}},
        {"GdipSetPathGradientPath", {Gdiplus::NotImplemented, "Wine does not keep the path of a path gradient"}},
        {"GdipWindingModeOutline", {Gdiplus::NotImplemented, "not implemented by Wine"}},
        {"GdipWarpPath", {Gdiplus::NotImplemented, "not implemented by Wine"}},
        {"GdipRemovePropertyItem", {Gdiplus::NotImplemented, "Wine's property items are read-only"}},
        {"GdipSetPropertyItem",
         {Gdiplus::PropertyNotFound, "Wine answers Ok but stores nothing: reading the item back finds none"}},
        // Different answers.
        {"GdipAddPathString", {Gdiplus::InvalidParameter, "Wine requires a string format where Windows takes null"}},
        {"GdipGetGenericFontFamilySansSerif",
         {Gdiplus::FontFamilyNotFound, "Wine looks for Microsoft Sans Serif or Liberation Sans, not installed here"}},
        {"GdipGetGenericFontFamilyMonospace",
         {Gdiplus::FontFamilyNotFound, "Wine looks for Courier New or Liberation Mono, not installed here"}},
    };
    return gaps;
}

// Behaviours that differ from Windows without a status to show it.
const std::map<std::string, const char*>& KnownDifferences() {
    static const std::map<std::string, const char*> differences = {
        {"anti-aliased fills", "Wine fills shapes on bitmaps with hard edges whatever the smoothing mode"},
        {"JPEG quality", "Wine's JPEG encoder ignores the quality parameter"},
        {"frame dimension checked", "Wine selects a frame whatever dimension GUID it is given"},
    };
    return differences;
}
}  // namespace

bool KnownDifference(const std::string& behaviour) { return KnownDifferences().count(behaviour) != 0; }

int ExpectedStatus(const std::string& function) {
    const auto gap = KnownGaps().find(function);
    return gap == KnownGaps().end() ? 0 : gap->second.status;
}
