// StretchBlt, StretchDIBits and SetDIBitsToDevice on small 32-bit DIB sections. Every expected
// row was measured under Wine with the same calls; source pixel i carries the value i + 1 (or
// the bit 1 << i where runs are merged), and 0 marks a destination pixel left alone.
#include <platform/win32.h>

#include "../dib_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace {

// A memory DC holding a top-down 32-bit DIB section filled with zeros.
class Canvas : public zg_test::DibCanvas {
public:
    Canvas(int width, int height) : DibCanvas(width, height, 0) {}

    static BITMAPINFOHEADER Header(int width, int height) {
        BITMAPINFOHEADER h{};
        h.biSize = sizeof(BITMAPINFOHEADER);
        h.biWidth = width;
        h.biHeight = height;
        h.biPlanes = 1;
        h.biBitCount = 32;
        h.biCompression = BI_RGB;
        return h;
    }
    std::uint32_t* bits() { return pixels(); }
    // Row y without the reserved byte.
    std::vector<std::uint32_t> Row(int y) const {
        std::vector<std::uint32_t> row;
        for (int x = 0; x < width(); ++x) row.push_back(at(x, y) & 0xFFFFFFu);
        return row;
    }
};

using Pixels = std::vector<std::uint32_t>;

enum class Code { Index, Bit };

// One source row of n pixels stretched onto a row of `canvas` pixels at dst_x with width dst_w.
Pixels StretchRow(int mode, int n, int canvas, int dst_x, int dst_w, Code code = Code::Index) {
    Canvas src(n, 1);
    for (int i = 0; i < n; ++i) src.bits()[i] = code == Code::Index ? static_cast<std::uint32_t>(i + 1) : 1u << i;
    Canvas dst(canvas, 1);
    SetStretchBltMode(dst.dc(), mode);
    EXPECT_EQ(StretchBlt(dst.dc(), dst_x, 0, dst_w, 1, src.dc(), 0, 0, n, 1, SRCCOPY), TRUE);
    return dst.Row(0);
}

// The same down a column.
Pixels StretchColumn(int mode, int n, int d) {
    Canvas src(1, n);
    for (int i = 0; i < n; ++i) src.bits()[i] = static_cast<std::uint32_t>(i + 1);
    Canvas dst(1, d);
    SetStretchBltMode(dst.dc(), mode);
    EXPECT_EQ(StretchBlt(dst.dc(), 0, 0, 1, d, src.dc(), 0, 0, 1, n, SRCCOPY), TRUE);
    Pixels column;
    for (int y = 0; y < d; ++y) column.push_back(dst.Row(y)[0]);
    return column;
}

TEST(StretchBlt, ColorOnColorKeepsTheLastPixelOfARunAcrossARow) {
    EXPECT_EQ(StretchRow(COLORONCOLOR, 8, 3, 0, 3), (Pixels{3, 5, 8}));
    EXPECT_EQ(StretchRow(COLORONCOLOR, 7, 3, 0, 3), (Pixels{2, 5, 7}));
    EXPECT_EQ(StretchRow(COLORONCOLOR, 17, 5, 0, 5), (Pixels{3, 7, 10, 14, 17}));
    // A single destination pixel takes the last but one source pixel.
    EXPECT_EQ(StretchRow(COLORONCOLOR, 8, 1, 0, 1), (Pixels{7}));
    EXPECT_EQ(StretchRow(COLORONCOLOR, 2, 1, 0, 1), (Pixels{1}));
}

TEST(StretchBlt, ColorOnColorKeepsTheFirstPixelOfARunDownAColumn) {
    EXPECT_EQ(StretchColumn(COLORONCOLOR, 7, 3), (Pixels{1, 3, 6}));
    EXPECT_EQ(StretchColumn(COLORONCOLOR, 10, 8), (Pixels{1, 2, 4, 5, 6, 7, 9, 10}));
    EXPECT_EQ(StretchColumn(COLORONCOLOR, 4, 16), (Pixels{1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4}));
}

TEST(StretchBlt, GrowingRepeatsPixelsByTheStepper) {
    EXPECT_EQ(StretchRow(COLORONCOLOR, 4, 7, 0, 7), (Pixels{1, 1, 2, 2, 3, 4, 4}));
    EXPECT_EQ(StretchRow(COLORONCOLOR, 3, 5, 0, 5), (Pixels{1, 1, 2, 3, 3}));
    EXPECT_EQ(StretchRow(BLACKONWHITE, 2, 5, 0, 5), (Pixels{1, 1, 1, 2, 2}));
}

