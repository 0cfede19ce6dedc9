// window::Print through the real code path on the headless display: the script answers the
// dialog, test printers (ZG_TEST_PRINTERS) give the page size and raster capabilities, and the
// PDF they write is rendered back with pdftoppm at the printer's own resolution, so that one
// device pixel is one rendered pixel and the picture's box can be read exactly.
//
// The probe's picture (print_probe.cpp) has 150-pixel bands: red top, blue bottom, green left,
// magenta right. Strips across the page give the runs of colours, whose ends are the box.
#include "print_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace print_test;

constexpr const char* kPrinters =
    "Stretch=4800x6600@600/0x2a19;Plain=2400x3300@300/0x2219;Short=4800x2000@600/0x2a19;"
    "Narrow=800x3300@300/0x2219;NoBlt=2400x3300@300/0x2a18;Small=2400x3300@300/0x2a11";

class PrintPage : public testing::Test {
protected:
    ProbeRun Print(const std::string& script, const std::string& mode = "buffered",
                   const std::string& size = "1000 700") {
        return RunProbe(m_dir, size + " " + mode, script, {{"ZG_TEST_PRINTERS", kPrinters}});
    }
    std::vector<std::string> Pdfs() const { return FilesEndingIn(m_dir.path(), ".pdf"); }
    std::string OnlyPdf() const {
        const std::vector<std::string> pdfs = Pdfs();
        return pdfs.size() == 1 ? pdfs.front() : std::string();
    }
    // Runs of a column (x fixed) or a row (y fixed) of the page.
    std::string Column(int dpi, int x, int height) { return Describe(Runs(Render(OnlyPdf(), dpi, x, 0, 1, height))); }
    std::string Row(int dpi, int y, int width) { return Describe(Runs(Render(OnlyPdf(), dpi, 0, y, width, 1))); }

    TempDir m_dir;
};

constexpr const char* kBoxMessage = "zorgraphics: message box \"Graphics Library\": ";

