/// @file
/// Named colours: the 144 colour names of the X11 colour database (rgb.txt) that do not end in a
/// digit, upper-cased with spaces removed, in the database's order, plus INDIAN_RED after INDIANRED.
/// Also home of `color`, the library's RGB triple, so that the palette needs nothing else.
///
/// Invariant: every constant is constexpr, so it holds its value during static initialisation too;
/// a `window` of static storage duration constructed before any other object can rely on WHITE.
#pragma once

#include <cstddef>

/// A colour as three 8-bit channels, red, green and blue, stored as given.
struct color {
    unsigned char ucRed = 0;    ///< Red, 0 to 255.
    unsigned char ucGreen = 0;  ///< Green, 0 to 255.
    unsigned char ucBlue = 0;   ///< Blue, 0 to 255.

    /// Black.
    constexpr color() = default;
    /// The colour of three channels, each 0 to 255.
    constexpr color(unsigned char red, unsigned char green, unsigned char blue)
        : ucRed(red), ucGreen(green), ucBlue(blue) {}

    /// True when the three channels are equal.
    friend constexpr bool operator==(const color&, const color&) = default;
};

/// @name Named colours
/// @{

/// A named colour of the X11 colour database, usable wherever a color is (SetBrush(GOLD)). The
/// chart in the README (examples/colours.cpp) shows each with its name.
inline constexpr color SNOW(255, 250, 250);
inline constexpr color GHOSTWHITE(248, 248, 255);
inline constexpr color WHITESMOKE(245, 245, 245);
inline constexpr color GAINSBORO(220, 220, 220);
inline constexpr color FLORALWHITE(255, 250, 240);
inline constexpr color OLDLACE(253, 245, 230);
inline constexpr color LINEN(250, 240, 230);
inline constexpr color ANTIQUEWHITE(250, 235, 215);
inline constexpr color PAPAYAWHIP(255, 239, 213);
inline constexpr color BLANCHEDALMOND(255, 235, 205);
inline constexpr color BISQUE(255, 228, 196);
inline constexpr color PEACHPUFF(255, 218, 185);
inline constexpr color NAVAJOWHITE(255, 222, 173);
inline constexpr color MOCCASIN(255, 228, 181);
inline constexpr color CORNSILK(255, 248, 220);
inline constexpr color IVORY(255, 255, 240);
inline constexpr color LEMONCHIFFON(255, 250, 205);
inline constexpr color SEASHELL(255, 245, 238);
inline constexpr color HONEYDEW(240, 255, 240);
inline constexpr color MINTCREAM(245, 255, 250);
inline constexpr color AZURE(240, 255, 255);
inline constexpr color ALICEBLUE(240, 248, 255);
inline constexpr color LAVENDER(230, 230, 250);
inline constexpr color LAVENDERBLUSH(255, 240, 245);
inline constexpr color MISTYROSE(255, 228, 225);
inline constexpr color WHITE(255, 255, 255);
inline constexpr color BLACK(0, 0, 0);
inline constexpr color DARKSLATEGRAY(47, 79, 79);
inline constexpr color DARKSLATEGREY(47, 79, 79);
inline constexpr color DIMGRAY(105, 105, 105);
inline constexpr color DIMGREY(105, 105, 105);
inline constexpr color SLATEGRAY(112, 128, 144);
inline constexpr color SLATEGREY(112, 128, 144);
inline constexpr color LIGHTSLATEGRAY(119, 136, 153);
inline constexpr color LIGHTSLATEGREY(119, 136, 153);
inline constexpr color GRAY(190, 190, 190);
inline constexpr color GREY(190, 190, 190);
inline constexpr color LIGHTGREY(211, 211, 211);
inline constexpr color LIGHTGRAY(211, 211, 211);
inline constexpr color MIDNIGHTBLUE(25, 25, 112);
inline constexpr color NAVY(0, 0, 128);
inline constexpr color NAVYBLUE(0, 0, 128);
inline constexpr color CORNFLOWERBLUE(100, 149, 237);
inline constexpr color DARKSLATEBLUE(72, 61, 139);
inline constexpr color SLATEBLUE(106, 90, 205);
inline constexpr color MEDIUMSLATEBLUE(123, 104, 238);
inline constexpr color LIGHTSLATEBLUE(132, 112, 255);
inline constexpr color MEDIUMBLUE(0, 0, 205);
inline constexpr color ROYALBLUE(65, 105, 225);
inline constexpr color BLUE(0, 0, 255);
inline constexpr color DODGERBLUE(30, 144, 255);
inline constexpr color DEEPSKYBLUE(0, 191, 255);
inline constexpr color SKYBLUE(135, 206, 235);
inline constexpr color LIGHTSKYBLUE(135, 206, 250);
inline constexpr color STEELBLUE(70, 130, 180);
inline constexpr color LIGHTSTEELBLUE(176, 196, 222);
inline constexpr color LIGHTBLUE(173, 216, 230);
inline constexpr color POWDERBLUE(176, 224, 230);
inline constexpr color PALETURQUOISE(175, 238, 238);
inline constexpr color DARKTURQUOISE(0, 206, 209);
inline constexpr color MEDIUMTURQUOISE(72, 209, 204);
inline constexpr color TURQUOISE(64, 224, 208);
inline constexpr color CYAN(0, 255, 255);
inline constexpr color LIGHTCYAN(224, 255, 255);
inline constexpr color CADETBLUE(95, 158, 160);
inline constexpr color MEDIUMAQUAMARINE(102, 205, 170);
inline constexpr color AQUAMARINE(127, 255, 212);
inline constexpr color DARKGREEN(0, 100, 0);
inline constexpr color DARKOLIVEGREEN(85, 107, 47);
inline constexpr color DARKSEAGREEN(143, 188, 143);
inline constexpr color SEAGREEN(46, 139, 87);
inline constexpr color MEDIUMSEAGREEN(60, 179, 113);
inline constexpr color LIGHTSEAGREEN(32, 178, 170);
inline constexpr color PALEGREEN(152, 251, 152);
inline constexpr color SPRINGGREEN(0, 255, 127);
inline constexpr color LAWNGREEN(124, 252, 0);
inline constexpr color GREEN(0, 255, 0);
inline constexpr color CHARTREUSE(127, 255, 0);
inline constexpr color MEDIUMSPRINGGREEN(0, 250, 154);
inline constexpr color GREENYELLOW(173, 255, 47);
inline constexpr color LIMEGREEN(50, 205, 50);
inline constexpr color YELLOWGREEN(154, 205, 50);
inline constexpr color FORESTGREEN(34, 139, 34);
inline constexpr color OLIVEDRAB(107, 142, 35);
inline constexpr color DARKKHAKI(189, 183, 107);
inline constexpr color KHAKI(240, 230, 140);
inline constexpr color PALEGOLDENROD(238, 232, 170);
inline constexpr color LIGHTGOLDENRODYELLOW(250, 250, 210);
inline constexpr color LIGHTYELLOW(255, 255, 224);
inline constexpr color YELLOW(255, 255, 0);
inline constexpr color GOLD(255, 215, 0);
inline constexpr color LIGHTGOLDENROD(238, 221, 130);
inline constexpr color GOLDENROD(218, 165, 32);
inline constexpr color DARKGOLDENROD(184, 134, 11);
inline constexpr color ROSYBROWN(188, 143, 143);
inline constexpr color INDIANRED(205, 92, 92);
inline constexpr color INDIAN_RED(205, 92, 92);
inline constexpr color SADDLEBROWN(139, 69, 19);
inline constexpr color SIENNA(160, 82, 45);
inline constexpr color PERU(205, 133, 63);
inline constexpr color BURLYWOOD(222, 184, 135);
inline constexpr color BEIGE(245, 245, 220);
inline constexpr color WHEAT(245, 222, 179);
inline constexpr color SANDYBROWN(244, 164, 96);
inline constexpr color TAN(210, 180, 140);
inline constexpr color CHOCOLATE(210, 105, 30);
inline constexpr color FIREBRICK(178, 34, 34);
inline constexpr color BROWN(165, 42, 42);
inline constexpr color DARKSALMON(233, 150, 122);
inline constexpr color SALMON(250, 128, 114);
inline constexpr color LIGHTSALMON(255, 160, 122);
inline constexpr color ORANGE(255, 165, 0);
inline constexpr color DARKORANGE(255, 140, 0);
inline constexpr color CORAL(255, 127, 80);
inline constexpr color LIGHTCORAL(240, 128, 128);
inline constexpr color TOMATO(255, 99, 71);
inline constexpr color ORANGERED(255, 69, 0);
inline constexpr color RED(255, 0, 0);
inline constexpr color HOTPINK(255, 105, 180);
inline constexpr color DEEPPINK(255, 20, 147);
inline constexpr color PINK(255, 192, 203);
inline constexpr color LIGHTPINK(255, 182, 193);
inline constexpr color PALEVIOLETRED(219, 112, 147);
inline constexpr color MAROON(176, 48, 96);
inline constexpr color MEDIUMVIOLETRED(199, 21, 133);
inline constexpr color VIOLETRED(208, 32, 144);
inline constexpr color MAGENTA(255, 0, 255);
inline constexpr color VIOLET(238, 130, 238);
inline constexpr color PLUM(221, 160, 221);
inline constexpr color ORCHID(218, 112, 214);
inline constexpr color MEDIUMORCHID(186, 85, 211);
inline constexpr color DARKORCHID(153, 50, 204);
inline constexpr color DARKVIOLET(148, 0, 211);
inline constexpr color BLUEVIOLET(138, 43, 226);
inline constexpr color PURPLE(160, 32, 240);
inline constexpr color MEDIUMPURPLE(147, 112, 219);
inline constexpr color THISTLE(216, 191, 216);
inline constexpr color DARKGREY(169, 169, 169);
inline constexpr color DARKGRAY(169, 169, 169);
inline constexpr color DARKBLUE(0, 0, 139);
inline constexpr color DARKCYAN(0, 139, 139);
inline constexpr color DARKMAGENTA(139, 0, 139);
inline constexpr color DARKRED(139, 0, 0);
inline constexpr color LIGHTGREEN(144, 238, 144);
/// @}

