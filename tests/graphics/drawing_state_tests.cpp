// Pens, brushes and fonts: returned colours, the text colour, channel conversions and the
// out-of-range report, the font request, and that replacing them leaks nothing.
#include "test_support.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace graphics_test;

namespace {

LOGFONTA FontRequest(const window& w) {
    LOGFONTA request{};
    GetObjectA(WindowInspector::Font(w), sizeof request, &request);
    return request;
}

}  // namespace

TEST(Pens, SetPenReturnsThePreviousColourAndSetsColourWidthAndTextColour) {
    auto w = OpenWindow();
    EXPECT_EQ(w->SetPen(12, 180, 243, 3), WHITE);
    EXPECT_EQ(WindowInspector::PenColor(*w), color(12, 180, 243));
    EXPECT_EQ(WindowInspector::PenWidth(*w), 3);
    EXPECT_EQ(GetTextColor(WindowInspector::Active(*w)), RGB(12, 180, 243));
    EXPECT_EQ(w->SetPen(12, 180, 243, 3), color(12, 180, 243));
    LOGPEN pen{};
    ASSERT_EQ(GetObjectA(WindowInspector::Pen(*w), sizeof pen, &pen), static_cast<int>(sizeof pen));
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));
    EXPECT_EQ(pen.lopnWidth.x, 3);
    EXPECT_EQ(pen.lopnColor, RGB(12, 180, 243));
}

TEST(Pens, DoubleChannelsAreScaledTruncatedAndWrapped) {
    auto w = OpenWindow();
    w->SetBrush(1.0, 0.5, 0.0);
    EXPECT_EQ(WindowInspector::BrushColor(*w), color(255, 127, 0));
    w->SetPen(0.999, 0.0, 1.0, 1);
    EXPECT_EQ(WindowInspector::PenColor(*w), color(254, 0, 255));
    // 2.0 * 255 = 510 keeps its low byte 254; -0.5 gives -127, whose low byte is 129.
    w->SetBrush(2.0, -0.5, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(WindowInspector::BrushColor(*w), color(254, 129, 0));
}

TEST(Pens, OutOfRangeIntegerChannelsAreClampedAndReported) {
    auto w = OpenWindow();
    const std::string penReport = CaptureOutput([&] { w->SetPen(300, -5, 12, 1); });
    EXPECT_EQ(penReport, "Fatal Error: Colour value out of range in SetPen!\n");
    EXPECT_EQ(WindowInspector::PenColor(*w), color(255, 0, 12));
    const std::string brushReport = CaptureOutput([&] { w->SetBrush(0, 256L, 7ULL); });
    EXPECT_EQ(brushReport, "Fatal Error: Colour value out of range in SetBrush!\n");
    EXPECT_EQ(WindowInspector::BrushColor(*w), color(0, 255, 7));
    EXPECT_EQ(CaptureOutput([&] { w->SetPen(0, 255, 128, 2); }), "");
}

TEST(Fonts, SetFontRequestsSizeStyleFamilyAndFace) {
    auto w = OpenWindow();
    w->SetFont(14, BOLD, SWISS, nullptr);
    const LOGFONTA bold = FontRequest(*w);
    EXPECT_EQ(bold.lfHeight, 14);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(bold.lfItalic, 0);
    EXPECT_EQ(bold.lfUnderline, 0);
    EXPECT_EQ(bold.lfStrikeOut, 0);
    EXPECT_EQ(bold.lfPitchAndFamily, FF_SWISS);
    EXPECT_EQ(bold.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(bold.lfFaceName, "");

    w->SetFont(-12, BOLD + ITALIC + UNDERLINE, ROMAN, "Arial");
    const LOGFONTA styled = FontRequest(*w);
    EXPECT_EQ(styled.lfHeight, -12);
    EXPECT_EQ(styled.lfWeight, FW_BOLD);
    EXPECT_EQ(styled.lfItalic, 1);
    EXPECT_EQ(styled.lfUnderline, 1);
    EXPECT_EQ(styled.lfPitchAndFamily, FF_ROMAN);
    EXPECT_STREQ(styled.lfFaceName, "Arial");

    w->SetFont(10, STRIKEOUT, 5, nullptr);
    EXPECT_EQ(FontRequest(*w).lfPitchAndFamily, FF_DONTCARE);
    EXPECT_EQ(FontRequest(*w).lfWeight, FW_NORMAL);
    EXPECT_EQ(FontRequest(*w).lfStrikeOut, 1);
}

TEST(Fonts, ALongFaceNameIsCutTo31Characters) {
    auto w = OpenWindow();
    const std::string longName(40, 'F');
    w->SetFont(10, PLAIN, SWISS, longName.c_str());
    const LOGFONTA request = FontRequest(*w);
    EXPECT_EQ(std::strlen(request.lfFaceName), 31u);
    EXPECT_EQ(std::string(request.lfFaceName), longName.substr(0, 31));
}

TEST(DrawStyles, NoOwnObjectStaysSelectedAndInvertedLeavesTheNotMixMode) {
    auto w = OpenWindow();
    const HDC dc = WindowInspector::Active(*w);
    w->DrawRectangle(10, 10, 30, 30, FILLED, 0, 0);
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), static_cast<HGDIOBJ>(WindowInspector::Pen(*w)));
    EXPECT_NE(GetCurrentObject(dc, OBJ_BRUSH), static_cast<HGDIOBJ>(WindowInspector::Brush(*w)));
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    w->DrawRectangle(10, 10, 30, 30, INVERTED, 0, 0);
    EXPECT_EQ(GetROP2(dc), R2_NOT);
    w->SetBrush(BLACK);
    w->DrawRectangle(40, 10, 60, 30, FILLED, 0, 0);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_EQ(GetPixel(dc, 50, 20), RGB(0, 0, 0));
}

TEST(DrawStyles, TenThousandPensLeaveOnePenAlive) {
    auto w = OpenWindow();
    const int before = LiveGdiObjects();
    if (before < 0) {
        GTEST_SKIP() << "the platform keeps no count of GDI objects";
    }
    for (int i = 0; i < 10000; ++i) {
        w->SetPen(i % 256, 0, 0, i % 7);
        w->SetBrush(0, i % 256, 0);
    }
    w->SetFont(12, BOLD, SWISS, nullptr);
    EXPECT_EQ(LiveGdiObjects(), before);
    const int pens = LivePens();
    if (pens >= 0) {
        EXPECT_EQ(pens, 1);
    }
}
