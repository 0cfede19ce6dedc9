// The headless script: the parser directly (every event kind, every kind of mistake with its
// line), and whole runs of a small program (script_probe) with ZG_SCRIPT, checking the messages
// it got, their virtual times, the snapshot it left, and the exit before any window opens when
// the script is malformed.
#include "text/cp1252.h"
#include "display/script.h"

#include <png.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using zg::parse_script;
using zg::ScriptAction;

TEST(ScriptParser, ReadsEveryEventKind) {
    auto parsed = parse_script(
        "# a comment\n\n"
        "0 move 5 -6\n"
        "10 press left 1 2\n"
        "20 release right 3 4\n"
        "30 click left 7 8\n"
        "40 key escape\n"
        "50 key alt+f\n"
        "60 key f10\n"
        "70 type h\xc3\xa9 !\n"
        "80 snapshot out dir/a.png\n"
        "90 close\n",
        "s");
    ASSERT_EQ(parsed.error, "");
    ASSERT_EQ(parsed.events.size(), 10u);
    const auto& e = parsed.events;
    EXPECT_EQ(e[0].action, ScriptAction::Move);
    EXPECT_EQ(e[0].y, -6);
    EXPECT_EQ(e[0].line, 3);
    EXPECT_EQ(e[1].action, ScriptAction::Press);
    EXPECT_EQ(e[2].button, zg::MouseSide::Right);
    EXPECT_EQ(e[3].action, ScriptAction::Click);
    EXPECT_EQ(e[3].time, 30u);
    EXPECT_EQ(e[4].key.vk, static_cast<WPARAM>(VK_ESCAPE));
    EXPECT_EQ(e[4].key.typed, 27);
    EXPECT_TRUE(e[5].key.alt && e[5].key.system);
    EXPECT_EQ(e[5].key.vk, static_cast<WPARAM>('F'));
    EXPECT_TRUE(e[6].key.system && !e[6].key.alt);
    EXPECT_EQ(e[7].text, "h\xe9 !");  // UTF-8 in the file, Windows-1252 in the program
    EXPECT_EQ(e[8].text, "out dir/a.png");
    EXPECT_EQ(e[9].action, ScriptAction::Close);
}

TEST(ScriptParser, ReportsTheFirstMistakeWithItsLine) {
    const std::array<std::pair<const char*, const char*>, 9> cases{{
        {"0 move 1 2\n0 jump 1 2\n", "s.txt:2: unknown event 'jump'"},
        {"x move 1 2\n", "s.txt:1: bad time 'x'"},
        {"-5 move 1 2\n", "s.txt:1: bad time '-5'"},
        {"0 move 1\n", "s.txt:1: expected X Y"},
        {"0 click middle 1 2\n", "s.txt:1: unknown button 'middle'"},
        {"0 key f13\n", "s.txt:1: unknown key 'f13'"},
        {"0 snapshot\n", "s.txt:1: missing file name"},
        {"# ok\n0 close now\n", "s.txt:2: close takes no arguments"},
        {"0\n", "s.txt:1: expected '<ms> <event> ...'"},
    }};
    for (const auto& [text, error] : cases) {
        auto parsed = parse_script(text, "s.txt");
        EXPECT_EQ(parsed.error, error) << text;
        EXPECT_TRUE(parsed.events.empty());
    }
}

TEST(ScriptParser, RefusesTimesThatGoBackAndOverlongLines) {
    auto parsed = parse_script("10 move 1 1\n# comment\n20 move 2 2\n20 move 3 3\n5 close\n", "s");
    EXPECT_EQ(parsed.error, "s:5: time 5 is earlier than line 4's 20");
    EXPECT_TRUE(parsed.events.empty());
    std::string longest = "1 type " + std::string(zg::max_script_line - 7, 'x');
    EXPECT_EQ(parse_script(longest + "\n", "s").error, "");
    EXPECT_EQ(parse_script("0 close\n" + longest + "y\n", "s").error, "s:2: line longer than 4096 bytes");
    EXPECT_EQ(parse_script("4294967295 close\n", "s").error, "");
    EXPECT_EQ(parse_script("4294967296 close\n", "s").error, "s:1: time '4294967296' is beyond 4294967295 ms");
}

