// The gyroscope's and the panel's drawing on a real library window (headless natively, a real
// window under Wine), read back pixel by pixel: what ends up on screen, and what the panel's
// bounds let through over long runs of clicks.
#include "app/colors.h"
#include "app/gyroscope.h"
#include "app/panel.h"

#include <graphics/window.h>
#include <platform/gdi_count.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Pixels are read through the platform (GetPixel on the window's own DC), not the library.
class DrawingTest : public ::testing::Test {
protected:
    DrawingTest() { w.SetWaitClose(false); }
    ~DrawingTest() override { ReleaseDC(hwnd, dc); }

    color Pixel(int x, int y) {
        const COLORREF c = GetPixel(dc, x, y);
        return color(GetRValue(c), GetGValue(c), GetBValue(c));
    }

    std::vector<color> Grab(const PanelBox& box) {
        std::vector<color> pixels;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) pixels.push_back(Pixel(x, y));
        }
        return pixels;
    }

    // Each click gets its frame's Sleep, as in the frame loop: a refused click draws nothing, and
    // the headless display takes a long run of polls with no Sleep and no drawing for a program
    // waiting on input, and closes the window.
    void Click(int x, int y, int times = 1) {
        for (int i = 0; i < times; ++i) {
            Sleep(0);
            HandlePanelClick(w, state, exitRequested, x, y);
        }
    }

    window w{1000, 700, CW_USEDEFAULT, 0};
    HWND hwnd = FindWindowA("Zorgraphics Library", nullptr);
    HDC dc = GetDC(hwnd);
    SimulationState state;
    int exitRequested = 0;
};

constexpr PanelBox ANGLE_BOX{85, 125, 100, 145};
constexpr PanelBox STATUS_LINE{160, 50, 1000, 69};
constexpr PanelBox PANEL_AND_BAND{0, 0, 1000, 71};

TEST_F(DrawingTest, ClearDrawingAreaPaintsWhiteAndLeavesWhitePenAndBrush) {
    SetPenAndBrush(w, PANEL_BLUE);
    w.DrawRectangle(0, 0, 1000, 700, FILLED, 0, 0);
    ClearDrawingArea(w);
    EXPECT_EQ(Pixel(203, 73), WHITE);  // the outermost pixels follow the pen's rounding
    EXPECT_EQ(Pixel(997, 697), WHITE);
    EXPECT_EQ(Pixel(200, 300), PANEL_BLUE);
    EXPECT_EQ(Pixel(500, 70), PANEL_BLUE);
    w.DrawRectangle(10, 10, 40, 40, FILLED, 0, 0);
    EXPECT_EQ(Pixel(11, 11), WHITE);
    EXPECT_EQ(Pixel(25, 25), WHITE);
}

TEST_F(DrawingTest, PostIsPaintedOverTheFigureOnlyWhenTheAxisLeansBehindIt) {
    // Angle 120 puts the tip inside the post at (600, 600); phase 0 leans it towards the viewer.
    ClearDrawingArea(w);
    DrawPost(w);
    state.angle = 120;
    state.phase = 0;
    DrawGyroscope(w, state);
    EXPECT_EQ(Pixel(600, 600), color(64, 197, 197));
    state.phase = 180;
    ClearDrawingArea(w);
    DrawPost(w);
    DrawGyroscope(w, state);
    EXPECT_EQ(Pixel(600, 600), POST_GREY);
    EXPECT_EQ(Pixel(600, 496), color(64, 58, 58));  // the pivot ball stays above the post
}

TEST_F(DrawingTest, AngleStepsStopAtTheirBounds) {
    Click(55, 125, 45);
    EXPECT_EQ(state.angle, 0.0f);
    const std::vector<color> status = Grab(STATUS_LINE);
    const std::vector<color> box = Grab(ANGLE_BOX);
    Click(55, 125);
    EXPECT_EQ(state.angle, 0.0f);
    EXPECT_EQ(Grab(STATUS_LINE), status);  // a refused click leaves the last texts
    EXPECT_EQ(Grab(ANGLE_BOX), box);
    Click(120, 125, 91);
    EXPECT_EQ(state.angle, 90.0f);
    EXPECT_NE(Grab(STATUS_LINE), status);  // "Vous augmentez l'angle" now
}

