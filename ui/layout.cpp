#include "ui/layout.h"
#include "ui/windows.h"

const GadgetSpec kGadgetSpecs[] = {
    // StartWindow
    {GADGET_PICTURE, WINDOW_START, GADGET_PICTURE_KIND, 0, 0, 640, 480, 0, 0, 0, false, ""},
    {GADGET_DEUTSCH, WINDOW_START, GADGET_BUTTON, 48, 435, 160, 35, 3, 0, 0, false, "DEUTSCH"},
    {GADGET_ENGLISH, WINDOW_START, GADGET_BUTTON, 241, 435, 160, 35, 3, 0, 0, false, "ENGLISH"},
    {GADGET_EXIT, WINDOW_START, GADGET_BUTTON, 431, 435, 160, 35, 3, 0, 0, false, "EXIT"},
    {GADGET_STATUS, WINDOW_START, GADGET_TEXT, 10, 406, 620, 60, 5, RGB(255, 0, 0), RGB(0, 0, 0),
     true, ""},
    // InfoWindow
    {GADGET_INFO_TEXT, WINDOW_INFO, GADGET_TEXT, 5, 5, 630, 455, 1, RGB(0, 0, 0),
     RGB(255, 255, 255), false, ""},
    {GADGET_INFO_FOOTER, WINDOW_INFO, GADGET_TEXT, 5, 465, 630, 15, 2, RGB(255, 255, 255),
     RGB(0, 0, 0), true, ""},
    {GADGET_OK, WINDOW_INFO, GADGET_BUTTON, 150, 418, 160, 35, 3, 0, 0, false, "OK"},
    {GADGET_CANCEL, WINDOW_INFO, GADGET_BUTTON, 330, 418, 160, 35, 4, 0, 0, false, ""},
    // ReportWindow
    {GADGET_REPORT_TEXT, WINDOW_REPORT, GADGET_TEXT, 5, 5, 620, 465, 1, RGB(0, 0, 0),
     RGB(255, 255, 255), false, ""},
    {GADGET_REPORT_FOOTER, WINDOW_REPORT, GADGET_TEXT, 10, 465, 620, 15, 2, RGB(255, 255, 255),
     RGB(0, 0, 0), true, ""},
    {GADGET_QUIT, WINDOW_REPORT, GADGET_BUTTON, 240, 418, 160, 35, 3, 0, 0, false, "BEENDEN"},
};
const int kGadgetSpecCount = sizeof kGadgetSpecs / sizeof kGadgetSpecs[0];

const GadgetSpec* FindGadgetSpec(int number) {
    for (const GadgetSpec& layout : kGadgetSpecs)
        if (layout.number == number) return &layout;
    return nullptr;
}

DWORD GadgetStyle(const GadgetSpec& layout) {
    switch (layout.kind) {
    case GADGET_BUTTON:
        return WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON;
    case GADGET_TEXT:
        // Clipped against the buttons that lie on them, so a repaint never hides a button.
        return WS_CHILD | WS_VISIBLE | WS_GROUP | WS_CLIPSIBLINGS | SS_NOPREFIX |
               (layout.centred ? SS_CENTER : SS_LEFT);
    case GADGET_PICTURE_KIND:
        return WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW;
    }
    return 0;
}

POINT CentredOrigin(int outerWidth, int outerHeight, int screenWidth, int screenHeight) {
    POINT p;
    p.x = outerWidth > screenWidth ? 0 : (screenWidth - outerWidth) / 2;
    p.y = outerHeight > screenHeight ? 0 : (screenHeight - outerHeight) / 2;
    return p;
}
