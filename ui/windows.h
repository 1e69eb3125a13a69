// The program's three windows, their gadgets and the event model.
//
// Windows and gadgets are addressed by their fixed numbers; a gadget's number is also its control
// id. Every operation on a number that does not exist (or a window already closed) does nothing.
#pragma once
#include <windows.h>

enum { WINDOW_INFO = 2, WINDOW_START = 3, WINDOW_REPORT = 4 };
enum {
    GADGET_ENGLISH = 1,
    GADGET_DEUTSCH = 2,
    GADGET_EXIT = 3,
    GADGET_PICTURE = 4,
    GADGET_STATUS = 5,
    GADGET_INFO_TEXT = 7,
    GADGET_INFO_FOOTER = 8,
    GADGET_OK = 9,
    GADGET_CANCEL = 10,
    GADGET_QUIT = 11,
    GADGET_REPORT_TEXT = 12,
    GADGET_REPORT_FOOTER = 13,
};
enum { GadgetEvent = 13100, CloseEvent = 13116 };

// The windows' class name; a driver finds the program's windows by it.
extern const char kWindowClass[];

HWND OpenStartWindow();
HWND OpenInfoWindow();
HWND OpenReportWindow();

// Blocks until the next event and returns its code; EventGadget/EventWindow describe it until the
// next call.
int WaitEvent();
int EventGadget();
int EventWindow();

// Handles every window message that is already waiting without blocking, and drops the events
// they produce: keeps the windows painted while the thread is busy elsewhere.
void PumpWithoutEvents();

HWND WindowHandle(int window);
HWND GadgetHandle(int gadget);
void SetWindowTitle(int window, const char* title);
void HideWindow(int window);
void ShowWindowNumber(int window);
void CloseWindowNumber(int window);
void CloseAllWindows();
void SetGadgetText(int gadget, const char* text);
void HideGadget(int gadget);
void ShowGadget(int gadget);
void DisableGadget(int gadget);

// Image 1, the decoded background picture; the windows layer owns it from here on.
void SetImage1(HBITMAP image);
void ReleaseImages();
