// Images and read-back: the bounds test of StoreImage, the stored layout, and GetColor.
#include "test_support.h"

#include <climits>

using namespace graphics_test;

TEST(StoreImage, AcceptsSelectionsEndingAtTheEdgeAndRefusesLargerOnes) {
    auto w = OpenWindow(100, 70);
    image whole;
    EXPECT_EQ(CaptureOutput([&] { w->StoreImage(whole, 0, 0, 100, 70); }), "");
    EXPECT_EQ(whole.usWidth, 100);
    EXPECT_EQ(whole.usHeight, 70);
    image refused;
    const char* message = "Fatal Error: StoreImage selection extends outside the window!\n";
    EXPECT_EQ(CaptureOutput([&] { w->StoreImage(refused, 0, 0, 101, 70); }), message);
    EXPECT_EQ(CaptureOutput([&] { w->StoreImage(refused, 90, 1, 10, 70); }), message);
    EXPECT_EQ(CaptureOutput([&] { w->StoreImage(refused, 0xFFFFFFFFu, 0, 2, 2); }), message);
    EXPECT_EQ(refused.usWidth, 0);
    EXPECT_EQ(refused.ucpImageData, nullptr);
    EXPECT_EQ(refused.bmiImageInfo, nullptr);
}

// As window.h says: no pixels make an empty image, in silence, and an empty image draws nothing.
TEST(StoreImage, APartOfNoPixelsLeavesAnEmptyImageThatDrawsNothing) {
    auto w = OpenWindow(100, 70);
    image picture;
    w->StoreImage(picture, 0, 0, 5, 5);
    EXPECT_EQ(CaptureOutput([&] { w->StoreImage(picture, 10, 10, 0, 0); }), "");
    EXPECT_EQ(CaptureOutput([&] { w->StoreImage(picture, 10, 10, 7, 0); }), "");
    EXPECT_EQ(picture.usWidth, 0);
    EXPECT_EQ(picture.usHeight, 0);
    EXPECT_EQ(picture.iImageType, 0);
    EXPECT_EQ(picture.ucpImageData, nullptr);
    EXPECT_EQ(picture.bmiImageInfo, nullptr);
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 3, 3, -1, -1); }), "");
    EXPECT_EQ(CaptureOutput([&] { w->DrawImage(picture, 3, 3, 40, 40); }), "");
}

TEST(StoreImage, StoresTopDownBlueGreenRedPixels) {
    auto w = OpenWindow();
    Wipe(*w);
    w->SetPen(12, 180, 243, 1);
    w->DrawPixel(21, 10);
    image picture;
    w->StoreImage(&picture, 20, 10, 3, 2);
    ASSERT_NE(picture.bmiImageInfo, nullptr);
    EXPECT_EQ(picture.iImageType, 1);
    EXPECT_EQ(picture.bmiImageInfo->biWidth, 3);
    EXPECT_EQ(picture.bmiImageInfo->biHeight, -2);
    EXPECT_EQ(picture.bmiImageInfo->biBitCount, 32);
    ASSERT_NE(picture.ucpImageData, nullptr);
    const unsigned char* second = picture.ucpImageData + 4;
    EXPECT_EQ(second[0], 243);
    EXPECT_EQ(second[1], 180);
    EXPECT_EQ(second[2], 12);
    EXPECT_EQ(picture.ucpImageData[0], 255);
    EXPECT_EQ(picture.ucpImageData[3 * 4 + 4], 255) << "second row";
    image moved(std::move(picture));
    EXPECT_EQ(moved.usWidth, 3);
    EXPECT_EQ(picture.ucpImageData, nullptr);
}

TEST(GetColor, ReadsThePixelAsAColourAndAsFractions) {
    auto w = OpenWindow();
    Wipe(*w);
    w->SetPen(12, 180, 243, 1);
    w->SetBrush(12, 180, 243);
    w->DrawRectangle(10, 10, 20, 20, FILLED, 0, 0);
    EXPECT_EQ(w->GetColor(15, 15), color(12, 180, 243));
    EXPECT_NEAR(w->GetRed(15, 15), 12 / 255.0, 1e-12);
    double red = 0;
    double green = 0;
    double blue = 0;
    w->GetColor(50, 50, red, green, blue);
    EXPECT_EQ(red, 1.0);
    EXPECT_EQ(green, 1.0);
    EXPECT_EQ(blue, 1.0);
    EXPECT_EQ(w->GetBlue(15, 15), 243 / 255.0);
}

TEST(GetColor, FarOutsideTheWindowIsBlack) {
    auto w = OpenWindow();
    Wipe(*w);
    EXPECT_EQ(w->GetColor(INT_MIN, 5), color(0, 0, 0));
    EXPECT_EQ(w->GetColor(5, INT_MIN), color(0, 0, 0));
    EXPECT_EQ(w->GetColor(INT_MAX, INT_MAX), color(0, 0, 0));
    EXPECT_EQ(w->GetColor(5, 5), color(255, 255, 255)) << "the window itself is still read";
}
