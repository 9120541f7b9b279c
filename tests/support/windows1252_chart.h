// Windows-1252 between 0x80 and 0x9F as the published code page chart gives
// it (Unicode's CP1252.TXT, Microsoft's cp1252 table), written out here by
// hand so that tests compare the code's tables with the chart and not with
// themselves. The chart leaves 81, 8D, 8F, 90 and 9D undefined; Windows maps
// them to the C1 controls of the same number, and so do the project's tables.
#pragma once

#include <string>

struct Windows1252ChartEntry {
    unsigned char byte;
    char16_t character;
};

inline constexpr Windows1252ChartEntry kWindows1252Chart[32] = {
    {0x80, 0x20AC},  // EURO SIGN
    {0x81, 0x0081},  // undefined
    {0x82, 0x201A},  // SINGLE LOW-9 QUOTATION MARK
    {0x83, 0x0192},  // LATIN SMALL LETTER F WITH HOOK
    {0x84, 0x201E},  // DOUBLE LOW-9 QUOTATION MARK
    {0x85, 0x2026},  // HORIZONTAL ELLIPSIS
    {0x86, 0x2020},  // DAGGER
    {0x87, 0x2021},  // DOUBLE DAGGER
    {0x88, 0x02C6},  // MODIFIER LETTER CIRCUMFLEX ACCENT
    {0x89, 0x2030},  // PER MILLE SIGN
    {0x8A, 0x0160},  // LATIN CAPITAL LETTER S WITH CARON
    {0x8B, 0x2039},  // SINGLE LEFT-POINTING ANGLE QUOTATION MARK
    {0x8C, 0x0152},  // LATIN CAPITAL LIGATURE OE
    {0x8D, 0x008D},  // undefined
    {0x8E, 0x017D},  // LATIN CAPITAL LETTER Z WITH CARON
    {0x8F, 0x008F},  // undefined
    {0x90, 0x0090},  // undefined
    {0x91, 0x2018},  // LEFT SINGLE QUOTATION MARK
    {0x92, 0x2019},  // RIGHT SINGLE QUOTATION MARK
    {0x93, 0x201C},  // LEFT DOUBLE QUOTATION MARK
    {0x94, 0x201D},  // RIGHT DOUBLE QUOTATION MARK
    {0x95, 0x2022},  // BULLET
    {0x96, 0x2013},  // EN DASH
    {0x97, 0x2014},  // EM DASH
    {0x98, 0x02DC},  // SMALL TILDE
    {0x99, 0x2122},  // TRADE MARK SIGN
    {0x9A, 0x0161},  // LATIN SMALL LETTER S WITH CARON
    {0x9B, 0x203A},  // SINGLE RIGHT-POINTING ANGLE QUOTATION MARK
    {0x9C, 0x0153},  // LATIN SMALL LIGATURE OE
    {0x9D, 0x009D},  // undefined
    {0x9E, 0x017E},  // LATIN SMALL LETTER Z WITH CARON
    {0x9F, 0x0178},  // LATIN CAPITAL LETTER Y WITH DIAERESIS
};

// The UTF-8 form of a character of the Basic Multilingual Plane.
inline std::string Utf8Of(char16_t character) {
    std::string out;
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | character >> 6);
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | character >> 12);
        out += static_cast<char>(0x80 | (character >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
    return out;
}