// Whatever a bad word holds, the message quotes at most 80 characters of it, escaped.
TEST(ScriptParser, QuotesBadWordsShortAndEscaped) {
    EXPECT_EQ(zg::quote_for_message("ab\x01\xff\\"), "'ab\\x01\\xFF\\x5C'");
    std::string error = parse_script("0 " + std::string(1000, 'j') + " 1 2\n", "s").error;
    EXPECT_EQ(error, "s:1: unknown event '" + std::string(80, 'j') + "'...");
    error = parse_script("0 key \x1b[A\n", "s").error;
    EXPECT_EQ(error, "s:1: unknown key '\\x1B[A'");
}

TEST(ScriptFile, DirectoriesDevicesAndMissingFilesAreErrors) {
    std::string dir = ::testing::TempDir();
    EXPECT_EQ(zg::load_script_file(dir).error, dir + ": is a directory, not a script");
    EXPECT_EQ(zg::load_script_file(dir + "no such script").error, dir + "no such script: cannot read the file");
    auto endless = zg::load_script_file("/dev/zero");
    EXPECT_EQ(endless.error, "/dev/zero:1: line longer than 4096 bytes");
    EXPECT_TRUE(endless.events.empty());
}

TEST(ScriptParser, KeysOfTypedCharacters) {
    EXPECT_EQ(zg::key_for_char('a').vk, static_cast<WPARAM>('A'));
    EXPECT_EQ(zg::key_for_char('A').typed, 'A');
    EXPECT_EQ(zg::key_for_char('!').vk, static_cast<WPARAM>('1'));
    EXPECT_EQ(zg::key_for_char(' ').vk, static_cast<WPARAM>(VK_SPACE));
    EXPECT_EQ(zg::to_windows_1252("\xe2\x82\xac"), "\x80");  // the euro sign
    EXPECT_EQ(zg::windows_1252_to_utf8("R\xe9"), "R\xc3\xa9");
}

struct ProbeRun {
    int status = -1;
    std::vector<std::string> lines;
};

// Runs the probe with the script; `options` go after the program name, `display` is ZG_DISPLAY.
ProbeRun run_probe(const std::string& script, const std::string& options = "",
                   const std::string& display = "headless") {
    std::string path = ::testing::TempDir() + "core_script.txt";
    std::ofstream(path) << script;
    std::string command = "cd " + ::testing::TempDir() + " && ZG_DISPLAY='" + display + "' ZG_SCRIPT=" + path + " " +
                          ZG_SCRIPT_PROBE + " " + options + " 2>&1";
    ProbeRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
        std::string line = buffer.data();
        if (!line.empty() && line.back() == '\n') line.pop_back();
        run.lines.push_back(line);
    }
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(ScriptRun, MalformedScriptExitsWithStatusTwoBeforeAnyWindow) {
    ProbeRun run = run_probe("0 move 1 1\n# fine so far\n5 jump 1 1\n");
    EXPECT_EQ(run.status, 2);
    std::vector<std::string> expected{
        "starting", "zorgraphics: ZG_SCRIPT " + ::testing::TempDir() + "core_script.txt:3: unknown event 'jump'"};
    EXPECT_EQ(run.lines, expected);
}

TEST(ScriptRun, EventsArriveAsWindowsMessagesOnTheVirtualClock) {
    ProbeRun run = run_probe(
        "0 move 5 6\n"
        "100 press left 10 10\n"
        "150 move -1 -2\n"  // outside, but captured: 16-bit negatives
        "200 release left 30 40\n"
        "250 move -1 -2\n"  // outside and not captured: nothing
        "300 click right 50 60\n"
        "400 key escape\n"
        "500 key alt+f\n"
        "600 type a\n"
        "700 key delete\n"
        "800 close\n");
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> expected{"starting",
                                      "opened",
                                      "0200 0 5 6 0",
                                      "0201 1 10 10 100",
                                      "0200 1 65535 65534 150",
                                      "0202 0 30 40 200",
                                      "0204 2 50 60 300",
                                      "0205 0 50 60 300",
                                      "0100 27 1 0 400",
                                      "0102 27 1 0 400",
                                      "0101 27 1 6 400",  // Escape: key, char, key-up
                                      "0104 70 1 1 500",
                                      "0106 102 1 1 500",
                                      "0105 70 1 7 500",  // Alt+F: system keys
                                      "0100 65 1 0 600",
                                      "0102 97 1 0 600",
                                      "0101 65 1 6 600",  // typed 'a'
                                      "0100 46 1 0 700",
                                      "0101 46 1 6 700",  // Delete types nothing
                                      "0010 0 0 0 800",
                                      "done"};
    EXPECT_EQ(run.lines, expected);
}

