// Printer DCs: their job state, their device capabilities and the recording of transfers; see
// printer_dc.h.
#include "print/printer_dc.h"

#include "dc/device_context.h"
#include "print/pdf_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace zg::print {

PrinterJob::PrinterJob(Printer chosen) : printer(std::move(chosen)) {}

// A document never ended is thrown away with its temporary file.
PrinterJob::~PrinterJob() {
    writer.reset();
    if (state != JobState::Idle && !pdf_path.empty()) std::remove(pdf_path.c_str());
}

HDC create_printer_dc(const Printer& printer) {
    HDC hdc = create_dc(DcType::Printer, nullptr, nullptr);
    if (DeviceContext* dc = lookup_dc(hdc)) dc->printer = std::make_shared<PrinterJob>(printer);
    return hdc;
}

PrinterJob* printer_job(HDC hdc) {
    DeviceContext* dc = lookup_dc(hdc);
    return dc != nullptr && dc->type == DcType::Printer ? dc->printer.get() : nullptr;
}

int printer_device_caps(const PrinterJob& job, int index) {
    switch (index) {
    case TECHNOLOGY: return DT_RASPRINTER;
    case HORZRES: return job.printer.page_width;
    case VERTRES: return job.printer.page_height;
    case LOGPIXELSX:
    case LOGPIXELSY: return job.printer.dpi;
    case BITSPIXEL: return 24;
    case RASTERCAPS: return job.printer.raster_caps;
    default: return 0;
    }
}

namespace {

// The destination coordinate of source coordinate `s` on one axis.
LONG map_axis(long long s, long long s0, long long s_extent, long long d0, long long d_extent) {
    return static_cast<LONG>(std::clamp<long long>(d0 + (s - s0) * d_extent / s_extent, INT32_MIN, INT32_MAX));
}

PagePicture copy_pixels(Surface& surface, const RECT& box) {
    PagePicture picture;
    picture.width = box.right - box.left;
    picture.height = box.bottom - box.top;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    auto out = picture.pixels.begin();
    for (LONG y = box.top; y < box.bottom; ++y) {
        const std::uint32_t* row = surface.row(y) + box.left;
        out = std::copy(row, row + picture.width, out);
    }
    return picture;
}

}  // namespace

RECT box_of(int x, int y, int width, int height) {
    auto far_side = [](long long start, long long extent) {
        return static_cast<LONG>(std::clamp<long long>(start + extent, INT32_MIN, INT32_MAX));
    };
    return {x, y, far_side(x, width), far_side(y, height)};
}

BOOL record_picture(PrinterJob& job, RECT destination, HDC source, RECT source_box) {
    DeviceContext* src = lookup_dc(source);
    if (src == nullptr || job.state != JobState::InPage) return FALSE;
    Surface* surface = src->surface();
    const long long sw = 0LL + source_box.right - source_box.left, sh = 0LL + source_box.bottom - source_box.top;
    const long long dw = 0LL + destination.right - destination.left, dh = 0LL + destination.bottom - destination.top;
    if (surface == nullptr || sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return TRUE;
    const RECT clipped{std::max<LONG>(source_box.left, 0), std::max<LONG>(source_box.top, 0),
                       std::min<LONG>(source_box.right, surface->width()),
                       std::min<LONG>(source_box.bottom, surface->height())};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return TRUE;
    PagePicture picture = copy_pixels(*surface, clipped);
    picture.destination = {map_axis(clipped.left, source_box.left, sw, destination.left, dw),
                           map_axis(clipped.top, source_box.top, sh, destination.top, dh),
                           map_axis(clipped.right, source_box.left, sw, destination.left, dw),
                           map_axis(clipped.bottom, source_box.top, sh, destination.top, dh)};
    job.page.push_back(std::move(picture));
    return TRUE;
}

}  // namespace zg::print
