// The fixed layout of the three windows: sizes, styles and the gadget table. Pure data, so the
// layout can be checked without opening a window.
#pragma once
#include <windows.h>

enum { WINDOW_COUNT = 5, GADGET_COUNT = 14 };
enum { kClientWidth = 640, kClientHeight = 480 };
const DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

enum GadgetKind { GADGET_BUTTON, GADGET_TEXT, GADGET_PICTURE_KIND };

struct GadgetSpec {
    int number;
    int window;
    GadgetKind kind;
    int x, y, width, height;
    int font; // 0: none
    COLORREF textColour, backColour;
    bool centred;
    const char* text; // at creation
};

// In creation order within each window.
extern const GadgetSpec kGadgetSpecs[];
extern const int kGadgetSpecCount;

const GadgetSpec* FindGadgetSpec(int number);
DWORD GadgetStyle(const GadgetSpec& layout);

// Top-left corner that centres a window of this outer size on a screen of this size; a window
// larger than the screen starts at 0 on that axis.
POINT CentredOrigin(int outerWidth, int outerHeight, int screenWidth, int screenHeight);
