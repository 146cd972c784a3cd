// The wrapper object model and the drawing classes: graphics, pens, brushes, paths,
// matrices and regions, checked on the pixels they produce.
#include <doctest.h>

#include <thread>
#include <type_traits>

#include "GxTestSupport.h"
#include "graphics/GdiHandles.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "graphics/GxRegion.h"

static_assert(!std::is_copy_constructible_v<GxPen> && !std::is_copy_assignable_v<GxGraphics>);
static_assert(std::is_nothrow_move_constructible_v<GxPath> && std::is_nothrow_move_assignable_v<GxSolidBrush>);
static_assert(!std::is_constructible_v<GxBrush>, "the brush base has no instances");
// Only a native object of the wrapper's own kind is handed over; no Reset takes a handle.
template <class W, class H> concept Adopts = requires(W w, H h) { w.Adopt(h); };
template <class W> concept ResetsHandle = requires(W w) { w.Reset(nullptr); };
static_assert(Adopts<GxPen, Gdiplus::GpPen*> && !Adopts<GxPen, Gdiplus::GpBrush*> && !ResetsHandle<GxPath> &&
              !ResetsHandle<GxPen>);

namespace {
bool SameElements(GxMatrix& a, GxMatrix& b) {
    const auto x = a.GetElements(), y = b.GetElements();
    for (int i = 0; i < 6; ++i)
        if (std::abs(x[i] - y[i]) > 1e-4f) return false;
    return true;
}
}  // namespace

TEST_CASE("object model: empty wrappers, delete, ownership") {
    SUBCASE("Delete on an empty wrapper returns false without a GDI+ call") {
        GxPen pen;
        GxSolidBrush brush;
        GxPath path;
        GxGraphics graphics;
        LastStatus = 777;
        CHECK_FALSE(pen.Delete());
        CHECK_FALSE(brush.Delete());
        CHECK_FALSE(path.Delete());
        CHECK_FALSE(graphics.Delete());
        CHECK(LastStatus == 777);
    }
    SUBCASE("a second Delete after a successful one does the same") {
        GxPen pen;
        REQUIRE(pen.Create(0xFF000000));
        CHECK(pen.Delete());
        CHECK(LastStatus == 0);
        CHECK(pen.IsEmpty());
        LastStatus = 777;
        CHECK_FALSE(pen.Delete());
        CHECK(LastStatus == 777);
    }
    SUBCASE("a call on an empty wrapper fails with InvalidParameter") {
        GxPen pen;
        CHECK_FALSE(pen.SetWidth(2));
        CHECK(LastStatus == Gdiplus::InvalidParameter);
        CHECK(pen.GetWidth() == 0);
        GxGraphics graphics;
        GxSolidBrush brush;
        CHECK_FALSE(graphics.FillRectangle(brush, 0, 0, 1, 1));
        CHECK(LastStatus == Gdiplus::InvalidParameter);
    }
    SUBCASE("each thread reads the status of its own latest call") {
        GxPen pen;
        REQUIRE(pen.Create(0xFF000000));
        std::thread worker([] {
            GxPen empty;
            empty.SetWidth(2);
            CHECK(LastStatus == Gdiplus::InvalidParameter);
        });
        worker.join();
        CHECK(LastStatus == 0);
    }
    SUBCASE("SetNative hands a handle over; moving leaves the source empty") {
        GxPen pen;
        REQUIRE(pen.Create(0xFF000000, 3));
        GxPen moved(std::move(pen));
        CHECK(pen.IsEmpty());
        CHECK(moved.GetWidth() == 3);
        GxPen other;
        other.SetNative(moved.GetNative());
        moved.SetNative(nullptr);
        CHECK(other.GetWidth() == 3);
        CHECK(other.Handle() == other.GetNative());
    }
    SUBCASE("clones are independent objects owned by the result wrapper") {
        GxSolidBrush brush;
        REQUIRE(brush.Create(0xFF102030));
        GxSolidBrush copy;
        REQUIRE(brush.Clone(copy));
        CHECK(copy.GetNative() != brush.GetNative());
        brush.Delete();
        CHECK(copy.GetColor() == 0xFF102030);
        CHECK(copy.GetType() == Gdiplus::BrushTypeSolidColor);
    }
    SUBCASE("a pen's custom cap comes back as a wrapper that owns it") {
        GxPath shape;
        GxPen pen;
        REQUIRE((shape.Create() && shape.AddRectangle(-1, -1, 2, 2) && pen.Create(0xFF000000)));
        Gdiplus::GpCustomLineCap* made = nullptr;
        Gdiplus::DllExports::GdipCreateCustomLineCap(shape.Handle(), nullptr, Gdiplus::LineCapFlat, 0, &made);
        GxCustomLineCap cap, start;
        cap.Adopt(made);
        CHECK((pen.SetCustomStartCap(cap) && pen.GetCustomStartCap(start)));
        CHECK((!start.IsEmpty() && start.GetNative() != cap.GetNative()));
    }
}

