// Forwarding sweep over the rest of the library: each operation reaches its flat function
// and reports the status the platform gives (Ok, or the known gap listed in WineGaps.h).
#include <doctest.h>

#include <functional>

#include "GxTestSupport.h"
#include "graphics/GxMatrix.h"
#include "graphics/GxPath.h"
#include "graphics/GxPen.h"
#include "graphics/GxRegion.h"
#include "graphics/GxText.h"

namespace {
struct Call {
    const char* function;
    std::function<bool()> run;
};

void Sweep(const std::vector<Call>& calls) {
    for (const Call& call : calls) {
        const std::string function = call.function;
        CAPTURE(function);
        if (ExpectedStatus(call.function) == functionAbsent) {
            MESSAGE("not called on this platform: " << call.function);
            continue;
        }
        LastStatus = -1;
        const bool ok = call.run();
        CHECK(LastStatus == ExpectedStatus(call.function));
        CHECK(ok == (LastStatus == 0));
    }
}

// A family wrapper does not delete its family: make one, delete it, and report the status
// of the making.
template <class Make>
bool MadeAndDeleted(Make&& make) {
    GxFontFamily family;
    const bool ok = std::invoke(make, family);
    const int status = LastStatus;
    family.Delete();
    LastStatus = status;
    return ok;
}

const GxPointF fourPoints[] = {GxPointF(1, 1), GxPointF(20, 3), GxPointF(30, 25), GxPointF(5, 28)};
const GxPoint fourPointsI[] = {GxPoint(1, 1), GxPoint(20, 3), GxPoint(30, 25), GxPoint(5, 28)};
const GxRectF twoRects[] = {GxRectF(1, 1, 5, 5), GxRectF(10, 10, 5, 5)};
const GxRect twoRectsI[] = {GxRect(1, 1, 5, 5), GxRect(10, 10, 5, 5)};
}  // namespace

