// GDI objects and DC state through the Win32 calls only, so the same checks run on the portable
// implementation and, cross-built, on Windows (Wine). Expected values are what Wine returns.
#include <platform/gdi_count.h>
#include <platform/win32.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class MemoryDc : public ::testing::Test {
protected:
    void SetUp() override { dc = CreateCompatibleDC(nullptr); }
    void TearDown() override { DeleteDC(dc); }
    HDC dc = nullptr;
};

TEST(StockObjects, HaveTheirKindsAndSurviveDeleteObject) {
    struct Expected {
        int index;
        DWORD type;
    };
    const Expected table[] = {{WHITE_BRUSH, OBJ_BRUSH}, {BLACK_BRUSH, OBJ_BRUSH},  {NULL_BRUSH, OBJ_BRUSH},
                              {WHITE_PEN, OBJ_PEN},     {BLACK_PEN, OBJ_PEN},      {NULL_PEN, OBJ_PEN},
                              {SYSTEM_FONT, OBJ_FONT},  {ANSI_VAR_FONT, OBJ_FONT}, {DEFAULT_GUI_FONT, OBJ_FONT},
                              {DC_BRUSH, OBJ_BRUSH},    {DC_PEN, OBJ_PEN}};
    for (const Expected& e : table) {
        HGDIOBJ stock = GetStockObject(e.index);
        EXPECT_EQ(GetObjectType(stock), e.type) << "stock object " << e.index;
        EXPECT_TRUE(DeleteObject(stock)) << "stock object " << e.index;
        EXPECT_EQ(GetObjectType(stock), e.type) << "stock object " << e.index << " after DeleteObject";
        EXPECT_EQ(GetStockObject(e.index), stock);
    }
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(22), nullptr);
}

TEST(StockObjects, DescribeThemselves) {
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectA(GetStockObject(LTGRAY_BRUSH), sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbColor, RGB(192, 192, 192));
    LOGPEN pen{};
    ASSERT_EQ(GetObjectA(GetStockObject(NULL_PEN), sizeof pen, &pen), static_cast<int>(sizeof pen));
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_NULL));
    LOGFONTA font{};
    ASSERT_EQ(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, "System");
}

TEST(GdiObjects, DeletedHandleIsStaleEverywhere) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    ASSERT_NE(pen, nullptr);
    ASSERT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_FALSE(DeleteObject(pen));
    LOGPEN described{};
    EXPECT_EQ(GetObjectA(pen, sizeof described, &described), 0);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(dc, pen), nullptr);
    DeleteDC(dc);
    EXPECT_FALSE(DeleteObject(nullptr));
}

TEST(GdiObjects, GetObjectReportsWhatWasCreated) {
    HPEN pen = CreatePen(PS_DASH, -5, RGB(10, 20, 30));
    LOGPEN logpen{};
    EXPECT_EQ(GetObjectA(pen, 0, nullptr), static_cast<int>(sizeof logpen));
    EXPECT_EQ(GetObjectA(pen, 4, &logpen), 0);  // a pen needs the whole LOGPEN
    ASSERT_EQ(GetObjectA(pen, sizeof logpen, &logpen), static_cast<int>(sizeof logpen));
    EXPECT_EQ(logpen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(logpen.lopnWidth.x, 5);  // negative widths count as positive
    EXPECT_EQ(logpen.lopnColor, RGB(10, 20, 30));
    DeleteObject(pen);

    HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
    LOGBRUSH logbrush{};
    ASSERT_EQ(GetObjectA(brush, sizeof logbrush, &logbrush), static_cast<int>(sizeof logbrush));
    EXPECT_EQ(logbrush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(logbrush.lbColor, RGB(9, 8, 7));
    DeleteObject(brush);
}

// A row of 2^26 pixels at 32 bits is 2^31 bits. GDI's row size wraps in 32 bits (measured under
// Wine: -2^28); the portable one computed the same in int, which is undefined behaviour.
TEST(GdiObjects, BitmapRowSizeOfAVeryWideBitmapWrapsAsGdisDoes) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1 << 26, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP wide = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (wide == nullptr) {
        GTEST_SKIP() << "no memory for a 256 MB bitmap";
    }
    BITMAP described{};
    ASSERT_EQ(GetObjectA(wide, sizeof described, &described), static_cast<int>(sizeof described));
    EXPECT_EQ(described.bmWidth, 1 << 26);
    EXPECT_EQ(described.bmWidthBytes, -(1 << 28));
    EXPECT_EQ(described.bmBitsPixel, 32);
    DeleteObject(wide);
}

TEST(GdiObjects, FontHandsOverAsMuchAsFits) {
    LOGFONTA request{};
    request.lfHeight = -13;
    std::strcpy(request.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(&request);
    LOGFONTA back{};
    EXPECT_EQ(GetObjectA(font, 10, &back), 10);
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_EQ(back.lfFaceName[0], '\0');  // not reached by 10 bytes
    ASSERT_EQ(GetObjectA(font, sizeof back, &back), static_cast<int>(sizeof back));
    EXPECT_STREQ(back.lfFaceName, "Arial");
    DeleteObject(font);
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
}

TEST_F(MemoryDc, MostNegativeWidthDrawsAsAThinPen) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    HPEN pen = CreatePen(PS_SOLID, -2147483647 - 1, RGB(1, 2, 3));
    ASSERT_NE(pen, nullptr);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, 0, 3, nullptr);
    EXPECT_TRUE(LineTo(dc, 4, 3));
    EXPECT_EQ(GetPixel(dc, 0, 3), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 0, 2), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 4), RGB(0, 0, 0));
    SelectObject(dc, old);
    SelectObject(dc, old_bitmap);
    DeleteObject(pen);
    DeleteObject(bitmap);
}

