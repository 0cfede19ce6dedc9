// The real gyroscope_lab as scripted headless sessions; its picture is checked in snapshots.
// A frame runs every 50 virtual ms while the top moves. The trace is the only red-to-white
// colour in the scene (green == blue, red well above them), which lets a test find every trace
// pixel and check that it lies inside the sphere's outline.
#include "../app/png_image.h"
#include "../app/session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>
#include <string>

namespace {

const Rgb PANEL_BLUE{12, 180, 243};
const Rgb BLACK{0, 0, 0};
const Rgb DOTTED_GREEN{0, 150, 0};
constexpr int PIVOT_X = 405, PIVOT_Y = 300, OUTLINE_RADIUS = 150;
constexpr int PLOT_LEFT = 660, THETA_TOP = 114, THETA_BOTTOM = 194;

bool IsTrace(const Rgb& c) { return c.green == c.blue && c.red >= c.green + 20; }

struct TraceCount {
    int inside = 0, outside = 0;
};

TraceCount CountTrace(const PngImage& image) {
    TraceCount count;
    for (int y = 71; y < 700; ++y) {
        for (int x = 201; x < 610; ++x) {
            if (!IsTrace(image.at(x, y))) continue;
            const bool inside = std::hypot(x - PIVOT_X, y - PIVOT_Y) <= OUTLINE_RADIUS + 1.5;
            (inside ? count.inside : count.outside)++;
        }
    }
    return count;
}

PngImage Snapshot(const HeadlessSession& session, const std::string& file) {
    PngImage image(session.Path(file));
    EXPECT_FALSE(image.empty()) << image.error();
    return image;
}

TEST(LabSessionTest, TraceInsideTheSphereAxesDottedTurningPointsAndReadouts) {
    HeadlessSession session("lab_start");
    const SessionResult result = session.Run(GYROSCOPE_LAB_EXE, "2000 snapshot a.png\n2100 close\n");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output.find("Fatal Error"), std::string::npos) << result.output;
    const PngImage a = Snapshot(session, "a.png");
    ASSERT_EQ(a.width(), 1000);
    EXPECT_EQ(a.at(5, 690), PANEL_BLUE);
    EXPECT_EQ(a.at(990, 5), PANEL_BLUE);
    const TraceCount trace = CountTrace(a);
    EXPECT_GT(trace.inside, 300);
    EXPECT_EQ(trace.outside, 0);
    EXPECT_EQ(a.Count(PLOT_LEFT, THETA_TOP, PLOT_LEFT + 1, THETA_BOTTOM, BLACK), THETA_BOTTOM - THETA_TOP);
    EXPECT_GT(a.Count(PLOT_LEFT, THETA_BOTTOM, 990, THETA_BOTTOM + 1, BLACK), 320);
    EXPECT_GT(a.Count(PLOT_LEFT + 2, THETA_TOP, 990, THETA_BOTTOM, DOTTED_GREEN), 100);
    EXPECT_GT(a.Count(PLOT_LEFT + 2, THETA_TOP, 990, THETA_BOTTOM, Rgb{0, 0, 170}), 300);  // theta itself
    EXPECT_GT(a.Count(620, 466, 990, 600, BLACK), 500);                                    // readout lines
}

TEST(LabSessionTest, PauseFreezesThePictureAndRunGoesOn) {
    HeadlessSession session("lab_pause");
    const SessionResult result = session.Run(GYROSCOPE_LAB_EXE,
                                             "500 click left 100 480\n"  // pause
                                             "700 snapshot p1.png\n"
                                             "5000 snapshot p2.png\n"
                                             "5100 click left 100 480\n"  // run
                                             "5600 snapshot r.png\n"
                                             "5700 close\n");
    EXPECT_EQ(result.exitStatus, 0);
    const PngImage p1 = Snapshot(session, "p1.png"), p2 = Snapshot(session, "p2.png"), r = Snapshot(session, "r.png");
    EXPECT_TRUE(p1.SameRegion(p2, 0, 0, 1000, 700));
    EXPECT_FALSE(r.SameRegion(p2, 201, 71, 1000, 700));
    EXPECT_FALSE(r.SameRegion(p2, 15, 468, 185, 492));  // the button reads Pause again
}

TEST(LabSessionTest, PresetsStepAndExitEndsTheProgramAtOnce) {
    HeadlessSession session("lab_exit");
    const SessionResult result = session.Run(GYROSCOPE_LAB_EXE,
                                             "300 snapshot cusps.png\n"
                                             "400 click left 168 70\n"  // preset +: loops
                                             "700 snapshot loops.png\n"
                                             "800 click left 100 544\n"  // exit
                                             "2000 snapshot late.png\n");
    EXPECT_EQ(result.exitStatus, 0);
    const PngImage cusps = Snapshot(session, "cusps.png"), loops = Snapshot(session, "loops.png");
    EXPECT_FALSE(cusps.SameRegion(loops, 15, 40, 185, 82));    // the preset's name
    EXPECT_FALSE(cusps.SameRegion(loops, 200, 40, 1000, 70));  // the status line
    EXPECT_FALSE(std::filesystem::exists(session.Path("late.png")));
}

