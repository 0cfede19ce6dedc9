// Printing in the browser: no CUPS, so the dialog offers the one PDF-file printer, and a document
// is the browser's to print: each transfer onto a page goes to the page as a picture placed where
// the printing arithmetic placed it (device pixels of the page), and finishing the document opens
// the browser's print dialog (which saves PDF files too).
#include "display/web_page.h"
#include "print/pdf_writer.h"
#include "print/printer.h"

#include <vector>

namespace zg::print {
namespace {

struct PageSize {
    int width = 0, height = 0;
};
PageSize page_size;  // of the document being written; the browser prints one at a time

std::uint32_t rgba_of(std::uint32_t pixel) {
    return 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

// Where `box` lands when `from` is stretched onto `to`, in device pixels, rounded.
int scaled(LONG at, LONG from_start, LONG from_size, LONG to_start, LONG to_size) {
    return static_cast<int>(to_start + static_cast<long long>(at - from_start) * to_size / from_size);
}

}  // namespace

std::vector<Printer> cups_printers() { return {}; }

int submit_to_cups(const std::string&, const std::string&, const std::string&, std::string& error) {
    error = "no print server in a browser";
    return 0;
}

PdfWriter::PdfWriter(OutputFile& file, int width, int height, int) : m_file(file) { page_size = {width, height}; }

// The cairo state of the native writer has no use here.
PdfWriter::~PdfWriter() {
    (void)m_file, (void)m_surface, (void)m_page, (void)m_points_per_pixel, (void)m_out_of_memory;
}

bool PdfWriter::ok() const { return page_size.width > 0 && page_size.height > 0; }

bool PdfWriter::begin_page() { return true; }

PdfStatus PdfWriter::draw(const Surface& source, const RECT& box, const RECT& from, const RECT& to) {
    const LONG width = box.right - box.left, height = box.bottom - box.top;
    const LONG from_w = from.right - from.left, from_h = from.bottom - from.top;
    if (width <= 0 || height <= 0 || from_w <= 0 || from_h <= 0) return PdfStatus::Ok;
    std::vector<std::uint32_t> rgba;
    rgba.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (LONG y = box.top; y < box.bottom; ++y) {
        const std::uint32_t* row = source.row(y);
        for (LONG x = box.left; x < box.right; ++x) rgba.push_back(rgba_of(row[x]));
    }
    const LONG to_w = to.right - to.left, to_h = to.bottom - to.top;
    const int left = scaled(box.left, from.left, from_w, to.left, to_w);
    const int top = scaled(box.top, from.top, from_h, to.top, to_h);
    const int right = scaled(box.right, from.left, from_w, to.left, to_w);
    const int bottom = scaled(box.bottom, from.top, from_h, to.top, to_h);
    web_print_picture(rgba.data(), width, height, left, top, right - left, bottom - top, page_size.width,
                      page_size.height);
    return PdfStatus::Ok;
}

bool PdfWriter::end_page() {
    web_print_page_end();
    return true;
}

bool PdfWriter::finish() {
    web_print_document("zorgraphics");
    return true;
}

}  // namespace zg::print