/// One entry of NAMED_COLORS: a colour with its name.
struct NamedColor {
    const char* name;  ///< The constant's name in capitals ("LIGHTGREEN").
    color value;       ///< Its colour.
};
/// The palette as a table, in the order above, for programs that list or look up colours by name;
/// NAMED_COLOR_COUNT entries.
// clang-format off
inline constexpr NamedColor NAMED_COLORS[] = {
    {"SNOW", SNOW}, {"GHOSTWHITE", GHOSTWHITE}, {"WHITESMOKE", WHITESMOKE}, {"GAINSBORO", GAINSBORO},
    {"FLORALWHITE", FLORALWHITE}, {"OLDLACE", OLDLACE}, {"LINEN", LINEN},
    {"ANTIQUEWHITE", ANTIQUEWHITE}, {"PAPAYAWHIP", PAPAYAWHIP}, {"BLANCHEDALMOND", BLANCHEDALMOND},
    {"BISQUE", BISQUE}, {"PEACHPUFF", PEACHPUFF}, {"NAVAJOWHITE", NAVAJOWHITE}, {"MOCCASIN", MOCCASIN},
    {"CORNSILK", CORNSILK}, {"IVORY", IVORY}, {"LEMONCHIFFON", LEMONCHIFFON}, {"SEASHELL", SEASHELL},
    {"HONEYDEW", HONEYDEW}, {"MINTCREAM", MINTCREAM}, {"AZURE", AZURE}, {"ALICEBLUE", ALICEBLUE},
    {"LAVENDER", LAVENDER}, {"LAVENDERBLUSH", LAVENDERBLUSH}, {"MISTYROSE", MISTYROSE},
    {"WHITE", WHITE}, {"BLACK", BLACK}, {"DARKSLATEGRAY", DARKSLATEGRAY},
    {"DARKSLATEGREY", DARKSLATEGREY}, {"DIMGRAY", DIMGRAY}, {"DIMGREY", DIMGREY},
    {"SLATEGRAY", SLATEGRAY}, {"SLATEGREY", SLATEGREY}, {"LIGHTSLATEGRAY", LIGHTSLATEGRAY},
    {"LIGHTSLATEGREY", LIGHTSLATEGREY}, {"GRAY", GRAY}, {"GREY", GREY}, {"LIGHTGREY", LIGHTGREY},
    {"LIGHTGRAY", LIGHTGRAY}, {"MIDNIGHTBLUE", MIDNIGHTBLUE}, {"NAVY", NAVY}, {"NAVYBLUE", NAVYBLUE},
    {"CORNFLOWERBLUE", CORNFLOWERBLUE}, {"DARKSLATEBLUE", DARKSLATEBLUE}, {"SLATEBLUE", SLATEBLUE},
    {"MEDIUMSLATEBLUE", MEDIUMSLATEBLUE}, {"LIGHTSLATEBLUE", LIGHTSLATEBLUE},
    {"MEDIUMBLUE", MEDIUMBLUE}, {"ROYALBLUE", ROYALBLUE}, {"BLUE", BLUE}, {"DODGERBLUE", DODGERBLUE},
    {"DEEPSKYBLUE", DEEPSKYBLUE}, {"SKYBLUE", SKYBLUE}, {"LIGHTSKYBLUE", LIGHTSKYBLUE},
    {"STEELBLUE", STEELBLUE}, {"LIGHTSTEELBLUE", LIGHTSTEELBLUE}, {"LIGHTBLUE", LIGHTBLUE},
    {"POWDERBLUE", POWDERBLUE}, {"PALETURQUOISE", PALETURQUOISE}, {"DARKTURQUOISE", DARKTURQUOISE},
    {"MEDIUMTURQUOISE", MEDIUMTURQUOISE}, {"TURQUOISE", TURQUOISE}, {"CYAN", CYAN},
    {"LIGHTCYAN", LIGHTCYAN}, {"CADETBLUE", CADETBLUE}, {"MEDIUMAQUAMARINE", MEDIUMAQUAMARINE},
    {"AQUAMARINE", AQUAMARINE}, {"DARKGREEN", DARKGREEN}, {"DARKOLIVEGREEN", DARKOLIVEGREEN},
    {"DARKSEAGREEN", DARKSEAGREEN}, {"SEAGREEN", SEAGREEN}, {"MEDIUMSEAGREEN", MEDIUMSEAGREEN},
    {"LIGHTSEAGREEN", LIGHTSEAGREEN}, {"PALEGREEN", PALEGREEN}, {"SPRINGGREEN", SPRINGGREEN},
    {"LAWNGREEN", LAWNGREEN}, {"GREEN", GREEN}, {"CHARTREUSE", CHARTREUSE},
    {"MEDIUMSPRINGGREEN", MEDIUMSPRINGGREEN}, {"GREENYELLOW", GREENYELLOW}, {"LIMEGREEN", LIMEGREEN},
    {"YELLOWGREEN", YELLOWGREEN}, {"FORESTGREEN", FORESTGREEN}, {"OLIVEDRAB", OLIVEDRAB},
    {"DARKKHAKI", DARKKHAKI}, {"KHAKI", KHAKI}, {"PALEGOLDENROD", PALEGOLDENROD},
    {"LIGHTGOLDENRODYELLOW", LIGHTGOLDENRODYELLOW}, {"LIGHTYELLOW", LIGHTYELLOW}, {"YELLOW", YELLOW},
    {"GOLD", GOLD}, {"LIGHTGOLDENROD", LIGHTGOLDENROD}, {"GOLDENROD", GOLDENROD},
    {"DARKGOLDENROD", DARKGOLDENROD}, {"ROSYBROWN", ROSYBROWN}, {"INDIANRED", INDIANRED},
    {"INDIAN_RED", INDIAN_RED}, {"SADDLEBROWN", SADDLEBROWN}, {"SIENNA", SIENNA}, {"PERU", PERU},
    {"BURLYWOOD", BURLYWOOD}, {"BEIGE", BEIGE}, {"WHEAT", WHEAT}, {"SANDYBROWN", SANDYBROWN},
    {"TAN", TAN}, {"CHOCOLATE", CHOCOLATE}, {"FIREBRICK", FIREBRICK}, {"BROWN", BROWN},
    {"DARKSALMON", DARKSALMON}, {"SALMON", SALMON}, {"LIGHTSALMON", LIGHTSALMON}, {"ORANGE", ORANGE},
    {"DARKORANGE", DARKORANGE}, {"CORAL", CORAL}, {"LIGHTCORAL", LIGHTCORAL}, {"TOMATO", TOMATO},
    {"ORANGERED", ORANGERED}, {"RED", RED}, {"HOTPINK", HOTPINK}, {"DEEPPINK", DEEPPINK},
    {"PINK", PINK}, {"LIGHTPINK", LIGHTPINK}, {"PALEVIOLETRED", PALEVIOLETRED}, {"MAROON", MAROON},
    {"MEDIUMVIOLETRED", MEDIUMVIOLETRED}, {"VIOLETRED", VIOLETRED}, {"MAGENTA", MAGENTA},
    {"VIOLET", VIOLET}, {"PLUM", PLUM}, {"ORCHID", ORCHID}, {"MEDIUMORCHID", MEDIUMORCHID},
    {"DARKORCHID", DARKORCHID}, {"DARKVIOLET", DARKVIOLET}, {"BLUEVIOLET", BLUEVIOLET},
    {"PURPLE", PURPLE}, {"MEDIUMPURPLE", MEDIUMPURPLE}, {"THISTLE", THISTLE}, {"DARKGREY", DARKGREY},
    {"DARKGRAY", DARKGRAY}, {"DARKBLUE", DARKBLUE}, {"DARKCYAN", DARKCYAN},
    {"DARKMAGENTA", DARKMAGENTA}, {"DARKRED", DARKRED}, {"LIGHTGREEN", LIGHTGREEN},
};
// clang-format on
/// The number of entries of NAMED_COLORS (144).
inline constexpr std::size_t NAMED_COLOR_COUNT = sizeof(NAMED_COLORS) / sizeof(NAMED_COLORS[0]);