TEST_CASE("graphics operations forward to their flat functions") {
    Canvas canvas(40, 40);
    GxGraphics& g = canvas.graphics;
    GxPen pen;
    REQUIRE(pen.Create(0xFF000000, 2));
    GxSolidBrush brush;
    REQUIRE(brush.Create(0xFF00FF00));
    GxPath path;
    REQUIRE(path.Create());
    path.AddRectangle(2, 2, 10, 10);
    GxRegion region;
    REQUIRE(region.CreateRect(GxRectF(0, 0, 20, 20)));
    GxMatrix matrix;
    REQUIRE(matrix.Create2(1, 0, 0, 1, 2, 3));
    GxBitmap image;
    REQUIRE(image.Create(4, 4));
    GxFont font;
    REQUIRE(font.CreateByName("宋体", 10));
    int x = 0, y = 0;
    const GxPointF glyphs[] = {GxPointF(1, 10), GxPointF(8, 10)};

    Sweep({
        {"GdipFlush", [&] { return g.Flush(); }},
        {"GdipGetDC", [&] {
             HDC dc = g.GetDC();
             const int status = LastStatus;
             if (dc) g.ReleaseDC(dc);
             LastStatus = status;
             return status == 0;
         }},
        {"GdipSetRenderingOrigin", [&] { return g.SetRenderingOrigin(1, 2); }},
        {"GdipGetRenderingOrigin", [&] { return g.GetRenderingOrigin(x, y) && x == 1 && y == 2; }},
        {"GdipSetCompositingMode", [&] { return g.SetCompositingMode(Gdiplus::CompositingModeSourceOver); }},
        {"GdipGetCompositingMode", [&] { return g.GetCompositingMode() == Gdiplus::CompositingModeSourceOver; }},
        {"GdipGetCompositingQuality", [&] { g.GetCompositingQuality(); return LastStatus == 0; }},
        {"GdipSetTextRenderingHint", [&] { return g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias); }},
        {"GdipGetTextRenderingHint", [&] { return g.GetTextRenderingHint() == Gdiplus::TextRenderingHintAntiAlias; }},
        {"GdipSetTextContrast", [&] { return g.SetTextContrast(4); }},
        {"GdipGetTextContrast", [&] { g.GetTextContrast(); return LastStatus == 0; }},
        {"GdipGetInterpolationMode", [&] { g.GetInterpolationMode(); return LastStatus == 0; }},
        {"GdipGetPixelOffsetMode", [&] { g.GetPixelOffsetMode(); return LastStatus == 0; }},
        {"GdipSetWorldTransform", [&] { return g.SetWorldTransform(matrix); }},
        {"GdipMultiplyWorldTransform", [&] { return g.MultiplyWorldTransform(matrix, 1); }},
        {"GdipScaleWorldTransform", [&] { return g.ScaleWorldTransform(1, 1); }},
        {"GdipRotateWorldTransform", [&] { return g.RotateWorldTransform(0); }},
        {"GdipResetWorldTransform", [&] { return g.ResetWorldTransform(); }},
        {"GdipSetPageUnit", [&] { return g.SetPageUnit(Gdiplus::UnitPixel); }},
        {"GdipGetPageUnit", [&] { return g.GetPageUnit() == Gdiplus::UnitPixel; }},
        {"GdipSetPageScale", [&] { return g.SetPageScale(1); }},
        {"GdipGetPageScale", [&] { return g.GetPageScale() == 1; }},
        {"GdipGetDpiX", [&] { return g.GetDpiX() > 0; }},
        {"GdipGetDpiY", [&] { return g.GetDpiY() > 0; }},
        {"GdipTransformPoints", [&] {
             GxPointF p[] = {GxPointF(1, 1)};
             return g.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, p);
         }},
        {"GdipTransformPointsI", [&] {
             GxPoint p[] = {GxPoint(1, 1)};
             return g.TransformPointsI(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, p);
         }},
        {"GdipGetNearestColor", [&] { return g.GetNearestColor(0xFF123456) != 0; }},
        {"GdipDrawLineI", [&] { return g.DrawLineI(pen, 0, 0, 5, 5); }},
        {"GdipDrawLines", [&] { return g.DrawLines(pen, fourPoints); }},
        {"GdipDrawLinesI", [&] { return g.DrawLinesI(pen, fourPointsI); }},
        {"GdipDrawArc", [&] { return g.DrawArc(pen, 1, 1, 20, 20, 0, 90); }},
        {"GdipDrawArcI", [&] { return g.DrawArcI(pen, 1, 1, 20, 20, 0, 90); }},
        {"GdipDrawBezier", [&] { return g.DrawBezier(pen, 0, 0, 5, 10, 10, 5, 20, 20); }},
        {"GdipDrawBezierI", [&] { return g.DrawBezierI(pen, 0, 0, 5, 10, 10, 5, 20, 20); }},
        {"GdipDrawBeziers", [&] { return g.DrawBeziers(pen, fourPoints); }},
        {"GdipDrawBeziersI", [&] { return g.DrawBeziersI(pen, fourPointsI); }},
        {"GdipDrawRectangleI", [&] { return g.DrawRectangleI(pen, 1, 1, 5, 5); }},
        {"GdipDrawRectangles", [&] { return g.DrawRectangles(pen, twoRects); }},
        {"GdipDrawRectanglesI", [&] { return g.DrawRectanglesI(pen, twoRectsI); }},
        {"GdipDrawEllipse", [&] { return g.DrawEllipse(pen, 1, 1, 20, 10); }},
        {"GdipDrawEllipseI", [&] { return g.DrawEllipseI(pen, 1, 1, 20, 10); }},
        {"GdipDrawPie", [&] { return g.DrawPie(pen, 1, 1, 20, 20, 0, 45); }},
        {"GdipDrawPieI", [&] { return g.DrawPieI(pen, 1, 1, 20, 20, 0, 45); }},
        {"GdipDrawPolygon", [&] { return g.DrawPolygon(pen, fourPoints); }},
        {"GdipDrawPolygonI", [&] { return g.DrawPolygonI(pen, fourPointsI); }},
        {"GdipDrawCurve", [&] { return g.DrawCurve(pen, fourPoints); }},
        {"GdipDrawCurveI", [&] { return g.DrawCurveI(pen, fourPointsI); }},
        {"GdipDrawCurve2", [&] { return g.DrawCurve2(pen, fourPoints, 0.5f); }},
        {"GdipDrawCurve2I", [&] { return g.DrawCurve2I(pen, fourPointsI, 0.5f); }},
        {"GdipDrawCurve3", [&] { return g.DrawCurve3(pen, fourPoints, 1, 2, 0.5f); }},
        {"GdipDrawCurve3I", [&] { return g.DrawCurve3I(pen, fourPointsI, 1, 2, 0.5f); }},
        {"GdipDrawClosedCurve", [&] { return g.DrawClosedCurve(pen, fourPoints); }},
        {"GdipDrawClosedCurveI", [&] { return g.DrawClosedCurveI(pen, fourPointsI); }},
        {"GdipDrawClosedCurve2", [&] { return g.DrawClosedCurve2(pen, fourPoints, 0.5f); }},
        {"GdipDrawClosedCurve2I", [&] { return g.DrawClosedCurve2I(pen, fourPointsI, 0.5f); }},
        {"GdipFillRectangleI", [&] { return g.FillRectangleI(brush, 1, 1, 3, 3); }},
        {"GdipFillRectangles", [&] { return g.FillRectangles(brush, twoRects); }},
        {"GdipFillRectanglesI", [&] { return g.FillRectanglesI(brush, twoRectsI); }},
        {"GdipFillPolygon", [&] { return g.FillPolygon(brush, fourPoints); }},
        {"GdipFillPolygonI", [&] { return g.FillPolygonI(brush, fourPointsI); }},
        {"GdipFillEllipseI", [&] { return g.FillEllipseI(brush, 1, 1, 5, 5); }},
        {"GdipFillPie", [&] { return g.FillPie(brush, 1, 1, 20, 20, 0, 45); }},
        {"GdipFillPieI", [&] { return g.FillPieI(brush, 1, 1, 20, 20, 0, 45); }},
        {"GdipFillClosedCurve", [&] { return g.FillClosedCurve(brush, fourPoints); }},
        {"GdipFillClosedCurve2", [&] { return g.FillClosedCurve2(brush, fourPoints, 0.5f); }},
        {"GdipFillClosedCurveI", [&] { return g.FillClosedCurveI(brush, fourPointsI); }},
        {"GdipFillClosedCurve2I", [&] { return g.FillClosedCurve2I(brush, fourPointsI, 0.5f); }},
        {"GdipDrawDriverString", [&] { return g.DrawDriverString("ab", font, brush, glyphs, 1); }},
        {"GdipDrawImageI", [&] { return g.DrawImageI(image, 1, 1); }},
        {"GdipDrawImageRectRectI", [&] { return g.DrawImageRectI(image, 1, 1, 8, 8); }},
        {"GdipDrawImagePoints", [&] { return g.DrawImagePoints(image, std::span(fourPoints).first(3)); }},
        {"GdipDrawImagePointsI", [&] { return g.DrawImagePointsI(image, std::span(fourPointsI).first(3)); }},
        {"GdipDrawImagePointRect", [&] { return g.DrawImagePointRect(image, 1, 1, 0, 0, 2, 2); }},
        {"GdipDrawImagePointRectI", [&] { return g.DrawImagePointRectI(image, 1, 1, 0, 0, 2, 2); }},
        {"GdipDrawImageRectRect", [&] { return g.DrawImageRectRect(image, 1, 1, 8, 8, 0, 0, 2, 2); }},
        {"GdipDrawImagePointsRect", [&] {
             return g.DrawImagePointsRect(image, std::span(fourPoints).first(3), 0, 0, 2, 2);
         }},
        {"GdipDrawImagePointsRectI", [&] {
             return g.DrawImagePointsRectI(image, std::span(fourPointsI).first(3), 0, 0, 2, 2);
         }},
        {"GdipSetClipGraphics", [&] { return g.SetClipGraphics(g); }},
        {"GdipSetClipRectI", [&] { return g.SetClipRectI(0, 0, 30, 30); }},
        {"GdipSetClipRegion", [&] { return g.SetClipRegion(region, Gdiplus::CombineModeIntersect); }},
        {"GdipTranslateClip", [&] { return g.TranslateClip(1, 1); }},
        {"GdipTranslateClipI", [&] { return g.TranslateClipI(-1, -1); }},
        {"GdipGetClipBounds", [&] {
             GxRectF r;
             return g.GetClipBounds(r) && r.Width == 20;
         }},
        {"GdipGetClipBoundsI", [&] {
             GxRect r;
             return g.GetClipBoundsI(r);
         }},
        {"GdipGetVisibleClipBounds", [&] {
             GxRectF r;
             return g.GetVisibleClipBounds(r);
         }},
        {"GdipGetVisibleClipBoundsI", [&] {
             GxRect r;
             return g.GetVisibleClipBoundsI(r);
         }},
        {"GdipIsClipEmpty", [&] { return g.IsClipEmpty() == FALSE && LastStatus == 0; }},
        {"GdipIsVisibleClipEmpty", [&] { return g.IsVisibleClipEmpty() == FALSE && LastStatus == 0; }},
        {"GdipIsVisiblePointI", [&] { return g.IsVisiblePointI(5, 5) != FALSE; }},
        {"GdipIsVisibleRect", [&] { return g.IsVisibleRect(5, 5, 2, 2) != FALSE; }},
        {"GdipIsVisibleRectI", [&] { return g.IsVisibleRectI(5, 5, 2, 2) != FALSE; }},
        {"GdipSetClipHrgn", [&] {
             HRGN rgn = CreateRectRgn(0, 0, 10, 10);
             const bool ok = g.SetClipHrgn(rgn);
             DeleteObject(rgn);
             return ok;
         }},
        {"GdipSaveGraphics", [&] {
             const auto state = g.Save();
             return LastStatus == 0 && g.Restore(state);
         }},
        {"GdipBeginContainer", [&] {
             const auto c = g.BeginContainer(GxRectF(0, 0, 10, 10), GxRectF(0, 0, 20, 20), Gdiplus::UnitPixel);
             return LastStatus == 0 && g.EndContainer(c);
         }},
        {"GdipBeginContainerI", [&] {
             const auto c = g.BeginContainerI(GxRect(0, 0, 10, 10), GxRect(0, 0, 20, 20), Gdiplus::UnitPixel);
             return LastStatus == 0 && g.EndContainer(c);
         }},
        {"GdipBeginContainer2", [&] {
             const auto c = g.BeginContainer2();
             return LastStatus == 0 && g.EndContainer(c);
         }},
        {"GdipComment", [&] {
             const std::uint8_t note[] = {1, 2, 3, 4};
             return g.Comment(note);
         }},
    });
}

