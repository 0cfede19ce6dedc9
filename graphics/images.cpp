// Images and pixel read-back: StoreImage copies a rectangle of dcActive into an `image` in the
// native 32-bit top-down layout and DrawImage hands such an image back to the native DIB calls,
// at its own size or stretched; GetColor reads one pixel the same way, through a 1 x 1 bitmap.
// All of them work on dcActive, so with buffering on they see the back buffer.
//
// Every temporary native object lives only for the call; GetColor returns black when its read
// fails (the pixel buffer starts zeroed).
#include <graphics/library_internal.h>
#include <graphics/window.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

using graphics_detail::ReportFatal;

constexpr std::size_t kHeaderSize = sizeof(BITMAPINFOHEADER);
static_assert(kHeaderSize == 40, "the header block is 40 bytes");

// A zeroed 40-byte header for a top-down 32-bit picture; throws `error` 0 without memory.
BITMAPINFOHEADER* NewHeader(LONG width, LONG height) {
    auto* header = new (std::nothrow) BITMAPINFOHEADER{};
    if (header == nullptr) {
        throw OUT_OF_MEMORY;
    }
    header->biSize = static_cast<DWORD>(kHeaderSize);
    header->biWidth = width;
    header->biHeight = -height;
    header->biPlanes = 1;
    header->biBitCount = 32;
    header->biCompression = BI_RGB;
    return header;
}

LPBITMAPINFO AsInfo(BITMAPINFOHEADER* header) { return reinterpret_cast<LPBITMAPINFO>(header); }

// The native calls read as many pixels as the header promises, so the header must describe
// exactly the image's own size and layout, over a pixel block that exists. The image's fields
// are public: a program can change one without the other.
bool HeaderMatches(const image& picture) {
    const BITMAPINFOHEADER* header = picture.bmiImageInfo;
    if (header == nullptr || picture.ucpImageData == nullptr) {
        return false;
    }
    const long long height = header->biHeight < 0 ? -static_cast<long long>(header->biHeight) : header->biHeight;
    return header->biSize == kHeaderSize && header->biWidth == picture.usWidth && height == picture.usHeight &&
           header->biPlanes == 1 && header->biBitCount == 32 && header->biCompression == BI_RGB;
}

// The client area as it really is: the platform may have kept the window smaller than asked
// (within the screen's tracking size). A window that is gone has only its requested size left.
void ClientSize(HWND hwnd, int requestedWidth, int requestedHeight, long long& width, long long& height) {
    RECT client{};
    width = requestedWidth;
    height = requestedHeight;
    if (hwnd == nullptr || GetClientRect(hwnd, &client) == 0) {
        return;
    }
    width = std::min<long long>(width, static_cast<long long>(client.right) - client.left);
    height = std::min<long long>(height, static_cast<long long>(client.bottom) - client.top);
}

}  // namespace

image::image(image&& other) noexcept
    : usHeight(std::exchange(other.usHeight, 0)), usWidth(std::exchange(other.usWidth, 0)),
      ucpImageData(std::exchange(other.ucpImageData, nullptr)), iImageType(std::exchange(other.iImageType, 0)),
      bmiImageInfo(std::exchange(other.bmiImageInfo, nullptr)),
      dcTempBuffer(std::exchange(other.dcTempBuffer, nullptr)),
      bmapTempBuffer(std::exchange(other.bmapTempBuffer, nullptr)) {}

image& image::operator=(image&& other) noexcept {
    if (this != &other) {
        image gone(std::move(*this));
        usHeight = std::exchange(other.usHeight, 0);
        usWidth = std::exchange(other.usWidth, 0);
        ucpImageData = std::exchange(other.ucpImageData, nullptr);
        iImageType = std::exchange(other.iImageType, 0);
        bmiImageInfo = std::exchange(other.bmiImageInfo, nullptr);
        dcTempBuffer = std::exchange(other.dcTempBuffer, nullptr);
        bmapTempBuffer = std::exchange(other.bmapTempBuffer, nullptr);
    }
    return *this;
}

image::~image() {
    delete[] ucpImageData;
    delete bmiImageInfo;
}

