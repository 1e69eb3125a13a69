// Small file helpers for the step tests: real files on disk, read and written whole.
#pragma once
#include <string>

std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path); // a file, not a folder
bool AnythingAt(const std::string& path); // file or folder
// Deletes a folder tree (attributes reset first); missing is fine.
void RemoveTree(const std::string& folder);
// The lines of a text, without their line ends.
std::string Line(const std::string& text, int index);
