// A memory DC holding a DIB section of the given header, put away again when it goes: the
// picture the scenes, raster_timing and bench/vs_peers draw on or copy from.
#pragma once

#include <platform/win32.h>

namespace zg::tools {

class DibPicture {
public:
    explicit DibPicture(const BITMAPINFO& info, HDC like = nullptr) : m_dc(CreateCompatibleDC(like)) {
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~DibPicture() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    DibPicture(const DibPicture&) = delete;
    DibPicture& operator=(const DibPicture&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    void* bits() const { return m_bits; }  // null when the section could not be made

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

}  // namespace zg::tools
