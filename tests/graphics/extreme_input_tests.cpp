// Hostile arguments to the library: sizes at the ends of int, images whose header and size
// disagree, selections measured against the window as it really is, polygons reaching far
// outside the window, shapes larger than any stepping could walk, and memory running out inside
// a native call. Each case once broke (undefined behaviour, a read past a block, a huge
// allocation, an abort); together they pin the refusal or the drawing that replaced it.
#include "test_support.h"

#include <chrono>
#include <climits>
#include <vector>

using namespace graphics_test;

namespace {

const char* const kHeaderMismatch = "Fatal Error: Image header does not match the image in DrawImage!\n";

RECT ClientOf(const window& w) {
    RECT client{};
    GetClientRect(WindowInspector::Handle(w), &client);
    return client;
}

// Counts the pixels of the client area that are not white.
int Painted(const window& w) {
    const RECT client = ClientOf(w);
    int painted = 0;
    for (COLORREF c : Snapshot(WindowInspector::Active(w), 0, 0, client.right, client.bottom)) {
        painted += c != RGB(255, 255, 255) ? 1 : 0;
    }
    return painted;
}

}  // namespace

// The outer size used to be computed as right - left of the adjusted client rectangle, and the
// buffer's last index as width - 1: both overflow int at these sizes.
TEST(ExtremeWindowSizes, NearTheEndsOfIntTheWindowOpensAndBuffersWithoutOverflow) {
    for (const int width : {INT_MAX, INT_MAX - 1, INT_MIN, INT_MIN + 1}) {
        auto w = OpenWindow(width, 50);
        EXPECT_EQ(w->GetWidth(), width);
        const RECT client = ClientOf(*w);
        EXPECT_GE(client.right, 0) << width;
        EXPECT_LT(client.right, 100000) << width << ": the platform keeps a window within the screen";
        CaptureOutput([&] {
            w->SetBuffering(true);
            w->UpdateBuffer();
            w->SetBuffering(false);
        });
    }
}

TEST(DrawImage, RefusesAHeaderThatPromisesMoreThanTheImageHolds) {
    auto w = OpenWindow(100, 70);
    Wipe(*w);
    image picture;
    w->StoreImage(picture, 0, 0, 2, 2);  // a 16-byte pixel block
    ASSERT_NE(picture.bmiImageInfo, nullptr);
    picture.bmiImageInfo->biWidth = 100;
    picture.bmiImageInfo->biHeight = -100;
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 0, 0, -1, -1); }), kHeaderMismatch);
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 0, 0, 50, 50); }), kHeaderMismatch);
    picture.bmiImageInfo->biWidth = 2;
    picture.bmiImageInfo->biHeight = 2;  // bottom-up, same size: acceptable
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 0, 0, -1, -1); }), "");
}

TEST(DrawImage, RefusesAnImageWhoseFieldsNoLongerDescribeItsBlocks) {
    auto w = OpenWindow(100, 70);
    image picture;
    w->StoreImage(picture, 0, 0, 4, 4);
    picture.usWidth = 60;  // the header still says 4
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 0, 0, -1, -1); }), kHeaderMismatch);
    picture.usWidth = 4;
    picture.bmiImageInfo->biBitCount = 24;
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 0, 0, -1, -1); }), kHeaderMismatch);
    picture.bmiImageInfo->biBitCount = 32;
    picture.bmiImageInfo->biCompression = 3;  // bit fields: a layout the library never makes
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 0, 0, -1, -1); }), kHeaderMismatch);
    picture.bmiImageInfo->biCompression = BI_RGB;
    delete[] picture.ucpImageData;
    picture.ucpImageData = nullptr;
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 0, 0, -1, -1); }), kHeaderMismatch);
}

// The platform keeps a window within the screen; a selection inside the requested size but
// outside the real client area used to pass and allocate for the whole of it.
TEST(StoreImage, MeasuresTheSelectionAgainstTheRealClientArea) {
    auto w = OpenWindow(20000, 20000);
    const RECT client = ClientOf(*w);
    ASSERT_LT(client.right, 5000) << "this platform made a window as large as asked";
    image picture;
    const char* message = "Fatal Error: StoreImage selection extends outside the window!\n";
    EXPECT_EQ(CaptureOutput([&] { w->StoreImage(picture, 0, 0, 5000, 5000); }), message);
    EXPECT_EQ(picture.ucpImageData, nullptr);
    const auto right = static_cast<unsigned short>(client.right);
    EXPECT_EQ(CaptureOutput([&] { w->StoreImage(picture, 0, 0, right, 10); }), "");
    EXPECT_EQ(picture.usWidth, right);
}

