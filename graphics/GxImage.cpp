#include "graphics/GxImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "graphics/GxBrush.h"
#include "graphics/GxCall.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxMatrix.h"

using namespace gxcall;

namespace {

std::string GuidText(const GUID& guid) {
    WCHAR text[39] = {};
    if (!StringFromGUID2(guid, text, 39)) return {};
    return GxNarrow(text);
}

// All zero when the text is not a GUID.
GUID GuidFromText(const char* text) {
    GUID guid{};
    std::wstring wide = GxWiden(text);
    if (wide.empty() || FAILED(CLSIDFromString(wide.c_str(), &guid))) guid = GUID{};
    return guid;
}

std::string WideText(const WCHAR* text) { return text ? GxNarrow(text) : std::string(); }

Bytes CopyBytes(const BYTE* data, std::size_t size) {
    return data && size ? Bytes(data, data + size) : Bytes();
}

// Bytes per value of an encoder parameter type.
std::size_t ValueSize(std::int32_t type) {
    switch (type) {
        case 3: return 2;
        case 4: return 4;
        case 5:
        case 6: return 8;
        case 8: return 16;
        default: return 1;
    }
}

// GDI+'s encoder parameter block built from a list. The values point into the list, which
// must outlive the block. Parameters whose value bytes are too short are refused.
class NativeParameters {
public:
    bool Build(const GxEncoderParameterList* list) {
        if (!list) return true;
        const std::size_t n = std::min(static_cast<std::size_t>(std::max(list->count, 0)), list->parameters.size());
        block.assign(offsetof(EncoderParameters, Parameter) + std::max<std::size_t>(n, 1) * sizeof(EncoderParameter), 0);
        auto* params = reinterpret_cast<EncoderParameters*>(block.data());
        params->Count = static_cast<UINT>(n);
        for (std::size_t i = 0; i < n; ++i) {
            const GxEncoderParameter& p = list->parameters[i];
            if (p.numberOfValues < 0 ||
                static_cast<std::size_t>(p.numberOfValues) * ValueSize(p.type) > p.values.size())
                return false;
            EncoderParameter& out = params->Parameter[i];
            out.Guid = GuidFromText(p.category.c_str());
            out.NumberOfValues = static_cast<ULONG>(p.numberOfValues);
            out.Type = static_cast<ULONG>(p.type);
            out.Value = const_cast<std::uint8_t*>(p.values.data());
        }
        given = true;
        return true;
    }
    const EncoderParameters* Get() const {
        return given ? reinterpret_cast<const EncoderParameters*>(block.data()) : nullptr;
    }

private:
    std::vector<std::uint8_t> block;
    bool given = false;
};

// The encoder CLSID for a format text (all zero when none matches).
CLSID EncoderFor(const char* formatId) { return GuidFromText(FindEncoder(formatId).c_str()); }

}  // namespace

int ListEncoders(std::vector<GxCodecInfo>& codecs) {
    UINT count = 0, size = 0;
    if (!Check(GdipGetImageEncodersSize(&count, &size))) return 0;
    std::vector<std::uint8_t> buffer(std::max<UINT>(size, 1));
    auto* infos = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (count && !Check(GdipGetImageEncoders(count, size, infos))) return 0;
    std::vector<GxCodecInfo> made(count);
    for (UINT i = 0; i < count; ++i) {
        const ImageCodecInfo& in = infos[i];
        GxCodecInfo& out = made[i];
        out.clsid = GuidText(in.Clsid);
        out.formatId = GuidText(in.FormatID);
        out.codecName = WideText(in.CodecName);
        out.dllName = WideText(in.DllName);
        out.formatDescription = WideText(in.FormatDescription);
        out.filenameExtension = WideText(in.FilenameExtension);
        out.mimeType = WideText(in.MimeType);
        out.flags = static_cast<std::int32_t>(in.Flags);
        out.version = static_cast<std::int32_t>(in.Version);
        out.sigCount = static_cast<std::int32_t>(in.SigCount);
        out.sigSize = static_cast<std::int32_t>(in.SigSize);
        const std::size_t sigBytes = static_cast<std::size_t>(in.SigCount) * in.SigSize;
        out.sigPattern = CopyBytes(in.SigPattern, sigBytes);
        out.sigMask = CopyBytes(in.SigMask, sigBytes);
    }
    codecs = std::move(made);
    return static_cast<int>(count);
}

