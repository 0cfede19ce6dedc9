/// @file
/// An `image`: a picture held in memory, in the native 32-bit device-independent layout (rows top to
/// bottom, four bytes a pixel: blue, green, red, reserved), filled by window::StoreImage.
///
/// Invariants: an empty image has width and height 0 and no blocks; the image owns its two blocks
/// (pixels and the 40-byte header) and releases them when it goes away. Images move but do not copy.
#pragma once

#include <platform/win32.h>

#include <cstdint>

// Shared builds hide every name but those the installed headers declare.
#if defined(__GNUC__) && !defined(_WIN32)
#pragma GCC visibility push(default)
#endif

///
/// Programs make an empty image, fill it with window::StoreImage and draw it with
/// window::DrawImage; the fields are for reading only.
struct image {
    std::uint16_t usHeight = 0;                ///< Height in pixels; 0 while empty.
    std::uint16_t usWidth = 0;                 ///< Width in pixels; 0 while empty.
    unsigned char* ucpImageData = nullptr;     ///< usWidth x usHeight pixels of 4 bytes (B, G, R, 0), top row first.
    std::int32_t iImageType = 0;               ///< 1 once filled (32-bit pixels); 0 while empty.
    BITMAPINFOHEADER* bmiImageInfo = nullptr;  ///< The pixels' layout, as Windows describes it.
    HDC dcTempBuffer = nullptr;                ///< Used only while StoreImage copies; null otherwise.
    HBITMAP bmapTempBuffer = nullptr;          ///< Used only while StoreImage copies; null otherwise.

    /// An empty image.
    image() = default;
    image(const image&) = delete;             ///< Not copyable: an image owns its pixels.
    image& operator=(const image&) = delete;  ///< Not copyable: an image owns its pixels.
    /// Takes the pixels of @p other, which becomes empty.
    image(image&& other) noexcept;
    /// Releases this image's pixels and takes those of @p other, which becomes empty.
    image& operator=(image&& other) noexcept;
    /// Releases the pixels.
    ~image();
};

#if defined(__GNUC__) && !defined(_WIN32)
#pragma GCC visibility pop
#endif
