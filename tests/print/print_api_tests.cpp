// The printing calls of the portable platform, in process: the print dialog's request checks
// and answers, printer DC capabilities, the job's states, and what drawing on a printer DC does.
// Every dialog here is answered by the script with the test printer "Api".
#include "display/script.h"
#include "print/printer.h"
#include "print_support.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace print_test;

// Set up before the first display call, which reads ZG_SCRIPT.
class PrintEnvironment : public testing::Environment {
public:
    void SetUp() override {
        std::string script;
        for (int i = 0; i < 100; ++i) script += "0 choose Api\n";
        WriteFile(dir().file("api-script.txt"), script);
        setenv("ZG_SCRIPT", dir().file("api-script.txt").c_str(), 1);
        setenv("ZG_TEST_PRINTERS", "Api=2400x3300@300/0x2a19", 1);
        setenv("ZG_PRINT_DIR", dir().path().c_str(), 1);
        setenv("CUPS_SERVER", dir().file("no-cups-here.sock").c_str(), 1);
    }
    static TempDir& dir() {
        static TempDir directory;
        return directory;
    }
};
const testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new PrintEnvironment);

PRINTDLGA Request() {
    PRINTDLGA request{};
    request.lStructSize = sizeof(PRINTDLGA);
    request.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    return request;
}

// A printer DC from the dialog; the blocks it hands back are freed at once.
HDC OpenPrinter() {
    PRINTDLGA request = Request();
    if (PrintDlgA(&request) == 0) return nullptr;
    GlobalFree(request.hDevNames);
    GlobalFree(request.hDevMode);
    return request.hDC;
}

DOCINFOA Document(const char* output) {
    DOCINFOA info{};
    info.cbSize = sizeof(DOCINFOA);
    info.lpszOutput = output;
    return info;
}

TEST(PrintDialog, RefusesAnyStructureSizeButItsOwn) {
    PRINTDLGA request = Request();
    request.lStructSize = 66;  // the 32-bit size
    EXPECT_EQ(PrintDlgA(&request), FALSE);
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    EXPECT_EQ(request.hDC, nullptr);
    EXPECT_EQ(PrintDlgA(nullptr), FALSE);
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
}

TEST(PrintDialog, HandsBackTheChosenPrintersNamesAndDc) {
    PRINTDLGA request = Request();
    ASSERT_EQ(PrintDlgA(&request), TRUE);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    ASSERT_NE(request.hDevNames, nullptr);
    const auto* names = static_cast<const DEVNAMES*>(request.hDevNames);
    EXPECT_STREQ(static_cast<const char*>(request.hDevNames) + names->wDeviceOffset, "Api");
    EXPECT_EQ(GlobalFree(request.hDevNames), nullptr);
    EXPECT_EQ(GlobalFree(request.hDevNames), request.hDevNames) << "a block is freed once";
    EXPECT_EQ(GlobalFree(request.hDevMode), nullptr);
    ASSERT_NE(request.hDC, nullptr);
    EXPECT_EQ(GetObjectType(request.hDC), static_cast<DWORD>(OBJ_DC));
    EXPECT_EQ(DeleteDC(request.hDC), TRUE);
}

TEST(PrintDialog, WithoutReturnDcGivesNoDc) {
    PRINTDLGA request = Request();
    request.Flags = PD_NOPAGENUMS;
    ASSERT_EQ(PrintDlgA(&request), TRUE);
    EXPECT_EQ(request.hDC, nullptr);
    GlobalFree(request.hDevNames);
}

