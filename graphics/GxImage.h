// Images and bitmaps: decoding from files and memory, encoders and saving, frames and
// property items, pixel access and conversion to and from GDI handles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/GxMemStream.h"
#include "graphics/GxObject.h"

class GxGraphics;

// Format and frame-dimension identifiers in registry form, as the image operations take them.
namespace GxFormat {
inline constexpr const char* MemoryBmp = "{B96B3CAA-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* Bmp = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* Emf = "{B96B3CAC-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* Wmf = "{B96B3CAD-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* Jpeg = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* Png = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* Gif = "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* Tiff = "{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* Icon = "{B96B3CB5-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* FrameTime = "{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}";
inline constexpr const char* FramePage = "{7462DC86-6180-4C7E-8E3F-EE7333A7A483}";
inline constexpr const char* FrameResolution = "{84236F7B-3BD3-428F-8DAB-4EA1439CA315}";
inline constexpr const char* EncoderQuality = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
inline constexpr const char* EncoderSaveFlag = "{292266FC-AC40-47BF-8CFC-A85B89A655DE}";
}  // namespace GxFormat

// The frame-delay property of animated pictures: one 32-bit value per frame, in 1/100 s.
inline constexpr PROPID GxFrameDelayProperty = 0x5100;

// One installed encoder.
struct GxCodecInfo {
    std::string clsid;
    std::string formatId;
    std::string codecName;
    std::string dllName;
    std::string formatDescription;
    std::string filenameExtension;
    std::string mimeType;
    std::int32_t flags = 0;
    std::int32_t version = 0;
    std::int32_t sigCount = 0;
    std::int32_t sigSize = 0;
    Bytes sigPattern;
    Bytes sigMask;
};

struct GxEncoderParameter {
    std::string category;  // GUID text
    std::int32_t numberOfValues = 0;
    std::int32_t type = 0;  // EncoderParameterValueType
    Bytes values;
};

struct GxEncoderParameterList {
    std::int32_t count = 0;
    std::vector<GxEncoderParameter> parameters;
};

struct GxPropertyRecord {
    std::int32_t id = 0;
    std::int32_t length = 0;  // of the value, in bytes
    std::int32_t type = 0;
    Bytes value;
};

struct GxPalette {
    std::uint32_t flags = 0;
    std::vector<GxArgb> entries;
};

// Fills `codecs` with the installed encoders; returns their number (0 on failure).
int ListEncoders(std::vector<GxCodecInfo>& codecs);
// CLSID text of the first encoder for the format (exact, case-sensitive match), or "".
std::string FindEncoder(const char* formatId);

// An image. When decoded from bytes it keeps its own copy of them for as long as it holds
// the native image (GDI+ decodes lazily).
class GxImage : public GxObject {
public:
    GxImage() = default;
    GxImage(GxImage&& other) noexcept;
    GxImage& operator=(GxImage&& other) noexcept;
    ~GxImage() override;

    Gdiplus::GpImage* Handle() const noexcept { return image; }
    // Takes a new native image, releasing the one held (and its bytes).
    void Adopt(Gdiplus::GpImage* made) noexcept { Reset(made); }

    // False without a GDI+ call when empty.
    bool Dispose();
    bool FromFile(const char* path, bool useIcm = false);
    bool FromFileW(const wchar_t* path, bool useIcm = false);
    bool FromBytes(ByteView bytes, bool useIcm = false);
    bool FromBytes(const ByteSet& bytes, bool useIcm = false) { return FromBytes(bytes.bytes(), useIcm); }
    bool Clone(GxImage& result) const;

    bool GetEncoderParameterList(const char* formatId, GxEncoderParameterList& list);
    // Without a format: BMP.
    bool SaveToFile(const char* path, const char* formatId = nullptr, const GxEncoderParameterList* list = nullptr);
    bool SaveToFileW(const wchar_t* path, const char* formatId = nullptr, const GxEncoderParameterList* list = nullptr);
    // The encoded file (empty on failure). Without a format: the image's own raw format.
    Bytes SaveToBytes(const char* formatId = nullptr, const GxEncoderParameterList* list = nullptr);
    bool SaveAdd(const GxEncoderParameterList& list);
    bool SaveAddImage(const GxImage& other, const GxEncoderParameterList& list);

    Gdiplus::ImageType GetType();
    GxSizeF GetDimension();
    bool GetBounds(GxRectF& bounds, Gdiplus::Unit& unit);
    int GetWidth();
    int GetHeight();
    float GetHorizontalResolution();
    float GetVerticalResolution();
    UINT GetFlags();
    std::string GetRawFormat();
    Gdiplus::PixelFormat GetPixelFormat();
    bool GetPalette(GxPalette& palette);
    bool SetPalette(const GxPalette& palette);
    bool GetThumbnail(int width, int height, GxImage& result);

    int GetFrameCount(const char* dimension);
    int GetFrameDimensions(std::vector<std::string>& dimensions);
    bool SelectActiveFrame(const char* dimension, int index);
    bool RotateFlip(Gdiplus::RotateFlipType type);
    bool GetFrameDelays(std::vector<std::int32_t>& delays);
    bool GetPropertyItem(PROPID id, GxPropertyRecord& record);
    bool SetPropertyItem(GxPropertyRecord& record);
    bool RemovePropertyItem(PROPID id);
    bool GetPropertyIdList(std::vector<std::int32_t>& ids);

protected:
    void Attach(void* h) noexcept override { image = static_cast<Gdiplus::GpImage*>(h); }
    void ReleaseNative() noexcept override;
    // Stores a decoded image together with the stream it was decoded from.
    bool AdoptDecoded(Gdiplus::GpStatus status, Gdiplus::GpImage* decoded, GxMemStream&& source);
    template <class Out, class Create>
    bool MakeImage(Create&& create);

    Gdiplus::GpImage* image = nullptr;
    GxMemStream stream;
};

// Something that changes a bitmap's pixels with GDI+'s effect machinery.
class GxEffect {
public:
    virtual ~GxEffect() = default;
    virtual Gdiplus::CGpEffect* NativeEffect() = 0;
    virtual bool WantsAuxData() const { return false; }
    // Receives the auxiliary data of an applied effect (a GDI+ block: free with GxObject::Free).
    virtual void TakeAuxData(void* data, int size);
};

class GxBitmap : public GxImage {
public:
    static constexpr Gdiplus::PixelFormat defaultFormat = PixelFormat32bppARGB;

    Gdiplus::GpBitmap* Bitmap() const noexcept { return static_cast<Gdiplus::GpBitmap*>(image); }

    bool FromFile(const char* path, bool useIcm = false);
    bool FromFileW(const wchar_t* path, bool useIcm = false);
    bool FromBytes(ByteView bytes, bool useIcm = false);
    bool FromBytes(const ByteSet& bytes, bool useIcm = false) { return FromBytes(bytes.bytes(), useIcm); }
    bool FromScan0(int width, int height, int stride, Gdiplus::PixelFormat format, BYTE* scan0);
    // All pixels 0 (transparent black in the default format).
    bool Create(int width, int height, Gdiplus::PixelFormat format = defaultFormat);
    bool FromGraphics(int width, int height, const GxGraphics& graphics);
    bool FromGdiDib(const BITMAPINFO* info, void* bits);
    bool FromHbitmap(HBITMAP bitmap, HPALETTE palette = nullptr);
    bool FromHicon(HICON icon);
    bool FromResource(HINSTANCE module, const wchar_t* name);
    // A new GDI bitmap owned by the caller (null on failure); `background` shows behind
    // non-opaque pixels.
    HBITMAP ToHbitmap(GxArgb background);
    // A new icon owned by the caller (null on failure).
    HICON ToHicon();
    bool CloneArea(float x, float y, float w, float h, Gdiplus::PixelFormat format, GxBitmap& result) const;
    bool CloneAreaI(int x, int y, int w, int h, Gdiplus::PixelFormat format, GxBitmap& result) const;
    bool LockBits(const GxRect* rect, UINT flags, Gdiplus::PixelFormat format, Gdiplus::BitmapData& data);
    bool UnlockBits(Gdiplus::BitmapData& data);
    bool GetPixel(int x, int y, GxArgb& color);
    bool SetPixel(int x, int y, GxArgb color);
    bool SetResolution(float dpiX, float dpiY);
    bool ApplyEffect(GxEffect& effect, const RECT* area = nullptr);
    // Draws this bitmap rotated about its centre into a new bitmap (of `size`, or of the
    // rotated bounding size) stored in `result`; `result` is untouched on failure.
    bool RotateToBitmap(float angle, GxBitmap& result, std::optional<GxArgb> background = std::nullopt,
                        std::optional<Gdiplus::InterpolationMode> interpolation = std::nullopt,
                        std::optional<GxSizeF> size = std::nullopt);
    // Bounding size of a w x h picture rotated by `angle` degrees (corner centres).
    static GxSizeF RotatedSize(float width, float height, float angle);
};
