// Text through the Win32 calls only: metrics, extents, alignment and the current position,
// background modes and glyph colours, bad arguments. Draws into a 32-bit DIB section selected
// into a memory DC, and reads its bits directly.
#include <platform/win32.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace {

constexpr int k_width = 240;
constexpr int k_height = 80;
constexpr DWORD k_paper = 0x0000FF00;  // green, as the DIB stores it (0x00RRGGBB)

HFONT make_font(LONG height, LONG weight, BYTE family = FF_SWISS, const char* face = "", LONG width = 0) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = family;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

class TextDc : public ::testing::Test {
protected:
    void SetUp() override {
        m_dc = CreateCompatibleDC(nullptr);
        ASSERT_NE(m_dc, nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = k_width;
        bi.bmiHeader.biHeight = -k_height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(m_bitmap, nullptr);
        m_bits = static_cast<DWORD*>(bits);
        m_old_bitmap = SelectObject(m_dc, m_bitmap);
        m_font = make_font(14, FW_BOLD);
        m_old_font = SelectObject(m_dc, m_font);
        paper();
    }
    void TearDown() override {
        SelectObject(m_dc, m_old_font);
        SelectObject(m_dc, m_old_bitmap);
        DeleteObject(m_font);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    void paper() {
        GdiFlush();
        for (int i = 0; i < k_width * k_height; ++i) m_bits[i] = k_paper;
    }
    DWORD pixel(int x, int y) {
        GdiFlush();
        return m_bits[y * k_width + x] & 0x00FFFFFF;
    }
    // Bounding box of the pixels that are no longer paper; empty (right < left) if none.
    RECT changed() {
        GdiFlush();
        RECT box{k_width, k_height, -1, -1};
        for (int y = 0; y < k_height; ++y) {
            for (int x = 0; x < k_width; ++x) {
                if ((m_bits[y * k_width + x] & 0x00FFFFFF) == k_paper) continue;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                       std::max<LONG>(box.bottom, y)};
            }
        }
        return box;
    }
    SIZE extent(const std::string& text) {
        SIZE size{-1, -1};
        EXPECT_TRUE(GetTextExtentPoint32A(m_dc, text.c_str(), static_cast<int>(text.size()), &size));
        return size;
    }
    TEXTMETRICA metrics() {
        TEXTMETRICA tm{};
        EXPECT_TRUE(GetTextMetricsA(m_dc, &tm));
        return tm;
    }

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_old_bitmap = nullptr;
    HGDIOBJ m_old_font = nullptr;
    DWORD* m_bits = nullptr;
};

TEST_F(TextDc, PositiveHeightIsTheCellAndNegativeTheEm) {
    for (LONG height : {10, 14, 20}) {
        HFONT font = make_font(height, FW_NORMAL);
        SelectObject(m_dc, font);
        const TEXTMETRICA tm = metrics();
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_LE(tm.tmHeight, height) << "a positive height is the largest cell not above it";
        EXPECT_GE(tm.tmHeight, height - 1);
        EXPECT_EQ(extent("Angle").cy, tm.tmHeight);
        SelectObject(m_dc, m_font);
        DeleteObject(font);
    }
    HFONT em = make_font(-14, FW_NORMAL);
    SelectObject(m_dc, em);
    const TEXTMETRICA tm = metrics();
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 14) << "a negative height is the em height";
    EXPECT_GT(tm.tmHeight, 14);
    SelectObject(m_dc, m_font);
    DeleteObject(em);
}

TEST_F(TextDc, BoldIsWiderThanRegular) {
    const SIZE bold = extent("Vitesse de rotation");
    HFONT regular = make_font(14, FW_NORMAL);
    SelectObject(m_dc, regular);
    const SIZE plain = extent("Vitesse de rotation");
    EXPECT_GT(bold.cx, plain.cx);
    EXPECT_EQ(bold.cy, plain.cy);
    SelectObject(m_dc, m_font);
    DeleteObject(regular);
}