TEST_F(PrintPage, StretchingPrinterScalesToThePageWidthAndCentresVertically) {
    const ProbeRun run = Print("0 choose Stretch\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(OnlyPdf().empty()) << run.out << run.err;
    EXPECT_EQ(run.out, "zorgraphics: printed to " + OnlyPdf() + "\n");
    EXPECT_EQ(PageSize(OnlyPdf()), "576 x 792");  // 4800 x 6600 pixels at 600 dpi, in points
    // Box (0, 1620) to (4800, 4980): the 1000 x 700 picture at 4.8 times its size.
    EXPECT_EQ(Column(600, 2400, 6600), "white@0+1620 red@1620+720 white@2340+1920 blue@4260+720 white@4980+1620 ");
    EXPECT_EQ(Row(600, 3300, 4800), "green@0+720 white@720+3360 magenta@4080+720 ");
}

TEST_F(PrintPage, PrinterWithoutStretchingCentresThePictureAtItsOwnSize) {
    const ProbeRun run = Print("0 choose Plain\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(OnlyPdf().empty()) << run.out << run.err;
    // Box (700, 1300) to (1700, 2000).
    EXPECT_EQ(Column(300, 1200, 3300), "white@0+1300 red@1300+150 white@1450+400 blue@1850+150 white@2000+1300 ");
    EXPECT_EQ(Row(300, 1650, 2400), "white@0+700 green@700+150 white@850+700 magenta@1550+150 white@1700+700 ");
}

TEST_F(PrintPage, PictureTallerThanThePageOverflowsTopAndBottomAlike) {
    const ProbeRun run = Print("0 choose Short\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(OnlyPdf().empty()) << run.out << run.err;
    // Scaled to 4800 x 3360 at top -680: 680 pixels cut at each end, 40 of each band left.
    EXPECT_EQ(Column(600, 2400, 2000), "red@0+40 white@40+1920 blue@1960+40 ");
}

TEST_F(PrintPage, PageNarrowerThanThePictureCutsBothSides) {
    const ProbeRun run = Print("0 choose Narrow\n");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(OnlyPdf().empty()) << run.out << run.err;
    // Left offset (800 - 1000) >> 1 = -100: 100 pixels cut on each side.
    EXPECT_EQ(Row(300, 1650, 800), "green@0+50 white@50+700 magenta@750+50 ");
}

// Scaled to the page width, a 1 x 500,000 window is 2.4e9 device pixels high: the rows that land
// on the page are printed. A 5000 x 1 window scales to under a pixel: it keeps one row.
TEST_F(PrintPage, PicturesOfAnyShapePrintWhatLandsOnThePage) {
    ProbeRun run = Print("0 choose Stretch\n", "buffered", "1 500000");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(OnlyPdf().empty()) << run.out << run.err;
    EXPECT_EQ(run.out, "zorgraphics: printed to " + OnlyPdf() + "\n");
    EXPECT_EQ(Column(600, 2400, 6600), "red@0+6600 ");
    std::remove(OnlyPdf().c_str());
    run = Print("0 choose Stretch\n", "buffered", "5000 1");
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_FALSE(OnlyPdf().empty()) << run.out << run.err;
    EXPECT_EQ(Column(600, 2400, 6600), "white@0+3299 red@3299+1 white@3300+3300 ");
}

// Each failure says what failed and why.
TEST_F(PrintPage, UnwritablePrintFolderSaysWhy) {
    WriteFile(m_dir.file("a-file"), "");
    const ProbeRun run =
        RunProbe(m_dir, "1000 700 buffered", "0 choose PDF file\n", {{"ZG_PRINT_DIR", m_dir.file("a-file")}});
    EXPECT_NE(run.err.find("cannot create " + m_dir.file("a-file") + "/print-1.pdf: Not a directory"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("Failed to EndDoc"), std::string::npos) << run.out;
}

// Out of memory at any step, Print keeps window.h's promise: it throws OUT_OF_MEMORY (the probe
// then ends with status 4), never crashes, and leaves no file. An 8192 x 8192 picture needs
// about 900 MB; the limits fall in the copy of the picture and in writing the page out.
TEST_F(PrintPage, OutOfMemoryThrowsTheLibrarysErrorAndLeavesNoFile) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit leaves";
#endif
    for (const char* limit : {"550000000", "750000000"}) {
        const ProbeRun run =
            RunProbe(m_dir, "8192 8192 buffered", "0 choose PDF file\n", {}, std::string("prlimit --as=") + limit);
        EXPECT_EQ(run.status, 4) << limit << ": " << run.err;
        EXPECT_NE(run.err.find("print_probe: Print ran out of memory"), std::string::npos) << run.err;
        EXPECT_TRUE(Pdfs().empty()) << limit;
    }
}

TEST_F(PrintPage, CancellingPrintsNothingAndWritesNothingToTheConsole) {
    const ProbeRun run = Print("0 cancel\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.find("message box"), std::string::npos) << run.err;
    EXPECT_TRUE(Pdfs().empty());
}

TEST_F(PrintPage, DialogWithoutAnAnswerIsCancelled) {
    const ProbeRun run = Print("");
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("print dialog: no answer in the script, cancelled"), std::string::npos) << run.err;
    EXPECT_TRUE(Pdfs().empty());
}

TEST_F(PrintPage, UnbufferedPrintingWarnsThenPrintsTheWindow) {
    const ProbeRun run = Print("0 ok\n0 choose Plain\n", "unbuffered");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, std::string(kBoxMessage) + "Double-buffering must be enabled for printing to work.  Sorry.\n");
    ASSERT_FALSE(OnlyPdf().empty()) << run.out << run.err;
    EXPECT_EQ(Column(300, 1200, 3300), "white@0+1300 red@1300+150 white@1450+400 blue@1850+150 white@2000+1300 ");
}

TEST_F(PrintPage, RefusedPrintersShowTheirBoxAndStartNoJob) {
    struct Case {
        const char* printer;
        const char* text;
    };
    for (const Case& c : {Case{"NoBlt", "Your printer does not support bitblts.  Sorry"},
                          Case{"Small", "Your printer does not support bitmaps larger than 64K.  Sorry."}}) {
        const ProbeRun run = Print(std::string("0 choose ") + c.printer + "\n0 ok\n");
        EXPECT_EQ(run.status, 0) << c.printer;
        EXPECT_EQ(run.err, std::string(kBoxMessage) + c.text + "\n") << c.printer;
        EXPECT_EQ(run.out, "") << c.printer;
        EXPECT_TRUE(Pdfs().empty()) << c.printer;
    }
}

TEST_F(PrintPage, UnknownPrinterNameCancelsTheDialog) {
    const ProbeRun run = Print("0 choose Nonesuch\n");
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no printer \"Nonesuch\""), std::string::npos) << run.err;
    EXPECT_TRUE(Pdfs().empty());
}

}  // namespace
