// The real simulator (and the demo) run as scripted headless sessions: the picture is checked
// pixel by pixel in the snapshots, the console through standard output, the end through the exit
// status. Times in the scripts are virtual milliseconds; a frame starts every 100 ms while no
// click is awaited, so a snapshot between two frames sees the last frame complete.
#include "png_image.h"
#include "session.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const Rgb PANEL_BLUE{12, 180, 243};
const Rgb WHITE{255, 255, 255};
const Rgb BLACK{0, 0, 0};
const Rgb POST_GREY{192, 192, 192};
const Rgb INITIAL_PEN{64, 128, 128};
const Rgb ONE_STEP_PEN{64, 121, 121};
const std::string FAREWELL = "Click mouse in the graphics window to finish execution.\n";

// Status line (160, 50) to (1000, 69); the first text starts at 160, the second at 500.
constexpr int STATUS_TOP = 50, STATUS_BOTTOM = 69;

PngImage Snapshot(const HeadlessSession& session, const std::string& file) {
    PngImage image(session.Path(file));
    EXPECT_FALSE(image.empty()) << image.error();
    return image;
}

// Checks keep clear of the outermost pixels of a box, where the inside-frame pen's rounding
// differs between implementations.
bool StatusLineEmpty(const PngImage& image) { return image.Count(165, 52, 990, 67, PANEL_BLUE) == 825 * 15; }

TEST(GyroscopeSessionTest, StartupDrawsPanelBandBoxesAndTheStillFigure) {
    HeadlessSession session("startup");
    const SessionResult result = session.Run(GYROSCOPE_EXE, "250 snapshot start.png\n300 close\n");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output.find("Fatal Error"), std::string::npos) << result.output;
    const PngImage start = Snapshot(session, "start.png");
    ASSERT_EQ(start.width(), 1000);
    ASSERT_EQ(start.height(), 700);
    EXPECT_EQ(start.at(10, 690), PANEL_BLUE);
    EXPECT_EQ(start.at(190, 300), PANEL_BLUE);
    EXPECT_EQ(start.at(990, 5), PANEL_BLUE);
    EXPECT_EQ(start.at(400, 65), PANEL_BLUE);
    EXPECT_TRUE(StatusLineEmpty(start));
    EXPECT_EQ(start.at(990, 690), WHITE);
    EXPECT_EQ(start.at(202, 72), WHITE);
    EXPECT_EQ(start.at(600, 690), POST_GREY);
    EXPECT_EQ(start.at(31, 60), BLACK);                           // reset box outline, 3 pixels inside the frame
    EXPECT_EQ(start.at(34, 66), WHITE);                           // reset box inside, left of its label
    EXPECT_EQ(start.at(31, 510), BLACK);                          // exit box outline
    EXPECT_GT(start.Count(250, 15, 900, 45, BLACK), 100);         // title
    EXPECT_GT(start.Count(30, 15, 150, 45, BLACK), 20);           // heading
    EXPECT_GT(start.Count(85, 125, 100, 145, BLACK), 5);          // angle value
    EXPECT_EQ(start.at(741, 358), INITIAL_PEN);                   // tip ball
    EXPECT_EQ(start.at(670, 429), INITIAL_PEN);                   // middle ball
    EXPECT_EQ(start.at(600, 496), INITIAL_PEN);                   // pivot ball
    EXPECT_GT(start.Count(630, 455, 640, 472, INITIAL_PEN), 10);  // axis
}

TEST(GyroscopeSessionTest, MotionOnlyWhileTheCursorIsOverTheDrawingArea) {
    // One frame sees the cursor at (700, 400); from then on it rests on x = 200, which belongs
    // neither to the panel nor to the drawing area: still figure, no wait.
    HeadlessSession session("motion");
    const SessionResult result = session.Run(
        GYROSCOPE_EXE, "50 move 700 400\n150 move 200 300\n450 snapshot a.png\n850 snapshot b.png\n900 close\n");
    EXPECT_EQ(result.exitStatus, 0);
    const PngImage a = Snapshot(session, "a.png");
    const PngImage b = Snapshot(session, "b.png");
    EXPECT_EQ(a.at(752, 372), ONE_STEP_PEN);
    EXPECT_EQ(a.at(676, 436), ONE_STEP_PEN);
    EXPECT_EQ(a.at(741, 358), WHITE);
    EXPECT_TRUE(a.SameRegion(b, 201, 71, 1000, 700));
}

