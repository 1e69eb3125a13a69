#include "ui/fonts.h"

namespace {
HFONT gFonts[FONT_COUNT + 1];
}

FontSpec FontSpecFor(int number) {
    static const FontSpec kSpecs[FONT_COUNT + 1] = {
        {nullptr, 0, 0},         {"Tahoma", 12, FW_NORMAL}, {"Tahoma", 8, FW_NORMAL},
        {"Tahoma", 12, FW_BOLD}, {"Tahoma", 12, FW_NORMAL}, {"Tahoma", 11, FW_NORMAL},
    };
    if (number < 1 || number > FONT_COUNT) return kSpecs[0];
    return kSpecs[number];
}

int FontHeight(int points, int logPixelsY) {
    return -MulDiv(points, logPixelsY, 72);
}

void CreateFonts() {
    int logPixelsY = 96;
    if (HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {
        logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
        DeleteDC(dc);
    }
    for (int n = 1; n <= FONT_COUNT; n++) {
        FontSpec font = FontSpecFor(n);
        gFonts[n] = CreateFontA(FontHeight(font.points, logPixelsY), 0, 0, 0, font.weight, FALSE,
                                FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, font.face);
    }
}

HFONT GetFont(int number) {
    if (number < 1 || number > FONT_COUNT) return nullptr;
    return gFonts[number];
}

void ReleaseFonts() {
    for (HFONT& font : gFonts) {
        if (font) DeleteObject(font);
        font = nullptr;
    }
}
