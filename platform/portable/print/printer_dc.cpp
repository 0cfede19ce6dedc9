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

namespace {

// A printer's page as a DC's device: it reports the printer's capabilities and records copies
// (SRCCOPY transfers) onto the page. Other transfers reach the surface path, which finds no
// surface on a printer DC and draws nothing.
class PrinterDevice final : public Device {
public:
    explicit PrinterDevice(const Printer& printer) : m_job(printer) {}

    PrinterJob& job() { return m_job; }

    int caps(int index) const override {
        switch (index) {
        case TECHNOLOGY: return DT_RASPRINTER;
        case HORZRES: return m_job.printer.page_width;
        case VERTRES: return m_job.printer.page_height;
        case LOGPIXELSX:
        case LOGPIXELSY: return m_job.printer.dpi;
        case BITSPIXEL: return 24;
        case RASTERCAPS: return m_job.printer.raster_caps;
        default: return 0;
        }
    }

    BOOL bit_blt(HDC hdc, const BlockTransfer& t) override {
        if (t.rop != SRCCOPY) return surface_device()->bit_blt(hdc, t);
        return record_picture(m_job, box_of(t.x, t.y, t.width, t.height), t.source,
                              box_of(t.source_x, t.source_y, t.width, t.height));
    }

    BOOL stretch_blt(HDC hdc, const BlockTransfer& t) override {
        if (t.rop != SRCCOPY) return surface_device()->stretch_blt(hdc, t);
        return record_picture(m_job, box_of(t.x, t.y, t.width, t.height), t.source,
                              box_of(t.source_x, t.source_y, t.source_width, t.source_height));
    }

private:
    PrinterJob m_job;
};

}  // namespace

HDC create_printer_dc(const Printer& printer) {
    return create_dc(DcType::Printer, nullptr, nullptr, std::make_shared<PrinterDevice>(printer));
}

PrinterJob* printer_job(HDC hdc) {
    DeviceContext* dc = lookup_dc(hdc);
    auto* device = dc != nullptr ? dynamic_cast<PrinterDevice*>(dc->device.get()) : nullptr;
    return device != nullptr ? &device->job() : nullptr;
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
