// Opens the program's windows inside the test process, as start-up would prepare them: fonts,
// text table and a picture of one known colour, so painting can be checked pixel by pixel.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

const COLORREF kPictureColour = RGB(20, 160, 60);

class WindowsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// A rectangle in the client coordinates of the control's parent.
RECT RectInParent(HWND control);
// The colour on screen at a point of a window's client area, after every pending paint.
COLORREF PixelAt(HWND window, int x, int y);
// Handles the window messages waiting now (paint, activation) without blocking.
void Pump();
