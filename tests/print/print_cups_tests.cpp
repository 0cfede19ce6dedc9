// Printing to a real CUPS server of the test's own (private_cupsd.sh): its queue "zg-test" is the
// default, A4 at 300 dpi, and writes each job's PDF to a file. The simulator-sized picture is
// printed through window::Print, the job is awaited, and the page CUPS wrote is rendered back.
#include "print/printer.h"
#include "print_support.h"

#include <cups/cups.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using namespace print_test;

class PrintCups : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        s_started = std::system(CupsdCommand("start").c_str()) == 0;
    }
    // Built by appending: GCC 12 warns (-Wrestrict, falsely) on a chain of + from a literal.
    static std::string CupsdCommand(const char* action) {
        std::string command = "'";
        command += PRIVATE_CUPSD;
        command += "' ";
        command += action;
        command += " '";
        command += s_dir->path();
        command += "'";
        return command;
    }
    static void TearDownTestSuite() {
        (void)std::system(CupsdCommand("stop").c_str());
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_started) << "the private cupsd did not start"; }

    static std::string Server() { return s_dir->file("cups.sock"); }
    static std::string Output() { return s_dir->file("out/job.pdf"); }
    static int Admin(const std::string& command) {
        return std::system(("CUPS_SERVER='" + Server() + "' " + command + " >/dev/null 2>&1").c_str());
    }

    // The PDF the queue wrote, once the job is done: its size has settled and CUPS lists no
    // pending job. Waits at most ten seconds.
    static bool WaitForOutput() {
        for (int i = 0; i < 200; ++i) {
            if (Exists(Output()) && !ReadFile(Output()).empty() && Admin("sh -c 'test -z \"$(lpstat -o)\"'") == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    ProbeRun Print(const std::string& script) {
        return RunProbe(m_work, "1000 700 buffered", script, {{"CUPS_SERVER", Server()}});
    }

    static TempDir* s_dir;
    static bool s_started;
    TempDir m_work;
};
TempDir* PrintCups::s_dir = nullptr;
bool PrintCups::s_started = false;

TEST_F(PrintCups, PrintsThePictureOnTheDefaultQueuesPage) {
    std::remove(Output().c_str());
    const ProbeRun run = Print("0 choose zg-test\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "") << "no fatal error";
    ASSERT_TRUE(WaitForOutput()) << ReadFile(s_dir->file("log/error_log"));
    EXPECT_TRUE(FilesEndingIn(m_work.path(), ".pdf").empty()) << "the job went to CUPS, not to a file";
    // A4 at 300 dpi is 2480 x 3508 device pixels; 2480 x 700 / 1000 = 1736 high, top 886. The
    // 2.48 scale puts band edges between pixels, where the renderer may blend: the picture's box
    // is exact, the bands are checked clear of their edges.
    EXPECT_EQ(PageSize(Output()), "595.2 x 841.92");
    const Strip column = Render(Output(), 300, 1240, 0, 1, 3508);
    const Strip row = Render(Output(), 300, 0, 1754, 2480, 1);
    EXPECT_EQ(PictureSpan(column), "886 to 2622") << Describe(Runs(column));
    EXPECT_EQ(PictureSpan(row), "0 to 2480") << Describe(Runs(row));
    EXPECT_EQ(column.at(0, 886 + 360), Hue::Red);
    EXPECT_EQ(column.at(0, 1258 + 10), Hue::White);
    EXPECT_EQ(column.at(0, 2622 - 360), Hue::Blue);
    EXPECT_EQ(row.at(10, 0), Hue::Green);
    EXPECT_EQ(row.at(2480 - 10, 0), Hue::Magenta);
}

// The dialog's list straight from the server: the default queue first although another sorts
// before it, its page from the queue's media default and resolution (A4 at 300 dpi).
TEST_F(PrintCups, DefaultQueueComesFirstWithItsPageAndResolution) {
    ASSERT_EQ(Admin("lpadmin -p zg-another -E -v file:///dev/null -P '" + s_dir->file("zg-test.ppd") + "'"), 0);
    cupsSetServer(Server().c_str());
    const std::vector<zg::print::Printer> printers = zg::print::cups_printers();
    cupsSetServer(nullptr);
    EXPECT_EQ(Admin("lpadmin -x zg-another"), 0);
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_EQ(printers[0].name, "zg-test");
    EXPECT_EQ(printers[1].name, "zg-another");
    EXPECT_EQ(printers[0].dpi, 300);
    EXPECT_EQ(printers[0].page_width, 2480);
    EXPECT_EQ(printers[0].page_height, 3508);
    EXPECT_EQ(printers[0].raster_caps, 0x2a19);
}

TEST_F(PrintCups, RefusedJobIsReportedByEndDoc) {
    ASSERT_EQ(Admin("cupsreject zg-test"), 0);
    const ProbeRun run = Print("0 choose zg-test\n");
    EXPECT_EQ(Admin("cupsaccept zg-test"), 0);
    EXPECT_EQ(run.status, 0) << run.err;
    // The report, then the line of the probe's Print call.
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), "Fatal Error: Failed to EndDoc in Print!\n");
    EXPECT_NE(run.out.find("\n  in Print() at print_probe.cpp:"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("printer zg-test did not take the job: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("not accepting jobs"), std::string::npos) << "the server's reason: " << run.err;
}

// A job that cannot make its temporary file says where and why.
TEST_F(PrintCups, UnusableTemporaryFolderIsNamedWithTheReason) {
    const ProbeRun run = RunProbe(m_work, "1000 700 buffered", "0 choose zg-test\n",
                                  {{"CUPS_SERVER", Server()}, {"TMPDIR", m_work.file("missing")}});
    EXPECT_NE(
        run.err.find("cannot create a file " + m_work.file("missing") + "/zg-print-XXXXXX: No such file or directory"),
        std::string::npos)
        << run.err;
}

// Numbers from the server are read as hostile: a resolution no printer has (here 22.9 million and
// 2 billion dots per inch, which overflowed) falls back to 600 dpi.
TEST_F(PrintCups, ResolutionsBeyondAnyPrinterFallBackToTheDefault) {
    for (const std::string resolution : {"9000000dpcm", "2000000000dpi"}) {
        ASSERT_EQ(Admin("lpadmin -p zg-hostile -E -v file:///dev/null -P '" + s_dir->file("zg-test.ppd") +
                        "' -o printer-resolution-default=" + resolution),
                  0);
        cupsSetServer(Server().c_str());
        const std::vector<zg::print::Printer> printers = zg::print::cups_printers();
        cupsSetServer(nullptr);
        const auto hostile = std::find_if(printers.begin(), printers.end(),
                                          [](const zg::print::Printer& p) { return p.name == "zg-hostile"; });
        ASSERT_NE(hostile, printers.end()) << resolution;
        EXPECT_EQ(hostile->dpi, 600) << resolution;
        EXPECT_EQ(hostile->page_width, 4958) << resolution;  // the queue's A4, 595 x 842 points
        EXPECT_EQ(hostile->page_height, 7017) << resolution;
    }
    EXPECT_EQ(Admin("lpadmin -x zg-hostile"), 0);
}

// A document name of 100,000 characters is cut to the 255 octets an IPP name holds.
TEST_F(PrintCups, LongDocumentNamesAreCutToWhatTheServerTakes) {
    std::remove(Output().c_str());
    const std::string pdf = m_work.file("tiny.pdf");
    WriteFile(pdf, "%PDF-1.4\n%%EOF\n");
    std::string error;
    cupsSetServer(Server().c_str());
    const int job = zg::print::submit_to_cups("zg-test", pdf, std::string(100'000, 'x'), error);
    cupsSetServer(nullptr);
    EXPECT_GT(job, 0) << error;
    EXPECT_TRUE(WaitForOutput());
}

// A fake server of the test's own, on a Unix socket, stopped by its PID at the end.
class FakeServer {
public:
    FakeServer(const TempDir& dir, const std::string& mode) : m_socket(dir.file(mode + ".sock")) {
        const std::string pid = dir.file(mode + ".pid");
        (void)std::system(("python3 '" + std::string(FAKE_PRINT_SERVER) + "' '" + m_socket + "' " + mode +
                           " 60 >/dev/null 2>&1 & echo $! >'" + pid + "'")
                              .c_str());
        m_pid = std::atoi(ReadFile(pid).c_str());
        for (int i = 0; i < 100 && !Exists(m_socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~FakeServer() {
        if (m_pid > 0) kill(m_pid, SIGTERM);
    }
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;
    const std::string& socket() const { return m_socket; }

private:
    std::string m_socket;
    int m_pid = 0;
};

// Seconds a call takes with `server` as this thread's print server.
template <class Call>
double SecondsWith(const std::string& server, Call&& call) {
    cupsSetServer(server.c_str());
    const auto start = std::chrono::steady_clock::now();
    call();
    cupsSetServer(nullptr);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A server that accepts and never answers, one that trickles a byte every two seconds, and a
// stopped cupsd hold the program a few seconds at most, and are named as not answering.
TEST_F(PrintCups, ServersThatDoNotAnswerAreGivenUpOnWithinSeconds) {
    const FakeServer silent(m_work, "silent"), trickle(m_work, "trickle");
    testing::internal::CaptureStderr();
    std::vector<std::thread> listings;
    std::vector<double> seconds(2);
    std::vector<std::size_t> listed(2);
    for (std::size_t i = 0; i < 2; ++i) {
        listings.emplace_back([&, i] {
            const std::string& server = i == 0 ? silent.socket() : trickle.socket();
            seconds[i] = SecondsWith(server, [&] { listed[i] = zg::print::cups_printers().size(); });
        });
    }
    const int cupsd = std::atoi(ReadFile(s_dir->file("cupsd.pid")).c_str());
    ASSERT_GT(cupsd, 0);
    kill(cupsd, SIGSTOP);
    std::string error;
    int job = 0;
    const double submitting = SecondsWith(
        Server(), [&] { job = zg::print::submit_to_cups("zg-test", s_dir->file("zg-test.ppd"), "stopped", error); });
    kill(cupsd, SIGCONT);
    for (std::thread& listing : listings) listing.join();
    const std::string err = testing::internal::GetCapturedStderr();
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(listed[i], 0u) << i;
        EXPECT_LT(seconds[i], 6.0) << i;
    }
    EXPECT_NE(err.find("print server " + silent.socket() + " does not answer"), std::string::npos) << err;
    EXPECT_NE(err.find("print server " + trickle.socket() + " does not answer"), std::string::npos) << err;
    EXPECT_EQ(job, 0);
    EXPECT_EQ(error, "print server " + Server() + " does not answer");
    EXPECT_LT(submitting, 13.0);
}

}  // namespace
