// Printing in the browser: no CUPS, so the dialog offers the one PDF-file printer, and a document
// is the browser's to print: each page's pictures go to the page placed where the printing
// arithmetic placed them (device pixels of the page), and finishing the document opens the
// browser's print dialog (which saves PDF files too).
#include "display/web_page.h"
#include "print/pdf_writer.h"
#include "print/printer.h"

namespace zg::print {
namespace {

struct PageSize {
    int width = 0, height = 0;
};
PageSize page_size;  // of the document being written; the browser prints one at a time

}  // namespace

std::vector<Printer> cups_printers() { return {}; }

int submit_to_cups(const std::string&, const std::string&, const std::string&) { return 0; }

PdfWriter::PdfWriter(const std::string&, int width, int height, int) { page_size = {width, height}; }
// The cairo surface and scale of the native writer have no use here.
PdfWriter::~PdfWriter() { (void)m_surface, (void)m_points_per_pixel; }

bool PdfWriter::ok() const { return page_size.width > 0 && page_size.height > 0; }

bool PdfWriter::add_page(const std::vector<PagePicture>& pictures) {
    for (const PagePicture& picture : pictures) {
        std::vector<std::uint32_t> rgba(picture.pixels.size());
        for (std::size_t i = 0; i < rgba.size(); ++i) {
            const std::uint32_t p = picture.pixels[i];
            rgba[i] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
        }
        const RECT& to = picture.destination;
        web_print_picture(rgba.data(), picture.width, picture.height, to.left, to.top, to.right - to.left,
                          to.bottom - to.top, page_size.width, page_size.height);
    }
    return true;
}

bool PdfWriter::finish() {
    web_print_document("zorgraphics");
    return true;
}

}  // namespace zg::print
