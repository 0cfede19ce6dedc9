// Pages drawn with cairo's PDF surface; see pdf_writer.h. The page is in points (1/72 inch), so
// drawing scales by 72 / dpi to work in the printer's device pixels.
#include "print/pdf_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zg::print {
namespace {

// The largest side of a tile. Cairo's images reach 32,767 pixels a side, but a tile of that
// width came out of the PDF blank when rendered back (poppler), while 16,384 renders whole.
constexpr int max_image_side = 16384;

cairo_status_t write_out(void* closure, const unsigned char* data, unsigned int length) {
    return static_cast<OutputFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

int box_width(const RECT& box) { return static_cast<int>(box.right - box.left); }
int box_height(const RECT& box) { return static_cast<int>(box.bottom - box.top); }

// FNV-1a over the box's pixels and its size: equal pictures share one image.
std::uint64_t content_hash(const Surface& source, const RECT& box) {
    std::uint64_t hash = 1469598103934665603ULL ^ (static_cast<std::uint64_t>(box_width(box)) << 32 |
                                                   static_cast<std::uint32_t>(box_height(box)));
    for (LONG y = box.top; y < box.bottom; ++y) {
        const std::uint32_t* row = source.row(static_cast<int>(y)) + box.left;
        for (int x = 0; x < box_width(box); ++x) hash = (hash ^ row[x]) * 1099511628211ULL;
    }
    return hash;
}

bool same_pixels(cairo_surface_t* image, const Surface& source, const RECT& box) {
    if (cairo_image_surface_get_width(image) != box_width(box) ||
        cairo_image_surface_get_height(image) != box_height(box))
        return false;
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const std::size_t bytes = static_cast<std::size_t>(box_width(box)) * 4;
    for (int y = 0; y < box_height(box); ++y) {
        const std::uint32_t* row = source.row(static_cast<int>(box.top) + y) + box.left;
        if (std::memcmp(data + static_cast<std::ptrdiff_t>(y) * stride, row, bytes) != 0) return false;
    }
    return true;
}

// A cairo-owned copy of the box (0x00RRGGBB words are cairo's RGB24); null when out of memory.
cairo_surface_t* copy_of(const Surface& source, const RECT& box) {
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, box_width(box), box_height(box));
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return nullptr;
    }
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < box_height(box); ++y) {
        const std::uint32_t* row = source.row(static_cast<int>(box.top) + y) + box.left;
        std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride, row, static_cast<std::size_t>(box_width(box)) * 4);
    }
    cairo_surface_mark_dirty(image);
    return image;
}

// Whether memory for writing the picture out can be had. Cairo writes a page's images when the
// page is shown, with a copy of each in 24-bit colour and its compressed stream (as large again
// for pixels that do not compress); cairo 1.16 does not survive running out of memory there (a
// later cairo_surface_destroy crashes). So that room, with a byte a pixel to spare, is asked for
// and given back when the picture comes, where running out can still be reported.
bool room_to_emit(const RECT& box) {
    const std::size_t bytes = static_cast<std::size_t>(box_width(box)) * static_cast<std::size_t>(box_height(box)) * 7;
    void* room = std::malloc(bytes);
    std::free(room);
    return room != nullptr;
}

