// Where reports point: each report is followed by the public call the program made, with its
// arguments and the caller's file and line, and the silent mistakes of beginners are reported.
#include "test_support.h"

#include <string>

using namespace graphics_test;

namespace {

std::string CallerLine(const char* call, int line) {
    return std::string("  in ") + call + " at report_tests.cpp:" + std::to_string(line) + "\n";
}

}  // namespace

TEST(Reports, ABadStyleNamesTheCallItsArgumentsAndTheCallersLine) {
    auto w = OpenWindow();
    int line = 0;
    const std::string output = CaptureReports([&] {
        line = __LINE__ + 1;
        w->DrawLine(0, 0, 10, 10, static_cast<DrawStyle>(7));
    });
    EXPECT_EQ(output, "Fatal Error: You have tried to use an invalid or unimplemented drawstyle!\n" +
                          CallerLine("DrawLine(0, 0, 10, 10, 7)", line));
    const int polygonX[] = {0, 5, 9};
    const std::string refused = CaptureReports([&] {
        line = __LINE__ + 1;
        w->DrawPolygon(polygonX, nullptr, 3, FILLED);
    });
    EXPECT_EQ(refused, "Fatal Error: Missing coordinate array in DrawPolygon!\n" +
                           CallerLine("DrawPolygon(..., nullptr, 3, 1)", line));
}

// The integer forms clamp before they set the pen: the report still names the program's own
// call and its values as written, not the library's forwarding.
TEST(Reports, ClampedChannelsNameTheValuesAsWritten) {
    auto w = OpenWindow();
    int line = 0;
    const std::string output = CaptureReports([&] {
        line = __LINE__ + 1;
        w->SetBrush(0, 256, 7);
    });
    EXPECT_EQ(output,
              "Fatal Error: Colour value out of range in SetBrush!\n" + CallerLine("SetBrush(0, 256, 7)", line));
}

TEST(Reports, AFractionOutsideZeroToOneIsAWarningAndKeepsItsRule) {
    auto w = OpenWindow();
    int line = 0;
    const std::string output = CaptureReports([&] {
        line = __LINE__ + 1;
        w->SetPen(1.5, 0.2, 0.0, 2);
    });
    EXPECT_EQ(output,
              "Warning: Colour fraction outside 0.0 to 1.0 in SetPen!\n" + CallerLine("SetPen(1.5, 0.2, 0, 2)", line));
    EXPECT_EQ(WindowInspector::PenColor(*w).ucRed, 126);  // 382, low 8 bits
    EXPECT_EQ(CaptureReports([&] { w->SetPen(1.0, 0.0, 0.5, 1); }), "");
}
