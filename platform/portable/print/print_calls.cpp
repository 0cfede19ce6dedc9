// The print dialog, print jobs and the memory blocks the dialog hands back, as Win32 functions.
//
// PrintDlgA offers available_printers() through the display (an SDL message box, or the
// headless script's answer) and hands back a printer DC and a DEVNAMES block. Jobs write a PDF
// through an OutputFile: for the PDF-file printer a new print-N.pdf (in ZG_PRINT_DIR, else the
// current directory), for a CUPS printer a temporary file that EndDoc submits and removes, or the
// file DOCINFOA's lpszOutput names. Each failure is written to stderr with its reason; running
// out of memory fails the call with ERROR_NOT_ENOUGH_MEMORY.
#include "display/display.h"
#include "memory_guard.h"
#include "print/pdf_writer.h"
#include "print/printer_dc.h"

#include <platform/gdi_count.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace zg::print {
namespace {

DWORD& last_dialog_error() {
    static DWORD error = 0;
    return error;
}

// Blocks handed out by PrintDlgA, owned here until GlobalFree.
std::map<void*, std::unique_ptr<char[]>>& global_blocks() {
    static std::map<void*, std::unique_ptr<char[]>> blocks;
    return blocks;
}

// DEVNAMES followed by the driver, device and output names.
HGLOBAL make_devnames(const std::string& device) {
    const std::string driver = "winspool", output;
    const std::size_t size = sizeof(DEVNAMES) + driver.size() + device.size() + output.size() + 3;
    auto block = std::make_unique<char[]>(size);
    DEVNAMES names{};
    names.wDriverOffset = sizeof(DEVNAMES);
    names.wDeviceOffset = static_cast<WORD>(names.wDriverOffset + driver.size() + 1);
    names.wOutputOffset = static_cast<WORD>(names.wDeviceOffset + device.size() + 1);
    std::memcpy(block.get(), &names, sizeof names);
    std::memcpy(block.get() + names.wDriverOffset, driver.c_str(), driver.size() + 1);
    std::memcpy(block.get() + names.wDeviceOffset, device.c_str(), device.size() + 1);
    std::memcpy(block.get() + names.wOutputOffset, output.c_str(), output.size() + 1);
    void* handle = block.get();
    global_blocks().emplace(handle, std::move(block));
    return handle;
}

std::string print_directory() {
    const char* dir = std::getenv("ZG_PRINT_DIR");
    return dir != nullptr && dir[0] != '\0' ? dir : ".";
}

// The first free print-N.pdf, made exclusively: a name taken by anything, a dangling link too,
// is skipped, never written through.
bool create_numbered_pdf(OutputFile& file) {
    const std::string dir = print_directory();
    for (int n = 1; n <= 1'000'000; ++n) {
        if (file.create(dir + "/print-" + std::to_string(n) + ".pdf")) return true;
        if (file.error_number() != EEXIST) return false;
    }
    return false;
}

bool create_temporary_pdf(OutputFile& file) {
    const char* tmp = std::getenv("TMPDIR");
    return file.create_temporary(std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/zg-print-XXXXXX");
}

// Opens where the document goes; false (with the file's reason) when it cannot be made.
bool open_output(PrinterJob& job, const DOCINFOA& info) {
    job.temporary = false;
    if (info.lpszOutput != nullptr && info.lpszOutput[0] != '\0') return job.file.open_named(info.lpszOutput);
    if (job.printer.kind == PrinterKind::PdfFile) return create_numbered_pdf(job.file);
    job.temporary = true;
    return create_temporary_pdf(job.file);
}

// The job goes where it was meant to: the file is kept or submitted; the number or SP_ERROR.
int deliver(PrinterJob& job) {
    if (!job.temporary) {
        std::printf("zorgraphics: printed to %s\n", job.file.path().c_str());
        std::fflush(stdout);
        return job.job_number;
    }
    std::string reason;
    const int number = submit_to_cups(job.printer.name, job.file.path(), job.title, reason);
    std::remove(job.file.path().c_str());
    if (number > 0) return number;
    std::fprintf(stderr, "zorgraphics: printer %s did not take the job: %s\n", job.printer.name.c_str(),
                 reason.c_str());
    return SP_ERROR;
}

void report(const PrinterJob& job, const char* what) {
    std::fprintf(stderr, "zorgraphics: %s: %s\n", what, job.file.failed() ? job.file.error().c_str() : "cairo failed");
}

// Offers the printers and hands back the chosen one's DC and names; FALSE when cancelled.
BOOL run_dialog(PRINTDLGA& pd) {
    const std::vector<Printer> printers = available_printers();
    std::vector<std::string> names;
    for (const Printer& printer : printers) names.push_back(printer.name);
    const int chosen = zg::display().print_dialog(pd.hwndOwner, names);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= printers.size()) return FALSE;
    const Printer& printer = printers[static_cast<std::size_t>(chosen)];
    pd.hDevMode = nullptr;
    pd.hDevNames = make_devnames(printer.name);
    pd.hDC = (pd.Flags & PD_RETURNDC) != 0 ? create_printer_dc(printer) : nullptr;
    return TRUE;
}

int next_job_number() {
    static int number = 0;
    return ++number;
}

int start_doc(HDC hdc, const DOCINFOA* lpdi) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || lpdi == nullptr || job->state != JobState::Idle) return SP_ERROR;
    job->title = lpdi->lpszDocName != nullptr && lpdi->lpszDocName[0] != '\0' ? lpdi->lpszDocName : "zorgraphics";
    if (!open_output(*job, *lpdi)) {
        std::fprintf(stderr, "zorgraphics: cannot start the document: %s\n", job->file.error().c_str());
        return SP_ERROR;
    }
    const bool started = zg::within_memory(false, [&] {
        job->writer =
            std::make_unique<PdfWriter>(job->file, job->printer.page_width, job->printer.page_height, job->printer.dpi);
        return job->writer->ok();
    });
    if (!started) {
        report(*job, "cannot start the document");
        job->writer.reset();
        job->file.discard();
        return SP_ERROR;
    }
    job->state = JobState::InDoc;
    job->job_number = next_job_number();
    return job->job_number;
}

