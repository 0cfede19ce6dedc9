// A PDF document drawn with cairo into an OutputFile: each page is white, in device pixels of the
// printer's resolution, with pictures embedded at their own resolution and scaled
// nearest-neighbour.
//
// A picture is drawn into the page as it comes, from a copy cairo owns until the page is shown;
// identical pictures on one page share one copy (and one image in the PDF), so a page holds its
// distinct pictures, not every transfer. A picture wider or taller than 16,384 pixels (cairo's
// images stop at 32,767) goes in as tiles under one transformation, so their edges meet exactly.
#pragma once

#include "print/output_file.h"
#include "surface/surface.h"

#include <platform/win32.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

using cairo_surface_t = struct _cairo_surface;
using cairo_t = struct _cairo;

namespace zg::print {

enum class PdfStatus : std::uint8_t { Ok, OutOfMemory, Failed };

class PdfWriter {
public:
    // Starts a document of pages of width x height device pixels at `dpi`, written to `file`,
    // which must outlive the writer.
    PdfWriter(OutputFile& file, int width, int height, int dpi);
    ~PdfWriter();
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    bool ok() const;
    bool begin_page();
    // Draws `box` of `source` (within it) where the transfer maps `from`, a box of source
    // pixels, onto `to`, a box of device pixels of the page.
    PdfStatus draw(const Surface& source, const RECT& box, const RECT& from, const RECT& to);
    bool end_page();
    // Writes the rest of the document; false when cairo or the file failed.
    bool finish();

private:
    struct Shared {
        cairo_surface_t* image;
        RECT box;
    };
    cairo_surface_t* shared_copy(const Surface& source, const RECT& box, std::uint64_t hash);
    void forget_page_images();

    OutputFile& m_file;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_page = nullptr;
    double m_points_per_pixel = 1.0;
    bool m_out_of_memory = false;                                       // cairo ran out of memory showing a page
    std::unordered_multimap<std::uint64_t, cairo_surface_t*> m_images;  // this page's, by content hash
};

}  // namespace zg::print
