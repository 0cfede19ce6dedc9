// Large fills and transfers run on two cores. Every row must be done exactly once, whoever takes
// it, and the pixels must be the ones one thread writes, including where a transfer reads the
// picture it writes (which must stay in order).
#include "../dib_canvas.h"
#include "raster/row_split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <thread>
#include <vector>

namespace {

using zg::raster::for_row_chunks;
using zg_test::DibCanvas;

// Counts how often each row is visited by one split job.
std::vector<int> visits(int rows) {
    std::unique_ptr<std::atomic<int>[]> count(new std::atomic<int>[static_cast<std::size_t>(rows)]);
    for (int i = 0; i < rows; ++i) count[static_cast<std::size_t>(i)] = 0;
    for_row_chunks(rows, zg::raster::split_bytes, [&](int first, int end) {
        ASSERT_TRUE(0 <= first && first < end && end <= rows);
        for (int y = first; y < end; ++y) ++count[static_cast<std::size_t>(y)];
    });
    std::vector<int> out(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) out[static_cast<std::size_t>(i)] = count[static_cast<std::size_t>(i)];
    return out;
}

TEST(RowSplit, EveryRowOnceFromOneThreadOrTwoAtATime) {
    for (const int rows : {1, 2, 3, 15, 16, 17, 700, 4097})
        for (const int n : visits(rows)) ASSERT_EQ(n, 1) << rows << " rows";
    // Two threads with large jobs at once: one has the helper, the other works alone.
    std::atomic<int> wrong{0};
    auto many = [&] {
        for (int i = 0; i < 200; ++i)
            for (const int n : visits(333 + i))
                if (n != 1) ++wrong;
    };
    std::thread other(many);
    many();
    other.join();
    EXPECT_EQ(wrong.load(), 0);
}

// A 1000 x 700 picture (over the split threshold for every call below) of varied pixels.
void paint(DibCanvas& c) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            c.pixels()[y * c.width() + x] = static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u) & 0x00FFFFFFu;
}