TEST_CASE("graphics on a device context: the skin's paint pattern") {
    void* bits = nullptr;
    gdi::BitmapDc memory;
    memory.select(gdi::makeDibPicture(40, 30, &bits));
    REQUIRE(memory);
    {
        GxGraphics graphics;
        REQUIRE(graphics.FromHdc(memory.get()));
        CHECK(graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias));
        CHECK(graphics.GetSmoothingMode() == Gdiplus::SmoothingModeAntiAlias);
        CHECK(graphics.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality));
        CHECK(graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic));
        CHECK(graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf));
        GxSolidBrush brush;
        REQUIRE(brush.Create(0xFF336699));
        CHECK(graphics.FillRectangle(brush, 10, 5, 20, 10));
        CHECK(graphics.Delete());
    }
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    CHECK((pixels[10 * 40 + 20] & 0xFFFFFF) == 0x336699);
    CHECK((pixels[2 * 40 + 2] & 0xFFFFFF) == 0);
}

TEST_CASE("drawing operations, checked pixel by pixel") {
    Canvas canvas(100, 60);
    GxGraphics& g = canvas.graphics;

    SUBCASE("a filled rectangle covers exactly its pixels") {
        GxSolidBrush red;
        REQUIRE(red.Create(0xFFFF0000));
        CHECK(g.FillRectangleR(red, GxRectF(10, 10, 20, 5)));
        CHECK(canvas.Pixel(10, 10) == 0xFFFF0000);
        CHECK(canvas.Pixel(29, 14) == 0xFFFF0000);
        CHECK(canvas.Pixel(30, 14) == 0xFFFFFFFF);
        CHECK(canvas.Pixel(29, 15) == 0xFFFFFFFF);
    }
    SUBCASE("a linear gradient runs from its first colour to its second") {
        GxLinearBrush gradient;
        REQUIRE(gradient.Create(GxPointF(0, 0), GxPointF(100, 0), 0xFF000000, 0xFF0000FF));
        GxArgb c1 = 0, c2 = 0;
        CHECK(gradient.GetColors(c1, c2));
        CHECK(c2 == 0xFF0000FF);
        CHECK(g.FillRectangle(gradient, 0, 0, 100, 60));
        CHECK(ColorDistance(canvas.Pixel(0, 30), 0xFF000000) <= 8);
        CHECK(ColorDistance(canvas.Pixel(99, 30), 0xFF0000FF) <= 8);
        CHECK(ColorDistance(canvas.Pixel(50, 30), 0xFF000080) <= 12);
    }
    SUBCASE("preset and linear blends change the middle of a gradient") {
        GxLinearBrush gradient;
        REQUIRE(gradient.Create(GxPointF(0, 0), GxPointF(100, 0), 0xFF000000, 0xFFFFFFFF));
        const GxArgb colors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
        const float positions[] = {0.0f, 0.5f, 1.0f};
        CHECK(gradient.SetPresetBlend(colors, positions));
        CHECK(gradient.GetPresetBlendCount() == 3);
        g.FillRectangle(gradient, 0, 0, 100, 60);
        CHECK(ColorDistance(canvas.Pixel(50, 10), 0xFF00FF00) <= 12);
        const float two[] = {0.0f, 1.0f};
        CHECK_FALSE(gradient.SetPresetBlend(colors, two));  // one count for both arrays
        CHECK(LastStatus == Gdiplus::InvalidParameter);
        CHECK(gradient.SetLinearBlend(0.5f, 1.0f));
    }
    SUBCASE("an anti-aliased ellipse is solid at its centre and soft at its rim") {
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        GxSolidBrush blue;
        REQUIRE(blue.Create(0xFF0000FF));
        CHECK(g.FillEllipse(blue, 20.3f, 10.3f, 40, 40));
        CHECK(canvas.Pixel(40, 30) == 0xFF0000FF);
        CHECK(canvas.Pixel(5, 5) == 0xFFFFFFFF);
        if (!KnownDifference("anti-aliased fills")) {
            const GxArgb rim = canvas.Pixel(40, 10);
            CHECK(rim != 0xFF0000FF);
            CHECK(rim != 0xFFFFFFFF);
        }
    }
    SUBCASE("a pen drawn after SetWidth uses the new width") {
        GxPen pen;
        REQUIRE(pen.Create(0xFF000000, 1));
        CHECK(pen.SetWidth(9));
        CHECK(LastStatus == 0);
        CHECK(pen.GetWidth() == 9);
        CHECK(g.DrawLine(pen, 10, 30, 90, 30));
        CHECK(canvas.Pixel(50, 26) == 0xFF000000);
        CHECK(canvas.Pixel(50, 34) == 0xFF000000);
        CHECK(canvas.Pixel(50, 37) == 0xFFFFFFFF);
    }
    SUBCASE("a pen from a brush, a rectangle outline") {
        GxSolidBrush green;
        REQUIRE(green.Create(0xFF00FF00));
        GxPen pen;
        REQUIRE(pen.CreateFromBrush(green, 1));
        CHECK(pen.GetFillType() == Gdiplus::PenTypeSolidColor);
        CHECK(g.DrawRectangle(pen, 10, 10, 30, 20));
        CHECK(canvas.Pixel(10, 20) == 0xFF00FF00);
        CHECK(canvas.Pixel(25, 20) == 0xFFFFFFFF);
    }
    SUBCASE("a rounded path filled with a gradient, clipped to a rectangle") {
        GxPath path;
        REQUIRE(path.Create());
        CHECK(path.AddRoundRect(0, 0, 100, 60, 20));
        GxLinearBrush gradient;
        REQUIRE(gradient.Create(GxPointF(0, 0), GxPointF(0, 60), 0xFFFF0000, 0xFFFF0000));
        CHECK(g.SetClipRect(0, 0, 50, 60));
        CHECK(g.FillPath(gradient, path));
        CHECK(g.ResetClip());
        CHECK(canvas.Pixel(25, 30) == 0xFFFF0000);
        CHECK(canvas.Pixel(75, 30) == 0xFFFFFFFF);
        CHECK(canvas.Pixel(0, 0) == 0xFFFFFFFF);  // the rounded corner
    }
    SUBCASE("clipping to a path") {
        GxPath circle;
        REQUIRE(circle.Create());
        circle.AddEllipse(0, 0, 60, 60);
        CHECK(g.SetClipPath(circle));
        CHECK(g.Clear(0xFF000000));
        CHECK(canvas.Pixel(30, 30) == 0xFF000000);
        CHECK(canvas.Pixel(59, 1) == 0xFFFFFFFF);
        CHECK(g.IsVisiblePoint(30, 30));
        CHECK_FALSE(g.IsVisiblePoint(90, 30));
    }
    SUBCASE("a path gradient is its centre colour in the middle") {
        GxPath path;
        REQUIRE(path.Create());
        path.AddRectangle(0, 0, 100, 60);
        GxPathBrush brush;
        REQUIRE(brush.CreateFromPath(path));
        CHECK(brush.SetCenterColor(0xFFFFFF00));
        const GxArgb surround[] = {0xFF0000FF};
        CHECK(brush.SetSurroundColors(surround));
        CHECK(brush.SetCenterPoint(GxPointF(50, 30)));
        CHECK(brush.SetFocusScales(0.2f, 0.2f));
        CHECK(brush.GetCenterColor() == 0xFFFFFF00);
        CHECK(g.FillRectangle(brush, 0, 0, 100, 60));
        CHECK(ColorDistance(canvas.Pixel(50, 30), 0xFFFFFF00) <= 8);
        CHECK(ColorDistance(canvas.Pixel(1, 30), 0xFF0000FF) <= 40);
    }
    SUBCASE("a texture brush tiles its image") {
        GxBitmap tile;
        REQUIRE(tile.Create(2, 2));
        tile.SetPixel(0, 0, 0xFF000000);
        tile.SetPixel(1, 0, 0xFFFFFFFF);
        tile.SetPixel(0, 1, 0xFFFFFFFF);
        tile.SetPixel(1, 1, 0xFF000000);
        GxTextureBrush brush;
        REQUIRE(brush.Create(tile));
        CHECK(g.FillRectangle(brush, 0, 0, 10, 10));
        CHECK(canvas.Pixel(4, 4) == 0xFF000000);
        CHECK(canvas.Pixel(5, 4) == 0xFFFFFFFF);
    }
    SUBCASE("an image scaled into a rectangle") {
        GxBitmap image;
        REQUIRE(image.FromBytes(SolidPng(4, 4, 0xFF00FFFF)));
        CHECK(g.DrawImageRect(image, 50, 20, 40, 30));
        CHECK(canvas.Pixel(70, 35) == 0xFF00FFFF);
        CHECK(canvas.Pixel(45, 35) == 0xFFFFFFFF);
        CHECK(g.DrawImage(image, 0, 0));
        CHECK(canvas.Pixel(3, 3) == 0xFF00FFFF);
    }
    SUBCASE("line, path outline and world transform") {
        GxPen pen;
        REQUIRE(pen.Create(0xFF000000, 1));
        GxPath path;
        REQUIRE(path.Create());
        CHECK(path.AddLine(0, 0, 10, 0));
        CHECK(path.AddArc(10, 0, 10, 10, 270, 90));
        CHECK(path.CloseFigure());
        CHECK(g.TranslateWorldTransform(40, 20));
        CHECK(g.DrawPath(pen, path));
        CHECK(g.ResetWorldTransform());
        CHECK(canvas.Pixel(45, 20) == 0xFF000000);
    }
}