std::string FindEncoder(const char* formatId) {
    if (!formatId) return {};
    std::vector<GxCodecInfo> codecs;
    ListEncoders(codecs);
    for (const GxCodecInfo& codec : codecs)
        if (codec.formatId == formatId) return codec.clsid;
    return {};
}

// Images

GxImage::GxImage(GxImage&& other) noexcept : stream(std::move(other.stream)) {
    SetNative(other.image);
    other.SetNative(nullptr);
}

GxImage& GxImage::operator=(GxImage&& other) noexcept {
    if (this != &other) {
        ReleaseNative();
        stream = std::move(other.stream);
        SetNative(other.image);
        other.SetNative(nullptr);
    }
    return *this;
}

GxImage::~GxImage() {
    if (image) GdipDisposeImage(image);
    image = nullptr;
}

// The image goes before the bytes it may still read from.
void GxImage::ReleaseNative() noexcept {
    if (image) GdipDisposeImage(image);
    SetNative(nullptr);
    stream.Release();
}

bool GxImage::Dispose() {
    if (!image) return false;
    const GpStatus status = GdipDisposeImage(image);
    SetNative(nullptr);
    stream.Release();
    return Check(status);
}

bool GxImage::AdoptDecoded(GpStatus status, GpImage* decoded, GxMemStream&& source) {
    Reset(decoded);
    stream = std::move(source);
    return Check(status);
}

template <class Out, class Create>
bool GxImage::MakeImage(Create&& create) {
    Out* made = nullptr;
    const GpStatus status = create(&made);
    Reset(made);
    return Check(status);
}

bool GxImage::FromFile(const char* path, bool useIcm) { return FromFileW(GxWiden(path).c_str(), useIcm); }

bool GxImage::FromFileW(const wchar_t* path, bool useIcm) {
    return MakeImage<GpImage>([&](GpImage** out) {
        return useIcm ? GdipLoadImageFromFileICM(path, out) : GdipLoadImageFromFile(path, out);
    });
}

bool GxImage::FromBytes(ByteView bytes, bool useIcm) {
    GxMemStream source;
    IStream* s = source.CreateFromBytes(bytes);
    GpImage* decoded = nullptr;
    const GpStatus status = useIcm ? GdipLoadImageFromStreamICM(s, &decoded) : GdipLoadImageFromStream(s, &decoded);
    return AdoptDecoded(status, decoded, std::move(source));
}

bool GxImage::Clone(GxImage& result) const {
    GpImage* copy = nullptr;
    const bool ok = Check(GdipCloneImage(image, &copy));
    result.Adopt(copy);
    return ok;
}

bool GxImage::GetEncoderParameterList(const char* formatId, GxEncoderParameterList& list) {
    const CLSID clsid = EncoderFor(formatId);
    UINT size = 0;
    if (!Check(GdipGetEncoderParameterListSize(image, &clsid, &size))) return false;
    if (size < sizeof(EncoderParameters)) return Check(GenericError);
    // 8-byte aligned: the block holds pointers.
    std::vector<std::uint64_t> buffer((size + 7) / 8);
    auto* params = reinterpret_cast<EncoderParameters*>(buffer.data());
    if (!Check(GdipGetEncoderParameterList(image, &clsid, size, params))) return false;
    GxEncoderParameterList made;
    made.count = static_cast<std::int32_t>(params->Count);
    made.parameters.resize(params->Count);
    for (UINT i = 0; i < params->Count; ++i) {
        const EncoderParameter& in = params->Parameter[i];
        GxEncoderParameter& out = made.parameters[i];
        out.category = GuidText(in.Guid);
        out.numberOfValues = static_cast<std::int32_t>(in.NumberOfValues);
        out.type = static_cast<std::int32_t>(in.Type);
        out.values = CopyBytes(static_cast<const BYTE*>(in.Value), in.NumberOfValues * ValueSize(out.type));
    }
    list = std::move(made);
    return true;
}

bool GxImage::SaveToFile(const char* path, const char* formatId, const GxEncoderParameterList* list) {
    return SaveToFileW(GxWiden(path).c_str(), formatId, list);
}

