#include "gdi/dib_header.h"

#include <cstdint>

namespace zg::gdi {

std::optional<DibView> read_dib_header(const BITMAPINFOHEADER& h, DibUse use) {
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biBitCount != 32 || h.biCompression != BI_RGB) return std::nullopt;
    if (h.biPlanes == 0 || (use == DibUse::Create && h.biPlanes != 1)) return std::nullopt;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return std::nullopt;
    return DibView{h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight, h.biHeight < 0};
}

std::optional<DibView> read_dib(const BITMAPINFO* info, const void* bits) {
    if (info == nullptr || bits == nullptr) return std::nullopt;
    return read_dib_header(info->bmiHeader);
}

}  // namespace zg::gdi