TEST_CASE("paths: rounded rectangles, data, reset") {
    GxPath path, reference;
    REQUIRE(path.Create());
    REQUIRE(reference.Create());
    std::vector<GxPointF> a, b;

    SUBCASE("a corner percentage of 0 or less acts as 1, above 100 as 100") {
        CHECK(path.AddRoundRect(0, 0, 200, 100, 0));
        reference.AddRoundRect(0, 0, 200, 100, 1);
        CHECK(path.GetPoints(a));
        CHECK(reference.GetPoints(b));
        CHECK(a.size() == b.size());
        CHECK(a[0].X == doctest::Approx(b[0].X));
        path.Reset();
        reference.Reset();
        path.AddRoundRect(0, 0, 200, 100, 150);
        reference.AddRoundRect(0, 0, 200, 100, -4);
        GxRectF big, small;
        CHECK(path.GetWorldBounds(big));
        CHECK(reference.GetWorldBounds(small));
        CHECK(big.Width == doctest::Approx(200));
        CHECK(big.Height == doctest::Approx(100));
        CHECK(path.IsVisiblePoint(100, 50));
        CHECK_FALSE(path.IsVisiblePoint(3, 3));  // 100 %: the inscribed ellipse
        CHECK(reference.IsVisiblePoint(1, 1));   // -4 acts as 1: nearly square corners
    }
    SUBCASE("corner diameters are truncated to whole units") {
        path.AddRoundRect(0, 0, 55, 30, 10);  // 5.5 x 3 -> 5 x 3
        reference.AddArc(50, 0, 5, 3, 270, 90);
        CHECK(path.GetPoints(a));
        CHECK(reference.GetPoints(b));
        CHECK(a[0].X == doctest::Approx(b[0].X));
        CHECK(a[0].Y == doctest::Approx(b[0].Y));
    }
    SUBCASE("path data agrees with the point count; Reset empties") {
        path.AddRectangle(1, 2, 3, 4);
        path.AddEllipse(0, 0, 10, 10);
        std::vector<BYTE> types;
        CHECK(path.GetPathData(a, types));
        CHECK(a.size() == static_cast<std::size_t>(path.GetPointCount()));
        CHECK(types.size() == a.size());
        CHECK(a[0].X == doctest::Approx(1));
        CHECK(path.Reset());
        CHECK(path.GetPointCount() == 0);
        GxPath rebuilt;
        CHECK(rebuilt.Create2(a, types));
        CHECK(rebuilt.GetPointCount() == static_cast<int>(a.size()));
        CHECK_FALSE(rebuilt.Create2(a, std::span<const BYTE>(types).first(2)));
    }
}

