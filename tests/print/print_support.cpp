// Helpers of the printing tests; see print_support.h.
#include "print_support.h"

#include "png_image.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace print_test {
namespace fs = std::filesystem;

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Hue Classify(unsigned char r, unsigned char g, unsigned char b) {
    auto high = [](unsigned char v) { return v > 200; };
    auto low = [](unsigned char v) { return v < 55; };
    if (high(r) && high(g) && high(b)) return Hue::White;
    if (high(r) && low(g) && low(b)) return Hue::Red;
    if (low(r) && low(g) && high(b)) return Hue::Blue;
    if (low(r) && high(g) && low(b)) return Hue::Green;
    if (high(r) && low(g) && high(b)) return Hue::Magenta;
    return Hue::Other;
}

}  // namespace

TempDir::TempDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/zg-print-test-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    chmod(m_path.c_str(), 0755);
}

TempDir::~TempDir() {
    std::error_code error;
    if (!m_path.empty()) fs::remove_all(m_path, error);
}

void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

std::vector<std::string> FilesEndingIn(const std::string& dir, const std::string& suffix) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            files.push_back(entry.path().string());
    }
    return files;
}

ProbeRun RunProbe(const TempDir& dir, const std::string& arguments, const std::string& script,
                  const std::map<std::string, std::string>& environment, const std::string& wrapper) {
    WriteFile(dir.file("script.txt"), script);
    std::map<std::string, std::string> env{{"ZG_DISPLAY", "headless"},
                                           {"ZG_SCRIPT", dir.file("script.txt")},
                                           {"ZG_PRINT_DIR", dir.path()},
                                           {"CUPS_SERVER", dir.file("no-cups-here.sock")}};
    for (const auto& [name, value] : environment) env[name] = value;
    std::string command = wrapper + " env";
    // Appended piece by piece: GCC 12 warns (-Wrestrict, falsely) on a chain of + from a literal.
    for (const auto& [name, value] : env) {
        command += ' ';
        command += name;
        command += '=';
        command += Quote(value);
    }
    command += ' ';
    command += Quote(PRINT_PROBE);
    command += ' ';
    command += arguments;
    command += " >";
    command += Quote(dir.file("out.txt"));
    command += " 2>";
    command += Quote(dir.file("err.txt"));
    ProbeRun run;
    run.status = Shell(command);
    run.out = ReadFile(dir.file("out.txt"));
    run.err = ReadFile(dir.file("err.txt"));
    return run;
}

const char* HueName(Hue hue) {
    switch (hue) {
    case Hue::White: return "white";
    case Hue::Red: return "red";
    case Hue::Blue: return "blue";
    case Hue::Green: return "green";
    case Hue::Magenta: return "magenta";
    case Hue::Other: return "other";
    }
    return "?";
}

Strip Render(const std::string& pdf, int dpi, int x, int y, int width, int height) {
    const std::string prefix = pdf + ".strip";
    const std::string command = "pdftocairo -png -antialias none -f 1 -l 1 -singlefile -r " + std::to_string(dpi) +
                                " -x " + std::to_string(x) + " -y " + std::to_string(y) + " -W " +
                                std::to_string(width) + " -H " + std::to_string(height) + " " + Quote(pdf) + " " +
                                Quote(prefix);
    if (Shell(command) != 0) return {};
    const PngImage image(prefix + ".png");
    std::remove((prefix + ".png").c_str());
    Strip strip;
    strip.width = image.width();
    strip.height = image.height();
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            const Rgb c = image.at(column, row);
            strip.hues.push_back(Classify(static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green),
                                          static_cast<unsigned char>(c.blue)));
        }
    }
    return strip;
}

std::vector<Run> Runs(const Strip& strip) {
    std::vector<Run> runs;
    const int length = strip.width * strip.height;
    for (int i = 0; i < length; ++i) {
        const Hue hue = strip.hues[static_cast<std::size_t>(i)];
        if (!runs.empty() && runs.back().hue == hue)
            ++runs.back().length;
        else
            runs.push_back({hue, i, 1});
    }
    return runs;
}

std::string Describe(const std::vector<Run>& runs) {
    std::string text;
    for (const Run& run : runs)
        text +=
            std::string(HueName(run.hue)) + "@" + std::to_string(run.first) + "+" + std::to_string(run.length) + " ";
    return text;
}

std::string PictureSpan(const Strip& strip) {
    const std::vector<Run> runs = Runs(strip);
    int first = -1, end = -1;
    for (const Run& run : runs) {
        if (run.hue == Hue::White) continue;
        if (first < 0) first = run.first;
        end = run.first + run.length;
    }
    return first < 0 ? "none" : std::to_string(first) + " to " + std::to_string(end);
}

std::string PageSize(const std::string& pdf) {
    const std::string out = pdf + ".info";
    if (Shell("pdfinfo " + Quote(pdf) + " >" + Quote(out) + " 2>/dev/null") != 0) return {};
    std::istringstream in(ReadFile(out));
    std::remove(out.c_str());
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Page size:", 0) != 0) continue;
        std::istringstream words(line.substr(10));
        std::string w, x, h;
        words >> w >> x >> h;
        return w + " x " + h;
    }
    return {};
}

}  // namespace print_test

namespace print_test {

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

}  // namespace print_test
