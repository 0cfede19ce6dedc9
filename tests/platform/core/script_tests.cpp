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
    auto parsed = parse_script("# a comment\n\n"
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

ProbeRun run_probe(const std::string& script) {
    std::string path = ::testing::TempDir() + "core_script.txt";
    std::ofstream(path) << script;
    std::string command = "cd " + ::testing::TempDir() + " && ZG_DISPLAY=headless ZG_SCRIPT=" + path + " " +
                          ZG_SCRIPT_PROBE + " 2>&1";
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
    std::vector<std::string> expected{"starting", "zorgraphics: ZG_SCRIPT " + ::testing::TempDir() +
                                                      "core_script.txt:3: unknown event 'jump'"};
    EXPECT_EQ(run.lines, expected);
}

TEST(ScriptRun, EventsArriveAsWindowsMessagesOnTheVirtualClock) {
    ProbeRun run = run_probe("0 move 5 6\n"
                        "100 press left 10 10\n"
                        "150 move -1 -2\n"       // outside, but captured: 16-bit negatives
                        "200 release left 30 40\n"
                        "250 move -1 -2\n"       // outside and not captured: nothing
                        "300 click right 50 60\n"
                        "400 key escape\n"
                        "500 key alt+f\n"
                        "600 type a\n"
                        "700 key delete\n"
                        "800 close\n");
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> expected{
        "starting", "opened",
        "0200 0 5 6 0", "0201 1 10 10 100", "0200 1 65535 65534 150", "0202 0 30 40 200",
        "0204 2 50 60 300", "0205 0 50 60 300",
        "0100 27 1 0 400", "0102 27 1 0 400", "0101 27 1 6 400",     // Escape: key, char, key-up
        "0104 70 1 1 500", "0106 102 1 1 500", "0105 70 1 7 500",    // Alt+F: system keys
        "0100 65 1 0 600", "0102 97 1 0 600", "0101 65 1 6 600",     // typed 'a'
        "0100 46 1 0 700", "0101 46 1 6 700",                        // Delete types nothing
        "0010 0 0 0 800", "done"};
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
