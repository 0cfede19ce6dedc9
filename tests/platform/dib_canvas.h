// A 32-bit DIB section selected into a memory DC, every pixel set to one value: the surface the
// pixel tests draw on, natively and under Wine alike. Top-down unless asked for bottom-up;
// at(x, y) counts rows from the top either way.
#pragma once

#include <platform/win32.h>

#include <cstdint>

namespace zg_test {

class DibCanvas {
public:
    enum class Rows { TopDown, BottomUp };

    DibCanvas(int w, int h, std::uint32_t fill, Rows rows = Rows::TopDown)
        : m_w(w), m_h(h), m_bottom_up(rows == Rows::BottomUp) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, m_bottom_up ? h : -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<std::uint32_t*>(bits);
        for (int i = 0; i < w * h; ++i) m_bits[i] = fill;
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~DibCanvas() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_w; }
    int height() const { return m_h; }
    std::uint32_t* pixels() const { return m_bits; }
    std::uint32_t at(int x, int y) const { return m_bits[(m_bottom_up ? m_h - 1 - y : y) * m_w + x]; }

private:
    int m_w, m_h;
    bool m_bottom_up;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
};

}  // namespace zg_test
