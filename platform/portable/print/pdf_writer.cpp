// Pages drawn with cairo's PDF surface; see pdf_writer.h. The page is in points (1/72 inch), so
// drawing scales by 72 / dpi to work in the printer's device pixels. A picture becomes one image
// in the PDF at its own size, placed by the pattern matrix: never a page-sized bitmap.
#include "print/pdf_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>

namespace zg::print {
namespace {

// Borrows the picture's pixels: 0x00RRGGBB words are cairo's RGB24.
cairo_surface_t* picture_surface(const PagePicture& picture) {
    const int stride = picture.width * 4;
    auto* data = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(picture.pixels.data()));
    return cairo_image_surface_create_for_data(data, CAIRO_FORMAT_RGB24, picture.width, picture.height, stride);
}

void draw_picture(cairo_t* cr, const PagePicture& picture) {
    const RECT& d = picture.destination;
    const double sx = static_cast<double>(d.right - d.left) / picture.width;
    const double sy = static_cast<double>(d.bottom - d.top) / picture.height;
    cairo_surface_t* image = picture_surface(picture);
    cairo_save(cr);
    cairo_translate(cr, d.left, d.top);
    cairo_scale(cr, sx, sy);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, 0, 0, picture.width, picture.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
}

}  // namespace

PdfWriter::PdfWriter(const std::string& path, int width, int height, int dpi) : m_points_per_pixel(72.0 / dpi) {
    m_surface = cairo_pdf_surface_create(path.c_str(), width * m_points_per_pixel, height * m_points_per_pixel);
}

PdfWriter::~PdfWriter() { cairo_surface_destroy(m_surface); }

bool PdfWriter::ok() const { return cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS; }

bool PdfWriter::add_page(const std::vector<PagePicture>& pictures) {
    cairo_t* cr = cairo_create(m_surface);
    cairo_scale(cr, m_points_per_pixel, m_points_per_pixel);
    for (const PagePicture& picture : pictures) draw_picture(cr, picture);
    cairo_show_page(cr);
    const bool good = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    return good && ok();
}

bool PdfWriter::finish() {
    cairo_surface_finish(m_surface);
    return ok();
}

}  // namespace zg::print