TEST_F(TextDc, ExtentIsTheSumOfTheCharactersAndEmptyIsZero) {
    EXPECT_EQ(extent("Angle").cx, extent("An").cx + extent("gle").cx);
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(m_dc, "", 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    EXPECT_FALSE(GetTextExtentPoint32A(m_dc, "abc", -1, &size));
}

TEST_F(TextDc, Windows1252BytesAreTheirCharacters) {
    EXPECT_EQ(extent("\xE9").cx, extent("e").cx) << "0xE9 is e acute, as wide as e";
    EXPECT_NE(extent("\x80").cx, extent("\x81").cx) << "0x80 is the euro sign";
    EXPECT_EQ(extent("\x81").cx, extent("\x8D").cx) << "undefined bytes share the default glyph";
    EXPECT_EQ(extent("\xA0").cx, extent(" ").cx) << "0xA0 is a no-break space";
}

TEST_F(TextDc, TextFaceNamesTheChosenFace) {
    char name[LF_FACESIZE] = {};
    const int needed = GetTextFaceA(m_dc, 0, nullptr);
    ASSERT_GT(needed, 1);
    EXPECT_EQ(GetTextFaceA(m_dc, LF_FACESIZE, name), needed - 1);
    EXPECT_EQ(static_cast<int>(std::strlen(name)), needed - 1);
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetTextFaceA(m_dc, 5, small), 4);
    EXPECT_EQ(small[4], '\0');
    EXPECT_EQ(std::string(small), std::string(name).substr(0, 4));
}

TEST_F(TextDc, UpdateCpStartsAtThePositionAndMovesByTheAdvance) {
    const LONG width = extent("abc").cx;
    struct Case {
        UINT align;
        LONG expected_x;
    };
    for (const Case c : {Case{TA_UPDATECP | TA_LEFT, 100 + width}, Case{TA_UPDATECP | TA_RIGHT, 100 - width},
                         Case{TA_UPDATECP | TA_CENTER, 100}, Case{TA_UPDATECP | TA_BASELINE, 100 + width}}) {
        SetTextAlign(m_dc, c.align);
        MoveToEx(m_dc, 100, 20, nullptr);
        EXPECT_TRUE(TextOutA(m_dc, 5, 5, "abc", 3));
        POINT p{};
        GetCurrentPositionEx(m_dc, &p);
        EXPECT_EQ(p.x, c.expected_x) << "align " << c.align;
        EXPECT_EQ(p.y, 20);
    }
    MoveToEx(m_dc, 100, 20, nullptr);
    SetTextAlign(m_dc, TA_UPDATECP);
    EXPECT_TRUE(TextOutA(m_dc, 5, 5, "", 0));
    POINT p{};
    GetCurrentPositionEx(m_dc, &p);
    EXPECT_EQ(p.x, 100);
}

TEST_F(TextDc, UpdateCpIgnoresTheCoordinates) {
    SetBkMode(m_dc, TRANSPARENT);
    SetTextAlign(m_dc, TA_UPDATECP);
    MoveToEx(m_dc, 120, 40, nullptr);
    TextOutA(m_dc, 0, 0, "Angle", 5);
    const RECT box = changed();
    EXPECT_GE(box.left, 120);
    EXPECT_GE(box.top, 40);
}

TEST_F(TextDc, OpaquePaintsExactlyTheExtentInTheBackgroundColour) {
    SetBkMode(m_dc, OPAQUE);
    SetBkColor(m_dc, RGB(0, 0, 255));
    SetTextColor(m_dc, RGB(255, 0, 0));
    SetTextAlign(m_dc, TA_LEFT | TA_TOP);
    TextOutA(m_dc, 10, 10, "Vitesse", 7);
    const SIZE size = extent("Vitesse");
    const RECT box = changed();
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 10 + size.cx - 1);
    EXPECT_EQ(box.bottom, 10 + size.cy - 1);
    EXPECT_EQ(pixel(10, 10 + size.cy - 1), 0x0000FFu) << "the cell's corner is background blue";
}

