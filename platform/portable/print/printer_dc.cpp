// Printer DCs: their job state, their device capabilities and the recording of transfers; see
// printer_dc.h.
#include "print/printer_dc.h"

#include "dc/device_context.h"
#include "memory_guard.h"
#include "print/pdf_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace zg::print {

PrinterJob::PrinterJob(Printer chosen) : printer(std::move(chosen)) {}

// A document never ended is thrown away, with its file if the job made it (OutputFile).
PrinterJob::~PrinterJob() { writer.reset(); }

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

// Extents reach 2^32 on both sides of a product, so products are taken in 128 bits.
__extension__ using Wide = __int128;

// The source coordinate whose destination is `d` on one axis, rounded down or up (extents > 0).
long long unmap_axis(long long d, long long s0, long long s_extent, long long d0, long long d_extent, bool up) {
    const Wide scaled = Wide{d - d0} * s_extent;
    Wide quotient = scaled / d_extent;
    const Wide remainder = scaled % d_extent;
    if (remainder < 0 && !up) --quotient;
    if (remainder > 0 && up) ++quotient;
    return static_cast<long long>(std::clamp<Wide>(s0 + quotient, INT64_MIN / 2, INT64_MAX / 2));
}

// The part of `source` (clipped to the surface) whose pixels land on the page, [0, page).
RECT visible_source(const RECT& source, const RECT& destination, const Surface& surface, const Printer& printer) {
    const long long sw = 0LL + source.right - source.left, sh = 0LL + source.bottom - source.top;
    const long long dw = 0LL + destination.right - destination.left, dh = 0LL + destination.bottom - destination.top;
    const long long left = unmap_axis(0, source.left, sw, destination.left, dw, false);
    const long long right = unmap_axis(printer.page_width, source.left, sw, destination.left, dw, true);
    const long long top = unmap_axis(0, source.top, sh, destination.top, dh, false);
    const long long bottom = unmap_axis(printer.page_height, source.top, sh, destination.top, dh, true);
    return {static_cast<LONG>(std::max<long long>({source.left, left, 0})),
            static_cast<LONG>(std::max<long long>({source.top, top, 0})),
            static_cast<LONG>(std::min<long long>({source.right, right, surface.width()})),
            static_cast<LONG>(std::min<long long>({source.bottom, bottom, surface.height()}))};
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
    const RECT clipped = visible_source(source_box, destination, *surface, job.printer);
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return TRUE;
    const PdfStatus drawn = within_memory(PdfStatus::OutOfMemory,
                                          [&] { return job.writer->draw(*surface, clipped, source_box, destination); });
    switch (drawn) {
    case PdfStatus::Ok: return TRUE;
    case PdfStatus::OutOfMemory: SetLastError(ERROR_NOT_ENOUGH_MEMORY); return FALSE;
    case PdfStatus::Failed: return FALSE;
    }
    return FALSE;
}

}  // namespace zg::print
