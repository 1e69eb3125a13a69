// Real files for the wizard's tests.
#pragma once
#include <windows.h>
#include <string>

// A file of `size` bytes (all 'x'), then given `attributes` when they are not 0.
bool WriteFileOfSize(const std::string& path, long long size, DWORD attributes = 0);
// A sparse file of `size` bytes: only its length is set, no data is written.
bool WriteSparseFile(const std::string& path, long long size);
// Removes a folder with everything in it (attributes cleared first); links are removed, not
// entered.
void RemoveTree(const std::string& folder);