TEST(GdiObjects, NullPenRequestGivesTheStockNullPen) {
    EXPECT_EQ(CreatePen(PS_NULL, 3, RGB(1, 1, 1)), GetStockObject(NULL_PEN));
}

TEST_F(MemoryDc, NewDcHoldsTheDefaultObjects) {
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetObjectType(GetCurrentObject(dc, OBJ_BITMAP)), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetCurrentObject(dc, 99), nullptr);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    // The default bitmap is 1 x 1 and black.
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
}

TEST_F(MemoryDc, DeletingASelectedObjectWaitsForItsRelease) {
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(5, 5, 5));
    HGDIOBJ old = SelectObject(dc, pen);
    ASSERT_EQ(old, GetStockObject(BLACK_PEN));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));  // still held by the DC
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(SelectObject(dc, old), pen);
    EXPECT_EQ(GetObjectType(pen), 0u);  // freed on release
}

TEST(DeviceContexts, DeleteDcFinishesPendingDeletions) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(dc, brush);
    ASSERT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_FALSE(DeleteDC(dc));
}

TEST(DeviceContexts, WrongKindsOfHandleFail) {
    HDC dc = CreateCompatibleDC(nullptr);
    HDC other = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(SelectObject(dc, other), nullptr);
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(pen), GetStockObject(WHITE_BRUSH)), nullptr);
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(pen)));
    EXPECT_EQ(GetObjectA(dc, 0, nullptr), 0);
    EXPECT_TRUE(DeleteObject(other));  // DeleteObject of a DC deletes it
    EXPECT_EQ(GetObjectType(other), 0u);
    DeleteObject(pen);
    DeleteDC(dc);
}

TEST(DeviceContexts, ABitmapGoesIntoOneMemoryDcOnly) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    HDC first = CreateCompatibleDC(screen);
    HDC second = CreateCompatibleDC(screen);
    HGDIOBJ original = SelectObject(first, bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(SelectObject(screen, bitmap), nullptr);  // never into a window DC
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    SelectObject(first, original);
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    DeleteDC(first);
    DeleteDC(second);
    ReleaseDC(nullptr, screen);
}

TEST(DeviceContexts, SelectingARegionReturnsItsComplexity) {
    HDC dc = CreateCompatibleDC(nullptr);
    HRGN simple = CreateRectRgn(0, 0, 5, 5);
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    HRGN complex = CreateRectRgn(0, 0, 5, 5);
    HRGN apart = CreateRectRgn(10, 10, 15, 15);
    CombineRgn(complex, complex, apart, RGN_OR);
    auto as_result = [](HGDIOBJ h) { return reinterpret_cast<std::intptr_t>(h); };
    EXPECT_EQ(as_result(SelectObject(dc, simple)), SIMPLEREGION);
    EXPECT_EQ(as_result(SelectObject(dc, empty)), NULLREGION);
    EXPECT_EQ(as_result(SelectObject(dc, complex)), COMPLEXREGION);
    EXPECT_TRUE(DeleteObject(simple));  // the DC holds a copy, not the region
    for (HRGN r : {empty, complex, apart}) DeleteObject(r);
    DeleteDC(dc);
}

TEST(DeviceContexts, StateCallsCheckTheirArguments) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetROP2(dc, 0), 0);
    EXPECT_EQ(SetROP2(dc, R2_WHITE + 1), 0);
    EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(GetROP2(dc), R2_XORPEN);
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    POINT previous{-1, -1};
    EXPECT_TRUE(MoveToEx(dc, 10, 20, &previous));
    EXPECT_EQ(previous.x, 0);
    EXPECT_TRUE(MoveToEx(dc, 3, 4, nullptr));
    POINT now{};
    EXPECT_TRUE(GetCurrentPositionEx(dc, &now));
    EXPECT_EQ(now.x, 3);
    EXPECT_EQ(now.y, 4);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    EXPECT_NE(GetDeviceCaps(dc, RASTERCAPS) & RC_BITBLT, 0);
    EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
    DeleteDC(dc);
}

TEST(DeviceContexts, InvalidDcGivesEachCallsFailureValue) {
    HDC bad = nullptr;
    EXPECT_EQ(SetROP2(bad, R2_COPYPEN), 0);
    EXPECT_EQ(GetROP2(bad), 0);
    EXPECT_EQ(SetTextColor(bad, 0), CLR_INVALID);
    EXPECT_FALSE(MoveToEx(bad, 1, 1, nullptr));
    EXPECT_EQ(GetPixel(bad, 0, 0), CLR_INVALID);
    EXPECT_EQ(GetDeviceCaps(bad, HORZRES), 0);
    EXPECT_EQ(SelectObject(bad, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_EQ(GetCurrentObject(bad, OBJ_PEN), nullptr);
}

TEST(GdiCount, CreatedAndDeletedObjectsLeaveNoneBehind) {
    int before = zg_live_gdi_objects();
    if (before < 0) GTEST_SKIP() << "this platform does not count GDI objects";
    HDC dc = CreateCompatibleDC(nullptr);
    for (int i = 0; i < 10000; ++i) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(i & 255, 0, 0));
        DeleteObject(SelectObject(dc, pen));  // the previous pen, or the stock one (a no-op)
    }
    EXPECT_EQ(zg_live_gdi_objects(), before + 2);  // the DC and the last pen
    DeleteObject(SelectObject(dc, GetStockObject(BLACK_PEN)));
    DeleteDC(dc);
    EXPECT_EQ(zg_live_gdi_objects(), before);
}

}  // namespace