TEST(StretchBlt, AndAndOrModesMergeWholeRuns) {
    // Runs of 7 -> 3 are {0, 1}, {2, 3, 4}, {5, 6}; OR sets their bits, AND of single bits clears.
    EXPECT_EQ(StretchRow(WHITEONBLACK, 7, 3, 0, 3, Code::Bit), (Pixels{0x3, 0x1C, 0x60}));
    EXPECT_EQ(StretchRow(WHITEONBLACK, 8, 1, 0, 1, Code::Bit), (Pixels{0x7F}));
    EXPECT_EQ(StretchRow(BLACKONWHITE, 7, 3, 0, 3, Code::Bit), (Pixels{0, 0, 0}));
    EXPECT_EQ(StretchRow(BLACKONWHITE, 3, 3, 0, 3, Code::Bit), (Pixels{1, 2, 4}));
}

TEST(StretchBlt, ClippedAndMirroredTransfersKeepTheUnclippedPixels) {
    EXPECT_EQ(StretchRow(COLORONCOLOR, 5, 7, -3, 10), (Pixels{2, 3, 3, 4, 4, 5, 5}));
    EXPECT_EQ(StretchRow(COLORONCOLOR, 5, 12, 8, 10), (Pixels{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2}));
    // A negative width walks backwards from the start pixel, which it covers.
    EXPECT_EQ(StretchRow(COLORONCOLOR, 7, 12, 10, -3), (Pixels{0, 0, 0, 0, 0, 0, 0, 0, 7, 5, 2, 0}));
}

TEST(StretchBlt, ModeAndBadInput) {
    Canvas c(2, 2);
    EXPECT_EQ(GetStretchBltMode(c.dc()), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(c.dc(), HALFTONE), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(c.dc(), 0), 0);
    EXPECT_EQ(SetStretchBltMode(c.dc(), 5), 0);
    EXPECT_EQ(GetStretchBltMode(c.dc()), HALFTONE);
    EXPECT_EQ(StretchBlt(c.dc(), 0, 0, 2, 2, nullptr, 0, 0, 2, 2, SRCCOPY), FALSE);
    EXPECT_EQ(StretchBlt(c.dc(), 0, 0, 2, 2, nullptr, 0, 0, 2, 2, WHITENESS), TRUE);
    EXPECT_EQ(c.Row(1), (Pixels{0xFFFFFF, 0xFFFFFF}));
    EXPECT_EQ(StretchBlt(c.dc(), 0, 0, 0, 2, c.dc(), 0, 0, 2, 2, SRCCOPY), TRUE);
}

// A 4 x 4 DIB whose memory holds 1..16 row after row.
struct Dib {
    std::uint32_t pixels[16];
    BITMAPINFO info{};
    explicit Dib(int height) {
        for (std::uint32_t i = 0; i < 16; ++i) pixels[i] = i + 1;
        info.bmiHeader = Canvas::Header(4, height);
    }
};

TEST(StretchDIBits, SourceRowsCountFromTheBottomInEitherOrientation) {
    for (int height : {-4, 4}) {
        Dib dib(height);
        Canvas dst(4, 2);
        EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 2, 2, 1, 0, 2, 2, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCCOPY), 4);
        const bool top_down = height < 0;
        EXPECT_EQ(dst.Row(0), top_down ? (Pixels{10, 11, 0, 0}) : (Pixels{6, 7, 0, 0}));
        EXPECT_EQ(dst.Row(1), top_down ? (Pixels{14, 15, 0, 0}) : (Pixels{2, 3, 0, 0}));
    }
}

TEST(StretchDIBits, ReturnsTheHeightAndRefusesBadInput) {
    Dib dib(-4);
    Canvas dst(6, 6);
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 4, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCINVERT), -4);
    EXPECT_EQ(dst.Row(0), (Pixels{1, 2, 3, 4, 0, 0}));
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 0, 4, 0, 0, 4, 4, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCCOPY), 4);
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 0, 4, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 4, nullptr, &dib.info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 4, dib.pixels, nullptr, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(nullptr, 0, 0, 4, 4, 0, 0, 4, 4, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCCOPY), 0);
    dib.info.bmiHeader.biWidth = 0;
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 4, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(dst.Row(3), (Pixels{13, 14, 15, 16, 0, 0}));
}