TEST(GyroscopeSessionTest, PanelButtonsStepTheValueWriteTheStatusAndExit) {
    HeadlessSession session("panel");
    const SessionResult result = session.Run(GYROSCOPE_EXE,
                                             "50 move 120 125\n"
                                             "200 snapshot before.png\n"
                                             "300 click left 120 125\n"  // angle "+": 46
                                             "500 snapshot plus.png\n"
                                             "600 click left 55 125\n"  // angle "-": 45
                                             "800 snapshot minus.png\n"
                                             "900 click right 120 125\n"  // dropped
                                             "1100 snapshot right.png\n"
                                             "1200 click left 64 134\n"  // angle "-" again: 44
                                             "1330 snapshot edge.png\n"  // after the next frame redrew the figure at 44
                                             "1350 click left 45 125\n"  // on the limit line: nothing
                                             "1500 snapshot limit.png\n"
                                             "1600 click left 60 510\n"  // exit
                                             "1900 snapshot farewell.png\n"
                                             "2000 click left 500 400\n");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output, FAREWELL);
    const PngImage before = Snapshot(session, "before.png");
    const PngImage plus = Snapshot(session, "plus.png");
    const PngImage minus = Snapshot(session, "minus.png");
    const PngImage right = Snapshot(session, "right.png");
    const PngImage limit = Snapshot(session, "limit.png");
    const PngImage farewell = Snapshot(session, "farewell.png");
    EXPECT_TRUE(StatusLineEmpty(before));
    EXPECT_GT(plus.Count(160, STATUS_TOP, 400, STATUS_BOTTOM, BLACK), 20);
    EXPECT_GT(plus.Count(500, STATUS_TOP, 900, STATUS_BOTTOM, BLACK), 50);
    EXPECT_FALSE(plus.SameRegion(before, 85, 125, 100, 145));
    EXPECT_TRUE(minus.SameRegion(before, 85, 125, 100, 145));
    EXPECT_TRUE(minus.SameRegion(plus, 160, STATUS_TOP, 500, STATUS_BOTTOM));    // "-> Angle" both times
    EXPECT_FALSE(minus.SameRegion(plus, 500, STATUS_TOP, 1000, STATUS_BOTTOM));  // diminuez, augmentez
    EXPECT_TRUE(right.SameRegion(minus, 0, 0, 1000, 700));
    const PngImage edge = Snapshot(session, "edge.png");
    EXPECT_FALSE(edge.SameRegion(minus, 85, 125, 100, 145));
    EXPECT_TRUE(edge.SameRegion(minus, 0, 0, 1000, 69));  // same status texts
    EXPECT_TRUE(limit.SameRegion(edge, 0, 0, 1000, 700));
    EXPECT_TRUE(farewell.SameRegion(limit, 0, 0, 1000, 700));  // nothing drawn after exit
}

TEST(GyroscopeSessionTest, ResetBlanksTheDrawingAreaAndRestoresTheValues) {
    HeadlessSession session("reset");
    const SessionResult result = session.Run(GYROSCOPE_EXE,
                                             "20 snapshot start.png\n"
                                             "50 move 700 400\n"
                                             "500 click left 60 225\n"   // nutation "-": 99
                                             "600 click left 120 325\n"  // speed "+": 7
                                             "700 click left 60 425\n"   // friction "-" at 0: refused
                                             "800 click left 60 60\n"    // reset
                                             "850 snapshot reset.png\n"
                                             "1050 snapshot after.png\n"
                                             "1100 click left 60 510\n"
                                             "1300 click left 500 400\n");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output, FAREWELL);
    const PngImage start = Snapshot(session, "start.png");
    const PngImage reset = Snapshot(session, "reset.png");
    const PngImage after = Snapshot(session, "after.png");
    EXPECT_EQ(reset.Count(205, 75, 995, 695, WHITE), 790 * 620);  // no post, no figure
    EXPECT_TRUE(reset.SameRegion(start, 0, 71, 200, 700));        // panel values 45, 100, 6, 0 again
    EXPECT_GT(reset.Count(160, STATUS_TOP, 400, STATUS_BOTTOM, BLACK), 20);
    EXPECT_EQ(reset.Count(505, 52, 990, 67, PANEL_BLUE), 485 * 15);  // no second text
    EXPECT_EQ(after.at(741, 358), INITIAL_PEN);                      // the initial figure, redrawn by the next frame
    EXPECT_EQ(after.at(600, 690), POST_GREY);
}

TEST(GyroscopeSessionTest, ClicksStayQueuedUntilAFrameFindsTheCursorOverThePanel) {
    // The exit click arrives while the figure turns; it is taken only after the cursor has come
    // to rest over the panel, and the figure moved in between.
    HeadlessSession session("queued");
    const SessionResult result = session.Run(GYROSCOPE_EXE,
                                             "50 move 700 400\n"
                                             "120 click left 60 510\n"
                                             "125 move 700 400\n"
                                             "150 snapshot early.png\n"
                                             "650 snapshot late.png\n"
                                             "700 move 60 300\n"
                                             "1000 click left 500 400\n");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output, FAREWELL);
    EXPECT_FALSE(Snapshot(session, "early.png").SameRegion(Snapshot(session, "late.png"), 201, 71, 1000, 700));
}

TEST(GyroscopeSessionTest, ClosingTheWindowEndsTheProgramWhateverTheLoopIsDoing) {
    HeadlessSession session("close");
    const SessionResult waiting = session.Run(GYROSCOPE_EXE, "50 move 60 300\n400 close\n");
    EXPECT_EQ(waiting.exitStatus, 0);
    EXPECT_EQ(waiting.output.find(FAREWELL), std::string::npos);
    const SessionResult animating = session.Run(GYROSCOPE_EXE, "50 move 700 400\n400 close\n");
    EXPECT_EQ(animating.exitStatus, 0);
    EXPECT_EQ(animating.output.find(FAREWELL), std::string::npos);
}

TEST(DemoSessionTest, OneMotionStepPutsTheTipBallAtItsWorkedPlace) {
    HeadlessSession session("demo");
    const SessionResult result =
        session.Run(DEMO_EXE, "50 move 700 400\n150 move 200 300\n450 snapshot demo.png\n500 close\n");
    EXPECT_EQ(result.exitStatus, 0);
    const PngImage demo = Snapshot(session, "demo.png");
    EXPECT_EQ(demo.at(752, 372), ONE_STEP_PEN);
    EXPECT_EQ(demo.at(600, 690), POST_GREY);
}

}  // namespace