TEST_F(DrawingTest, AFractionalAngleIsSteppedExactlyAndShownTruncated) {
    state.angle = 50.25321960449219f;
    Click(55, 125);
    EXPECT_EQ(state.angle, 49.25321960449219f);
    const std::vector<color> shown = Grab(ANGLE_BOX);
    SetPenAndBrush(w, WHITE);
    w.DrawRectangle(ANGLE_BOX.left, ANGLE_BOX.top, ANGLE_BOX.right, ANGLE_BOX.bottom, FILLED, 0, 0);
    w.SetPen(TEXT_BLACK, PEN_WIDTH);
    w.DrawIntValue(85, 125, 49);
    EXPECT_EQ(Grab(ANGLE_BOX), shown);
}

TEST_F(DrawingTest, EveryFieldStaysWithinItsBoundsThroughAnyClicks) {
    const int xs[] = {55, 120, 70, 120, 55, 120, 70, 120};
    const int ys[] = {125, 125, 225, 225, 325, 325, 425, 425};
    unsigned seed = 12345;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int k = static_cast<int>((seed >> 16) % 8u);
        Click(xs[k], ys[k]);
        ASSERT_GE(state.rotationSpeed, 1.0f);
        ASSERT_LE(state.rotationSpeed, 11.0f);
        ASSERT_GE(state.nutation, 0.0f);
        ASSERT_LE(state.nutation, 100.0f);
        ASSERT_GE(state.friction, 0.0f);
        ASSERT_LE(state.friction, 10.0f);
        ASSERT_GE(state.angle, 0.0f);
        ASSERT_LE(state.angle, 90.0f);
    }
    EXPECT_EQ(exitRequested, 0);
    EXPECT_TRUE(w.IsOpen());
}

TEST_F(DrawingTest, ResetRestoresEveryFieldAndBlanksTheDrawingArea) {
    DrawPost(w);
    state = {77.5f, 1234, 11, 3, 9};
    Click(60, 60);
    EXPECT_EQ(state.angle, 45.0f);
    EXPECT_EQ(state.phase, 90.0f);
    EXPECT_EQ(state.rotationSpeed, 6.0f);
    EXPECT_EQ(state.nutation, 100.0f);
    EXPECT_EQ(state.friction, 0.0f);
    EXPECT_EQ(Pixel(600, 650), WHITE);
    EXPECT_EQ(Pixel(700, 60), PANEL_BLUE);  // no second status text
    EXPECT_EQ(exitRequested, 0);
}

TEST_F(DrawingTest, ExitAndMissedClicksDrawNothing) {
    Click(120, 125);  // something in the status line to keep
    const std::vector<color> before = Grab(PANEL_AND_BAND);
    Click(70, 125);   // between the angle buttons
    Click(150, 510);  // on the exit box's right limit
    EXPECT_EQ(exitRequested, 0);
    Click(149, 519);
    EXPECT_EQ(exitRequested, 1);
    EXPECT_EQ(Grab(PANEL_AND_BAND), before);
    EXPECT_EQ(state.angle, 46.0f);
}

// Every frame makes and deletes its pens and brushes: the count of live GDI objects after 1,000
// frames (with a panel click in each) must be what it was after 10.
TEST_F(DrawingTest, FramesLeaveNoGdiObjectBehind) {
    if (zg_live_gdi_objects() < 0) GTEST_SKIP() << "this platform does not count GDI objects";
    auto frames = [&](int count) {
        for (int i = 0; i < count; ++i) {
            ClearDrawingArea(w);
            DrawPost(w);
            AdvanceMotion(state);
            DrawGyroscope(w, state);
            Click(120, 325);  // rotation speed "+", refused once at its bound
            Click(50, 325);
        }
    };
    frames(10);
    const int after_ten = zg_live_gdi_objects();
    frames(990);
    EXPECT_EQ(zg_live_gdi_objects(), after_ten);
}

}  // namespace