bool GxImage::SaveToFileW(const wchar_t* path, const char* formatId, const GxEncoderParameterList* list) {
    const CLSID clsid = EncoderFor(formatId ? formatId : GxFormat::Bmp);
    // Without an encoder nothing may be written (some GDI+ versions create the file first).
    if (clsid == CLSID{}) return Check(UnknownImageFormat);
    NativeParameters params;
    if (!params.Build(list)) return Check(InvalidParameter);
    return Check(GdipSaveImageToFile(image, path, &clsid, params.Get()));
}

Bytes GxImage::SaveToBytes(const char* formatId, const GxEncoderParameterList* list) {
    const std::string format = formatId ? std::string(formatId) : GetRawFormat();
    const CLSID clsid = EncoderFor(format.c_str());
    NativeParameters params;
    if (!params.Build(list)) {
        Check(InvalidParameter);
        return {};
    }
    GxMemStream target;
    IStream* s = target.CreateFromBytes({});
    if (!Check(GdipSaveImageToStream(image, s, &clsid, params.Get()))) return {};
    return target.ReadBytes();
}

bool GxImage::SaveAdd(const GxEncoderParameterList& list) {
    NativeParameters params;
    if (!params.Build(&list)) return Check(InvalidParameter);
    return Check(GdipSaveAdd(image, params.Get()));
}

bool GxImage::SaveAddImage(const GxImage& other, const GxEncoderParameterList& list) {
    NativeParameters params;
    if (!params.Build(&list)) return Check(InvalidParameter);
    return Check(GdipSaveAddImage(image, other.image, params.Get()));
}

ImageType GxImage::GetType() { return Get<ImageType>([&](ImageType* v) { return GdipGetImageType(image, v); }); }

GxSizeF GxImage::GetDimension() {
    REAL w = 0, h = 0;
    if (!Check(GdipGetImageDimension(image, &w, &h))) w = h = 0;
    return GxSizeF(w, h);
}

bool GxImage::GetBounds(GxRectF& bounds, Unit& unit) { return Check(GdipGetImageBounds(image, &bounds, &unit)); }
int GxImage::GetWidth() { return static_cast<int>(Get<UINT>([&](UINT* v) { return GdipGetImageWidth(image, v); })); }
int GxImage::GetHeight() { return static_cast<int>(Get<UINT>([&](UINT* v) { return GdipGetImageHeight(image, v); })); }
float GxImage::GetHorizontalResolution() {
    return Get<REAL>([&](REAL* v) { return GdipGetImageHorizontalResolution(image, v); });
}
float GxImage::GetVerticalResolution() {
    return Get<REAL>([&](REAL* v) { return GdipGetImageVerticalResolution(image, v); });
}
UINT GxImage::GetFlags() { return Get<UINT>([&](UINT* v) { return GdipGetImageFlags(image, v); }); }

std::string GxImage::GetRawFormat() {
    GUID format{};
    if (!Check(GdipGetImageRawFormat(image, &format))) return {};
    return GuidText(format);
}

PixelFormat GxImage::GetPixelFormat() {
    return Get<PixelFormat>([&](PixelFormat* v) { return GdipGetImagePixelFormat(image, v); });
}

bool GxImage::GetPalette(GxPalette& palette) {
    INT size = 0;
    if (!Check(GdipGetImagePaletteSize(image, &size))) return false;
    if (size < static_cast<INT>(sizeof(ColorPalette))) return Check(GenericError);
    std::vector<std::uint32_t> buffer((static_cast<std::size_t>(size) + 3) / 4);
    auto* native = reinterpret_cast<ColorPalette*>(buffer.data());
    if (!Check(GdipGetImagePalette(image, native, size))) return false;
    const std::size_t room = (static_cast<std::size_t>(size) - offsetof(ColorPalette, Entries)) / sizeof(ARGB);
    const std::size_t count = std::min<std::size_t>(native->Count, room);
    palette.flags = native->Flags;
    palette.entries.assign(native->Entries, native->Entries + count);
    return true;
}

