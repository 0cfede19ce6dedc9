// The one check of a DIB header, for every call that reads a caller's DIB (StretchDIBits,
// SetDIBitsToDevice), writes one (GetDIBits) or creates one (CreateDIBSection). Only 32-bit
// uncompressed DIBs exist here; any other format fails the call. Measured under Wine: a header
// shorter than BITMAPINFOHEADER, zero planes, a width below 1 and a height of 0 or INT_MIN fail
// every call; more planes than one fail only CreateDIBSection.
#pragma once

#include <platform/win32.h>

#include <optional>

namespace zg::gdi {

struct DibView {
    int width = 0;
    int height = 0;  // rows, always positive
    bool top_down = false;
};

enum class DibUse : unsigned char { Transfer, Create };

std::optional<DibView> read_dib_header(const BITMAPINFOHEADER& h, DibUse use = DibUse::Transfer);

// A caller's DIB: header and pixels, either of which may be missing.
std::optional<DibView> read_dib(const BITMAPINFO* info, const void* bits);

}  // namespace zg::gdi
