// DrawImage: an image stored and drawn back at its own size, the -1 size rule, stretching, and
// the images it refuses (an unknown type code) or ignores (an empty image).
#include "test_support.h"

#include <cstring>

using namespace graphics_test;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A picture of width x height pixels: the left half red, the right half blue, the bottom row
// green; built by hand in the layout StoreImage produces.
image MakeImage(unsigned short width, unsigned short height, int type = 1) {
    image picture;
    picture.usWidth = width;
    picture.usHeight = height;
    picture.iImageType = type;
    picture.bmiImageInfo = new BITMAPINFOHEADER{};
    picture.bmiImageInfo->biSize = sizeof(BITMAPINFOHEADER);
    picture.bmiImageInfo->biWidth = width;
    picture.bmiImageInfo->biHeight = -height;
    picture.bmiImageInfo->biPlanes = 1;
    picture.bmiImageInfo->biBitCount = 32;
    picture.ucpImageData = new unsigned char[static_cast<std::size_t>(width) * height * 4u]();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = picture.ucpImageData + (y * width + x) * 4;
            const COLORREF c = y == height - 1 ? kGreen : (x < width / 2 ? kRed : kBlue);
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    return picture;
}

COLORREF PixelAt(const window& w, int x, int y) { return GetPixel(WindowInspector::Active(w), x, y); }

}  // namespace

TEST(DrawImage, StoredImageDrawnBackRestoresThePixels) {
    auto w = OpenWindow();
    Wipe(*w);
    w->SetPen(12, 180, 243, 1);
    w->SetBrush(200, 30, 40);
    w->DrawEllipse(10, 10, 60, 40, FILLED);
    w->DrawLine(0, 45, 70, 5, FRAME);
    const HDC dc = WindowInspector::Active(*w);
    const std::vector<COLORREF> before = Snapshot(dc, 5, 3, 75, 50);
    image picture;
    w->StoreImage(picture, 5, 3, 70, 47);
    Wipe(*w);
    ASSERT_NE(Snapshot(dc, 5, 3, 75, 50), before);
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 5, 3, -1, -1); }), "");
    EXPECT_EQ(Snapshot(dc, 5, 3, 75, 50), before);
}

TEST(DrawImage, MinusOneInEitherSizeDrawsAtTheImagesOwnSize) {
    auto w = OpenWindow();
    Wipe(*w);
    const image picture = MakeImage(10, 6);
    w->DrawImage(&picture, 20, 30, -1, 50);
    EXPECT_EQ(PixelAt(*w, 20, 30), kRed);
    EXPECT_EQ(PixelAt(*w, 29, 34), kBlue);
    EXPECT_EQ(PixelAt(*w, 29, 35), kGreen);
    EXPECT_EQ(PixelAt(*w, 30, 30), kWhite) << "no wider than the image";
    EXPECT_EQ(PixelAt(*w, 20, 36), kWhite) << "no taller than the image";
    w->DrawImage(picture, 100, 100, 40, -1);
    EXPECT_EQ(PixelAt(*w, 109, 105), kGreen);
    EXPECT_EQ(PixelAt(*w, 110, 100), kWhite);
}

TEST(DrawImage, OtherSizesStretchTheImage) {
    auto w = OpenWindow();
    Wipe(*w);
    const image picture = MakeImage(2, 2);
    w->DrawImage(picture, 10, 20, 200, 50);
    EXPECT_EQ(PixelAt(*w, 10, 20), kRed);
    EXPECT_EQ(PixelAt(*w, 109, 44), kRed);
    EXPECT_EQ(PixelAt(*w, 110, 20), kBlue);
    EXPECT_EQ(PixelAt(*w, 209, 44), kBlue);
    EXPECT_EQ(PixelAt(*w, 10, 45), kGreen);
    EXPECT_EQ(PixelAt(*w, 209, 69), kGreen);
    EXPECT_EQ(PixelAt(*w, 210, 20), kWhite);
    EXPECT_EQ(PixelAt(*w, 10, 70), kWhite);
}

TEST(DrawImage, RefusesUnknownTypesAndIgnoresEmptyImages) {
    auto w = OpenWindow();
    Wipe(*w);
    const image typed = MakeImage(4, 4, 2);
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(typed, 0, 0, -1, -1); }), "Fatal Error: Unsupported image type!\n");
    EXPECT_EQ(PixelAt(*w, 0, 0), kWhite);
    image empty_typed;
    empty_typed.iImageType = 2;
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(empty_typed, 0, 0, 5, 5); }), "");
    image flat = MakeImage(4, 4);
    flat.usHeight = 0;
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(flat, 0, 0, -1, -1); }), "");
    EXPECT_EQ(PixelAt(*w, 0, 0), kWhite);
    const image zero_typed = MakeImage(4, 4, 0);
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(zero_typed, 0, 0, 8, 8); }), "");
    EXPECT_EQ(PixelAt(*w, 7, 7), kGreen);
}
