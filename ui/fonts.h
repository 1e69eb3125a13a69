// Fonts 1 to 5, created once at start-up and shared by every window.
#pragma once
#include <windows.h>

enum { FONT_COUNT = 5 };

struct FontSpec {
    const char* face;
    int points;
    int weight;
};

// The face, size and weight of font `number` (1 to 5); all zero for other numbers.
FontSpec FontSpecFor(int number);

// CreateFontA's height for a size in points on a display with `logPixelsY` dots per inch.
int FontHeight(int points, int logPixelsY);

void CreateFonts();
// The font handle, or NULL when the number is unknown or the font could not be made.
HFONT GetFont(int number);
void ReleaseFonts();