TEST_F(TextDc, TransparentTouchesOnlyGlyphPixelsInTheTextColour) {
    SetBkMode(m_dc, TRANSPARENT);
    SetBkColor(m_dc, RGB(0, 0, 255));
    SetTextColor(m_dc, RGB(255, 0, 0));
    SetTextAlign(m_dc, TA_LEFT | TA_TOP);
    TextOutA(m_dc, 10, 10, "HIL", 3);
    const TEXTMETRICA tm = metrics();
    int full = 0;
    for (int y = 0; y < k_height; ++y) {
        for (int x = 0; x < k_width; ++x) {
            const DWORD p = pixel(x, y);
            EXPECT_EQ(p & 0xFF, 0u) << "no background blue anywhere";
            if (p == 0xFF0000u) ++full;
        }
    }
    EXPECT_GT(full, 10) << "the stems of H, I and L are solid text colour";
    const RECT box = changed();
    EXPECT_GT(box.top, 10) << "the internal leading above the capitals stays paper";
    EXPECT_LT(box.bottom, 10 + tm.tmAscent) << "capitals sit on the baseline";
}

TEST_F(TextDc, AlignmentMovesTheCellAroundTheReferencePoint) {
    SetBkMode(m_dc, OPAQUE);
    SetBkColor(m_dc, RGB(0, 0, 255));
    const SIZE size = extent("Angle");
    const TEXTMETRICA tm = metrics();
    struct Case {
        UINT align;
        LONG left;
        LONG top;
    };
    for (const Case c :
         {Case{TA_RIGHT | TA_TOP, 120 - size.cx, 40}, Case{TA_CENTER | TA_TOP, 120 - size.cx / 2, 40},
          Case{TA_LEFT | TA_BASELINE, 120, 40 - tm.tmAscent}, Case{TA_LEFT | TA_BOTTOM, 120, 40 - tm.tmHeight}}) {
        paper();
        SetTextAlign(m_dc, c.align);
        TextOutA(m_dc, 120, 40, "Angle", 5);
        const RECT box = changed();
        EXPECT_EQ(box.left, c.left) << "align " << c.align;
        EXPECT_EQ(box.top, c.top) << "align " << c.align;
        EXPECT_EQ(box.right - box.left + 1, size.cx);
    }
}

TEST_F(TextDc, TextIsClippedToTheBitmap) {
    SetBkMode(m_dc, OPAQUE);
    SetTextAlign(m_dc, TA_LEFT | TA_TOP);
    EXPECT_TRUE(TextOutA(m_dc, k_width - 5, k_height - 5, "Vitesse de rotation", 19));
    EXPECT_TRUE(TextOutA(m_dc, -100000, -100000, "Vitesse", 7));
    const RECT box = changed();
    EXPECT_EQ(box.left, k_width - 5);
    EXPECT_EQ(box.top, k_height - 5);
}

TEST_F(TextDc, BadArgumentsFailCleanly) {
    HDC bad = reinterpret_cast<HDC>(static_cast<ULONG_PTR>(0x5A5A5A));
    SIZE size{};
    TEXTMETRICA tm{};
    EXPECT_FALSE(TextOutA(bad, 0, 0, "a", 1));
    EXPECT_FALSE(TextOutA(m_dc, 0, 0, "abc", -1));
    EXPECT_TRUE(TextOutA(m_dc, 0, 0, nullptr, 0));
    EXPECT_FALSE(GetTextExtentPoint32A(bad, "a", 1, &size));
    EXPECT_FALSE(GetTextMetricsA(bad, &tm));
    EXPECT_EQ(SetBkMode(bad, TRANSPARENT), 0);
    EXPECT_EQ(GetBkMode(bad), 0);
    EXPECT_EQ(SetBkColor(bad, 0), CLR_INVALID);
    EXPECT_EQ(GetBkColor(bad), CLR_INVALID);
    EXPECT_EQ(SetTextAlign(bad, TA_UPDATECP), static_cast<UINT>(GDI_ERROR));
}