bool GxImage::SetPalette(const GxPalette& palette) {
    const std::size_t n = palette.entries.size();
    std::vector<std::uint32_t> buffer(2 + std::max<std::size_t>(n, 1));
    auto* native = reinterpret_cast<ColorPalette*>(buffer.data());
    native->Flags = palette.flags;
    native->Count = static_cast<UINT>(n);
    std::copy(palette.entries.begin(), palette.entries.end(), native->Entries);
    return Check(GdipSetImagePalette(image, native));
}

bool GxImage::GetThumbnail(int width, int height, GxImage& result) {
    GpImage* thumbnail = nullptr;
    const bool ok = Check(GdipGetImageThumbnail(image, static_cast<UINT>(width), static_cast<UINT>(height), &thumbnail,
                                             nullptr, nullptr));
    result.Adopt(thumbnail);
    return ok;
}

int GxImage::GetFrameCount(const char* dimension) {
    const GUID guid = GuidFromText(dimension);
    return static_cast<int>(Get<UINT>([&](UINT* v) { return GdipImageGetFrameCount(image, &guid, v); }));
}

int GxImage::GetFrameDimensions(std::vector<std::string>& dimensions) {
    UINT n = 0;
    if (!Check(GdipImageGetFrameDimensionsCount(image, &n))) return 0;
    std::vector<GUID> guids(n);
    if (n && !Check(GdipImageGetFrameDimensionsList(image, guids.data(), n))) return 0;
    std::vector<std::string> texts;
    for (const GUID& guid : guids) texts.push_back(GuidText(guid));
    dimensions = std::move(texts);
    return static_cast<int>(n);
}

bool GxImage::SelectActiveFrame(const char* dimension, int index) {
    const GUID guid = GuidFromText(dimension);
    return Check(GdipImageSelectActiveFrame(image, &guid, static_cast<UINT>(index)));
}

bool GxImage::RotateFlip(RotateFlipType type) { return Check(GdipImageRotateFlip(image, type)); }

bool GxImage::GetFrameDelays(std::vector<std::int32_t>& delays) {
    GxPropertyRecord record;
    if (!GetPropertyItem(GxFrameDelayProperty, record)) return false;
    // Whole values only: a length that is not a multiple of 4 must not spill past the array.
    std::vector<std::int32_t> values(static_cast<std::size_t>(record.length) / 4);
    if (!values.empty()) std::memcpy(values.data(), record.value.data(), values.size() * 4);
    delays = std::move(values);
    return true;
}

bool GxImage::GetPropertyItem(PROPID id, GxPropertyRecord& record) {
    UINT size = 0;
    if (!Check(GdipGetPropertyItemSize(image, id, &size))) return false;
    if (size < sizeof(PropertyItem)) return Check(GenericError);
    std::vector<std::uint64_t> buffer((size + 7) / 8);
    auto* item = reinterpret_cast<PropertyItem*>(buffer.data());
    if (!Check(GdipGetPropertyItem(image, id, size, item))) return false;
    // The value follows the item header in the same block; never read past the block.
    const auto* base = reinterpret_cast<const std::uint8_t*>(buffer.data());
    const auto* value = static_cast<const std::uint8_t*>(item->value);
    std::size_t length = item->length;
    if (!value || value < base || value > base + size) length = 0;
    else length = std::min<std::size_t>(length, static_cast<std::size_t>(base + size - value));
    record.id = static_cast<std::int32_t>(item->id);
    record.length = static_cast<std::int32_t>(length);
    record.type = static_cast<std::int32_t>(item->type);
    record.value = CopyBytes(value, length);
    return true;
}

bool GxImage::SetPropertyItem(GxPropertyRecord& record) {
    if (record.length < 0 || static_cast<std::size_t>(record.length) > record.value.size()) return Check(InvalidParameter);
    PropertyItem item{};
    item.id = static_cast<PROPID>(record.id);
    item.length = static_cast<ULONG>(record.length);
    item.type = static_cast<WORD>(record.type);
    item.value = record.value.data();
    const bool ok = Check(GdipSetPropertyItem(image, &item));
    record.id = static_cast<std::int32_t>(item.id);
    record.length = static_cast<std::int32_t>(item.length);
    record.type = static_cast<std::int32_t>(item.type);
    return ok;
}