int end_doc(HDC hdc) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || job->state == JobState::Idle) return SP_ERROR;
    if (job->state == JobState::InPage) EndPage(hdc);
    const bool written = job->writer->finish();
    job->writer.reset();
    job->state = JobState::Idle;
    if (!written || !job->file.commit()) {
        report(*job, "the document was not written");
        job->file.discard();
        return SP_ERROR;
    }
    return deliver(*job);
}

}  // namespace

}  // namespace zg::print

using namespace zg::print;

extern "C" {

BOOL WINAPI PrintDlgA(LPPRINTDLGA pd) {
    last_dialog_error() = 0;
    if (pd == nullptr || pd->lStructSize != sizeof(PRINTDLGA)) {
        last_dialog_error() = CDERR_STRUCTSIZE;
        return FALSE;
    }
    const BOOL chosen = zg::within_memory(FALSE, [&] { return run_dialog(*pd); });
    if (chosen == FALSE && GetLastError() == ERROR_NOT_ENOUGH_MEMORY) last_dialog_error() = CDERR_MEMALLOCFAILURE;
    return chosen;
}

DWORD WINAPI CommDlgExtendedError(void) { return last_dialog_error(); }

}  // extern "C"

int zg_live_dialog_blocks() { return static_cast<int>(global_blocks().size()); }

extern "C" {

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    if (hMem == nullptr) return nullptr;
    return global_blocks().erase(hMem) == 1 ? nullptr : hMem;
}

int WINAPI StartDocA(HDC hdc, const DOCINFOA* lpdi) {
    return zg::within_memory(SP_ERROR, [&] { return start_doc(hdc, lpdi); });
}

int WINAPI StartPage(HDC hdc) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || job->state != JobState::InDoc) return SP_ERROR;
    if (!job->writer->begin_page()) return SP_ERROR;
    job->state = JobState::InPage;
    return 1;
}

int WINAPI EndPage(HDC hdc) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || job->state != JobState::InPage) return SP_ERROR;
    job->state = JobState::InDoc;
    if (job->writer->end_page()) return 1;
    report(*job, "cannot end the page");
    return SP_ERROR;
}

int WINAPI EndDoc(HDC hdc) {
    return zg::within_memory(SP_ERROR, [&] { return end_doc(hdc); });
}

int WINAPI AbortDoc(HDC hdc) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || job->state == JobState::Idle) return SP_ERROR;
    job->writer.reset();
    job->file.discard();
    job->state = JobState::Idle;
    return 1;
}

}  // extern "C"