TEST(SetDIBitsToDevice, CopiesTheSuppliedBandAtItsPlace) {
    Dib bottom_up(4);
    Canvas dst(6, 6);
    // Lines 0 and 1 from the bottom land on the lowest two rows of the 4-row rectangle.
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, 4, 4, 0, 0, 0, 2, bottom_up.pixels, &bottom_up.info, DIB_RGB_COLORS),
              2);
    EXPECT_EQ(dst.Row(3), (Pixels{0, 5, 6, 7, 8, 0}));
    EXPECT_EQ(dst.Row(4), (Pixels{0, 1, 2, 3, 4, 0}));
    EXPECT_EQ(dst.Row(2), (Pixels{0, 0, 0, 0, 0, 0}));
    Dib top_down(-4);
    Canvas whole(6, 6);
    EXPECT_EQ(SetDIBitsToDevice(whole.dc(), -2, -1, 4, 4, 0, 0, 0, 4, top_down.pixels, &top_down.info, DIB_RGB_COLORS),
              4);
    EXPECT_EQ(whole.Row(0), (Pixels{7, 8, 0, 0, 0, 0}));
    EXPECT_EQ(whole.Row(2), (Pixels{15, 16, 0, 0, 0, 0}));
}

TEST(SetDIBitsToDevice, ReportsLinesAsWindowsDoes) {
    Canvas dst(8, 6);
    Dib bottom_up(4);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, 2, 2, 1, 1, 0, 4, bottom_up.pixels, &bottom_up.info, DIB_RGB_COLORS),
              3);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, 4, 4, 0, 0, 0, 9, bottom_up.pixels, &bottom_up.info, DIB_RGB_COLORS),
              4);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 20, 20, 4, 4, 0, 0, 0, 4, bottom_up.pixels, &bottom_up.info, DIB_RGB_COLORS),
              4);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, 4, 4, 0, 0, 5, 4, bottom_up.pixels, &bottom_up.info, DIB_RGB_COLORS),
              0);
    Dib top_down(-4);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, 4, 4, 0, 0, 0, 9, top_down.pixels, &top_down.info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, 4, 4, 9, 9, 0, 4, top_down.pixels, &top_down.info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, 0, 4, 0, 0, 0, 4, top_down.pixels, &top_down.info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, static_cast<DWORD>(-4), 4, 0, 0, 0, 4, top_down.pixels, &top_down.info,
                                DIB_RGB_COLORS),
              0);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 1, 1, 4, 4, 0, 0, 0, 4, nullptr, &top_down.info, DIB_RGB_COLORS), 0);
}

}  // namespace

// ---- raster operations and far sources ---------------------------------------------------------

namespace {

// A solid brush selected into a DC for the life of the object.
class Brush {
public:
    Brush(HDC dc, COLORREF color) : m_dc(dc), m_brush(CreateSolidBrush(color)), m_old(SelectObject(dc, m_brush)) {}
    ~Brush() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_brush);
    }
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;

private:
    HDC m_dc;
    HBRUSH m_brush;
    HGDIOBJ m_old;
};

}  // namespace

TEST(RasterOperations, UnnamedCodesFollowTheirTruthTable) {
    Canvas src(2, 1), dst(2, 1);
    src.bits()[0] = 0x00CCCCCC;
    src.bits()[1] = 0x00123456;
    Brush brush(dst.dc(), RGB(0xAA, 0xAA, 0xAA));  // pixel 0x00AAAAAA
    // PATPAINT (P | ~S | D) under a white brush paints white.
    {
        Brush white(dst.dc(), RGB(0xFF, 0xFF, 0xFF));
        EXPECT_EQ(BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 0x00FB0A09), TRUE);
        EXPECT_EQ(dst.Row(0), (Pixels{0xFFFFFF, 0xFFFFFF}));
    }
    // MERGECOPY (P & S) and 0xE2 (D ^ (S & (D ^ P))) with the grey brush.
    dst.bits()[0] = dst.bits()[1] = 0x00F0F0F0;
    EXPECT_EQ(BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 0x00C000CA), TRUE);
    EXPECT_EQ(dst.Row(0), (Pixels{0x888888, 0x022002}));
    dst.bits()[0] = dst.bits()[1] = 0x00F0F0F0;
    EXPECT_EQ(BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 0x00E20746), TRUE);
    EXPECT_EQ(dst.Row(0), (Pixels{0xB8B8B8, 0xE2E0A2}));
}

