// An `image`: a picture held in memory, in the native 32-bit device-independent layout (rows top to
// bottom, four bytes a pixel: blue, green, red, reserved), filled by window::StoreImage.
//
// Invariants: an empty image has width and height 0 and no blocks; the image owns its two blocks
// (pixels and the 40-byte header) and releases them when it goes away. Images move but do not copy.
#pragma once

#include <platform/win32.h>

#include <cstdint>

struct image {
    std::uint16_t usHeight = 0;
    std::uint16_t usWidth = 0;
    unsigned char* ucpImageData = nullptr;
    std::int32_t iImageType = 0;
    BITMAPINFOHEADER* bmiImageInfo = nullptr;
    HDC dcTempBuffer = nullptr;
    HBITMAP bmapTempBuffer = nullptr;

    image() = default;
    image(const image&) = delete;
    image& operator=(const image&) = delete;
    image(image&& other) noexcept;
    image& operator=(image&& other) noexcept;
    ~image();
};
