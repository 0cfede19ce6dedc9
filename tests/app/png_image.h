// A PNG snapshot read back into RGB pixels, for checking what the headless display wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class PngImage {
public:
    // Reads the file; on failure the image is empty and error() tells why.
    explicit PngImage(const std::string& path);

    bool empty() const { return m_width == 0; }
    const std::string& error() const { return m_error; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // (-1, -1, -1) outside the image.
    Rgb at(int x, int y) const;
    // Pixels in [left, right) x [top, bottom) with exactly this colour.
    int Count(int left, int top, int right, int bottom, Rgb colour) const;
    // Whether the two images hold the same pixels in [left, right) x [top, bottom).
    bool SameRegion(const PngImage& other, int left, int top, int right, int bottom) const;

private:
    int m_width = 0, m_height = 0;
    std::vector<std::uint8_t> m_rgb;  // 3 bytes a pixel, rows top to bottom
    std::string m_error;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c);
