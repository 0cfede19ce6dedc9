// Saving the picture as a PNG file: the client area as the window shows it (the screen's copy
// while double buffering, so the file holds what the person saw after the last UpdateBuffer),
// read through a compatible bitmap in the native 32-bit top-down layout, turned into 8-bit RGB
// rows and encoded by the stb image writer. The encoder is compiled here, with its functions
// static, so the library exports none of its names and needs no encoder at run time.
#include <graphics/library_internal.h>
#include <graphics/window.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstddef>
#include <new>
#include <vector>

namespace {

using graphics_detail::ReportFatal;

// The width x height pixels at the top-left of `source` as BGRX quadruples, top row first;
// empty when a native call fails.
std::vector<unsigned char> ReadPixels(HDC source, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * 4u * static_cast<std::size_t>(height));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    HDC copy = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    const HGDIOBJ displaced = SelectObject(copy, bitmap);
    const bool copied = BitBlt(copy, 0, 0, width, height, source, 0, 0, SRCCOPY) == 1;
    SelectObject(copy, displaced);
    const bool read = copied && GetDIBits(source, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                          reinterpret_cast<LPBITMAPINFO>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(copy);
    if (!read) pixels.clear();
    return pixels;
}

// BGRX quadruples to RGB triples, in place.
void ToRgb(std::vector<unsigned char>& pixels) {
    const std::size_t count = pixels.size() / 4;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char blue = pixels[4 * i], green = pixels[4 * i + 1], red = pixels[4 * i + 2];
        pixels[3 * i] = red, pixels[3 * i + 1] = green, pixels[3 * i + 2] = blue;
    }
    pixels.resize(3 * count);
}

}  // namespace

bool window::SaveImage(const std::string& fileName) {
    PumpMessages();
    HDC shown = bBuffering ? dcScreen : dcActive;
    if (IsGone() || shown == nullptr || iWindowWidth <= 0 || iWindowHeight <= 0) {
        ReportFatal("Fatal Error: There is no picture to save in SaveImage!");
        return false;
    }
    std::vector<unsigned char> pixels;
    try {
        pixels = ReadPixels(shown, iWindowWidth, iWindowHeight);
    } catch (const std::bad_alloc&) {
        throw OUT_OF_MEMORY;
    }
    if (pixels.empty()) {
        ReportFatal("Fatal Error: Failed to read the picture in SaveImage!");
        return false;
    }
    ToRgb(pixels);
    if (fileName.empty() ||
        stbi_write_png(fileName.c_str(), iWindowWidth, iWindowHeight, 3, pixels.data(), iWindowWidth * 3) == 0) {
        ReportFatal("Fatal Error: Failed to write the PNG file in SaveImage!");
        return false;
    }
    return true;
}