bool GxImage::RemovePropertyItem(PROPID id) { return Check(GdipRemovePropertyItem(image, id)); }

bool GxImage::GetPropertyIdList(std::vector<std::int32_t>& ids) {
    UINT n = 0;
    if (!Check(GdipGetPropertyCount(image, &n))) return false;
    std::vector<PROPID> list(n);
    if (n && !Check(GdipGetPropertyIdList(image, n, list.data()))) return false;
    ids.assign(list.begin(), list.end());
    return true;
}

// Bitmaps

void GxEffect::TakeAuxData(void* data, int) { GxObject::Free(data); }

bool GxBitmap::FromFile(const char* path, bool useIcm) { return FromFileW(GxWiden(path).c_str(), useIcm); }

bool GxBitmap::FromFileW(const wchar_t* path, bool useIcm) {
    return MakeImage<GpBitmap>([&](GpBitmap** out) {
        return useIcm ? GdipCreateBitmapFromFileICM(path, out) : GdipCreateBitmapFromFile(path, out);
    });
}

bool GxBitmap::FromBytes(ByteView bytes, bool useIcm) {
    GxMemStream source;
    IStream* s = source.CreateFromBytes(bytes);
    GpBitmap* decoded = nullptr;
    const GpStatus status =
        useIcm ? GdipCreateBitmapFromStreamICM(s, &decoded) : GdipCreateBitmapFromStream(s, &decoded);
    return AdoptDecoded(status, decoded, std::move(source));
}

bool GxBitmap::FromScan0(int width, int height, int stride, PixelFormat format, BYTE* scan0) {
    return MakeImage<GpBitmap>(
        [&](GpBitmap** out) { return GdipCreateBitmapFromScan0(width, height, stride, format, scan0, out); });
}

bool GxBitmap::Create(int width, int height, PixelFormat format) {
    return FromScan0(width, height, 0, format, nullptr);
}

bool GxBitmap::FromGraphics(int width, int height, const GxGraphics& graphics) {
    return MakeImage<GpBitmap>(
        [&](GpBitmap** out) { return GdipCreateBitmapFromGraphics(width, height, graphics.Handle(), out); });
}

bool GxBitmap::FromGdiDib(const BITMAPINFO* info, void* bits) {
    return MakeImage<GpBitmap>([&](GpBitmap** out) { return GdipCreateBitmapFromGdiDib(info, bits, out); });
}

bool GxBitmap::FromHbitmap(HBITMAP bitmap, HPALETTE palette) {
    return MakeImage<GpBitmap>([&](GpBitmap** out) { return GdipCreateBitmapFromHBITMAP(bitmap, palette, out); });
}

bool GxBitmap::FromHicon(HICON icon) {
    return MakeImage<GpBitmap>([&](GpBitmap** out) { return GdipCreateBitmapFromHICON(icon, out); });
}

bool GxBitmap::FromResource(HINSTANCE module, const wchar_t* name) {
    return MakeImage<GpBitmap>([&](GpBitmap** out) { return GdipCreateBitmapFromResource(module, name, out); });
}

HBITMAP GxBitmap::ToHbitmap(GxArgb background) {
    return Get<HBITMAP>([&](HBITMAP* v) { return GdipCreateHBITMAPFromBitmap(Bitmap(), v, background); });
}

HICON GxBitmap::ToHicon() { return Get<HICON>([&](HICON* v) { return GdipCreateHICONFromBitmap(Bitmap(), v); }); }

bool GxBitmap::CloneArea(float x, float y, float w, float h, PixelFormat format, GxBitmap& result) const {
    GpBitmap* copy = nullptr;
    const bool ok = Check(GdipCloneBitmapArea(x, y, w, h, format, Bitmap(), &copy));
    result.Adopt(copy);
    return ok;
}

bool GxBitmap::CloneAreaI(int x, int y, int w, int h, PixelFormat format, GxBitmap& result) const {
    GpBitmap* copy = nullptr;
    const bool ok = Check(GdipCloneBitmapAreaI(x, y, w, h, format, Bitmap(), &copy));
    result.Adopt(copy);
    return ok;
}

bool GxBitmap::LockBits(const GxRect* rect, UINT flags, PixelFormat format, BitmapData& data) {
    return Check(GdipBitmapLockBits(Bitmap(), rect, flags, format, &data));
}