TEST(PrinterDc, ReportsItsPageResolutionAndCapabilities) {
    HDC printer = OpenPrinter();
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(GetDeviceCaps(printer, HORZRES), 2400);
    EXPECT_EQ(GetDeviceCaps(printer, VERTRES), 3300);
    EXPECT_EQ(GetDeviceCaps(printer, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(printer, LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(GetDeviceCaps(printer, RASTERCAPS), 0x2a19);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(memory, TECHNOLOGY), DT_RASDISPLAY);
    DeleteDC(memory);
    DeleteDC(printer);
}

TEST(PrinterDc, JobCallsOutOfOrderFail) {
    HDC printer = OpenPrinter();
    ASSERT_NE(printer, nullptr);
    const std::string output = PrintEnvironment::dir().file("order.pdf");
    const DOCINFOA info = Document(output.c_str());
    EXPECT_EQ(StartPage(printer), SP_ERROR);
    EXPECT_EQ(EndPage(printer), SP_ERROR);
    EXPECT_LE(EndDoc(printer), 0);
    EXPECT_EQ(AbortDoc(printer), SP_ERROR);
    ASSERT_GT(StartDocA(printer, &info), 0);
    EXPECT_EQ(StartDocA(printer, &info), SP_ERROR) << "one document at a time";
    EXPECT_EQ(EndPage(printer), SP_ERROR) << "no page started";
    EXPECT_GT(AbortDoc(printer), 0);
    EXPECT_FALSE(Exists(output)) << "an aborted document leaves no file";
    EXPECT_LE(EndDoc(printer), 0);
    EXPECT_LE(StartDocA(nullptr, &info), 0);
    EXPECT_LE(StartDocA(printer, nullptr), 0);
    DeleteDC(printer);
}

TEST(PrinterDc, WritesOnePdfPagePerPageWithTheCopiedPicture) {
    HDC printer = OpenPrinter();
    ASSERT_NE(printer, nullptr);
    HDC source = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(source, 100, 50);
    HGDIOBJ old = SelectObject(source, bitmap);
    PatBlt(source, 0, 0, 100, 50, BLACKNESS);
    const std::string output = PrintEnvironment::dir().file("two-pages.pdf");
    const DOCINFOA info = Document(output.c_str());
    ASSERT_GT(StartDocA(printer, &info), 0);
    EXPECT_EQ(BitBlt(printer, 0, 0, 100, 50, source, 0, 0, SRCCOPY), FALSE) << "no page yet";
    for (int page = 0; page < 2; ++page) {
        ASSERT_GT(StartPage(printer), 0);
        EXPECT_EQ(Rectangle(printer, 0, 0, 10, 10), TRUE) << "other drawing is accepted and ignored";
        EXPECT_EQ(StretchBlt(printer, 300, 600, 1000, 500, source, 0, 0, 100, 50, SRCCOPY), TRUE);
        ASSERT_GT(EndPage(printer), 0);
    }
    EXPECT_GT(EndDoc(printer), 0);
    EXPECT_EQ(DeleteDC(printer), TRUE);
    SelectObject(source, old);
    DeleteObject(bitmap);
    DeleteDC(source);
    EXPECT_EQ(PageSize(output), "576 x 792");
    const std::string pdfinfo = output + ".pages";
    ASSERT_EQ(std::system(("pdfinfo '" + output + "' | grep '^Pages:' >'" + pdfinfo + "'").c_str()), 0);
    EXPECT_EQ(ReadFile(pdfinfo), "Pages:           2\n");
    // The black picture at (300, 600), 1000 x 500 device pixels: a column through it at 300 dpi.
    const Strip column = Render(output, 300, 800, 0, 1, 3300);
    EXPECT_EQ(Describe(Runs(column)), "white@0+600 other@600+500 white@1100+2200 ");
}

TEST(PrinterDc, DeletingItMidDocumentThrowsTheDocumentAway) {
    HDC printer = OpenPrinter();
    ASSERT_NE(printer, nullptr);
    const std::string output = PrintEnvironment::dir().file("unfinished.pdf");
    const DOCINFOA info = Document(output.c_str());
    ASSERT_GT(StartDocA(printer, &info), 0);
    ASSERT_GT(StartPage(printer), 0);
    EXPECT_EQ(DeleteDC(printer), TRUE);
    EXPECT_FALSE(Exists(output));
    EXPECT_EQ(StartPage(printer), SP_ERROR) << "the handle is gone";
}

// A memory DC holding a width x height bitmap of one colour; Release frees both.
struct Picture {
    Picture(int width, int height, DWORD rop = BLACKNESS) : dc(CreateCompatibleDC(nullptr)) {
        bitmap = CreateCompatibleBitmap(dc, width, height);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, rop);
    }
    ~Picture() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    // Pixels no compression can shrink much, so that the picture's PDF is large.
    void Scramble(int width, int height) {
        std::uint32_t state = 12345;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) SetPixel(dc, x, y, (state = state * 1664525u + 1013904223u) >> 8);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

// Prints one page with `picture` stretched over the whole page into `output`; EndDoc's result.
// Whatever the job writes on stderr goes to `err`.
int PrintWholePage(const char* output, const Picture& picture, int width, int height, std::string& err) {
    HDC printer = OpenPrinter();
    const DOCINFOA info = Document(output);
    testing::internal::CaptureStderr();
    int result = SP_ERROR;
    if (StartDocA(printer, &info) > 0 && StartPage(printer) > 0) {
        StretchBlt(printer, 0, 0, 2400, 3300, picture.dc, 0, 0, width, height, SRCCOPY);
        EndPage(printer);
        result = EndDoc(printer);
    }
    err = testing::internal::GetCapturedStderr();
    DeleteDC(printer);
    return result;
}

// A document that was not written whole fails EndDoc, says why, and leaves no file behind.
TEST(PrinterJob, DocumentNotWrittenWholeFailsWithTheReason) {
    const Picture picture(400, 300, WHITENESS);
    std::string err;
    EXPECT_LE(PrintWholePage("/dev/full", picture, 400, 300, err), 0);
    EXPECT_NE(err.find("/dev/full: No space left on device"), std::string::npos) << err;

    // A file limit of 4 KB stands for a disk that fills up part way.
    const std::string output = PrintEnvironment::dir().file("cut.pdf");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{4096, old.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Picture noise(200, 200);
    noise.Scramble(200, 200);
    const int result = PrintWholePage(output.c_str(), noise, 200, 200, err);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_LE(result, 0);
    EXPECT_NE(err.find("File too large"), std::string::npos) << err;
    EXPECT_FALSE(Exists(output)) << "no partial file";
}

// Output files are made exclusively: a link in the way is never written through, and only a
// file the job made is ever removed.
TEST(PrinterJob, NeverWritesThroughALinkNorRemovesAFileItDidNotMake) {
    const TempDir dir;
    ASSERT_EQ(symlink(dir.file("target.pdf").c_str(), dir.file("print-1.pdf").c_str()), 0);
    setenv("ZG_PRINT_DIR", dir.path().c_str(), 1);
    const Picture picture(40, 30);
    std::string err;
    EXPECT_GT(PrintWholePage(nullptr, picture, 40, 30, err), 0) << err;
    setenv("ZG_PRINT_DIR", PrintEnvironment::dir().path().c_str(), 1);
    EXPECT_FALSE(Exists(dir.file("target.pdf"))) << "written through the link";
    EXPECT_TRUE(Exists(dir.file("print-2.pdf"))) << "the next free name";
    EXPECT_LE(PrintWholePage(dir.file("print-1.pdf").c_str(), picture, 40, 30, err), 0);
    EXPECT_NE(err.find("symbolic link"), std::string::npos) << err;

    const std::string mine = dir.file("mine.pdf");
    WriteFile(mine, "the user's own");
    for (bool abort : {true, false}) {
        HDC printer = OpenPrinter();
        const DOCINFOA info = Document(mine.c_str());
        ASSERT_GT(StartDocA(printer, &info), 0);
        ASSERT_GT(StartPage(printer), 0);
        if (abort) {
            EXPECT_GT(AbortDoc(printer), 0);
        }
        DeleteDC(printer);
        EXPECT_EQ(ReadFile(mine), "the user's own") << (abort ? "AbortDoc" : "DeleteDC");
    }
    EXPECT_GT(PrintWholePage(mine.c_str(), picture, 40, 30, err), 0) << err;
    EXPECT_EQ(ReadFile(mine).substr(0, 5), "%PDF-") << "a finished document replaces it";
    EXPECT_EQ(FilesEndingIn(dir.path(), ".pdf").size(), 3u) << "no stray temporary file";
}

// Sides over cairo's 32,767 pixels print whole; a page holds one copy of a repeated picture.
TEST(PrinterJob, PicturesPrintWholeWhateverTheirSidesAndRepeatsShareOneCopy) {
    for (const auto& [width, height] : {std::pair{1, 100'000}, std::pair{40'000, 10}}) {
        const Picture picture(width, height);
        const std::string output = PrintEnvironment::dir().file("side-" + std::to_string(width) + ".pdf");
        std::string err;
        ASSERT_GT(PrintWholePage(output.c_str(), picture, width, height, err), 0) << err;
        EXPECT_EQ(Describe(Runs(Render(output, 300, 1200, 0, 1, 3300))), "other@0+3300 ") << width << " x " << height;
    }
    HDC printer = OpenPrinter();
    const std::string output = PrintEnvironment::dir().file("repeats.pdf");
    const DOCINFOA info = Document(output.c_str());
    const Picture picture(1000, 1000, DSTINVERT);
    ASSERT_GT(StartDocA(printer, &info), 0);
    ASSERT_GT(StartPage(printer), 0);
    const long before = ResidentKilobytes();
    for (int i = 0; i < 300; ++i) ASSERT_EQ(BitBlt(printer, i, i, 1000, 1000, picture.dc, 0, 0, SRCCOPY), TRUE);
    EXPECT_LT(ResidentKilobytes() - before, 100'000) << "300 copies of a 4 MB picture";
    EXPECT_GT(EndPage(printer), 0);
    EXPECT_GT(EndDoc(printer), 0);
    DeleteDC(printer);
}

TEST(TestPrinters, ParseTheirListAndRefuseMalformedOnes) {
    std::vector<zg::print::Printer> printers;
    std::string error;
    ASSERT_TRUE(zg::print::parse_test_printers("A=10x20@72/0x801;B=1x2@3/9", printers, error)) << error;
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_EQ(printers[0].name, "A");
    EXPECT_EQ(printers[0].page_width, 10);
    EXPECT_EQ(printers[0].page_height, 20);
    EXPECT_EQ(printers[0].dpi, 72);
    EXPECT_EQ(printers[0].raster_caps, 0x801);
    EXPECT_EQ(printers[1].raster_caps, 9);
    for (const char* bad : {"A=10x20@72", "=10x20@72/1", "A=0x20@72/1", "A=10x20@0/1", "A=10x20@72/0xZZ", "junk",
                            "Big=2147483647x1@1/0x2a19", "Fine=4961x7016@2000000000/0x2a19"}) {
        EXPECT_FALSE(zg::print::parse_test_printers(bad, printers, error)) << bad;
        EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
}

}  // namespace

namespace {

TEST(ScriptAnswers, ParseAsAnswersWithTheirArguments) {
    const zg::ParsedScript script = zg::parse_script("10 choose PDF file\n20 cancel\n30 ok\n40 key p\n", "s");
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.events.size(), 4u);
    EXPECT_EQ(script.events[0].action, zg::ScriptAction::Choose);
    EXPECT_EQ(script.events[0].text, "PDF file");
    EXPECT_EQ(script.events[1].action, zg::ScriptAction::Cancel);
    EXPECT_EQ(script.events[2].action, zg::ScriptAction::Ok);
    EXPECT_TRUE(zg::is_answer(script.events[2].action));
    EXPECT_FALSE(zg::is_answer(script.events[3].action));
}

TEST(ScriptAnswers, MalformedAnswersAreRefusedWithTheirLine) {
    EXPECT_EQ(zg::parse_script("0 ok\n5 choose\n", "s").error, "s:2: missing printer name");
    EXPECT_EQ(zg::parse_script("5 cancel now\n", "s").error, "s:1: cancel takes no arguments");
    EXPECT_EQ(zg::parse_script("5 ok ok\n", "s").error, "s:1: ok takes no arguments");
}

}  // namespace