TEST(LabSessionTest, SpinFrictionBringsTheTopDownToRestAndTheProgramWaits) {
    HeadlessSession session("lab_rest");
    // From cusps to the spin friction preset, then the friction up from 5 to 20 uN m s, so that
    // the top comes down in about 12 s instead of 46 s.
    std::string script;
    for (int i = 0; i < 4; ++i) script += std::to_string(100 + 100 * i) + " click left 168 70\n";
    for (int i = 0; i < 15; ++i) script += std::to_string(500 + 50 * i) + " click left 168 352\n";
    script +=
        "2000 snapshot falling.png\n20000 snapshot rest1.png\n25000 snapshot rest2.png\n"
        "25100 click left 100 480\n"  // Run: refused while the top rests
        "25500 snapshot rest3.png\n"
        "25600 click left 100 512\n"  // Reset: released and running again
        "26500 snapshot again.png\n26600 close\n";
    const SessionResult result = session.Run(GYROSCOPE_LAB_EXE, script);
    EXPECT_EQ(result.exitStatus, 0);
    const PngImage falling = Snapshot(session, "falling.png"), rest1 = Snapshot(session, "rest1.png");
    const PngImage rest2 = Snapshot(session, "rest2.png"), rest3 = Snapshot(session, "rest3.png");
    const PngImage again = Snapshot(session, "again.png");
    EXPECT_TRUE(rest1.SameRegion(rest2, 0, 0, 1000, 700));
    EXPECT_TRUE(rest3.SameRegion(rest2, 0, 71, 1000, 700));
    EXPECT_FALSE(rest1.SameRegion(falling, 15, 468, 185, 492));  // Pause has become Run
    EXPECT_FALSE(again.SameRegion(rest3, 201, 71, 610, 700));
    EXPECT_TRUE(again.SameRegion(falling, 15, 468, 185, 492));  // Pause again
    // The resting status has about 340 black pixels; "-> Spin friction (uNms): 20" about 160.
    EXPECT_GT(rest1.Count(215, 40, 900, 66, BLACK), 250);
    EXPECT_EQ(CountTrace(rest1).outside, 0);
}

// Paused, the window does not change: the picture the I key saves equals the
// headless snapshot taken just before it, every pixel, and the status line then names the file.
TEST(LabSessionTest, TheSavedPictureIsTheSnapshotOfTheSameFrame) {
    HeadlessSession session("lab_save");
    const SessionResult result = session.Run(GYROSCOPE_LAB_EXE,
                                             "300 key left\n"  // a turned view
                                             "600 key space\n"
                                             "800 snapshot shown.png\n"
                                             "900 key i\n"
                                             "1100 snapshot after.png\n"
                                             "1200 close\n");
    EXPECT_EQ(result.exitStatus, 0);
    const PngImage shown = Snapshot(session, "shown.png"), after = Snapshot(session, "after.png");
    const PngImage saved = Snapshot(session, "gyroscope_lab_001.png");
    ASSERT_EQ(saved.width(), 1000);
    ASSERT_EQ(saved.height(), 700);
    EXPECT_TRUE(saved.SameRegion(shown, 0, 0, 1000, 700));
    EXPECT_FALSE(after.SameRegion(shown, 200, 40, 1000, 70));  // "-> Picture saved to ..."
}

// Paused, a drag in the scene turns the view: the scene changes, the plots and readouts do not.
TEST(LabSessionTest, ADragTurnsTheViewWhilePaused) {
    HeadlessSession session("lab_drag");
    const SessionResult result = session.Run(GYROSCOPE_LAB_EXE,
                                             "300 key space\n500 snapshot before.png\n"
                                             "600 press left 300 500\n700 move 340 480\n800 move 380 470\n"
                                             "900 release left 380 470\n1100 snapshot after.png\n1200 close\n");
    EXPECT_EQ(result.exitStatus, 0);
    const PngImage before = Snapshot(session, "before.png"), after = Snapshot(session, "after.png");
    EXPECT_FALSE(after.SameRegion(before, 201, 100, 610, 660));
    EXPECT_TRUE(after.SameRegion(before, 612, 71, 1000, 700));
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& path) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
        if (!line.empty() && line.back() == ',') fields.emplace_back();
        rows.push_back(fields);
    }
    return rows;
}

// The spin friction preset by keys, rows every frame, the export from the release for 2 s of
// virtual time; theta at 0.5 s against the reference value 60.03 deg.
TEST(LabSessionTest, CsvExportFromTheReleaseOneRowAFrame) {
    HeadlessSession session("lab_csv");
    std::string script = "100 key P\n150 key P\n200 key P\n250 key P\n300 key f\n400 key e\n";
    script += "2400 key e\n2600 snapshot done.png\n2700 close\n";
    const SessionResult result = session.Run(GYROSCOPE_LAB_EXE, script);
    EXPECT_EQ(result.exitStatus, 0);
    const auto rows = ReadCsv(session.Path("gyroscope_lab_001.csv"));
    ASSERT_GT(rows.size(), 30u);
    EXPECT_EQ(rows[0][0], "t (s)");
    EXPECT_EQ(rows[0][1], "theta (deg)");
    EXPECT_EQ(rows[0].size(), 21u);
    EXPECT_EQ(std::stod(rows[1][0]), 0);
    EXPECT_EQ(std::stod(rows[1][1]), 60);
    EXPECT_NEAR(std::stod(rows[11][0]), 0.5, 1e-9);  // a frame is 50 ms
    EXPECT_NEAR(std::stod(rows[11][1]), 60.03, 0.005);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 21u) << "row " << i;
        EXPECT_NEAR(std::stod(rows[i][0]), 0.05 * static_cast<double>(i - 1), 1e-9);
    }
    EXPECT_GT(Snapshot(session, "done.png").Count(215, 40, 900, 66, BLACK), 250);  // "... rows in ..."
}

}  // namespace