// A zigzag whose points lie far outside a 300 x 200 window: its region, built whole, took
// gigabytes and seconds. Inverted, it must cost what the window costs, and invert exactly the
// pixels its region would.
TEST(DrawPolygonInverted, AFarZigzagCostsOnlyTheWindow) {
    // The bound is on this project's rasteriser; under real GDI (which keeps no per-kind count)
    // the cost is the system's own (Wine takes about 3 s here).
    if (LivePens() < 0) GTEST_SKIP() << "the drawing is the system's own GDI on this platform";
    auto w = OpenWindow(300, 200);
    Wipe(*w);
    std::vector<int> xs;
    std::vector<int> ys;
    // Teeth 3 pixels apart across the window, just under 2^20 rows tall (so its region would
    // still be built, not refused): each of those rows holds about 50 spans.
    for (int i = 0; i < 100; ++i) {
        xs.push_back(i * 3);
        ys.push_back(i % 2 == 0 ? -500000 : 500000);
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CaptureOutput([&] { w->DrawPolygon(xs.data(), ys.data(), 100, INVERTED); }), "");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 0.5);
    EXPECT_GT(Painted(*w), 0);
}

TEST(DrawPolygonInverted, InvertsExactlyThePolygonRegionWithWinding) {
    auto w = OpenWindow(60, 60);
    Wipe(*w);
    // A star whose centre is wound twice: alternate filling would leave it white.
    const int xs[] = {30, 42, 5, 55, 18};
    const int ys[] = {3, 55, 22, 22, 55};
    w->DrawPolygon(xs, ys, 5, INVERTED);
    const HDC dc = WindowInspector::Active(*w);
    const std::vector<COLORREF> drawn = Snapshot(dc, 0, 0, 60, 60);
    Wipe(*w);
    POINT points[5];
    for (int i = 0; i < 5; ++i) {
        points[i] = POINT{xs[i], ys[i]};
    }
    HRGN region = CreatePolygonRgn(points, 5, WINDING);
    ASSERT_NE(region, nullptr);
    InvertRgn(dc, region);
    DeleteObject(region);
    EXPECT_EQ(drawn, Snapshot(dc, 0, 0, 60, 60));
    EXPECT_EQ(GetPixel(dc, 30, 30), RGB(0, 0, 0)) << "the doubly wound centre is inside";
}

TEST(DrawPolygonInverted, MemoryRunningOutInTheNativeCallIsTheLibrarysError) {
    auto w = OpenWindow(60, 60);
    const int xs[] = {5, 50, 20};
    const int ys[] = {5, 10, 50};
    const int before = ThrowingAllocationCount();
    bool thrown = false;
    ArmThrowingAllocationFailure(true);
    try {
        w->DrawPolygon(xs, ys, 3, INVERTED);
    } catch (error e) {
        thrown = e == OUT_OF_MEMORY;
    }
    ArmThrowingAllocationFailure(false);
    if (ThrowingAllocationCount() == before) {
        GTEST_SKIP() << "this platform's drawing calls do not allocate through this program's operator new";
    }
    EXPECT_TRUE(thrown);
    // The DC is left as it was: a filled polygon still draws with the window's brush.
    Wipe(*w);
    w->SetBrush(BLACK);
    w->DrawPolygon(xs, ys, 3, FILLED);
    EXPECT_EQ(GetPixel(WindowInspector::Active(*w), 25, 20), RGB(0, 0, 0));
}

// Stepping round an ellipse this large took the error terms past 64 bits (from radius
// 458,222: undefined behaviour that the sanitizer build reports), and boxes over 2^20 were
// refused although they cover the window.
TEST(HugeShapes, ACircleFarLargerThanTheWindowDrawsItsVisiblePart) {
    auto w = OpenWindow(300, 200);
    // 458,222 is the first radius whose stepping overflowed; 600,000 takes the per-row path.
    // (Far larger boxes, 2 * 10^8 across, are refused by Wine's GDI, so no test asks for them.)
    for (const int radius : {458222, 600000}) {
        Wipe(*w);
        w->SetPen(BLACK, 1);
        w->SetBrush(BLACK);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(CaptureOutput([&] { w->DrawCircle(150, 100, radius, FILLED); }), "") << radius;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (radius > (1 << 20) / 2) {
            EXPECT_LT(seconds, 0.5) << radius << ": a box over 2^20 costs what the window costs";
        }
        EXPECT_EQ(Painted(*w), 300 * 200) << radius << ": the window lies inside the circle";
    }
}

TEST(HugeShapes, TheEdgeOfAHugeCircleCrossesTheWindowWhereTheCircleDoes) {
    auto w = OpenWindow(300, 200);
    Wipe(*w);
    w->SetPen(BLACK, 1);
    // Centre 600,000 to the left of x = 100: the right edge of the circle crosses row 100 at x = 100.
    w->DrawCircle(100 - 600000, 100, 600000, FRAME);
    const HDC dc = WindowInspector::Active(*w);
    int black = 0;
    for (int x = 90; x < 110; ++x) {
        black += GetPixel(dc, x, 100) == RGB(0, 0, 0) ? 1 : 0;
    }
    EXPECT_GE(black, 1);
    EXPECT_LE(black, 2);
    EXPECT_EQ(GetPixel(dc, 50, 100), RGB(255, 255, 255)) << "inside, not filled";
    EXPECT_EQ(GetPixel(dc, 150, 100), RGB(255, 255, 255)) << "outside";
}
