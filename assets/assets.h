// The blocks the program carries in its initialised data, back to back: the background picture,
// the copy program, the completion sound.
#pragma once
#include <windows.h>
#include <cstddef>
#include <vector>

extern "C" const unsigned char BackgroundImage[];
extern "C" const unsigned char CopyTool[];
extern "C" const unsigned char CompletionSound[];

size_t BackgroundImageSize(); // distance to CopyTool
size_t CopyToolSize();        // distance from CopyTool to CompletionSound
size_t CompletionSoundSize(); // from the RIFF header (8 + riff size)

// Decodes a JPEG with libjpeg into 24-bit BGR rows, top-down; false on any decoding error.
bool DecodeJpeg(const unsigned char* data, size_t size, int* width, int* height,
                std::vector<unsigned char>* bgr);

// Image 1: the decoded background picture as a 640 x 480 bitmap, or NULL when it cannot be
// decoded.
HBITMAP DecodeBackgroundImage();
