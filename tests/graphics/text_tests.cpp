// Text output and measurement: what DrawString leaves on the context, the null and empty texts,
// and that the number forms draw and measure exactly their formatted text.
#include "test_support.h"

#include <functional>

using namespace graphics_test;

namespace {

std::vector<COLORREF> DrawnText(window& w, const std::function<void()>& draw) {
    Wipe(w);
    w.SetPen(BLACK, 1);
    draw();
    return Snapshot(WindowInspector::Active(w), 0, 0, 120, 30);
}

int CountNonWhite(const std::vector<COLORREF>& pixels) {
    int count = 0;
    for (COLORREF pixel : pixels) {
        count += pixel != RGB(255, 255, 255) ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST(Text, ANullTextPumpsNothingAndTouchesNothing) {
    auto w = OpenWindow();
    const HDC dc = WindowInspector::Active(*w);
    SetBkMode(dc, OPAQUE);
    SetTextAlign(dc, TA_NOUPDATECP);
    MoveToEx(dc, 3, 4, nullptr);
    Post(*w, WM_MOUSEMOVE, 0, MAKELPARAM(8, 9));
    w->DrawString(10, 20, static_cast<const char*>(nullptr));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_NOUPDATECP));
    POINT position{};
    GetCurrentPositionEx(dc, &position);
    EXPECT_EQ(position.x, 3);
    EXPECT_EQ(position.y, 4);
    MSG pending{};
    EXPECT_NE(PeekMessageA(&pending, WindowInspector::Handle(*w), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE), 0);
}

TEST(Text, DrawStringLeavesTransparentUpdatingAlignmentAndTheEndPosition) {
    auto w = OpenWindow();
    const HDC dc = WindowInspector::Active(*w);
    w->DrawString(30, 40, "");
    POINT position{};
    GetCurrentPositionEx(dc, &position);
    EXPECT_EQ(position.x, 30);
    EXPECT_EQ(position.y, 40);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_UPDATECP | TA_LEFT | TA_TOP));
    w->DrawString(10, 20, "Vous augmentez l'angle");
    GetCurrentPositionEx(dc, &position);
    EXPECT_EQ(position.y, 20);
    EXPECT_GT(position.x, 10);
}

TEST(Text, NumberFormsDrawAndMeasureTheirFormattedText) {
    auto w = OpenWindow();
    EXPECT_EQ(DrawnText(*w, [&] { w->DrawIntValue(5, 5, -42); }), DrawnText(*w, [&] { w->DrawString(5, 5, "-42"); }));
    EXPECT_EQ(DrawnText(*w, [&] { w->DrawRealValue(5, 5, 0.1); }),
              DrawnText(*w, [&] { w->DrawString(5, 5, std::string("0.100000")); }));
    EXPECT_GT(CountNonWhite(DrawnText(*w, [&] { w->DrawRealValue(5, 5, -3.0); })), 0);
    int width = 0;
    int height = 0;
    int textWidth = 0;
    int textHeight = 0;
    w->GetStringSize(width, height, 7);
    w->GetStringSize(textWidth, textHeight, "7");
    EXPECT_EQ(width, textWidth);
    EXPECT_EQ(height, textHeight);
    EXPECT_GT(width, 0);
    w->GetStringSize(width, height, -3.0);
    w->GetStringSize(textWidth, textHeight, std::string("-3.000000"));
    EXPECT_EQ(width, textWidth);
}

TEST(Text, AHugeRealFallsBackToShortNotationAndANullMeasuresEmpty) {
    auto w = OpenWindow();
    int width = 0;
    int height = 0;
    int textWidth = 0;
    int textHeight = 0;
    w->GetStringSize(width, height, 1e200);
    w->GetStringSize(textWidth, textHeight, "1e+200");
    EXPECT_EQ(width, textWidth);
    EXPECT_EQ(DrawnText(*w, [&] { w->DrawRealValue(5, 5, -1e300); }),
              DrawnText(*w, [&] { w->DrawString(5, 5, "-1e+300"); }));
    w->GetStringSize(width, height, static_cast<const char*>(nullptr));
    w->GetStringSize(textWidth, textHeight, "");
    EXPECT_EQ(width, 0);
    EXPECT_EQ(width, textWidth);
    EXPECT_EQ(height, textHeight);
}

TEST(Text, TextIsDrawnInThePenColourOverAnUntouchedBackground) {
    auto w = OpenWindow();
    EXPECT_GT(CountNonWhite(DrawnText(*w, [&] { w->DrawString(5, 5, "Reset"); })), 0);
    Wipe(*w);
    w->SetPen(WHITE, 1);
    w->DrawString(5, 5, "Reset");
    EXPECT_EQ(CountNonWhite(Snapshot(WindowInspector::Active(*w), 0, 0, 120, 30)), 0);
}
