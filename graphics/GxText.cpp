#include "graphics/GxText.h"

#include "graphics/GxCall.h"
#include "graphics/GxGraphics.h"

using namespace gxcall;

// Font families

bool GxFontFamily::Create(const char* name, const GxFontCollection* collection) {
    return CreateW(GxWiden(name).c_str(), collection);
}
bool GxFontFamily::CreateW(const wchar_t* name, const GxFontCollection* collection) {
    return MakeFamily([&](GpFontFamily** out) { return GdipCreateFontFamilyFromName(name, NativeOf(collection), out); });
}
bool GxFontFamily::GetGenericSansSerif() {
    return MakeFamily([&](GpFontFamily** out) { return GdipGetGenericFontFamilySansSerif(out); });
}
bool GxFontFamily::GetGenericSerif() {
    return MakeFamily([&](GpFontFamily** out) { return GdipGetGenericFontFamilySerif(out); });
}
bool GxFontFamily::GetGenericMonospace() {
    return MakeFamily([&](GpFontFamily** out) { return GdipGetGenericFontFamilyMonospace(out); });
}
bool GxFontFamily::Clone(GxFontFamily& result) const {
    GpFontFamily* copy = nullptr;
    const bool ok = Check(GdipCloneFontFamily(handle, &copy));
    result.Adopt(copy);
    return ok;
}
std::string GxFontFamily::GetName(LANGID language) {
    const std::wstring name = GetNameW(language);
    return GxNarrow(name.c_str(), static_cast<int>(name.size()));
}
std::wstring GxFontFamily::GetNameW(LANGID language) {
    WCHAR buffer[LF_FACESIZE + 1] = {};
    if (!Check(GdipGetFamilyName(handle, buffer, language))) return {};
    buffer[LF_FACESIZE] = L'\0';
    return buffer;
}
BOOL GxFontFamily::IsStyleAvailable(int style) {
    return Get<BOOL>([&](BOOL* v) { return GdipIsStyleAvailable(handle, style, v); });
}
UINT16 GxFontFamily::GetEmHeight(int style) {
    return Get<UINT16>([&](UINT16* v) { return GdipGetEmHeight(handle, style, v); });
}
UINT16 GxFontFamily::GetCellAscent(int style) {
    return Get<UINT16>([&](UINT16* v) { return GdipGetCellAscent(handle, style, v); });
}
UINT16 GxFontFamily::GetCellDescent(int style) {
    return Get<UINT16>([&](UINT16* v) { return GdipGetCellDescent(handle, style, v); });
}
UINT16 GxFontFamily::GetLineSpacing(int style) {
    return Get<UINT16>([&](UINT16* v) { return GdipGetLineSpacing(handle, style, v); });
}

// Font collections

int GxFontCollection::GetFamilyCount() {
    return Get<INT>([&](INT* v) { return GdipGetFontCollectionFamilyCount(handle, v); });
}
bool GxFontCollection::GetFamilies(std::vector<GxFontFamily>& families) {
    std::vector<GpFontFamily*> natives;
    if (!GetArray(natives, [&](INT* n) { return GdipGetFontCollectionFamilyCount(handle, n); },
                  [&](GpFontFamily** v, INT n) {
                      INT found = 0;
                      return GdipGetFontCollectionFamilyList(handle, n, v, &found);
                  }))
        return false;
    std::vector<GxFontFamily> wrapped(natives.size());
    for (std::size_t i = 0; i < natives.size(); ++i) wrapped[i].SetNative(natives[i]);
    families = std::move(wrapped);
    return true;
}

// Fonts

bool GxFont::Create(const GxFontFamily& family, float emSize, int style, Unit unit) {
    return Make([&](GpFont** out) { return GdipCreateFont(family.Handle(), emSize, style, unit, out); });
}
bool GxFont::FromStockFont() {
    LOGFONTA logfont{};
    if (!GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logfont, &logfont)) return false;
    HDC screen = ::GetDC(nullptr);
    const bool ok = Make([&](GpFont** out) { return GdipCreateFontFromLogfontA(screen, &logfont, out); });
    ::ReleaseDC(nullptr, screen);
    return ok;
}
bool GxFont::CreateByName(const char* name, float emSize, int style, Unit unit) {
    return CreateByNameW(GxWiden(name).c_str(), emSize, style, unit);
}
bool GxFont::CreateByNameW(const wchar_t* name, float emSize, int style, Unit unit) {
    GxFontFamily family;
    family.CreateW(name);
    const bool ok = Make([&](GpFont** out) { return GdipCreateFont(family.Handle(), emSize, style, unit, out); });
    if (!family.IsEmpty()) GdipDeleteFontFamily(family.Handle());
    return ok;
}
bool GxFont::CreateFromDC(HDC hdc) {
    return Make([&](GpFont** out) { return GdipCreateFontFromDC(hdc, out); });
}
bool GxFont::FromHdc(HDC hdc, HFONT font) {
    LOGFONTA logfont{};
    if (font && GetObjectA(font, sizeof logfont, &logfont)) return FromLogfontA(hdc, &logfont);
    return CreateFromDC(hdc);
}
bool GxFont::FromLogfontA(HDC hdc, const LOGFONTA* logfont) {
    return Make([&](GpFont** out) {
        return logfont ? GdipCreateFontFromLogfontA(hdc, const_cast<LOGFONTA*>(logfont), out)
                       : GdipCreateFontFromDC(hdc, out);
    });
}
bool GxFont::FromLogfontW(HDC hdc, const LOGFONTW* logfont) {
    return Make([&](GpFont** out) {
        return logfont ? GdipCreateFontFromLogfontW(hdc, const_cast<LOGFONTW*>(logfont), out)
                       : GdipCreateFontFromDC(hdc, out);
    });
}
bool GxFont::Clone(GxFont& result) const {
    GpFont* copy = nullptr;
    const bool ok = Check(GdipCloneFont(handle, &copy));
    result.Adopt(copy);
    return ok;
}
bool GxFont::GetLogFontA(const GxGraphics& graphics, LOGFONTA& logfont) {
    return Check(GdipGetLogFontA(handle, graphics.Handle(), &logfont));
}
bool GxFont::GetLogFontW(const GxGraphics& graphics, LOGFONTW& logfont) {
    return Check(GdipGetLogFontW(handle, graphics.Handle(), &logfont));
}
bool GxFont::GetFamily(GxFontFamily& result) {
    GpFontFamily* family = nullptr;
    const bool ok = Check(GdipGetFamily(handle, &family));
    result.Adopt(family);
    return ok;
}
int GxFont::GetStyle() { return Get<INT>([&](INT* v) { return GdipGetFontStyle(handle, v); }); }
float GxFont::GetSize() { return Get<REAL>([&](REAL* v) { return GdipGetFontSize(handle, v); }); }
GxFont::Unit GxFont::GetUnit() { return Get<Unit>([&](Unit* v) { return GdipGetFontUnit(handle, v); }); }
float GxFont::GetHeight(const GxGraphics* graphics) {
    return Get<REAL>([&](REAL* v) { return GdipGetFontHeight(handle, NativeOf(graphics), v); });
}
float GxFont::GetHeightGivenDPI(float dpi) {
    return Get<REAL>([&](REAL* v) { return GdipGetFontHeightGivenDPI(handle, dpi, v); });
}

