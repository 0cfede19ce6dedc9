// The printers the print dialog offers: CUPS destinations (the default first), printers a test
// defines in ZG_TEST_PRINTERS, and a PDF-file printer that always exists, so that printing works
// on a machine without any printer.
//
// A printer is described by what GetDeviceCaps reports on its DC: the page in device pixels at
// the printer's resolution, and its raster capabilities.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zg::print {

enum class PrinterKind : std::uint8_t { Cups, PdfFile };

struct Printer {
    std::string name;  // as the dialog shows it and the script names it
    PrinterKind kind = PrinterKind::PdfFile;
    int page_width = 0;   // device pixels (HORZRES)
    int page_height = 0;  // device pixels (VERTRES)
    int dpi = 600;        // LOGPIXELSX and LOGPIXELSY
    int raster_caps = 0;  // RASTERCAPS
};

// What a full-featured printer reports, as Windows' printer drivers do (and Wine): bit-block
// transfers, bitmaps over 64 KB, stretching, device-independent bitmaps.
constexpr int printer_raster_caps = 0x2a19;

// A4 at 600 dpi, the page of the PDF-file printer and of a CUPS printer that names none.
constexpr int default_dpi = 600;
constexpr int a4_width_hmm = 21000, a4_length_hmm = 29700;  // hundredths of a millimetre

// The pixels of a length at `dpi`, rounded; -1 when the result does not fit an int.
int hmm_to_pixels(int hundredths_mm, int dpi);

// Why a page of width x height device pixels at `dpi` cannot be printed (empty when it can): its
// sides must be at least a pixel and at most 200 inches (14,400 points, the largest page PDF
// readers take), its resolution at most max_dpi (none prints finer; a larger number is a
// mistake or an attack, and would make the page's pixels overflow).
constexpr long long max_dpi = 100'000;
std::string page_problem(long long width, long long height, long long dpi);

// Every printer the dialog offers, default first.
std::vector<Printer> available_printers();

// ZG_TEST_PRINTERS: "NAME=WIDTHxHEIGHT@DPI/CAPS" separated by ';' (CAPS in C notation, e.g.
// 0x801). Returns false and a reason for a malformed list.
bool parse_test_printers(const std::string& definitions, std::vector<Printer>& out, std::string& error);

// CUPS destinations (cups_printers.cpp): the default first; empty when no server answers.
std::vector<Printer> cups_printers();

// Submits a PDF file to a CUPS destination; the job number, or 0 with the reason in `error`.
int submit_to_cups(const std::string& destination, const std::string& pdf_path, const std::string& title,
                   std::string& error);

}  // namespace zg::print