TEST_CASE("matrices and the transform around a point") {
    GxMatrix m;
    REQUIRE(m.Create());
    CHECK(m.GetOffsetX() == 0);
    CHECK(m.GetOffsetY() == 0);
    CHECK(m.IsIdentity());

    SUBCASE("Reset gives 1, 0, 0, 1, 0, 0") {
        m.Create2(2, 3, 4, 5, 6, 7);
        CHECK(m.GetOffsetY() == 7);
        CHECK(m.Reset());
        CHECK(m.GetElements() == GxMatrix::Elements{1, 0, 0, 1, 0, 0});
    }
    SUBCASE("ScaleAt in either order is the same on the identity for a uniform scale") {
        GxMatrix other;
        REQUIRE(other.Create());
        CHECK(m.ScaleAt(2, 2, 10, 20, 0));
        CHECK(other.ScaleAt(2, 2, 10, 20, 1));
        CHECK(SameElements(m, other));
        CHECK(m.GetOffsetX() == doctest::Approx(-10));
        CHECK(m.GetOffsetY() == doctest::Approx(-20));
        GxPointF p[] = {GxPointF(10, 20)};
        CHECK(m.TransformPoints(p));
        CHECK(p[0].X == doctest::Approx(10));  // the centre stays put
    }
    SUBCASE("ScaleAt orders differ once a translation is present") {
        GxMatrix other;
        REQUIRE(other.Create());
        m.Translate(5, 0);
        other.Translate(5, 0);
        m.ScaleAt(2, 2, 10, 20, 0);
        other.ScaleAt(2, 2, 10, 20, 1);
        CHECK_FALSE(SameElements(m, other));
    }
    SUBCASE("RotateAt keeps its centre") {
        CHECK(m.RotateAt(90, 5, 5));
        GxPointF p[] = {GxPointF(5, 5), GxPointF(6, 5)};
        m.TransformPoints(p);
        CHECK(p[0].X == doctest::Approx(5));
        CHECK(p[1].Y == doctest::Approx(6));
    }
    SUBCASE("transforms of other classes use the same composite") {
        GxPen pen;
        REQUIRE(pen.Create(0xFF000000));
        CHECK(pen.ScaleAt(2, 2, 10, 20));
        GxMatrix penMatrix;
        CHECK(pen.GetTransform(penMatrix));
        m.ScaleAt(2, 2, 10, 20);
        CHECK(SameElements(penMatrix, m));
        Canvas canvas(4, 4);
        CHECK(canvas.graphics.RotateAt(30, 2, 2, 1));
        GxMatrix world;
        CHECK(canvas.graphics.GetWorldTransform(world));
        GxMatrix expected;
        expected.Create();
        expected.RotateAt(30, 2, 2, 1);
        CHECK(SameElements(world, expected));
    }
}

