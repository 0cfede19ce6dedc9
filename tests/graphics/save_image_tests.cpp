// SaveImage: the PNG file holds exactly the pixels the window shows (read back through GetPixel,
// so the same check runs on the portable platform and under Wine), including while buffering,
// when the picture not yet shown stays out of the file; a file that cannot be written is refused.
#include "test_support.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb_image.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace graphics_test;

namespace {

std::string TempPng(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// The file's pixels as COLORREF values, top row first; empty when it cannot be read as RGB.
std::vector<COLORREF> ReadPng(const std::string& path, int& width, int& height) {
    int channels = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> data(stbi_load(path.c_str(), &width, &height, &channels, 3),
                                                         stbi_image_free);
    std::vector<COLORREF> pixels;
    if (!data || channels != 3) return pixels;
    for (int i = 0; i < width * height; ++i)
        pixels.push_back(RGB(data.get()[3 * i], data.get()[3 * i + 1], data.get()[3 * i + 2]));
    return pixels;
}

void DrawScene(window& w) {
    w.SetPen(200, 30, 40, 3);
    w.SetBrush(20, 160, 90);
    w.DrawCircle(60, 60, 40, FILLED);
    w.SetPen(0, 0, 255, 1);
    w.DrawLine(0, 159, 239, 0, FRAME);
    w.DrawString(120, 100, "Saved");
}

}  // namespace

TEST(SaveImage, TheFileHoldsEveryPixelTheWindowShows) {
    auto w = OpenWindow();
    Wipe(*w);
    DrawScene(*w);
    const std::string path = TempPng("zg_save_image_direct.png");
    ASSERT_TRUE(w->SaveImage(path));
    int width = 0, height = 0;
    const std::vector<COLORREF> saved = ReadPng(path, width, height);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    EXPECT_EQ(saved, Snapshot(WindowInspector::Active(*w), 0, 0, kWidth, kHeight));
    std::filesystem::remove(path);
}

TEST(SaveImage, WhileBufferingTheFileHoldsWhatTheLastUpdateShowed) {
    auto w = OpenWindow();
    w->SetBuffering(true);
    DrawScene(*w);
    w->UpdateBuffer();
    w->SetBrush(BLACK);
    w->DrawRectangle(0, 0, 100, 100, FILLED, 0, 0);  // drawn, not shown
    const std::string path = TempPng("zg_save_image_buffered.png");
    ASSERT_TRUE(w->SaveImage(path));
    int width = 0, height = 0;
    const std::vector<COLORREF> saved = ReadPng(path, width, height);
    EXPECT_EQ(saved, Snapshot(WindowInspector::Screen(*w), 0, 0, kWidth, kHeight));
    ASSERT_EQ(saved.size(), static_cast<std::size_t>(kWidth * kHeight));
    EXPECT_NE(saved[50 * kWidth + 50], RGB(0, 0, 0));
    std::filesystem::remove(path);
}

TEST(SaveImage, AFileThatCannotBeWrittenIsRefusedWithAReport) {
    auto w = OpenWindow();
    const std::string missing = TempPng("zg_no_such_directory/picture.png");
    bool saved = true;
    EXPECT_NE(CaptureOutput([&] { saved = w->SaveImage(missing); }).find("Fatal Error"), std::string::npos);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(w->SaveImage(""));
}
