// PNG reading through libpng's simplified API, which converts any colour type to 8-bit RGB.
#include "png_image.h"

#include <png.h>

#include <ostream>

PngImage::PngImage(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        m_error = path + ": " + image.message;
        return;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        m_error = path + ": " + image.message;
        png_image_free(&image);
        return;
    }
    m_width = static_cast<int>(image.width);
    m_height = static_cast<int>(image.height);
    m_rgb = std::move(pixels);
}

Rgb PngImage::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return {-1, -1, -1};
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + x) * 3;
    return {m_rgb[i], m_rgb[i + 1], m_rgb[i + 2]};
}

int PngImage::Count(int left, int top, int right, int bottom, Rgb colour) const {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) count += at(x, y) == colour ? 1 : 0;
    }
    return count;
}

bool PngImage::SameRegion(const PngImage& other, int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!(at(x, y) == other.at(x, y))) return false;
        }
    }
    return true;
}

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << '(' << c.red << ", " << c.green << ", " << c.blue << ')';
}