// String formats

bool GxStringFormat::Create(int flags, LANGID language) {
    return Make([&](GpStringFormat** out) { return GdipCreateStringFormat(flags, language, out); });
}
bool GxStringFormat::GetGenericDefault() {
    return Make([&](GpStringFormat** out) { return GdipStringFormatGetGenericDefault(out); });
}
bool GxStringFormat::GetGenericTypographic() {
    return Make([&](GpStringFormat** out) { return GdipStringFormatGetGenericTypographic(out); });
}
bool GxStringFormat::Clone(GxStringFormat& result) const {
    GpStringFormat* copy = nullptr;
    const bool ok = Check(GdipCloneStringFormat(handle, &copy));
    result.Adopt(copy);
    return ok;
}
bool GxStringFormat::SetFlags(int flags) { return Check(GdipSetStringFormatFlags(handle, flags)); }
int GxStringFormat::GetFlags() { return Get<INT>([&](INT* v) { return GdipGetStringFormatFlags(handle, v); }); }
bool GxStringFormat::SetAlignment(Alignment alignment) { return Check(GdipSetStringFormatAlign(handle, alignment)); }
GxStringFormat::Alignment GxStringFormat::GetAlignment() {
    return Get<Alignment>([&](Alignment* v) { return GdipGetStringFormatAlign(handle, v); });
}
bool GxStringFormat::SetLineAlignment(Alignment alignment) {
    return Check(GdipSetStringFormatLineAlign(handle, alignment));
}
GxStringFormat::Alignment GxStringFormat::GetLineAlignment() {
    return Get<Alignment>([&](Alignment* v) { return GdipGetStringFormatLineAlign(handle, v); });
}
bool GxStringFormat::SetTrimming(StringTrimming trimming) { return Check(GdipSetStringFormatTrimming(handle, trimming)); }
StringTrimming GxStringFormat::GetTrimming() {
    return Get<StringTrimming>([&](StringTrimming* v) { return GdipGetStringFormatTrimming(handle, v); });
}
bool GxStringFormat::SetHotkeyPrefix(int prefix) { return Check(GdipSetStringFormatHotkeyPrefix(handle, prefix)); }
int GxStringFormat::GetHotkeyPrefix() {
    return Get<INT>([&](INT* v) { return GdipGetStringFormatHotkeyPrefix(handle, v); });
}
bool GxStringFormat::SetTabStops(float firstOffset, std::span<const float> stops) {
    return Check(GdipSetStringFormatTabStops(handle, firstOffset, Count(stops.size()), stops.data()));
}
bool GxStringFormat::GetTabStops(float& firstOffset, std::vector<float>& stops) {
    REAL first = 0;
    if (!GetArray(stops, [&](INT* n) { return GdipGetStringFormatTabStopCount(handle, n); },
                  [&](REAL* v, INT n) { return GdipGetStringFormatTabStops(handle, n, &first, v); }))
        return false;
    firstOffset = first;
    return true;
}
bool GxStringFormat::SetDigitSubstitution(LANGID language, StringDigitSubstitute method) {
    return Check(GdipSetStringFormatDigitSubstitution(handle, language, method));
}
bool GxStringFormat::GetDigitSubstitution(LANGID& language, StringDigitSubstitute& method) {
    return Check(GdipGetStringFormatDigitSubstitution(handle, &language, &method));
}
bool GxStringFormat::SetMeasurableCharacterRanges(std::span<const CharacterRange> ranges) {
    return Check(GdipSetStringFormatMeasurableCharacterRanges(handle, Count(ranges.size()), ranges.data()));
}
int GxStringFormat::GetMeasurableCharacterRangeCount() {
    return Get<INT>([&](INT* v) { return GdipGetStringFormatMeasurableCharacterRangeCount(handle, v); });
}
