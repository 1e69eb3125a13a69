#pragma once
// The data blocks Duplora carries in its own image, and the decoding of the background picture.

#include <windows.h>

#include <cstddef>
#include <vector>

// Stored back to back in this order (blocks.S); each block is addressed by its start and
// AssetsEnd marks the byte after the last one.
extern "C" const unsigned char BackgroundImage[];
extern "C" const unsigned char CopyTool[];
extern "C" const unsigned char CompletionSound[];
extern "C" const unsigned char AssetsEnd[];

// The JPEG file: everything up to the copy program.
size_t BackgroundImageSize();
// The copy program's executable: the distance from its start to the sound's start.
size_t CopyToolSize();
// The RIFF WAVE file, as long as its own header says (8 + the RIFF size field).
size_t CompletionSoundSize();

// Decodes a JPEG into 24-bit BGR rows, top-down, width * 3 bytes each without padding.
// Returns false, leaving the outputs undefined, on anything libjpeg reports, warnings included:
// a damaged picture is not shown half grey.
bool DecodeJpeg(const unsigned char* data, size_t size, int* width, int* height,
                std::vector<unsigned char>* bgr);

// A top-down 24-bit DIB section of the decoded JPEG at its natural size, or NULL when the data
// cannot be decoded (or the bitmap cannot be made). The caller owns the bitmap.
HBITMAP JpegToBitmap(const unsigned char* data, size_t size);

// Image 1: the background picture as a 640 x 480 bitmap, or NULL when it cannot be decoded.
HBITMAP DecodeBackgroundImage();
