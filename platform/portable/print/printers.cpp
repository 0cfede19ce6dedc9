// The list of printers: CUPS destinations, test printers, and the PDF-file printer; see printer.h.
#include "print/printer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <algorithm>
#include <sstream>

namespace zg::print {
namespace {

constexpr const char* pdf_printer_name = "PDF file";

template <class Int>
bool parse_number(std::string_view text, Int& out, int base = 10) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out, base);
    return error == std::errc{} && end == text.data() + text.size();
}

bool parse_caps(std::string_view text, int& caps) {
    if (text.starts_with("0x") || text.starts_with("0X")) return parse_number(text.substr(2), caps, 16);
    return parse_number(text, caps);
}

// "NAME=WIDTHxHEIGHT@DPI/CAPS"
bool parse_one(const std::string& item, Printer& printer) {
    const std::size_t eq = item.find('='), x = item.find('x', eq), at = item.find('@', x), slash = item.find('/', at);
    if (eq == 0 || eq == std::string::npos || x == std::string::npos || at == std::string::npos ||
        slash == std::string::npos)
        return false;
    const std::string_view view(item);
    printer.name = item.substr(0, eq);
    printer.kind = PrinterKind::PdfFile;
    return parse_number(view.substr(eq + 1, x - eq - 1), printer.page_width) &&
           parse_number(view.substr(x + 1, at - x - 1), printer.page_height) &&
           parse_number(view.substr(at + 1, slash - at - 1), printer.dpi) &&
           parse_caps(view.substr(slash + 1), printer.raster_caps);
}

Printer pdf_file_printer() {
    return {pdf_printer_name,
            PrinterKind::PdfFile,
            hmm_to_pixels(a4_width_hmm, default_dpi),
            hmm_to_pixels(a4_length_hmm, default_dpi),
            default_dpi,
            printer_raster_caps};
}

std::vector<Printer> test_printers() {
    const char* definitions = std::getenv("ZG_TEST_PRINTERS");
    std::vector<Printer> printers;
    if (definitions == nullptr || definitions[0] == '\0') return printers;
    std::string error;
    if (!parse_test_printers(definitions, printers, error))
        std::fprintf(stderr, "zorgraphics: ZG_TEST_PRINTERS: %s; no test printers\n", error.c_str());
    return printers;
}

}  // namespace

int hmm_to_pixels(int hundredths_mm, int dpi) {
    const double pixels = std::round(static_cast<double>(hundredths_mm) * dpi / 2540.0);
    return pixels >= 0 && pixels <= INT32_MAX ? static_cast<int>(pixels) : -1;
}

std::string page_problem(long long width, long long height, long long dpi) {
    constexpr double max_points = 14400;
    const auto size =
        std::to_string(width) + " x " + std::to_string(height) + " pixels at " + std::to_string(dpi) + " dpi";
    if (width <= 0 || height <= 0 || dpi <= 0) return "a page of " + size + " is empty";
    if (dpi > max_dpi) return "a page of " + size + " is finer than any printer";
    if (static_cast<double>(std::max(width, height)) * 72.0 / static_cast<double>(dpi) > max_points)
        return "a page of " + size + " is over 200 inches";
    return {};
}

bool parse_test_printers(const std::string& definitions, std::vector<Printer>& out, std::string& error) {
    std::istringstream in(definitions);
    std::vector<Printer> printers;
    for (std::string item; std::getline(in, item, ';');) {
        if (item.empty()) continue;
        Printer printer;
        if (!parse_one(item, printer)) {
            error = "'" + item + "' is not NAME=WIDTHxHEIGHT@DPI/CAPS";
            return false;
        }
        if (const std::string problem = page_problem(printer.page_width, printer.page_height, printer.dpi);
            !problem.empty()) {
            error = "'" + item + "': " + problem;
            return false;
        }
        printers.push_back(printer);
    }
    out = std::move(printers);
    return true;
}

std::vector<Printer> available_printers() {
    std::vector<Printer> printers = cups_printers();
    std::vector<Printer> tests = test_printers();
    printers.insert(printers.begin(), tests.begin(), tests.end());
    printers.push_back(pdf_file_printer());
    return printers;
}

}  // namespace zg::print
