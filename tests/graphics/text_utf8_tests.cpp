// How the library reads its text: valid non-ASCII UTF-8 as UTF-8 (through the wide calls), any
// other text as Windows-1252 (through the single-byte calls), byte for byte as before. Runs on
// the portable platform and, cross-built, on Windows under Wine.
#include "test_support.h"

#include <string>
#include <string_view>

using namespace graphics_test;

namespace {

using WideText = std::basic_string<WCHAR>;

WideText Wide(std::u16string_view text) { return WideText(text.begin(), text.end()); }

// The picture of a text drawn by the library, and the same text drawn by a native call.
std::vector<COLORREF> LibraryPicture(window& w, const char* text) {
    Wipe(w);
    w.SetPen(BLACK, 1);
    w.DrawString(4, 4, text);
    return Snapshot(WindowInspector::Active(w), 0, 0, kWidth, 30);
}

template <class Draw>
std::vector<COLORREF> NativePicture(window& w, Draw draw) {
    Wipe(w);
    w.SetPen(BLACK, 1);
    w.DrawString(0, 0, "");  // leaves the library's font state: transparent, current position
    const HDC dc = WindowInspector::Active(w);
    const HGDIOBJ old = SelectObject(dc, WindowInspector::Font(w));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    draw(dc);
    SelectObject(dc, old);
    return Snapshot(dc, 0, 0, kWidth, 30);
}

int Width(window& w, const char* text) {
    int width = 0;
    int height = 0;
    w.GetStringSize(width, height, text);
    return width;
}

}  // namespace

TEST(Utf8Text, GreekAndSymbolsDrawAsTheirWideCharacters) {
    auto w = OpenWindow();
    const char* label = "Param\xc3\xa8tres : \xce\xb8 = 45\xc2\xb0, \xcf\x89\xe2\x82\x83 = 200 rad/s";
    const WideText wide = Wide(u"Param\u00e8tres : \u03b8 = 45\u00b0, \u03c9\u2083 = 200 rad/s");
    const auto expected =
        NativePicture(*w, [&](HDC dc) { TextOutW(dc, 4, 4, wide.c_str(), static_cast<int>(wide.size())); });
    EXPECT_EQ(LibraryPicture(*w, label), expected);
    SIZE extent{};
    const HDC dc = WindowInspector::Active(*w);
    const HGDIOBJ old = SelectObject(dc, WindowInspector::Font(*w));
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(dc, old);
    EXPECT_EQ(Width(*w, label), extent.cx);
}

TEST(Utf8Text, AnAccentWeighsTheSameInEitherReading) {
    auto w = OpenWindow();
    EXPECT_EQ(Width(*w, "\xc3\xa9"), Width(*w, "\xe9"));
    EXPECT_EQ(Width(*w, "R\xc3\xa9initialiser"), Width(*w, "R\xe9initialiser"));
    EXPECT_EQ(LibraryPicture(*w, "R\xc3\xa9initialiser"), LibraryPicture(*w, "R\xe9initialiser"));
}

// Texts that are not valid UTF-8 keep their single-byte pixels: a lone accented byte, an
// overlong form, an encoded surrogate and a sequence cut short each draw as TextOutA draws them.
TEST(Utf8Text, InvalidUtf8IsWindows1252AsBefore) {
    auto w = OpenWindow();
    for (const std::string bytes : {"Param\xe9tres", "\xc0\xa9", "\xed\xa0\x80", "45\xc2", "\xe2\x82"}) {
        const auto expected =
            NativePicture(*w, [&](HDC dc) { TextOutA(dc, 4, 4, bytes.c_str(), static_cast<int>(bytes.size())); });
        EXPECT_EQ(LibraryPicture(*w, bytes.c_str()), expected) << bytes;
    }
}

TEST(Utf8Text, TheCaptionTakesUtf8) {
    auto w = OpenWindow();
    w->SetTitle("\xce\xb8 = 45\xc2\xb0");
    char caption[32] = {};
    GetWindowTextA(WindowInspector::Handle(*w), caption, sizeof caption);
    EXPECT_STREQ(caption, "? = 45\xb0");  // the single-byte view of a Unicode caption
}