bool GxBitmap::UnlockBits(BitmapData& data) { return Check(GdipBitmapUnlockBits(Bitmap(), &data)); }

bool GxBitmap::GetPixel(int x, int y, GxArgb& color) {
    ARGB value = 0;
    if (!Check(GdipBitmapGetPixel(Bitmap(), x, y, &value))) return false;
    color = value;
    return true;
}

bool GxBitmap::SetPixel(int x, int y, GxArgb color) { return Check(GdipBitmapSetPixel(Bitmap(), x, y, color)); }

bool GxBitmap::SetResolution(float dpiX, float dpiY) { return Check(GdipBitmapSetResolution(Bitmap(), dpiX, dpiY)); }

bool GxBitmap::ApplyEffect(GxEffect& effect, const RECT* area) {
    // A GDI+ 1.1 function: looked up at run time, since older libraries do not export it.
    using ApplyFn = GpStatus(WINGDIPAPI*)(GpBitmap*, CGpEffect*, RECT*, BOOL, VOID**, INT*);
    static const auto apply = reinterpret_cast<ApplyFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"gdiplus.dll"), "GdipBitmapApplyEffect")));
    if (!apply) return Check(NotImplemented);
    RECT roi = area ? *area : RECT{};
    void* aux = nullptr;
    INT auxSize = 0;
    const bool ok = Check(apply(Bitmap(), effect.NativeEffect(), area ? &roi : nullptr, effect.WantsAuxData(), &aux,
                                &auxSize));
    if (aux) effect.TakeAuxData(aux, auxSize);
    return ok;
}

bool GxBitmap::RotateToBitmap(float angle, GxBitmap& result, std::optional<GxArgb> background,
                              std::optional<InterpolationMode> interpolation, std::optional<GxSizeF> size) {
    const int w = GetWidth();
    const int h = GetHeight();
    const GxSizeF target = size ? *size : RotatedSize(static_cast<float>(w), static_cast<float>(h), angle);
    const float W = static_cast<float>(static_cast<int>(target.Width));
    const float H = static_cast<float>(static_cast<int>(target.Height));

    GxBitmap rotated;
    if (!rotated.Create(static_cast<int>(W), static_cast<int>(H))) return false;
    rotated.SetResolution(GetHorizontalResolution(), GetVerticalResolution());
    GxGraphics graphics;
    if (!graphics.FromImage(rotated)) return false;
    if (background) {
        GxSolidBrush brush;
        brush.Create(*background);
        graphics.FillRectangle(brush, 0, 0, W, H);
    }
    if (interpolation) graphics.SetInterpolationMode(*interpolation);
    GxMatrix matrix;
    matrix.Create();
    matrix.Translate(W / 2, H / 2);
    matrix.Rotate(angle);
    matrix.Translate(-W / 2, -H / 2);
    matrix.Translate((W - static_cast<float>(w)) / 2, (H - static_cast<float>(h)) / 2);
    graphics.SetWorldTransform(matrix);
    const bool drawn = graphics.DrawImage(*this, 0, 0);
    const int status = LastStatus;
    graphics.ResetWorldTransform();
    graphics.Delete();
    result = std::move(rotated);
    LastStatus = status;
    return drawn;
}

GxSizeF GxBitmap::RotatedSize(float width, float height, float angle) {
    const double a = angle * 3.1415926535 / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double hx = (width - 1) / 2.0, hy = (height - 1) / 2.0;
    const double xs[4] = {-hx, hx, -hx, hx};  // top-left, top-right, bottom-left, bottom-right
    const double ys[4] = {-hy, -hy, hy, hy};
    double rx[4], ry[4];
    for (int i = 0; i < 4; ++i) {
        rx[i] = xs[i] * c + ys[i] * s;
        ry[i] = -xs[i] * s + ys[i] * c;
    }
    const double w = std::max(std::fabs(rx[3] - rx[0]), std::fabs(rx[2] - rx[1]));
    const double h = std::max(std::fabs(ry[3] - ry[0]), std::fabs(ry[2] - ry[1]));
    return GxSizeF(static_cast<float>(w), static_cast<float>(h));
}