// Draws `image`, the source pixels of `tile`, where the transfer maps `from` onto `to`. A far-off
// origin of the transfer stays in the matrix, which is in doubles; only the tile, which lies on
// the page, reaches cairo's fixed-point coordinates.
void draw_tile(cairo_t* cr, cairo_surface_t* image, const RECT& tile, const RECT& from, const RECT& to) {
    const double sx = (0.0 + to.right - to.left) / (0.0 + from.right - from.left);
    const double sy = (0.0 + to.bottom - to.top) / (0.0 + from.bottom - from.top);
    cairo_save(cr);
    cairo_translate(cr, to.left, to.top);
    cairo_scale(cr, sx, sy);
    const double x0 = 0.0 + tile.left - from.left, y0 = 0.0 + tile.top - from.top;
    cairo_set_source_surface(cr, image, x0, y0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    // A paint covers exactly the image (the pattern does not extend). A filled rectangle would do
    // the same, but cairo's PDF surface drops a fill less than about a fifth of a point high: a
    // picture one device pixel high at 600 dpi vanished without a word.
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace

PdfWriter::PdfWriter(OutputFile& file, int width, int height, int dpi) : m_file(file), m_points_per_pixel(72.0 / dpi) {
    m_surface = cairo_pdf_surface_create_for_stream(write_out, &m_file, width * m_points_per_pixel,
                                                    height * m_points_per_pixel);
}

PdfWriter::~PdfWriter() {
    forget_page_images();
    if (m_page != nullptr) cairo_destroy(m_page);
    // A surface that ran out of memory writing a page is left as it is: finishing or destroying
    // it then crashes inside cairo 1.16. Its memory is lost; the program goes on.
    if (!m_out_of_memory) cairo_surface_destroy(m_surface);
}

bool PdfWriter::ok() const { return cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS && !m_file.failed(); }

bool PdfWriter::begin_page() {
    if (m_page != nullptr || !ok()) return false;
    m_page = cairo_create(m_surface);
    cairo_scale(m_page, m_points_per_pixel, m_points_per_pixel);
    return cairo_status(m_page) == CAIRO_STATUS_SUCCESS;
}

cairo_surface_t* PdfWriter::shared_copy(const Surface& source, const RECT& box, std::uint64_t hash) {
    auto [first, last] = m_images.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (same_pixels(it->second, source, box)) return it->second;
    cairo_surface_t* image = copy_of(source, box);
    if (image == nullptr) return nullptr;
    if (!room_to_emit(box)) {
        cairo_surface_destroy(image);
        return nullptr;
    }
    m_images.emplace(hash, image);
    return image;
}

PdfStatus PdfWriter::draw(const Surface& source, const RECT& box, const RECT& from, const RECT& to) {
    if (m_page == nullptr) return PdfStatus::Failed;
    for (LONG top = box.top; top < box.bottom; top += max_image_side) {
        for (LONG left = box.left; left < box.right; left += max_image_side) {
            const RECT tile{left, top, std::min<LONG>(left + max_image_side, box.right),
                            std::min<LONG>(top + max_image_side, box.bottom)};
            cairo_surface_t* image = shared_copy(source, tile, content_hash(source, tile));
            if (image == nullptr) return PdfStatus::OutOfMemory;
            draw_tile(m_page, image, tile, from, to);
        }
    }
    const cairo_status_t status = cairo_status(m_page);
    if (status == CAIRO_STATUS_NO_MEMORY) return PdfStatus::OutOfMemory;
    return status == CAIRO_STATUS_SUCCESS ? PdfStatus::Ok : PdfStatus::Failed;
}

bool PdfWriter::end_page() {
    if (m_page == nullptr) return false;
    cairo_show_page(m_page);
    const bool good = cairo_status(m_page) == CAIRO_STATUS_SUCCESS;
    if (cairo_status(m_page) == CAIRO_STATUS_NO_MEMORY) {
        m_out_of_memory = true;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    cairo_destroy(m_page);
    m_page = nullptr;
    forget_page_images();
    return good && ok();
}

void PdfWriter::forget_page_images() {
    if (m_out_of_memory) {
        m_images.clear();  // left to cairo, as the surface is (see ~PdfWriter)
        return;
    }
    for (auto& [hash, image] : m_images) cairo_surface_destroy(image);
    m_images.clear();
}

bool PdfWriter::finish() {
    if (m_page != nullptr) end_page();
    if (m_out_of_memory) return false;
    cairo_surface_finish(m_surface);
    return ok();
}

}  // namespace zg::print
