// Real files on disk for the tests: written, read and removed whole.
#pragma once
#include <windows.h>
#include <string>

std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// A file of `size` bytes (all 'x'), then given `attributes` when they are not 0.
bool WriteFileOfSize(const std::string& path, long long size, DWORD attributes = 0);
// A sparse file of `size` bytes: only its length is set, no data is written.
bool WriteSparseFile(const std::string& path, long long size);
bool FileExists(const std::string& path); // a file, not a folder
bool AnythingAt(const std::string& path); // file or folder
// Removes a folder with everything in it (attributes cleared first); links are removed, not
// entered. A missing folder is fine.
void RemoveTree(const std::string& folder);
// Line `index` of a text, without its line end.
std::string Line(const std::string& text, int index);