TEST_F(TextDc, StateSettersReturnThePreviousValue) {
    EXPECT_EQ(SetBkMode(m_dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(m_dc, 3), 0) << "an unknown mode is refused";
    EXPECT_EQ(GetBkMode(m_dc), TRANSPARENT);
    EXPECT_EQ(SetBkColor(m_dc, RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(m_dc), RGB(1, 2, 3));
    EXPECT_EQ(SetTextAlign(m_dc, TA_UPDATECP | TA_BASELINE), static_cast<UINT>(TA_LEFT | TA_TOP));
    EXPECT_EQ(GetTextAlign(m_dc), static_cast<UINT>(TA_UPDATECP | TA_BASELINE));
}

TEST_F(TextDc, ADcWithoutAFontOfItsOwnStillMeasures) {
    HDC fresh = CreateCompatibleDC(nullptr);
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(fresh, "Angle", 5, &size));
    EXPECT_GT(size.cx, 0);
    EXPECT_GT(size.cy, 0);
    DeleteDC(fresh);
}

// The figures below are what Windows' GDI (Wine's, over the same FreeType) gives for the
// same requests; this test runs against both.
TEST_F(TextDc, AFreshDcDrawsWithTheSystemFontSqueezedToAnAverageOfSeven) {
    HDC fresh = CreateCompatibleDC(nullptr);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(fresh, &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_EQ(tm.tmAveCharWidth, 7);
    EXPECT_EQ(tm.tmMaxCharWidth, 13) << "17 natural pixels, stretched by 7 / 9";
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(fresh, "Wg|Ax", 5, &size));
    EXPECT_EQ(size.cx, 11 + 7 + 4 + 8 + 7) << "hinted advances 13, 9, 4, 10 and 8, times 7 / 9, rounded up";
    EXPECT_EQ(size.cy, 16);
    DeleteDC(fresh);
}

TEST_F(TextDc, AWidthStretchesTheGlyphsAndItsSignDoesNotMatter) {
    const auto drawn = [this](LONG width) {
        HFONT font = make_font(16, FW_BOLD, FF_SWISS, "Liberation Sans", width);
        SelectObject(m_dc, font);
        paper();
        TextOutA(m_dc, 2, 2, "mmmm", 4);
        const RECT ink = changed();
        const LONG average = metrics().tmAveCharWidth;
        const LONG advance = extent("mmmm").cx;
        SelectObject(m_dc, m_font);
        DeleteObject(font);
        return std::array<LONG, 3>{ink.right - ink.left + 1, average, advance};
    };
    const auto natural = drawn(0), narrow = drawn(5), wide = drawn(18), negative = drawn(-18);
    EXPECT_EQ(natural[1], 9);
    EXPECT_EQ(narrow[1], 5);
    EXPECT_EQ(wide[1], 18);
    EXPECT_EQ(natural[2], 4 * 12) << "m advances 12 pixels";
    EXPECT_EQ(narrow[2], 4 * 7) << "12 * 5 / 9 = 6.7 rounds up";
    EXPECT_EQ(wide[2], 4 * 24);
    EXPECT_LT(narrow[0], natural[0]);
    EXPECT_GT(wide[0], natural[0] + natural[0] / 2);
    EXPECT_EQ(negative, wide);
}

TEST_F(TextDc, AWidthOverAHundredCellsIsIgnored) {
    for (const LONG width : {LONG{1600}, LONG{1601}}) {
        HFONT font = make_font(16, FW_BOLD, FF_SWISS, "Liberation Sans", width);
        SelectObject(m_dc, font);
        EXPECT_EQ(metrics().tmAveCharWidth, width == 1600 ? 1600 : 9) << width;
        SelectObject(m_dc, m_font);
        DeleteObject(font);
    }
}

}  // namespace