TEST_CASE("pen, brush and path operations forward to their flat functions") {
    GxPen pen;
    REQUIRE(pen.Create(0xFF000000, 2));
    GxMatrix matrix;
    REQUIRE(matrix.Create2(2, 0, 0, 2, 0, 0));
    GxSolidBrush solid;
    REQUIRE(solid.Create(0xFF0000FF));
    GxLinearBrush line;
    REQUIRE(line.CreateFromRect(GxRectF(0, 0, 10, 10), 0xFF000000, 0xFFFFFFFF, Gdiplus::LinearGradientModeVertical));
    GxPathBrush radial;
    REQUIRE(radial.Create(fourPoints));
    GxBitmap image;
    REQUIRE(image.Create(4, 4));
    GxTextureBrush texture;
    REQUIRE(texture.Create(image));
    GxPath path;
    REQUIRE(path.Create());
    GxPath box;
    REQUIRE(box.Create());
    box.AddRectangle(2, 2, 10, 10);
    const float factors[] = {0.0f, 1.0f};
    const float dashes[] = {2.0f, 1.0f};
    const float compound[] = {0.0f, 0.3f, 0.7f, 1.0f};
    std::vector<float> a, b;
    std::vector<GxArgb> colors;
    GxPath fromBrush;

    Sweep({
        {"GdipClonePen", [&] {
             GxPen copy;
             return pen.Clone(copy) && copy.GetWidth() == 2;
         }},
        {"GdipSetPenUnit", [&] { return pen.SetUnit(2.9f) && pen.GetUnit() == 2.0f; }},
        {"GdipGetPenUnit", [&] { return pen.GetUnit() == static_cast<float>(Gdiplus::UnitWorld); }},
        {"GdipSetPenLineCap197819", [&] {
             return pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapSquare, Gdiplus::DashCapRound);
         }},
        {"GdipGetPenStartCap", [&] { return pen.GetStartCap() == Gdiplus::LineCapRound; }},
        {"GdipGetPenEndCap", [&] { return pen.GetEndCap() == Gdiplus::LineCapSquare; }},
        {"GdipGetPenDashCap197819", [&] { return pen.GetDashCap() == Gdiplus::DashCapRound; }},
        {"GdipSetPenStartCap", [&] { return pen.SetStartCap(Gdiplus::LineCapFlat); }},
        {"GdipSetPenEndCap", [&] { return pen.SetEndCap(Gdiplus::LineCapFlat); }},
        {"GdipSetPenDashCap197819", [&] { return pen.SetDashCap(Gdiplus::DashCapFlat); }},
        {"GdipSetPenLineJoin", [&] { return pen.SetLineJoin(Gdiplus::LineJoinRound); }},
        {"GdipGetPenLineJoin", [&] { return pen.GetLineJoin() == Gdiplus::LineJoinRound; }},
        {"GdipGetPenCustomStartCap", [&] {
             GxCustomLineCap cap;
             return pen.GetCustomStartCap(cap);
         }},
        {"GdipSetPenMiterLimit", [&] { return pen.SetMiterLimit(5) && pen.GetMiterLimit() == 5; }},
        {"GdipSetPenMode", [&] { return pen.SetMode(Gdiplus::PenAlignmentInset); }},
        {"GdipGetPenMode", [&] { return pen.GetMode() == Gdiplus::PenAlignmentInset; }},
        {"GdipSetPenTransform", [&] { return pen.SetTransform(matrix); }},
        {"GdipMultiplyPenTransform", [&] { return pen.MultiplyTransform(matrix); }},
        {"GdipRotatePenTransform", [&] { return pen.RotateTransform(10); }},
        {"GdipResetPenTransform", [&] { return pen.ResetTransform(); }},
        {"GdipSetPenColor", [&] { return pen.SetColor(0xFF123456) && pen.GetColor() == 0xFF123456; }},
        {"GdipSetPenBrushFill", [&] { return pen.SetBrushFill(solid); }},
        {"GdipGetPenBrushFill", [&] {
             GxSolidBrush fill;
             return pen.GetBrushFill(fill) && fill.GetColor() == 0xFF0000FF;
         }},
        {"GdipSetPenDashStyle", [&] { return pen.SetDashStyle(Gdiplus::DashStyleDot); }},
        {"GdipGetPenDashStyle", [&] { return pen.GetDashStyle() == Gdiplus::DashStyleDot; }},
        {"GdipSetPenDashOffset", [&] { return pen.SetDashOffset(1.5f) && pen.GetDashOffset() == 1.5f; }},
        {"GdipSetPenDashArray", [&] { return pen.SetDashArray(dashes); }},
        {"GdipGetPenDashArray", [&] { return pen.GetDashArray(a) && a == std::vector<float>{2, 1}; }},
        {"GdipSetPenCompoundArray", [&] { return pen.SetCompoundArray(compound); }},
        {"GdipGetPenCompoundArray", [&] { return pen.GetCompoundArray(a) && a.size() == 4; }},
        {"GdipCloneBrush", [&] {
             GxLinearBrush copy;
             return line.Clone(copy) && copy.GetType() == Gdiplus::BrushTypeLinearGradient;
         }},
        {"GdipCreateLineBrushI", [&] {
             GxLinearBrush other;
             return other.CreateI(GxPoint(0, 0), GxPoint(5, 5), 0xFF000000, 0xFFFFFFFF);
         }},
        {"GdipCreateLineBrushFromRectI", [&] {
             GxLinearBrush other;
             return other.CreateFromRectI(GxRect(0, 0, 5, 5), 0, 0, Gdiplus::LinearGradientModeHorizontal);
         }},
        {"GdipCreateLineBrushFromRectWithAngle", [&] {
             GxLinearBrush other;
             return other.CreateFromRectWithAngle(GxRectF(0, 0, 5, 5), 0, 0, 30, true);
         }},
        {"GdipCreateLineBrushFromRectWithAngleI", [&] {
             GxLinearBrush other;
             return other.CreateFromRectWithAngleI(GxRect(0, 0, 5, 5), 0, 0, 30, false);
         }},
        {"GdipSetLineColors", [&] { return line.SetColors(0xFF111111, 0xFF222222); }},
        {"GdipGetLineRect", [&] {
             GxRectF r;
             return line.GetRect(r) && r.Width == 10;
         }},
        {"GdipGetLineRectI", [&] {
             GxRect r;
             return line.GetRectI(r);
         }},
        {"GdipSetLineGammaCorrection", [&] { return line.SetGammaCorrection(true) && line.GetGammaCorrection(); }},
        {"GdipSetLineBlend", [&] { return line.SetBlend(factors, factors); }},
        {"GdipGetLineBlend", [&] { return line.GetBlend(a, b) && a.size() == 2 && line.GetBlendCount() == 2; }},
        {"GdipGetLinePresetBlend", [&] {
             const GxArgb c[] = {0xFF000000, 0xFFFFFFFF};
             line.SetPresetBlend(c, factors);
             return line.GetPresetBlend(colors, a) && colors.size() == 2;
         }},
        {"GdipSetLineSigmaBlend", [&] { return line.SetSigmaBlend(0.5f, 1); }},
        {"GdipSetLineWrapMode", [&] { return line.SetWrapMode(Gdiplus::WrapModeTileFlipX); }},
        {"GdipGetLineWrapMode", [&] { return line.GetWrapMode() == Gdiplus::WrapModeTileFlipX; }},
        {"GdipSetLineTransform", [&] { return line.SetTransform(matrix); }},
        {"GdipGetLineTransform", [&] {
             GxMatrix got;
             return line.GetTransform(got) && got.GetElements()[0] == 2;
         }},
        {"GdipMultiplyLineTransform", [&] { return line.MultiplyTransform(matrix); }},
        {"GdipTranslateLineTransform", [&] { return line.TranslateTransform(1, 1); }},
        {"GdipScaleLineTransform", [&] { return line.ScaleAt(2, 2, 1, 1); }},
        {"GdipRotateLineTransform", [&] { return line.RotateAt(30, 1, 1); }},
        {"GdipResetLineTransform", [&] { return line.ResetTransform(); }},
        {"GdipCreatePathGradientI", [&] {
             GxPathBrush other;
             return other.CreateI(fourPointsI);
         }},
        {"GdipGetPathGradientPointCount", [&] { return radial.GetPointCount() == 4; }},
        {"GdipGetPathGradientSurroundColorsWithCount", [&] {
             return radial.GetSurroundColors(colors) && !colors.empty() && radial.GetSurroundColorCount() > 0;
         }},
        {"GdipGetPathGradientPath", [&] { return radial.GetPath(fromBrush); }},
        {"GdipSetPathGradientPath", [&] { return radial.SetPath(path); }},
        {"GdipGetPathGradientCenterPoint", [&] {
             GxPointF p;
             return radial.GetCenterPoint(p);
         }},
        {"GdipGetPathGradientCenterPointI", [&] {
             GxPoint p;
             return radial.GetCenterPointI(p);
         }},
        {"GdipSetPathGradientCenterPoint", [&] {
             GxPointF p;
             return radial.SetCenterPointI(GxPoint(7, 8)) && radial.GetCenterPoint(p) && p.X == 7;
         }},
        {"GdipGetPathGradientRect", [&] {
             GxRectF r;
             return radial.GetRect(r) && r.Width == 29;
         }},
        {"GdipGetPathGradientRectI", [&] {
             GxRect r;
             return radial.GetRectI(r);
         }},
        {"GdipSetPathGradientGammaCorrection", [&] {
             return radial.SetGammaCorrection(true) && radial.GetGammaCorrection();
         }},
        {"GdipSetPathGradientBlend", [&] { return radial.SetBlend(factors, factors); }},
        {"GdipGetPathGradientBlend", [&] { return radial.GetBlend(a, b) && radial.GetBlendCount() == 2; }},
        {"GdipSetPathGradientPresetBlend", [&] {
             const GxArgb c[] = {0xFF000000, 0xFFFFFFFF};
             return radial.SetPresetBlend(c, factors);
         }},
        {"GdipGetPathGradientPresetBlend", [&] {
             return radial.GetPresetBlend(colors, a) && radial.GetPresetBlendCount() == 2;
         }},
        {"GdipSetPathGradientSigmaBlend", [&] { return radial.SetSigmaBlend(0.5f, 1); }},
        {"GdipSetPathGradientLinearBlend", [&] { return radial.SetLinearBlend(0.5f, 1); }},
        {"GdipGetPathGradientFocusScales", [&] {
             float fx = 0, fy = 0;
             return radial.SetFocusScales(0.3f, 0.4f) && radial.GetFocusScales(fx, fy) && fy == 0.4f;
         }},
        {"GdipSetPathGradientWrapMode", [&] {
             return radial.SetWrapMode(Gdiplus::WrapModeTile) && radial.GetWrapMode() == Gdiplus::WrapModeTile;
         }},
        {"GdipSetPathGradientTransform", [&] { return radial.SetTransform(matrix); }},
        {"GdipGetPathGradientTransform", [&] {
             GxMatrix got;
             return radial.GetTransform(got);
         }},
        {"GdipMultiplyPathGradientTransform", [&] { return radial.MultiplyTransform(matrix); }},
        {"GdipScalePathGradientTransform", [&] { return radial.ScaleAt(2, 2, 3, 3); }},
        {"GdipRotatePathGradientTransform", [&] { return radial.RotateAt(10, 3, 3, 1); }},
        {"GdipResetPathGradientTransform", [&] { return radial.ResetTransform(); }},
        {"GdipCreateTexture2", [&] {
             GxTextureBrush other;
             return other.Create2(image, Gdiplus::WrapModeClamp, 0, 0, 2, 2);
         }},
        {"GdipCreateTexture2I", [&] {
             GxTextureBrush other;
             return other.Create2I(image, Gdiplus::WrapModeClamp, 0, 0, 2, 2);
         }},
        {"GdipCreateTextureIA", [&] {
             GxTextureBrush other;
             return other.CreateIA(image, nullptr, 0, 0, 2, 2);
         }},
        {"GdipCreateTextureIAI", [&] {
             GxTextureBrush other;
             return other.CreateIAI(image, nullptr, 0, 0, 2, 2);
         }},
        {"GdipSetTextureTransform", [&] { return texture.SetTransform(matrix); }},
        {"GdipGetTextureTransform", [&] {
             GxMatrix got;
             return texture.GetTransform(got);
         }},
        {"GdipMultiplyTextureTransform", [&] { return texture.MultiplyTransform(matrix); }},
        {"GdipScaleTextureTransform", [&] { return texture.ScaleAt(2, 2, 1, 1); }},
        {"GdipRotateTextureTransform", [&] { return texture.RotateAt(45, 1, 1); }},
        {"GdipResetTextureTransform", [&] { return texture.ResetTransform(); }},
        {"GdipSetTextureWrapMode", [&] {
             return texture.SetWrapMode(Gdiplus::WrapModeClamp) && texture.GetWrapMode() == Gdiplus::WrapModeClamp;
         }},
        {"GdipGetTextureImage", [&] {
             GxBitmap got;
             return texture.GetImage(got) && got.GetWidth() == 4;
         }},
        {"GdipCreatePath2I", [&] {
             GxPath other;
             const BYTE types[] = {0, 1, 1, 1};
             return other.Create2I(fourPointsI, types);
         }},
        {"GdipClonePath", [&] {
             GxPath copy;
             return path.Clone(copy);
         }},
        {"GdipSetPathFillMode", [&] {
             return path.SetFillMode(Gdiplus::FillModeWinding) && path.GetFillMode() == Gdiplus::FillModeWinding;
         }},
        {"GdipAddPathLine2", [&] { return path.AddLine2(fourPoints); }},
        {"GdipStartPathFigure", [&] { return path.StartFigure(); }},
        {"GdipAddPathBezier", [&] { return path.AddBezier(0, 0, 1, 2, 3, 4, 5, 6); }},
        {"GdipAddPathBeziers", [&] { return path.AddBeziers(fourPoints); }},
        {"GdipAddPathCurve", [&] { return path.AddCurve(fourPoints); }},
        {"GdipAddPathCurve2", [&] { return path.AddCurve2(fourPoints, 0.5f); }},
        {"GdipAddPathCurve3", [&] { return path.AddCurve3(fourPoints, 1, 2, 0.5f); }},
        {"GdipAddPathCurveI", [&] { return path.AddCurveI(fourPointsI); }},
        {"GdipAddPathCurve2I", [&] { return path.AddCurve2I(fourPointsI, 0.5f); }},
        {"GdipAddPathCurve3I", [&] { return path.AddCurve3I(fourPointsI, 1, 2, 0.5f); }},
        {"GdipClosePathFigures", [&] { return path.CloseFigures(); }},
        {"GdipAddPathClosedCurve", [&] { return path.AddClosedCurve(fourPoints); }},
        {"GdipAddPathClosedCurve2", [&] { return path.AddClosedCurve2(fourPoints, 0.5f); }},
        {"GdipAddPathClosedCurveI", [&] { return path.AddClosedCurveI(fourPointsI); }},
        {"GdipAddPathClosedCurve2I", [&] { return path.AddClosedCurve2I(fourPointsI, 0.5f); }},
        {"GdipAddPathRectangles", [&] { return path.AddRectangles(twoRects); }},
        {"GdipAddPathRectangleI", [&] { return path.AddRectangleI(1, 1, 2, 2); }},
        {"GdipAddPathRectanglesI", [&] { return path.AddRectanglesI(twoRectsI); }},
        {"GdipAddPathEllipseI", [&] { return path.AddEllipseI(1, 1, 2, 2); }},
        {"GdipAddPathPie", [&] { return path.AddPie(0, 0, 10, 10, 0, 45); }},
        {"GdipAddPathPieI", [&] { return path.AddPieI(0, 0, 10, 10, 0, 45); }},
        {"GdipAddPathPolygon", [&] { return path.AddPolygon(fourPoints); }},
        {"GdipAddPathPolygonI", [&] { return path.AddPolygonI(fourPointsI); }},
        {"GdipSetPathMarker", [&] { return path.SetMarker(); }},
        {"GdipClearPathMarkers", [&] { return path.ClearMarkers(); }},
        {"GdipAddPathPath", [&] {
             GxPath other;
             other.Create();
             other.AddLine(0, 0, 1, 1);
             return path.AddPath(other, false);
         }},
        {"GdipGetPathTypes", [&] {
             std::vector<BYTE> types;
             return path.GetTypes(types) && types.size() == static_cast<std::size_t>(path.GetPointCount());
         }},
        {"GdipGetPathPointsI", [&] {
             std::vector<GxPoint> points;
             return path.GetPointsI(points) && !points.empty();
         }},
        {"GdipGetPathLastPoint", [&] {
             GxPointF p;
             return path.GetLastPoint(p) && p.X == 1;
         }},
        {"GdipReversePath", [&] { return path.Reverse(); }},
        {"GdipTransformPath", [&] { return path.Transform(matrix); }},
        {"GdipGetPathWorldBoundsI", [&] {
             GxRect r;
             return path.GetWorldBoundsI(r, &matrix, &pen);
         }},
        {"GdipIsVisiblePathPointI", [&] { return box.IsVisiblePointI(3, 3) && LastStatus == 0; }},
        {"GdipIsOutlineVisiblePathPoint", [&] { return box.IsOutlineVisiblePoint(2, 5, pen) && LastStatus == 0; }},
        {"GdipIsOutlineVisiblePathPointI", [&] { return box.IsOutlineVisiblePointI(2, 5, pen) && LastStatus == 0; }},
        {"GdipAddPathString", [&] {
             GxFontFamily family;
             family.Create("宋体");
             const bool ok = box.AddString("ab", family, 12, GxRectF(0, 0, 50, 20));
             const int status = LastStatus;
             family.Delete();
             LastStatus = status;
             return ok;
         }},
        {"GdipFlattenPath", [&] { return path.Flatten(); }},
        {"GdipWidenPath", [&] { return path.Widen(pen); }},
        {"GdipWindingModeOutline", [&] { return path.WindingModeOutline(); }},
        {"GdipWarpPath", [&] { return path.Warp(fourPoints, GxRectF(0, 0, 40, 40)); }},
    });
}