TEST(RasterOperations, PatternCodesNeedNoSource) {
    Canvas dst(3, 1);
    Brush brush(dst.dc(), RGB(0x0F, 0x0F, 0x0F));
    // 0x0A: D & ~P; 0xAF: D | ~P; 0x5F: ~(D & P), through PatBlt and through BitBlt without a source DC.
    dst.bits()[0] = dst.bits()[1] = dst.bits()[2] = 0x003C3C3C;
    EXPECT_EQ(PatBlt(dst.dc(), 0, 0, 1, 1, 0x000A0329), TRUE);
    EXPECT_EQ(PatBlt(dst.dc(), 1, 0, 1, 1, 0x00AF0229), TRUE);
    EXPECT_EQ(BitBlt(dst.dc(), 2, 0, 1, 1, nullptr, 0, 0, 0x005F00E9), TRUE);
    EXPECT_EQ(dst.Row(0), (Pixels{0x303030, 0xFCFCFC, 0xF3F3F3}));
    // A code that reads the source is not a pattern fill.
    EXPECT_EQ(PatBlt(dst.dc(), 0, 0, 1, 1, SRCCOPY), FALSE);
    EXPECT_EQ(BitBlt(dst.dc(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY), FALSE);
}

TEST(RasterOperations, AFarSourceCopiesNothing) {
    Canvas src(4, 4), dst(4, 4);
    for (int i = 0; i < 16; ++i) src.bits()[i] = 0x00ABCDEFu;
    for (DWORD rop : {SRCCOPY, SRCINVERT, SRCAND}) {
        EXPECT_EQ(BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), INT_MIN, 0, rop), TRUE);
        EXPECT_EQ(BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), INT_MAX, INT_MIN, rop), TRUE);
        EXPECT_EQ(BitBlt(dst.dc(), INT_MAX, 0, INT_MAX, 4, src.dc(), 0, 0, rop), TRUE);
        EXPECT_EQ(BitBlt(dst.dc(), INT_MIN, INT_MIN, -5, -5, src.dc(), INT_MAX, INT_MAX, rop), TRUE);
    }
    for (int y = 0; y < 4; ++y) EXPECT_EQ(dst.Row(y), (Pixels{0, 0, 0, 0}));
    EXPECT_EQ(GetPixel(src.dc(), INT_MIN, 5), CLR_INVALID);
}

// Mirrored transfers whose source runs off the picture: the destination is cut in proportion
// before the block is flipped (each expectation measured under Wine).
TEST(StretchBlt, MirroredSourcesAreCutBeforeTheyAreFlipped) {
    Canvas src(4, 1), dst(12, 1);
    for (int i = 0; i < 4; ++i) src.bits()[i] = static_cast<std::uint32_t>(i + 1);
    EXPECT_EQ(StretchBlt(dst.dc(), 6, 0, 5, 1, src.dc(), 0, 0, -3, 1, SRCCOPY), TRUE);
    EXPECT_EQ(dst.Row(0), (Pixels{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
    std::fill(dst.bits(), dst.bits() + 12, 0u);
    EXPECT_EQ(StretchBlt(dst.dc(), 6, 0, 5, 1, src.dc(), 1, 0, -3, 1, SRCCOPY), TRUE);
    EXPECT_EQ(dst.Row(0), (Pixels{0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 1, 0}));
}

TEST(StretchDIBits, TopDownSourcesCountFromTheTopForCodesOtherThanCopy) {
    Dib dib(-4);
    Canvas dst(3, 3);
    for (int i = 0; i < 9; ++i) dst.bits()[i] = 0x00FFFFFF;
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 3, 3, 1, 1, 3, 3, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCAND), -4);
    EXPECT_EQ(dst.Row(0), (Pixels{6, 7, 8}));
    EXPECT_EQ(dst.Row(2), (Pixels{14, 15, 16}));
    // A source rectangle wholly outside the picture fails.
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 3, 3, 1, 1, 3, -3, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCCOPY), 0);
}

// A 1 x 2,097,152 column shrunk onto 300 x 200 with BLACKONWHITE: every destination row is
// the AND of its run of source rows, found in one pass over the source.
TEST(StretchBlt, AndModeOverAVeryTallSource) {
    constexpr int tall = 1 << 21;
    Canvas src(1, tall), dst(300, 200);
    std::fill(src.bits(), src.bits() + tall, 0x00FFFFFFu);
    src.bits()[tall / 2] = 0x00000F00u;  // lands in the middle destination row
    SetStretchBltMode(dst.dc(), BLACKONWHITE);
    EXPECT_EQ(StretchBlt(dst.dc(), 0, 0, 300, 200, src.dc(), 0, 0, 1, tall, SRCCOPY), TRUE);
    int dark_rows = 0;
    for (int y = 0; y < 200; ++y) {
        const Pixels row = dst.Row(y);
        EXPECT_EQ(row.front(), row.back());
        if (row.front() == 0x000F00u)
            ++dark_rows;
        else
            EXPECT_EQ(row.front(), 0xFFFFFFu);
    }
    EXPECT_EQ(dark_rows, 1);
}