TEST(ScriptRun, UnknownDisplayIsAnErrorNamingTheAcceptedOnes) {
    for (const char* name : {"HEADLESS", "headles", "headless "}) {
        ProbeRun run = run_probe("0 close\n", "", name);
        EXPECT_EQ(run.status, 2) << name;
        std::vector<std::string> expected{"starting", std::string("zorgraphics: ZG_DISPLAY=") + name +
                                                          " is not a display; accepted values: sdl, headless"};
        EXPECT_EQ(run.lines, expected);
    }
}

// The first events wait for the program: the polls a window's setting-up makes before the
// program can take input do not consume them.
TEST(ScriptRun, EventsAtTimeZeroReachAProgramThatIsStillSettingUp) {
    ProbeRun run = run_probe("0 click left 5 6\n0 key a\n0 key b\n0 key c\n0 key d\n10 close\n", "setup");
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> expected{
        "starting",      "opened",        "0201 1 5 6 0",   "0202 0 5 6 0",  "0100 65 1 0 0", "0102 97 1 0 0",
        "0101 65 1 6 0", "0100 66 1 0 0", "0102 98 1 0 0",  "0101 66 1 6 0", "0100 67 1 0 0", "0102 99 1 0 0",
        "0101 67 1 6 0", "0100 68 1 0 0", "0102 100 1 0 0", "0101 68 1 6 0", "0010 0 0 0 10", "done"};
    EXPECT_EQ(run.lines, expected);
}

// A loop that never sleeps still moves the virtual clock, so its scripted click arrives. Such a
// program starts the script after its first millisecond of polling: tick 101 is script time 100.
TEST(ScriptRun, BusyLoopWithoutSleepMeetsItsScriptedEvents) {
    ProbeRun run = run_probe("100 click left 7 8\n200 close\n", "busy");
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> expected{"starting",    "opened", "0201 1 7 8 101", "0202 0 7 8 101", "0010 0 0 0 201",
                                      "frames some", "done"};
    EXPECT_EQ(run.lines, expected);
}

TEST(ScriptRun, UnwritableSnapshotIsReportedWithItsLineAndFailsTheRun) {
    const std::string script = ::testing::TempDir() + "core_script.txt";
    const std::string missing = ::testing::TempDir() + "no such dir/a.png";
    ProbeRun run = run_probe("5 snapshot " + missing + "\n6 snapshot " + ::testing::TempDir() +
                             "\n7 snapshot /dev/full\n10 close\n");
    EXPECT_EQ(run.status, 2);
    // Standard error comes at once, the probe's standard output (a pipe) when it ends.
    std::vector<std::string> expected{
        "starting",
        "zorgraphics: " + script + ":1: snapshot '" + missing + "' not written: No such file or directory",
        "zorgraphics: " + script + ":2: snapshot '" + ::testing::TempDir() + "' not written: is a directory",
        "zorgraphics: " + script + ":3: snapshot '/dev/full' not written: No space left on device",
        "opened",
        "0010 0 0 0 10",
        "done"};
    EXPECT_EQ(run.lines, expected);
}

struct PngImage {
    int width = 0, height = 0;
    std::vector<png_byte> rgb;
};

PngImage read_png(const std::string& path) {
    PngImage image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return image;
    png.format = PNG_FORMAT_RGB;
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr)) return {};
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    return image;
}

TEST(ScriptRun, SnapshotHoldsTheClientAreaAsItIs) {
    std::string png = ::testing::TempDir() + "core_snapshot.png";
    std::remove(png.c_str());
    ProbeRun run = run_probe("10 click left 30 40\n20 snapshot " + png + "\n30 close\n");
    ASSERT_EQ(run.status, 0);
    PngImage image = read_png(png);
    ASSERT_EQ(image.width, 120);
    ASSERT_EQ(image.height, 80);
    auto pixel = [&](int x, int y) {
        std::size_t at = (static_cast<std::size_t>(y) * 120 + static_cast<std::size_t>(x)) * 3;
        return std::array<int, 3>{image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]};
    };
    EXPECT_EQ(pixel(30, 40), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(pixel(0, 0), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(pixel(119, 79), (std::array<int, 3>{255, 255, 255}));
}

TEST(ScriptRun, UsedUpScriptClosesTheWindowInsteadOfHanging) {
    ProbeRun run = run_probe("10 move 1 1\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_GE(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[run.lines.size() - 2], "0010 0 0 0 10");
    EXPECT_EQ(run.lines.back(), "done");
}

}  // namespace