TEST_CASE("matrix, region, text and image operations forward to their flat functions") {
    Canvas canvas(20, 20);
    GxMatrix m;
    REQUIRE(m.Create());
    GxRegion region;
    REQUIRE(region.Create());
    GxPath path;
    REQUIRE(path.Create());
    path.AddEllipse(0, 0, 10, 10);
    GxStringFormat format;
    REQUIRE(format.Create());
    GxFontFamily family;
    REQUIRE(family.Create("宋体"));
    GxFont font;
    REQUIRE(font.Create(family, 12));
    GxBitmap bitmap;
    REQUIRE(bitmap.FromBytes(SolidPng(8, 6, 0xFF808080)));
    std::vector<GxRectF> scans;
    std::vector<GxRect> scansI;

    Sweep({
        {"GdipCreateMatrix3", [&] {
             GxMatrix other;
             const GxPointF p[3] = {GxPointF(0, 0), GxPointF(2, 0), GxPointF(0, 2)};
             return other.Create3(GxRectF(0, 0, 1, 1), p) && other.GetElements()[0] == 2;
         }},
        {"GdipCreateMatrix3I", [&] {
             GxMatrix other;
             const GxPoint p[3] = {GxPoint(0, 0), GxPoint(2, 0), GxPoint(0, 2)};
             return other.Create3I(GxRect(0, 0, 1, 1), p);
         }},
        {"GdipCloneMatrix", [&] {
             GxMatrix copy;
             return m.Clone(copy) && copy.IsEqual(m);
         }},
        {"GdipShearMatrix", [&] { return m.Shear(0.5f, 0); }},
        {"GdipMultiplyMatrix", [&] { return m.Multiply(m); }},
        {"GdipInvertMatrix", [&] { return m.IsInvertible() && m.Invert(); }},
        {"GdipTransformMatrixPointsI", [&] {
             GxPoint p[] = {GxPoint(1, 1)};
             return m.TransformPointsI(p);
         }},
        {"GdipVectorTransformMatrixPoints", [&] {
             GxPointF p[] = {GxPointF(1, 1)};
             return m.VectorTransformPoints(p);
         }},
        {"GdipVectorTransformMatrixPointsI", [&] {
             GxPoint p[] = {GxPoint(1, 1)};
             return m.VectorTransformPointsI(p);
         }},
        {"GdipCreateRegionRectI", [&] {
             GxRegion other;
             return other.CreateRectI(GxRect(0, 0, 4, 4));
         }},
        {"GdipCreateRegionPath", [&] {
             GxRegion other;
             return other.CreatePath(path) && other.IsVisiblePoint(5, 5);
         }},
        {"GdipCreateRegionHrgn", [&] {
             HRGN rgn = CreateRectRgn(0, 0, 3, 3);
             GxRegion other;
             const bool ok = other.CreateHrgn(rgn);
             DeleteObject(rgn);
             return ok;
         }},
        {"GdipCloneRegion", [&] {
             GxRegion copy;
             return region.Clone(copy);
         }},
        {"GdipSetEmpty", [&] { return region.SetEmpty() && region.IsEmpty(canvas.graphics); }},
        {"GdipSetInfinite", [&] { return region.SetInfinite() && region.IsInfinite(canvas.graphics); }},
        {"GdipCombineRegionRectI", [&] {
             return region.CombineRectI(GxRect(0, 0, 8, 8), Gdiplus::CombineModeIntersect);
         }},
        {"GdipCombineRegionPath", [&] { return region.CombinePath(path, Gdiplus::CombineModeUnion); }},
        {"GdipCombineRegionRegion", [&] {
             GxRegion other;
             other.CreateRect(GxRectF(30, 30, 2, 2));
             return region.CombineRegion(other, Gdiplus::CombineModeXor);
         }},
        {"GdipTranslateRegion", [&] { return region.Translate(1, 1); }},
        {"GdipTranslateRegionI", [&] { return region.TranslateI(-1, -1); }},
        {"GdipTransformRegion", [&] { return region.Transform(m); }},
        {"GdipGetRegionBoundsI", [&] {
             GxRect r;
             return region.GetBoundsI(canvas.graphics, r);
         }},
        {"GdipIsVisibleRegionPointI", [&] { region.IsVisiblePointI(3, 3); return LastStatus == 0; }},
        {"GdipIsVisibleRegionRect", [&] { region.IsVisibleRect(3, 3, 1, 1); return LastStatus == 0; }},
        {"GdipIsVisibleRegionRectI", [&] { region.IsVisibleRectI(3, 3, 1, 1, &canvas.graphics); return LastStatus == 0; }},
        {"GdipGetRegionScansCount", [&] { return region.GetScansCount(m) > 0; }},
        {"GdipGetRegionScans", [&] { return region.GetScans(scans, m) && !scans.empty(); }},
        {"GdipGetRegionScansI", [&] { return region.GetScansI(scansI, m) && scansI.size() == scans.size(); }},
        {"GdipGetGenericFontFamilySansSerif", [&] { return MadeAndDeleted(&GxFontFamily::GetGenericSansSerif); }},
        {"GdipGetGenericFontFamilySerif", [&] { return MadeAndDeleted(&GxFontFamily::GetGenericSerif); }},
        {"GdipGetGenericFontFamilyMonospace", [&] { return MadeAndDeleted(&GxFontFamily::GetGenericMonospace); }},
        {"GdipCloneFontFamily", [&] {
             return MadeAndDeleted([&](GxFontFamily& copy) { return family.Clone(copy); });
         }},
        {"GdipIsStyleAvailable", [&] { family.IsStyleAvailable(0); return LastStatus == 0; }},
        {"GdipGetCellAscent", [&] { return family.GetCellAscent(0) > 0; }},
        {"GdipGetCellDescent", [&] { family.GetCellDescent(0); return LastStatus == 0; }},
        {"GdipGetLineSpacing", [&] { return family.GetLineSpacing(0) > 0; }},
        {"GdipCloneFont", [&] {
             GxFont copy;
             return font.Clone(copy) && copy.GetSize() == 12;
         }},
        {"GdipGetLogFontA", [&] {
             LOGFONTA lf{};
             return font.GetLogFontA(canvas.graphics, lf) && lf.lfHeight != 0;
         }},
        {"GdipGetLogFontW", [&] {
             LOGFONTW lf{};
             return font.GetLogFontW(canvas.graphics, lf);
         }},
        {"GdipCreateFontFromLogfontW", [&] {
             LOGFONTW lf{};
             lf.lfHeight = -12;
             lstrcpyW(lf.lfFaceName, L"WenQuanYi Zen Hei");
             HDC screen = GetDC(nullptr);
             GxFont other;
             const bool ok = other.FromLogfontW(screen, &lf);
             ReleaseDC(nullptr, screen);
             return ok;
         }},
        {"GdipGetFontHeight", [&] { return font.GetHeight(&canvas.graphics) > 0; }},
        {"GdipGetFontHeightGivenDPI", [&] { return font.GetHeightGivenDPI(96) > 0; }},
        {"GdipStringFormatGetGenericDefault", [&] {
             GxStringFormat other;
             return other.GetGenericDefault();
         }},
        {"GdipStringFormatGetGenericTypographic", [&] {
             GxStringFormat other;
             return other.GetGenericTypographic() && (other.GetFlags() & Gdiplus::StringFormatFlagsNoClip);
         }},
        {"GdipCloneStringFormat", [&] {
             GxStringFormat copy;
             return format.Clone(copy);
         }},
        {"GdipSetStringFormatFlags", [&] {
             return format.SetFlags(Gdiplus::StringFormatFlagsNoWrap) &&
                    format.GetFlags() == Gdiplus::StringFormatFlagsNoWrap;
         }},
        {"GdipSetStringFormatHotkeyPrefix", [&] {
             return format.SetHotkeyPrefix(Gdiplus::HotkeyPrefixShow) &&
                    format.GetHotkeyPrefix() == Gdiplus::HotkeyPrefixShow;
         }},
        {"GdipSetStringFormatDigitSubstitution", [&] {
             LANGID language = 1;
             Gdiplus::StringDigitSubstitute method{};
             return format.SetDigitSubstitution(0x0804, Gdiplus::StringDigitSubstituteNone) &&
                    format.GetDigitSubstitution(language, method) && language == 0x0804;
         }},
        {"GdipMeasureString", [&] {
             GxRectF bounds;
             return canvas.graphics.MeasureStringW(L"ab", font, GxRectF(0, 0, 100, 100), nullptr, bounds);
         }},
        {"GdipCloneImage", [&] {
             GxImage copy;
             return bitmap.Clone(copy) && copy.GetWidth() == 8;
         }},
        {"GdipGetImageType", [&] { return bitmap.GetType() == Gdiplus::ImageTypeBitmap; }},
        {"GdipGetImageDimension", [&] { return bitmap.GetDimension().Height == 6; }},
        {"GdipGetImageHorizontalResolution", [&] { return bitmap.GetHorizontalResolution() > 0; }},
        {"GdipGetImageVerticalResolution", [&] { return bitmap.GetVerticalResolution() > 0; }},
        {"GdipGetImageFlags", [&] { bitmap.GetFlags(); return LastStatus == 0; }},
        {"GdipGetImagePalette", [&] {
             GxPalette palette;
             return bitmap.GetPalette(palette);
         }},
        {"GdipSetImagePalette", [&] {
             GxBitmap indexed;
             indexed.Create(2, 2, PixelFormat8bppIndexed);
             GxPalette palette{0, {0xFF000000, 0xFFFFFFFF}};
             GxPalette back;
             return indexed.SetPalette(palette) && indexed.GetPalette(back) && back.entries.size() == 2;
         }},
        {"GdipGetImageThumbnail", [&] {
             GxImage thumbnail;
             return bitmap.GetThumbnail(4, 3, thumbnail) && thumbnail.GetWidth() == 4;
         }},
        {"GdipImageRotateFlip", [&] {
             return bitmap.RotateFlip(Gdiplus::Rotate90FlipNone) && bitmap.GetWidth() == 6;
         }},
        {"GdipSetPropertyItem", [&] {
             GxPropertyRecord record{0x010E, 3, 2, Bytes{'a', 'b', 0}};
             GxPropertyRecord back;
             return bitmap.SetPropertyItem(record) && bitmap.GetPropertyItem(0x010E, back) && back.length == 3;
         }},
        {"GdipRemovePropertyItem", [&] { return bitmap.RemovePropertyItem(0x010E); }},
        {"GdipGetEncoderParameterList", [&] {
             GxEncoderParameterList list;
             return bitmap.GetEncoderParameterList(GxFormat::Jpeg, list) && list.count > 0;
         }},
        {"GdipBitmapSetResolution", [&] {
             return bitmap.SetResolution(144, 72) && bitmap.GetHorizontalResolution() == 144;
         }},
        {"GdipCloneBitmapArea", [&] {
             GxBitmap area;
             return bitmap.CloneArea(1, 1, 2, 2, PixelFormat24bppRGB, area) && area.GetWidth() == 2;
         }},
        {"GdipCreateBitmapFromGraphics", [&] {
             GxBitmap other;
             return other.FromGraphics(5, 5, canvas.graphics) && other.GetWidth() == 5;
         }},
        {"GdipCreateBitmapFromGdiDib", [&] {
             BITMAPINFO info{};
             info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
             std::uint32_t pixels[4] = {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000};
             GxBitmap other;
             return other.FromGdiDib(&info, pixels) && other.GetWidth() == 2;
         }},
        {"GdipCreateBitmapFromScan0", [&] {
             std::uint32_t pixels[4] = {0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000};
             GxBitmap other;
             GxArgb pixel = 0;
             return other.FromScan0(2, 2, 8, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(pixels)) &&
                    other.GetPixel(1, 1, pixel) && pixel == 0xFFFF0000;
         }},
        {"GdipCreateFromHWND", [&] {
             GxGraphics onDesktop;
             return onDesktop.FromHwnd(GetDesktopWindow());
         }},
        {"GdipCreateFromHDC2", [&] {
             HDC screen = GetDC(nullptr);
             GxGraphics other;
             const bool ok = other.FromHdc(screen, HANDLE{nullptr});
             const int status = LastStatus;
             other.Delete();
             LastStatus = status;
             ReleaseDC(nullptr, screen);
             return ok;
         }},
        {"GdipCreateBitmapFromResource", [&] {
             GxBitmap other;
             return other.FromResource(nullptr, MAKEINTRESOURCEW(32754));  // OBM_CLOSE, a system bitmap
         }},
    });
}
