// Text: fonts, font families, font collections and string formats.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "graphics/GxObject.h"

class GxGraphics;
class GxFontCollection;

// A font family. Destruction leaves the native family alive: whoever made it with Create
// or received it from GxFont::GetFamily deletes it with Delete. Storing a new family
// (Create again, Clone or GetFamily into it) releases a family this wrapper was given
// that way, like every other class; one handed over with SetNative (a collection's) is
// left alone.
class GxFontFamily
    : public GxHandleObject<Gdiplus::GpFontFamily, Gdiplus::DllExports::GdipDeleteFontFamily, false> {
public:
    GxFontFamily() = default;
    GxFontFamily(GxFontFamily&& other) noexcept { *this = std::move(other); }
    GxFontFamily& operator=(GxFontFamily&& other) noexcept {
        Gdiplus::GpFontFamily* made = other.made_;
        GxHandleObject::operator=(std::move(other));
        made_ = made;
        return *this;
    }
    void Adopt(Gdiplus::GpFontFamily* family) noexcept {
        Reset(family);
        made_ = family;
    }
    // An installed family (or one of `collection`, when it holds a collection).
    bool Create(const char* name, const GxFontCollection* collection = nullptr);
    bool CreateW(const wchar_t* name, const GxFontCollection* collection = nullptr);
    bool GetGenericSansSerif();
    bool GetGenericSerif();
    bool GetGenericMonospace();
    bool Clone(GxFontFamily& result) const;
    std::string GetName(LANGID language = 0);
    std::wstring GetNameW(LANGID language = 0);
    BOOL IsStyleAvailable(int style);
    UINT16 GetEmHeight(int style);
    UINT16 GetCellAscent(int style);
    UINT16 GetCellDescent(int style);
    UINT16 GetLineSpacing(int style);

protected:
    void Attach(void* h) noexcept override {
        GxHandleObject::Attach(h);
        if (h != made_) made_ = nullptr;
    }
    void ReleaseNative() noexcept override {
        if (handle && handle == made_) Gdiplus::DllExports::GdipDeleteFontFamily(handle);
        GxHandleObject::ReleaseNative();
    }

private:
    template <class Create>
    bool MakeFamily(Create&& create) noexcept {
        Gdiplus::GpFontFamily* made = nullptr;
        const auto status = create(&made);
        Adopt(made);
        return GxStoreStatus(status);
    }

    Gdiplus::GpFontFamily* made_ = nullptr;  // the held family, when it came from Adopt
};

// A font collection supplied from outside through SetNative; never deleted here. An empty
// one stands for the installed fonts.
class GxFontCollection : public GxObject {
public:
    GxFontCollection() = default;
    GxFontCollection(GxFontCollection&& other) noexcept { TakeFrom(other); }
    GxFontCollection& operator=(GxFontCollection&& other) noexcept {
        if (this != &other) TakeFrom(other);
        return *this;
    }
    Gdiplus::GpFontCollection* Handle() const noexcept { return handle; }

    int GetFamilyCount();
    // New family wrappers; the families belong to the collection (not deleted by callers).
    bool GetFamilies(std::vector<GxFontFamily>& families);

protected:
    void Attach(void* h) noexcept override { handle = static_cast<Gdiplus::GpFontCollection*>(h); }
    void ReleaseNative() noexcept override { SetNative(nullptr); }

private:
    void TakeFrom(GxFontCollection& other) noexcept {
        SetNative(other.native);
        other.SetNative(nullptr);
    }

    Gdiplus::GpFontCollection* handle = nullptr;
};

class GxFont : public GxHandleObject<Gdiplus::GpFont, Gdiplus::DllExports::GdipDeleteFont> {
public:
    using Unit = Gdiplus::Unit;

    bool Create(const GxFontFamily& family, float emSize, int style = 0, Unit unit = Gdiplus::UnitWorld);
    // The system's default GUI font; false without a GDI+ call when it cannot be read.
    bool FromStockFont();
    // An installed family by name; fails and stays empty when the name is not installed.
    bool CreateByName(const char* name, float emSize, int style = 0, Unit unit = Gdiplus::UnitWorld);
    bool CreateByNameW(const wchar_t* name, float emSize, int style = 0, Unit unit = Gdiplus::UnitWorld);
    bool CreateFromDC(HDC hdc);
    // The given GDI font as seen on `hdc`, or the font selected into `hdc`.
    bool FromHdc(HDC hdc, HFONT font = nullptr);
    bool FromLogfontA(HDC hdc, const LOGFONTA* logfont = nullptr);
    bool FromLogfontW(HDC hdc, const LOGFONTW* logfont = nullptr);
    bool Clone(GxFont& result) const;
    bool GetLogFontA(const GxGraphics& graphics, LOGFONTA& logfont);
    bool GetLogFontW(const GxGraphics& graphics, LOGFONTW& logfont);
    // Stores a new family in `result`; the caller deletes it with Delete.
    bool GetFamily(GxFontFamily& result);
    int GetStyle();
    float GetSize();
    Unit GetUnit();
    float GetHeight(const GxGraphics* graphics);
    float GetHeightGivenDPI(float dpi);
};

class GxStringFormat : public GxHandleObject<Gdiplus::GpStringFormat, Gdiplus::DllExports::GdipDeleteStringFormat> {
public:
    using Alignment = Gdiplus::StringAlignment;

    bool Create(int flags = 0, LANGID language = 0);
    bool GetGenericDefault();
    bool GetGenericTypographic();
    bool Clone(GxStringFormat& result) const;
    bool SetFlags(int flags);
    int GetFlags();
    bool SetAlignment(Alignment alignment);
    Alignment GetAlignment();
    bool SetLineAlignment(Alignment alignment);
    Alignment GetLineAlignment();
    bool SetTrimming(Gdiplus::StringTrimming trimming);
    Gdiplus::StringTrimming GetTrimming();
    bool SetHotkeyPrefix(int prefix);
    int GetHotkeyPrefix();
    bool SetTabStops(float firstOffset, std::span<const float> stops);
    bool GetTabStops(float& firstOffset, std::vector<float>& stops);
    bool SetDigitSubstitution(LANGID language, Gdiplus::StringDigitSubstitute method);
    bool GetDigitSubstitution(LANGID& language, Gdiplus::StringDigitSubstitute& method);
    // (first, length) pairs.
    bool SetMeasurableCharacterRanges(std::span<const Gdiplus::CharacterRange> ranges);
    int GetMeasurableCharacterRangeCount();
};
