// Double buffering: switching is idempotent, drawing stays off screen until UpdateBuffer, which
// copies all but the last column and row.
#include "test_support.h"

using namespace graphics_test;

TEST(Buffering, SwitchingReturnsThePreviousSettingAndRepeatsChangeNothing) {
    auto w = OpenWindow();
    EXPECT_FALSE(w->SetBuffering(false));
    EXPECT_EQ(WindowInspector::Active(*w), WindowInspector::Screen(*w));
    EXPECT_FALSE(w->SetBuffering(true));
    const HDC memory = WindowInspector::Active(*w);
    EXPECT_NE(memory, WindowInspector::Screen(*w));
    EXPECT_TRUE(w->SetBuffering(true));
    EXPECT_EQ(WindowInspector::Active(*w), memory);
    EXPECT_TRUE(w->SetBuffering(false));
    EXPECT_EQ(WindowInspector::Active(*w), WindowInspector::Screen(*w));
    EXPECT_EQ(WindowInspector::Buffer(*w), nullptr);
}

TEST(Buffering, DrawingShowsOnlyAfterUpdateAndNeverInTheLastColumnOrRow) {
    auto w = OpenWindow(60, 40);
    const HDC screen = WindowInspector::Screen(*w);
    Wipe(*w);
    w->SetBuffering(true);
    EXPECT_EQ(w->SetPen(BLACK, 1), WHITE) << "switching on leaves a white pen";
    w->SetBrush(BLACK);
    w->DrawRectangle(0, 0, 60, 40, FILLED, 0, 0);
    EXPECT_EQ(GetPixel(screen, 30, 20), RGB(255, 255, 255));
    w->UpdateBuffer();
    EXPECT_EQ(GetPixel(screen, 30, 20), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(screen, 58, 38), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(screen, 59, 20), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(screen, 30, 39), RGB(255, 255, 255));
}

TEST(Buffering, TheTextColourBelongsToTheContextThatWasActive) {
    auto w = OpenWindow();
    w->SetPen(10, 20, 30, 1);
    w->SetBuffering(true);
    w->SetPen(40, 50, 60, 1);
    w->SetBuffering(false);
    EXPECT_EQ(GetTextColor(WindowInspector::Active(*w)), RGB(10, 20, 30));
}