// The calls that split their rows, on fresh pictures; returns both pictures' pixels.
std::vector<std::uint32_t> run_calls() {
    constexpr int w = 1000, h = 700;
    DibCanvas a(w, h, 0), b(w, h, 0);
    paint(a);
    paint(b);
    HBRUSH brush = CreateSolidBrush(RGB(12, 34, 56));
    HGDIOBJ old = SelectObject(b.dc(), brush);
    PatBlt(b.dc(), 10, 20, 900, 650, PATINVERT);
    PatBlt(b.dc(), 0, 0, w, h / 2, PATCOPY);
    SetROP2(b.dc(), R2_XORPEN);
    Rectangle(b.dc(), 5, 7, 990, 690);
    SelectObject(b.dc(), old);
    DeleteObject(brush);
    BitBlt(b.dc(), 0, 350, w, 350, a.dc(), 0, 0, SRCCOPY);
    // Within one picture: the rows overlap and must be read before they are overwritten.
    BitBlt(a.dc(), 3, 5, w - 3, h - 5, a.dc(), 0, 0, SRCCOPY);
    StretchBlt(a.dc(), 0, 0, w, h, a.dc(), 0, 0, w / 2, h / 2, SRCCOPY);
    BitBlt(b.dc(), 0, 0, w, h, a.dc(), 0, 0, SRCINVERT);
    BitBlt(a.dc(), 2, 3, w - 2, h - 3, a.dc(), 0, 0, SRCINVERT);
    StretchBlt(b.dc(), 0, 0, w, h, a.dc(), 100, 100, w / 2, h / 2, SRCCOPY);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // bottom-up
    std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * h * 3);
    StretchDIBits(a.dc(), 0, 0, w, h, 0, 0, w, h, b.pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
    // A picture's own pixels drawn onto it eight rows lower.
    StretchDIBits(a.dc(), 0, 8, w, h - 8, 0, 8, w, h - 8, a.pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
    StretchDIBits(a.dc(), 0, 5, w, h - 5, 0, 0, w, h - 5, a.pixels(), &info, DIB_RGB_COLORS, SRCINVERT);
    StretchDIBits(b.dc(), 0, 0, w, h, 0, 0, w, h, a.pixels(), &info, DIB_RGB_COLORS, SRCPAINT);
    // And a quarter of them enlarged onto the whole picture.
    StretchDIBits(a.dc(), 0, 0, w, h, 0, 0, w / 2, h / 2, a.pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
    GetDIBits(b.dc(), reinterpret_cast<HBITMAP>(GetCurrentObject(b.dc(), OBJ_BITMAP)), 0, h, out.data(), &info,
              DIB_RGB_COLORS);
    std::copy(a.pixels(), a.pixels() + w * h, out.begin() + w * h);
    std::copy(b.pixels(), b.pixels() + w * h, out.begin() + 2 * w * h);
    return out;
}

TEST(RowSplit, LargeFillsAndTransfersPaintWhatOneThreadPaints) {
    using zg::raster::RowSplit;
    const RowSplit was = zg::raster::set_row_split(RowSplit::Off);
    const std::vector<std::uint32_t> alone = run_calls();
    // Chunks from last to first: a call whose rows depend on each other's order must not split.
    zg::raster::set_row_split(RowSplit::Reversed);
    EXPECT_TRUE(run_calls() == alone);
    zg::raster::set_row_split(RowSplit::On);
    for (int round = 0; round < 3; ++round) EXPECT_TRUE(run_calls() == alone) << "round " << round;
    zg::raster::set_row_split(was);
}

// Random middle-sized calls (which split only while the helper is awake, or always under
// Reversed), each after a large fill that leaves the helper awake: the same pixels as one thread.
std::vector<std::uint32_t> run_random_calls(unsigned seed) {
    constexpr int w = 1000, h = 700;
    DibCanvas a(w, h, 0), b(w, h, 0);
    paint(a);
    std::mt19937 random(seed);
    auto pick = [&](int lo, int hi) { return lo + static_cast<int>(random() % static_cast<unsigned>(hi - lo)); };
    HBRUSH brush = CreateSolidBrush(RGB(90, 80, 70));
    HGDIOBJ old = SelectObject(b.dc(), brush);
    SetROP2(b.dc(), R2_XORPEN);
    for (int i = 0; i < 40; ++i) {
        PatBlt(b.dc(), 0, 0, w, h, PATINVERT);
        const int x = pick(-50, 500), y = pick(-50, 300), cw = pick(250, 600), ch = pick(130, 420);
        switch (i % 4) {
        case 0: Rectangle(b.dc(), x, y, x + cw, y + ch); break;
        case 1: BitBlt(b.dc(), x, y, cw, ch, a.dc(), pick(0, 400), pick(0, 300), SRCINVERT); break;
        case 2: BitBlt(b.dc(), x, y, cw, ch, b.dc(), x + pick(-9, 9), y + pick(-9, 9), SRCCOPY); break;
        default: StretchBlt(b.dc(), x, y, cw, ch, a.dc(), pick(0, 300), pick(0, 200), cw / 2, ch / 3, SRCCOPY);
        }
    }
    SelectObject(b.dc(), old);
    DeleteObject(brush);
    return {b.pixels(), b.pixels() + w * h};
}

TEST(RowSplit, MiddleSizedCallsPaintWhatOneThreadPaints) {
    using zg::raster::RowSplit;
    const RowSplit was = zg::raster::set_row_split(RowSplit::Off);
    for (const unsigned seed : {1u, 2u, 3u}) {
        zg::raster::set_row_split(RowSplit::Off);
        const std::vector<std::uint32_t> alone = run_random_calls(seed);
        zg::raster::set_row_split(RowSplit::Reversed);
        EXPECT_TRUE(run_random_calls(seed) == alone) << "seed " << seed << " reversed";
        zg::raster::set_row_split(RowSplit::On);
        EXPECT_TRUE(run_random_calls(seed) == alone) << "seed " << seed;
    }
    zg::raster::set_row_split(was);
}

TEST(RowSplit, TheThreadSettingTakesOneOrTwoAndNothingElse) {
    using zg::raster::raster_threads_setting;
    EXPECT_EQ(raster_threads_setting(nullptr), 2);
    EXPECT_EQ(raster_threads_setting(""), 2);
    EXPECT_EQ(raster_threads_setting("1"), 1);
    EXPECT_EQ(raster_threads_setting("2"), 2);
    for (const char* bad : {"0", "-1", "abc", "99999", "3", " 1", "1 ", "01", "2x"})
        EXPECT_EQ(raster_threads_setting(bad), std::nullopt) << '"' << bad << '"';
}

// A fresh process (the setting is read once), whose first large job reports the bad value.
TEST(RowSplitDeathTest, ABadThreadSettingIsNamedOnStandardError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("ZG_RASTER_THREADS", "abc", 1);
            const bool once = visits(4097) == std::vector<int>(4097, 1);
            std::exit(once ? 0 : 1);
        },
        testing::ExitedWithCode(0), "ZG_RASTER_THREADS=abc is not a thread count; accepted values: 1, 2");
}

}  // namespace