// The library sets no stretch mode: a stretched image follows the one dcActive has.
void window::DrawImage(const image* picture, int x, int y, int width, int height, std::source_location where) {
    const graphics_detail::CallScope scope("DrawImage", where, picture, x, y, width, height);
    PumpMessages();
    if (picture == nullptr || picture->usWidth == 0 || picture->usHeight == 0) {
        return;
    }
    if (picture->iImageType != 0 && picture->iImageType != 1) {
        ReportFatal("Fatal Error: Unsupported image type!");
        return;
    }
    if (!HeaderMatches(*picture)) {
        ReportFatal("Fatal Error: Image header does not match the image in DrawImage!");
        return;
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(picture->bmiImageInfo);
    if (width == -1 || height == -1) {
        if (SetDIBitsToDevice(dcActive, x, y, picture->usWidth, picture->usHeight, 0, 0, 0, picture->usHeight,
                              picture->ucpImageData, info, DIB_RGB_COLORS) == 0) {
            ReportFatal("Fatal Error: Failed to SetDIBitsToDevice in DrawImage!");
        }
        return;
    }
    if (StretchDIBits(dcActive, x, y, width, height, 0, 0, picture->usWidth, picture->usHeight, picture->ucpImageData,
                      info, DIB_RGB_COLORS, SRCCOPY) == static_cast<int>(GDI_ERROR)) {
        ReportFatal("Fatal Error: Failed to StretchDIBits in DrawImage!");
    }
}

void window::DrawImage(const image& picture, int x, int y, int width, int height, std::source_location where) {
    const graphics_detail::CallScope scope("DrawImage", where, &picture, x, y, width, height);
    DrawImage(&picture, x, y, width, height);
}

void window::StoreImage(image* picture, unsigned int x, unsigned short y, unsigned short width, unsigned short height,
                        std::source_location where) {
    const graphics_detail::CallScope scope("StoreImage", where, picture, x, y, width, height);
    PumpMessages();
    if (picture == nullptr) {
        return;
    }
    long long clientWidth = 0;
    long long clientHeight = 0;
    ClientSize(hwndWindow, iWindowWidth, iWindowHeight, clientWidth, clientHeight);
    if (static_cast<long long>(x) + width > clientWidth || static_cast<long long>(y) + height > clientHeight) {
        ReportFatal("Fatal Error: StoreImage selection extends outside the window!");
        return;
    }
    if (width == 0 || height == 0) {  // no pixels to copy: the picture becomes an empty image
        *picture = image();
        return;
    }
    picture->usWidth = width;
    picture->usHeight = height;
    delete std::exchange(picture->bmiImageInfo, nullptr);
    picture->bmiImageInfo = NewHeader(width, height);
    picture->iImageType = 1;
    delete[] std::exchange(picture->ucpImageData, nullptr);
    picture->ucpImageData = new (std::nothrow) unsigned char[static_cast<std::size_t>(width) * 4u * height];
    if (picture->ucpImageData == nullptr) {
        throw OUT_OF_MEMORY;
    }
    picture->dcTempBuffer = CreateCompatibleDC(dcActive);
    picture->bmapTempBuffer = CreateCompatibleBitmap(dcActive, width, height);
    const HGDIOBJ displaced = SelectObject(picture->dcTempBuffer, picture->bmapTempBuffer);
    if (BitBlt(picture->dcTempBuffer, 0, 0, width, height, dcActive, static_cast<int>(x), y, SRCCOPY) != 1) {
        ReportFatal("Fatal Error: Failed to BitBlt in StoreImage!");
    }
    if (GetDIBits(dcActive, picture->bmapTempBuffer, 0, height, picture->ucpImageData, AsInfo(picture->bmiImageInfo),
                  DIB_RGB_COLORS) == 0) {
        ReportFatal("Fatal Error: Failed to GetDIBits in StoreImage!");
    }
    SelectObject(picture->dcTempBuffer, displaced);
    if (DeleteObject(picture->bmapTempBuffer) != 1) {
        ReportFatal("Fatal Error: Failed to delete imgThis->bmapTempBuffer in StoreImage!");
    }
    if (DeleteDC(picture->dcTempBuffer) != 1) {
        ReportFatal("Fatal Error: Failed to delete imgThis->dcTempBuffer in StoreImage!");
    }
}

void window::StoreImage(image& picture, unsigned int x, unsigned short y, unsigned short width, unsigned short height,
                        std::source_location where) {
    const graphics_detail::CallScope scope("StoreImage", where, &picture, x, y, width, height);
    StoreImage(&picture, x, y, width, height);
}

color window::GetColor(int x, int y, std::source_location where) {
    const graphics_detail::CallScope scope("GetColor", where, x, y);
    const std::unique_ptr<BITMAPINFOHEADER> header(NewHeader(1, 1));
    const HDC memory = CreateCompatibleDC(dcActive);
    const HBITMAP pixelBitmap = CreateCompatibleBitmap(dcActive, 1, 1);
    const HGDIOBJ displaced = SelectObject(memory, pixelBitmap);
    struct Release {
        HDC memory;
        HBITMAP bitmap;
        HGDIOBJ displaced;
        ~Release() {
            SelectObject(memory, displaced);
            if (DeleteObject(bitmap) != 1) {
                ReportFatal("Fatal Error: Failed to delete bmapTempBuffer in GetColor!");
            }
            if (DeleteDC(memory) != 1) {
                ReportFatal("Fatal Error: Failed to delete dcTempBuffer in GetColor!");
            }
        }
    } release{memory, pixelBitmap, displaced};
    PumpMessages();
    if (BitBlt(memory, 0, 0, 1, 1, dcActive, x, y, SRCCOPY) != 1) {
        ReportFatal("Fatal Error: Failed to BltBit in GetColor!");
    }
    unsigned char pixel[4] = {0, 0, 0, 0};
    if (GetDIBits(dcActive, pixelBitmap, 0, 1, pixel, AsInfo(header.get()), DIB_RGB_COLORS) == 0) {
        ReportFatal("Fatal Error: Failed to GetDIBits in GetColor!");
    }
    return color(pixel[2], pixel[1], pixel[0]);
}

void window::GetColor(int x, int y, double& red, double& green, double& blue, std::source_location where) {
    const graphics_detail::CallScope scope("GetColor", where, x, y);
    const color pixel = GetColor(x, y);
    red = pixel.ucRed / 255.0;
    green = pixel.ucGreen / 255.0;
    blue = pixel.ucBlue / 255.0;
}

double window::GetRed(int x, int y, std::source_location where) {
    const graphics_detail::CallScope scope("GetRed", where, x, y);
    return GetColor(x, y).ucRed / 255.0;
}

double window::GetGreen(int x, int y, std::source_location where) {
    const graphics_detail::CallScope scope("GetGreen", where, x, y);
    return GetColor(x, y).ucGreen / 255.0;
}

double window::GetBlue(int x, int y, std::source_location where) {
    const graphics_detail::CallScope scope("GetBlue", where, x, y);
    return GetColor(x, y).ucBlue / 255.0;
}
