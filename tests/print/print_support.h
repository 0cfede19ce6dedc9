// Helpers of the printing tests: running the print probe with its environment, private
// directories, and reading pages of a PDF back as pixels through poppler.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace print_test {

// A fresh directory under TMPDIR (or /tmp) that the lp user can enter; removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

struct ProbeRun {
    int status = -1;
    std::string out, err;
};

// Runs the print probe on the headless display with `script` as ZG_SCRIPT and the given extra
// environment, printing into `dir`. CUPS_SERVER defaults to a socket that does not exist, so the
// machine's own print service is never asked. `wrapper` runs the probe (e.g. "prlimit --as=N").
ProbeRun RunProbe(const TempDir& dir, const std::string& arguments, const std::string& script,
                  const std::map<std::string, std::string>& environment, const std::string& wrapper = "");

void WriteFile(const std::string& path, const std::string& contents);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
// Files in a directory whose names end in `suffix`.
std::vector<std::string> FilesEndingIn(const std::string& dir, const std::string& suffix);

enum class Hue { White, Red, Blue, Green, Magenta, Other };
const char* HueName(Hue hue);

// A rendered part of a page: `width` x `height` pixels.
struct Strip {
    int width = 0, height = 0;
    std::vector<Hue> hues;
    Hue at(int x, int y) const {
        return hues[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// Renders [x, x + width) x [y, y + height) of the first page at `dpi` (empty strip on failure),
// with poppler's cairo renderer and no antialiasing: its Splash renderer (pdftoppm) blends the
// edge row of an image whose place is not a whole number of points, which would hide the exact
// box.
Strip Render(const std::string& pdf, int dpi, int x, int y, int width, int height);

// Runs of equal hues along a strip one pixel wide or high: (hue, first, length).
struct Run {
    Hue hue;
    int first, length;
};
std::vector<Run> Runs(const Strip& strip);
std::string Describe(const std::vector<Run>& runs);
// The first and one past the last pixel that is not white, as "A to B" ("none" for none).
std::string PictureSpan(const Strip& strip);

// The resident memory of this process in kilobytes (VmRSS).
long ResidentKilobytes();

// The page size of the first page in points, from pdfinfo ("W x H").
std::string PageSize(const std::string& pdf);

}  // namespace print_test
