// Printer device contexts. A printer DC has no page-sized surface: A4 at 600 dpi would be
// 139 MB of pixels. Instead BitBlt and StretchBlt onto it put the picture (copied at its own
// size) on the PDF page cairo draws (pdf_writer.h), scaled nearest-neighbour; EndPage ends the
// page and EndDoc hands the document to the printer: a CUPS job, or the PDF file itself for the
// PDF-file printer. Other drawing on a printer DC draws nothing.
//
// Job states: Idle --StartDoc--> InDoc --StartPage--> InPage --EndPage--> InDoc --EndDoc--> Idle;
// AbortDoc, or deleting the DC, throws an unfinished document away.
#pragma once

#include <platform/win32.h>

#include "print/output_file.h"
#include "print/printer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zg::print {

class PdfWriter;

enum class JobState : std::uint8_t { Idle, InDoc, InPage };

struct PrinterJob {
    explicit PrinterJob(Printer chosen);
    ~PrinterJob();
    PrinterJob(const PrinterJob&) = delete;
    PrinterJob& operator=(const PrinterJob&) = delete;

    Printer printer;
    JobState state = JobState::Idle;
    int job_number = 0;
    std::string title;
    bool temporary = false;  // the file is ours, to hand to the print server and remove
    OutputFile file;         // where the document is written
    std::unique_ptr<PdfWriter> writer;
};

// A DC for the chosen printer, with the default objects selected.
HDC create_printer_dc(const Printer& printer);
// The job behind a printer DC; null for any other handle.
PrinterJob* printer_job(HDC hdc);

// The box of a transfer's origin and extent, its far side held within the range of LONG.
RECT box_of(int x, int y, int width, int height);

// Draws a transfer from `source` (a DC with a surface) onto the page. Extents must be positive;
// the source box is clipped to the source surface and to what lands on the page, and the
// destination shrinks with it. Out of memory, it fails with ERROR_NOT_ENOUGH_MEMORY.
BOOL record_picture(PrinterJob& job, RECT destination, HDC source, RECT source_box);

}  // namespace zg::print
