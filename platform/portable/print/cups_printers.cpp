// Printers and jobs through libcups, which honours CUPS_SERVER and the user's lpoptions. A
// destination's page is its default media (the "media" option, else the server's media-default)
// at its default resolution; whatever the server does not say falls back to A4 at 600 dpi.
#include "print/printer.h"

#include <cups/cups.h>

namespace zg::print {
namespace {

// The destination's media name: the user's or queue's option first, then the server default.
std::string default_media_name(cups_dest_t& dest, cups_dinfo_t* info) {
    if (const char* media = cupsGetOption("media", dest.num_options, dest.options)) return media;
    ipp_attribute_t* attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, &dest, info, "media");
    const char* name = attr != nullptr ? ippGetString(attr, 0, nullptr) : nullptr;
    return name != nullptr ? name : "";
}

void read_media(cups_dest_t& dest, cups_dinfo_t* info, int& width_hmm, int& length_hmm) {
    const std::string name = default_media_name(dest, info);
    cups_size_t size{};
    if (!name.empty() &&
        cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, &dest, info, name.c_str(), CUPS_MEDIA_FLAGS_DEFAULT, &size) &&
        size.width > 0 && size.length > 0) {
        width_hmm = size.width;
        length_hmm = size.length;
    }
}

int read_resolution(cups_dest_t& dest, cups_dinfo_t* info) {
    ipp_attribute_t* attr = cupsFindDestDefault(CUPS_HTTP_DEFAULT, &dest, info, "printer-resolution");
    if (attr == nullptr) return default_dpi;
    int y_resolution = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x_resolution = ippGetResolution(attr, 0, &y_resolution, &units);
    if (x_resolution <= 0) return default_dpi;
    return units == IPP_RES_PER_CM ? x_resolution * 254 / 100 : x_resolution;
}

Printer describe(cups_dest_t& dest) {
    Printer printer;
    printer.name = dest.name;
    printer.kind = PrinterKind::Cups;
    printer.raster_caps = printer_raster_caps;
    int width_hmm = a4_width_hmm, length_hmm = a4_length_hmm;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, &dest)) {
        read_media(dest, info, width_hmm, length_hmm);
        printer.dpi = read_resolution(dest, info);
        cupsFreeDestInfo(info);
    }
    printer.page_width = hmm_to_pixels(width_hmm, printer.dpi);
    printer.page_height = hmm_to_pixels(length_hmm, printer.dpi);
    return printer;
}

}  // namespace

std::vector<Printer> cups_printers() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<Printer> printers;
    for (int i = 0; i < count; ++i) {
        // Instances ("queue/instance") are the same printer with other options: offer the queue.
        if (dests[i].instance != nullptr) continue;
        Printer printer = describe(dests[i]);
        if (dests[i].is_default)
            printers.insert(printers.begin(), printer);
        else
            printers.push_back(printer);
    }
    cupsFreeDests(count, dests);
    return printers;
}

int submit_to_cups(const std::string& destination, const std::string& pdf_path, const std::string& title) {
    cups_option_t* options = nullptr;
    const int count = cupsAddOption("document-format", "application/pdf", 0, &options);
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, destination.c_str(), pdf_path.c_str(), title.c_str(), count, options);
    cupsFreeOptions(count, options);
    return job;
}

}  // namespace zg::print