// Every transfer reads only the pixels its header promises: the 4 x 4 image sits in a block of
// exactly 64 bytes, so a read past it is a heap overflow that the sanitizer build reports.
TEST(DibTransfers, ReadNothingPastThePictureForAnySignOrOffset) {
    for (int height : {4, -4}) {
        std::vector<std::uint32_t> pixels(16, 0x00ABCDEFu);
        BITMAPINFO info{};
        info.bmiHeader = Canvas::Header(4, height);
        Canvas dst(12, 12);
        for (int k = 0; k < 16; ++k) {
            const int sw = k & 1 ? -5 : 5, sh = k & 2 ? -5 : 5, dw = k & 4 ? -7 : 7, dh = k & 8 ? -7 : 7;
            for (const int from : {-3, 0, 2, 5}) {
                for (const DWORD rop : {SRCCOPY, SRCAND}) {
                    StretchDIBits(dst.dc(), 6, 6, dw, dh, from, from, sw, sh, pixels.data(), &info, DIB_RGB_COLORS,
                                  rop);
                }
                SetDIBitsToDevice(dst.dc(), 0, 0, 12, 12, from, from, 0, 16, pixels.data(), &info, DIB_RGB_COLORS);
            }
        }
        int written = 0;
        for (int y = 0; y < 12; ++y) {
            for (std::uint32_t p : dst.Row(y)) written += p == 0xABCDEFu;
        }
        EXPECT_GT(written, 0) << "some transfers land";
    }
}

// Under the null brush a code that reads the pattern drops the steps that fetch it; what is
// left reads only the source and the destination, and pattern fills change nothing.
TEST(RasterOperations, ANullBrushLeavesAnOperationOfSourceAndDestination) {
    Canvas src(1, 1), dst(1, 1);
    src.bits()[0] = 0x00CCCCCC;
    SelectObject(dst.dc(), GetStockObject(NULL_BRUSH));
    struct Case {
        DWORD rop;
        std::uint32_t expected;
    };
    // PATPAINT gives S | D, MERGECOPY S, PATINVERT nothing, 0x01 ~(S | D), 0x02 S & D.
    const Case cases[] = {{0x00FB0A09, 0xEEEEEE}, {0x00C000CA, 0xCCCCCC}, {0x005A0049, 0xAAAAAA},
                          {0x00010289, 0x111111}, {0x00020C89, 0x888888}, {0x00100C85, 0x111111}};
    for (const Case& c : cases) {
        dst.bits()[0] = 0x00AAAAAA;
        EXPECT_EQ(BitBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, c.rop), TRUE);
        EXPECT_EQ(dst.Row(0), Pixels{c.expected}) << std::hex << c.rop;
        dst.bits()[0] = 0x00AAAAAA;
        EXPECT_EQ(StretchBlt(dst.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 1, 1, c.rop), TRUE);
        EXPECT_EQ(dst.Row(0), Pixels{c.expected}) << std::hex << c.rop;
    }
    const std::uint32_t pixel = 0x00CCCCCC;
    BITMAPINFO info{};
    info.bmiHeader = Canvas::Header(1, 1);
    dst.bits()[0] = 0x00AAAAAA;
    EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 1, 1, 0, 0, 1, 1, &pixel, &info, DIB_RGB_COLORS, 0x00FB0A09), 1);
    EXPECT_EQ(dst.Row(0), Pixels{0xEEEEEE});
    // Pattern fills leave the destination; codes that read no pattern still run.
    EXPECT_EQ(PatBlt(dst.dc(), 0, 0, 1, 1, PATINVERT), TRUE);
    EXPECT_EQ(dst.Row(0), Pixels{0xEEEEEE});
    EXPECT_EQ(PatBlt(dst.dc(), 0, 0, 1, 1, DSTINVERT), TRUE);
    EXPECT_EQ(dst.Row(0), Pixels{0x111111});
}

