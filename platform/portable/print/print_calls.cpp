// The print dialog, print jobs and the memory blocks the dialog hands back, as Win32 functions.
//
// PrintDlgA offers available_printers() through the display (an SDL message box, or the
// headless script's answer) and hands back a printer DC and a DEVNAMES block. Jobs write a PDF:
// for the PDF-file printer straight into its file (in ZG_PRINT_DIR, else the current directory,
// named print-N.pdf), for a CUPS printer into a temporary file that EndDoc submits and removes.
#include "display/display.h"
#include "print/pdf_writer.h"
#include "print/printer_dc.h"

#include <platform/gdi_count.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

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

std::string next_pdf_path() {
    namespace fs = std::filesystem;
    const fs::path dir = print_directory();
    for (int n = 1;; ++n) {
        fs::path candidate = dir / ("print-" + std::to_string(n) + ".pdf");
        std::error_code error;
        if (!fs::exists(candidate, error)) return candidate.string();
    }
}

std::string temporary_pdf_path() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/zg-print-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return {};
    close(fd);
    return pattern;
}

// Chooses where the document goes; false when no file can be made.
bool choose_output(PrinterJob& job, const DOCINFOA& info) {
    job.temporary = false;
    if (info.lpszOutput != nullptr && info.lpszOutput[0] != '\0')
        job.pdf_path = info.lpszOutput;
    else if (job.printer.kind == PrinterKind::PdfFile)
        job.pdf_path = next_pdf_path();
    else
        job.pdf_path = temporary_pdf_path(), job.temporary = true;
    return !job.pdf_path.empty();
}

// The job goes where it was meant to: the file is kept or submitted; the number or <= 0.
int deliver(PrinterJob& job) {
    if (job.printer.kind == PrinterKind::PdfFile || !job.temporary) {
        std::printf("zorgraphics: printed to %s\n", job.pdf_path.c_str());
        std::fflush(stdout);
        return job.job_number;
    }
    const int number = submit_to_cups(job.printer.name, job.pdf_path, job.title);
    std::remove(job.pdf_path.c_str());
    if (number <= 0) std::fprintf(stderr, "zorgraphics: printer %s refused the job\n", job.printer.name.c_str());
    return number > 0 ? number : SP_ERROR;
}

int next_job_number() {
    static int number = 0;
    return ++number;
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
    const std::vector<Printer> printers = available_printers();
    std::vector<std::string> names;
    for (const Printer& printer : printers) names.push_back(printer.name);
    const int chosen = zg::display().print_dialog(pd->hwndOwner, names);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= printers.size()) return FALSE;
    const Printer& printer = printers[static_cast<std::size_t>(chosen)];
    pd->hDevMode = nullptr;
    pd->hDevNames = make_devnames(printer.name);
    pd->hDC = (pd->Flags & PD_RETURNDC) != 0 ? create_printer_dc(printer) : nullptr;
    return TRUE;
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
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || lpdi == nullptr || job->state != JobState::Idle) return SP_ERROR;
    job->title = lpdi->lpszDocName != nullptr && lpdi->lpszDocName[0] != '\0' ? lpdi->lpszDocName : "zorgraphics";
    if (!choose_output(*job, *lpdi)) return SP_ERROR;
    job->writer =
        std::make_unique<PdfWriter>(job->pdf_path, job->printer.page_width, job->printer.page_height, job->printer.dpi);
    if (!job->writer->ok()) {
        std::fprintf(stderr, "zorgraphics: cannot write %s\n", job->pdf_path.c_str());
        job->writer.reset();
        return SP_ERROR;
    }
    job->state = JobState::InDoc;
    job->job_number = next_job_number();
    return job->job_number;
}

int WINAPI StartPage(HDC hdc) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || job->state != JobState::InDoc) return SP_ERROR;
    job->page.clear();
    job->state = JobState::InPage;
    return 1;
}

int WINAPI EndPage(HDC hdc) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || job->state != JobState::InPage) return SP_ERROR;
    const bool drawn = job->writer->add_page(job->page);
    job->page.clear();
    job->page.shrink_to_fit();
    job->state = JobState::InDoc;
    return drawn ? 1 : SP_ERROR;
}

int WINAPI EndDoc(HDC hdc) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || job->state == JobState::Idle) return SP_ERROR;
    if (job->state == JobState::InPage) EndPage(hdc);
    const bool written = job->writer->finish();
    job->writer.reset();
    job->state = JobState::Idle;
    if (!written) {
        std::remove(job->pdf_path.c_str());
        return SP_ERROR;
    }
    return deliver(*job);
}

int WINAPI AbortDoc(HDC hdc) {
    PrinterJob* job = printer_job(hdc);
    if (job == nullptr || job->state == JobState::Idle) return SP_ERROR;
    job->writer.reset();
    job->page.clear();
    job->state = JobState::Idle;
    std::remove(job->pdf_path.c_str());
    return 1;
}

}  // extern "C"
