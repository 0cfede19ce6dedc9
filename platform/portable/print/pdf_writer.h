// A PDF document drawn with cairo: each page is white, in device pixels of the printer's
// resolution, with pictures embedded at their own resolution and scaled nearest-neighbour.
#pragma once

#include "print/printer_dc.h"

#include <string>
#include <vector>

using cairo_surface_t = struct _cairo_surface;

namespace zg::print {

class PdfWriter {
public:
    // Opens `path` for a document of pages of width x height device pixels at `dpi`.
    PdfWriter(const std::string& path, int width, int height, int dpi);
    ~PdfWriter();
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    bool ok() const;
    bool add_page(const std::vector<PagePicture>& pictures);
    // Writes the rest of the file and closes it; false when cairo could not write it.
    bool finish();

private:
    cairo_surface_t* m_surface = nullptr;
    double m_points_per_pixel = 1.0;
};

}  // namespace zg::print