// A side with both extents negative and equal, for codes other than a plain copy, covers the
// pixels before each start point; a plain copy covers the start pixels themselves.
TEST(StretchDIBits, DoublyNegativeUnscaledSidesEndBeforeTheirStart) {
    const std::uint32_t row[4] = {1, 2, 3, 4};
    BITMAPINFO info{};
    info.bmiHeader = Canvas::Header(4, 1);
    Canvas dst(8, 1);
    EXPECT_EQ(StretchDIBits(dst.dc(), 4, 0, -3, 1, 3, 0, -3, 1, row, &info, DIB_RGB_COLORS, SRCINVERT), 1);
    EXPECT_EQ(dst.Row(0), (Pixels{0, 1, 2, 3, 0, 0, 0, 0}));
    std::fill(dst.bits(), dst.bits() + 8, 0u);
    EXPECT_EQ(StretchDIBits(dst.dc(), 4, 0, -3, 1, 3, 0, -3, 1, row, &info, DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(dst.Row(0), (Pixels{0, 0, 2, 3, 4, 0, 0, 0}));
    // Starting at the picture's left edge, the source lies wholly before it: the call fails.
    std::fill(dst.bits(), dst.bits() + 8, 0u);
    EXPECT_EQ(StretchDIBits(dst.dc(), 4, 0, -3, 1, 0, 0, -3, 1, row, &info, DIB_RGB_COLORS, SRCINVERT), 0);
    EXPECT_EQ(StretchDIBits(dst.dc(), 4, 0, -3, 1, 0, 0, -3, 1, row, &info, DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(dst.Row(0), (Pixels{0, 0, 0, 0, 1, 0, 0, 0}));
    // Down a top-down source only its first row lies inside and lands on the last row.
    Dib top_down(-4);
    Canvas column(3, 5);
    EXPECT_EQ(StretchDIBits(column.dc(), 0, 4, 3, -3, 1, 1, 3, -3, top_down.pixels, &top_down.info, DIB_RGB_COLORS,
                            SRCINVERT),
              -4);
    EXPECT_EQ(column.Row(3), (Pixels{2, 3, 4}));
    for (int y : {0, 1, 2, 4}) EXPECT_EQ(column.Row(y), (Pixels{0, 0, 0})) << y;
}

// A top-down band that draws nothing still reports its lines unless it ends below the source
// rectangle or, with columns off the picture, reaches into it.
TEST(SetDIBitsToDevice, TopDownBandsReportLinesEvenWhenNothingLands) {
    Dib top_down(-4);
    Canvas dst(12, 12);
    auto lines = [&](int xs, int ys, UINT start, UINT count) {
        return SetDIBitsToDevice(dst.dc(), 6, 6, 3, 3, xs, ys, start, count, top_down.pixels, &top_down.info,
                                 DIB_RGB_COLORS);
    };
    EXPECT_EQ(lines(-1, -1, 2, 2), 2);  // band above the rectangle
    EXPECT_EQ(lines(0, 1, 0, 1), 0);    // band below it
    EXPECT_EQ(lines(-4, -2, 1, 1), 1);  // columns off the picture, band above
    EXPECT_EQ(lines(-4, -2, 0, 4), 0);  // columns off the picture, band across the rectangle
    for (int y = 0; y < 12; ++y) EXPECT_EQ(dst.Row(y), Pixels(12, 0u)) << y;
    Dib bottom_up(4);
    EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 6, 6, 3, 3, -1, -1, 2, 2, bottom_up.pixels, &bottom_up.info, DIB_RGB_COLORS),
              0);
}

namespace {

// Part of a row of six pixels (values 1..6), from src_x over src_w, stretched onto a row of
// `canvas` pixels at dst_x with width dst_w, by StretchBlt or, with `dib`, by StretchDIBits.
Pixels StretchPart(int mode, int canvas, int dst_x, int dst_w, int src_x, int src_w, bool dib = false) {
    Canvas src(6, 1);
    for (int i = 0; i < 6; ++i) src.bits()[i] = static_cast<std::uint32_t>(i + 1);
    Canvas dst(canvas, 1);
    SetStretchBltMode(dst.dc(), mode);
    BITMAPINFO info{};
    info.bmiHeader = Canvas::Header(6, 1);
    if (dib)
        EXPECT_EQ(
            StretchDIBits(dst.dc(), dst_x, 0, dst_w, 1, src_x, 0, src_w, 1, src.bits(), &info, DIB_RGB_COLORS, SRCCOPY),
            1);
    else
        EXPECT_EQ(StretchBlt(dst.dc(), dst_x, 0, dst_w, 1, src.dc(), src_x, 0, src_w, 1, SRCCOPY), TRUE);
    return dst.Row(0);
}

}  // namespace

// A source rectangle reaching past the picture: every destination pixel keeps the place the
// unclipped walk gives it, and one whose run still reaches into the picture takes the edge pixel
// (each expectation measured under Wine).
TEST(StretchBlt, SourcesBeyondThePictureKeepTheEdgePixel) {
    EXPECT_EQ(StretchPart(COLORONCOLOR, 8, 0, 2, 3, 5), (Pixels{6, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 8, 0, 3, 2, 7), (Pixels{4, 6, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 4, 1, 1, 2, 10), (Pixels{0, 6, 0, 0}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 8, 0, 3, -2, 5), (Pixels{0, 1, 3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 8, -3, 9, 3, 5), (Pixels{5, 6, 0, 0, 0, 0, 0, 0}));
}

// A negative destination width with a positive source width: the side is drawn unmirrored over
// a block cut in proportion to the part of the source inside the picture (both ends rounded
// down), and the block is flipped; one pixel then takes the last of its run.
TEST(StretchBlt, MirroredDestinationsFlipTheUnmirroredBlock) {
    EXPECT_EQ(StretchPart(COLORONCOLOR, 10, 9, -7, 0, 2), (Pixels{0, 0, 0, 2, 2, 2, 1, 1, 1, 1}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 8, 5, -3, 3, 4), (Pixels{0, 0, 0, 6, 4, 0, 0, 0}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 10, 6, -7, -3, 5), (Pixels{0, 0, 0, 0, 2, 1, 1, 0, 0, 0}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 10, 6, -7, -3, 5, true), (Pixels{0, 0, 0, 0, 2, 1, 1, 0, 0, 0}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 4, 2, -1, 1, 4), (Pixels{0, 0, 5, 0}));
}

// One destination pixel: StretchBlt takes the run without its last pixel, StretchDIBits the
// whole run (measured under Wine).
TEST(StretchDIBits, OnePixelTakesTheWholeRun) {
    EXPECT_EQ(StretchPart(COLORONCOLOR, 4, 2, 1, 1, 4), (Pixels{0, 0, 4, 0}));
    EXPECT_EQ(StretchPart(COLORONCOLOR, 4, 2, 1, 1, 4, true), (Pixels{0, 0, 5, 0}));
    EXPECT_EQ(StretchPart(BLACKONWHITE, 4, 2, 1, 1, 4, true), (Pixels{0, 0, 2 & 3 & 4 & 5, 0}));
}

// One header rule for every DIB call: zero planes, a short header, a width below 1 and a height
// of 0 or INT_MIN fail them all; several planes fail only the creation of a section.
TEST(DibHeaders, EveryCallReadsAHeaderByTheSameRule) {
    struct Case {
        LONG width, height;
        WORD planes;
        DWORD size;
        bool read, create;
    };
    const Case cases[] = {{4, 4, 1, 40, true, true},    {4, -4, 1, 40, true, true},  {4, 4, 0, 40, false, false},
                          {4, 4, 2, 40, true, false},   {4, 4, 1, 39, false, false}, {0, 4, 1, 40, false, false},
                          {-4, 4, 1, 40, false, false}, {4, 0, 1, 40, false, false}, {4, INT_MIN, 1, 40, false, false}};
    Canvas dst(4, 4);
    HBITMAP bitmap = CreateCompatibleBitmap(dst.dc(), 4, 4);
    for (const Case& c : cases) {
        Dib dib(4);
        dib.info.bmiHeader = Canvas::Header(c.width, c.height);
        dib.info.bmiHeader.biPlanes = c.planes;
        dib.info.bmiHeader.biSize = c.size;
        const int expected = c.read ? 4 : 0;
        EXPECT_EQ(StretchDIBits(dst.dc(), 0, 0, 4, 4, 0, 0, 4, 4, dib.pixels, &dib.info, DIB_RGB_COLORS, SRCCOPY),
                  expected);
        EXPECT_EQ(SetDIBitsToDevice(dst.dc(), 0, 0, 4, 4, 0, 0, 0, 4, dib.pixels, &dib.info, DIB_RGB_COLORS), expected);
        EXPECT_EQ(GetDIBits(dst.dc(), bitmap, 0, 4, dib.pixels, &dib.info, DIB_RGB_COLORS), expected);
        void* bits = nullptr;
        BITMAPINFO create = dib.info;
        HBITMAP section = CreateDIBSection(dst.dc(), &create, DIB_RGB_COLORS, &bits, nullptr, 0);
        EXPECT_EQ(section != nullptr, c.create) << c.width << " x " << c.height << ", planes " << c.planes;
        if (section != nullptr) DeleteObject(section);
    }
    DeleteObject(bitmap);
}

// A stretch that draws nothing fails when the part of its source inside the picture, carried in
// proportion onto the destination, still touches the surface (ends less than about half a pixel
// into it); landing wholly beside the surface succeeds. A destination run backwards is carried
// one pixel further back. Each row measured under Wine on a 64 x 48 surface from a 24 x 20
// picture; the other side of each call is an ordinary 10-pixel stretch well inside.
TEST(StretchTransfers, FailWhenTheSourceTouchesTheSurfaceYetDrawsNothing) {
    struct Case {
        bool dib;
        int x, y, w, h, xs, ys, ws, hs;
        bool ok;
    };
    const Case cases[] = {
        {false, -4, 10, 10, 10, 21, 5, 7, 5, false},  {false, -5, 10, 11, 10, 23, 5, 5, 5, true},
        {false, 63, 10, 3, 10, -3, 5, 10, 5, false},  {false, 62, 10, 7, 10, -4, 5, 9, 5, true},
        {false, 0, 10, -6, 10, -1, 5, 4, 5, false},   {false, 1, 10, -3, 10, 22, 5, 5, 5, true},
        {false, 67, 10, -7, 10, -2, 5, 4, 5, false},  {false, 66, 10, -4, 10, 23, 5, 6, 5, true},
        {false, 10, 45, 10, 10, 5, -3, 5, 10, false}, {false, 10, 47, 10, 9, 5, -7, 5, 10, true},
        {false, 10, 53, 10, -7, 5, -1, 5, 4, false},  {false, 10, 55, 10, -9, 5, -3, 5, 6, true},
        {true, -8, 10, 9, 10, 16, 5, 9, 5, false},    {true, -3, 10, 4, 10, 21, 5, 10, 5, true},
        {true, 62, 10, 12, 10, -1, 5, 7, 5, false},   {true, 57, 10, 11, 10, -3, 5, 4, 5, true},
        {true, 0, 10, -6, 10, -3, 5, 5, 5, false},    {true, 0, 10, -10, 10, 23, 5, 8, 5, true},
        {true, 65, 10, -5, 10, -3, 5, 4, 5, false},   {true, 71, 10, -10, 10, -2, 5, 5, 5, true},
        {true, 10, 43, 10, 11, 5, 14, 5, 11, false},  {true, 10, 45, 10, 4, 5, 18, 5, 10, true},
        {true, 10, 55, 10, -11, 5, 17, 5, 5, false},  {true, 10, 54, 10, -12, 5, 18, 5, 8, true},
    };
    Canvas src(24, 20);
    for (int i = 0; i < 24 * 20; ++i) src.bits()[i] = static_cast<std::uint32_t>(i + 1);
    BITMAPINFO info{};
    info.bmiHeader = Canvas::Header(24, 20);
    for (const Case& c : cases) {
        Canvas dst(64, 48);
        const int result = c.dib ? StretchDIBits(dst.dc(), c.x, c.y, c.w, c.h, c.xs, c.ys, c.ws, c.hs, src.bits(),
                                                 &info, DIB_RGB_COLORS, SRCCOPY)
                                 : StretchBlt(dst.dc(), c.x, c.y, c.w, c.h, src.dc(), c.xs, c.ys, c.ws, c.hs, SRCCOPY);
        EXPECT_EQ(result, c.ok ? (c.dib ? 20 : TRUE) : 0)
            << c.dib << " " << c.x << "," << c.y << " " << c.w << "x" << c.h;
        EXPECT_TRUE(std::all_of(dst.bits(), dst.bits() + 64 * 48, [](std::uint32_t p) { return p == 0; })) << c.x;
    }
}

// The visible box is the surface cut by the clip region's bounds: a stretch that touches the box
// of a clip rectangle without drawing in it fails, though the surface around it would have taken
// pixels (measured under Wine).
TEST(StretchTransfers, TheVisibleBoxFollowsTheClipRegionsBounds) {
    Canvas src(24, 20);
    Canvas dst(64, 48);
    IntersectClipRect(dst.dc(), 23, 8, 18, 54);
    EXPECT_EQ(StretchBlt(dst.dc(), 1, 2, 29, 27, src.dc(), 10, 16, 6, 18, SRCPAINT), FALSE);
    SelectClipRgn(dst.dc(), nullptr);
    EXPECT_EQ(StretchBlt(dst.dc(), 1, 2, 29, 27, src.dc(), 10, 16, 6, 18, SRCPAINT), TRUE);
}
