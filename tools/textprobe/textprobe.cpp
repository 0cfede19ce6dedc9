// textprobe: prints what GDI reports for font requests, so the portable text can be compared
// with Windows (or Wine) line by line. Written against <platform/win32.h> only; the same source
// builds natively and for Windows.
//
// Usage: textprobe                      the built-in requests (the library's fonts)
//        textprobe HEIGHT WEIGHT FAMILY FACE TEXT...   one request; FAMILY is a number
//                                                       (0x20 = FF_SWISS), FACE may be ""
//        textprobe pictures DIR          the text pictures (pictures.h) written into DIR
//        textprobe compare DIR1 DIR2 [DEVIATIONS]   identical pixels between two sets of
//                                        pictures, checked against a known-deviation list
// One line per request: the face GDI chose, GetTextMetricsA's fields, and the extent of the text.
#include "pictures.h"

#include <platform/win32.h>

#include "tool_args.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Request {
    LONG height;
    LONG weight;
    BYTE pitch_and_family;
    std::string face;
    std::string text;
};

LOGFONTA make_logfont(const Request& r) {
    LOGFONTA lf{};
    lf.lfHeight = r.height;
    lf.lfWeight = r.weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = r.pitch_and_family;
    std::strncpy(lf.lfFaceName, r.face.c_str(), LF_FACESIZE - 1);
    return lf;
}

// LONG is long on Windows and int elsewhere; printf wants one type.
int n(LONG v) { return static_cast<int>(v); }

void print_metrics(const TEXTMETRICA& tm) {
    std::printf(
        " height=%d ascent=%d descent=%d intlead=%d extlead=%d ave=%d max=%d weight=%d"
        " first=%d last=%d default=%d break=%d pf=0x%02x charset=%d",
        n(tm.tmHeight), n(tm.tmAscent), n(tm.tmDescent), n(tm.tmInternalLeading), n(tm.tmExternalLeading),
        n(tm.tmAveCharWidth), n(tm.tmMaxCharWidth), n(tm.tmWeight), tm.tmFirstChar, tm.tmLastChar, tm.tmDefaultChar,
        tm.tmBreakChar, tm.tmPitchAndFamily, tm.tmCharSet);
}

void probe(HDC dc, const Request& r) {
    const LOGFONTA lf = make_logfont(r);
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SIZE size{};
    GetTextExtentPoint32A(dc, r.text.c_str(), static_cast<int>(r.text.size()), &size);
    std::printf("request height=%d weight=%d family=0x%02x face='%s' -> face='%s'", n(r.height), n(r.weight),
                r.pitch_and_family, r.face.c_str(), face);
    print_metrics(tm);
    std::printf(" extent('%s')=%dx%d\n", r.text.c_str(), n(size.cx), n(size.cy));
    SelectObject(dc, old);
    DeleteObject(font);
}

std::vector<Request> builtin_requests() {
    const std::string label = "Vitesse de rotation";
    return {
        {14, FW_BOLD, FF_SWISS, "", label},
        {14, FW_NORMAL, FF_SWISS, "", label},
        {10, FW_NORMAL, FF_SWISS, "", label},
        {-14, FW_NORMAL, FF_SWISS, "", label},
        {0, FW_NORMAL, FF_SWISS, "", label},
        {14, FW_NORMAL, FF_ROMAN, "", label},
        {14, FW_NORMAL, FF_MODERN, "", label},
        {14, FW_NORMAL, FF_DONTCARE, "", label},
        {14, FW_NORMAL, FF_DONTCARE, "Arial", label},
        {20, FW_BOLD, FF_SWISS, "", "R\xE9initialiser Param\xE9tres"},
        {24, FW_NORMAL, FF_SWISS, "", "0123456789 -> Angle"},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (std::optional<int> status =
            tools::answer_help(argc, argv,
                               "textprobe [HEIGHT WEIGHT FAMILY FACE TEXT...]\n       textprobe pictures DIR\n"
                               "       textprobe compare DIR1 DIR2 [DEVIATIONS]"))
        return *status;
    const bool picture_mode =
        std::strcmp(argv[argc > 1 ? 1 : 0], "pictures") == 0 || std::strcmp(argv[argc > 1 ? 1 : 0], "compare") == 0;
    if (picture_mode) {
        // These modes take paths only: a word starting with '-' is a mistyped option.
        if (std::optional<int> status =
                tools::check_path_arguments(argc, argv, "textprobe pictures DIR | compare DIR1 DIR2 [DEVIATIONS]"))
            return *status;
    }
    if (argc == 3 && std::strcmp(argv[1], "pictures") == 0) return write_pictures(argv[2]);
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "compare") == 0) {
        return compare_pictures(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        std::fprintf(stderr, "textprobe: CreateCompatibleDC failed\n");
        return 1;
    }
    if (argc >= 6) {
        std::string text = argv[5];
        for (int i = 6; i < argc; ++i) text += std::string(" ") + argv[i];
        probe(dc, {std::atoi(argv[1]), std::atoi(argv[2]), static_cast<BYTE>(std::strtol(argv[3], nullptr, 0)), argv[4],
                   text});
    } else {
        for (const Request& r : builtin_requests()) probe(dc, r);
    }
    DeleteDC(dc);
    return 0;
}