TEST_CASE("regions") {
    Canvas canvas(50, 50);
    GxRegion region;
    REQUIRE(region.CreateRect(GxRectF(0, 0, 10, 10)));
    CHECK(region.CombineRect(GxRectF(20, 0, 10, 10), Gdiplus::CombineModeUnion));
    CHECK(region.IsVisiblePoint(25, 5));
    CHECK_FALSE(region.IsVisiblePoint(15, 5));
    GxRectF bounds;
    CHECK(region.GetBounds(canvas.graphics, bounds));
    CHECK(bounds.Width == doctest::Approx(30));
    const Bytes data = region.GetData();
    CHECK(data.size() == region.GetDataSize());
    GxRegion copy;
    CHECK(copy.CreateRgnData(data));
    CHECK(copy.IsEqual(region, canvas.graphics));
    HRGN gdi = region.GetHRgn(canvas.graphics);
    REQUIRE(gdi != nullptr);
    CHECK(PtInRegion(gdi, 25, 5));
    DeleteObject(gdi);
    GxSolidBrush black;
    black.Create(0xFF000000);
    CHECK(canvas.graphics.FillRegion(black, region));
    CHECK(canvas.Pixel(5, 5) == 0xFF000000);
    CHECK(canvas.Pixel(15, 5) == 0xFFFFFFFF);
    GxRegion clip;
    CHECK(canvas.graphics.GetClip(clip));
    CHECK(clip.IsInfinite(canvas.graphics));
}
