// The copy run: the carried copy program is written out as "kopier.exe", started on the source and
// the new folder, and waited for; the copy counts as made only when the program says so and the
// new folder holds the game.
#pragma once
#include <string>

// "<SourcePath>*.* <TargetRoot><CopyName>\*.* /e/s/u/be/ot/r-": no quotes, blanks kept as they are.
std::string CopyParameters(const std::string& sourcePath, const std::string& targetRoot,
                           const std::string& copyName);
// The program name in double quotes, one blank, the parameter text.
std::string CopyCommandLine(const std::string& program, const std::string& parameters);

// What one run of the copy program came to.
struct CopyResult {
    bool written = false; // "kopier.exe" could be written out
    bool started = false; // a process was started
    bool exitKnown = false;
    unsigned long exitCode = 0;
    std::string folder;         // where "kopier.exe" and "kopier.ini" lay
    std::string firstErrorPath; // from the program's "kopier.ini", when it left one
    std::string firstError;
};

// Writes `tool` as "kopier.exe" into `workDir` (or, when that folder cannot take it, into a fresh
// folder under the temp folder), starts it there by its full path with `parameters`, waits for it
// while keeping the program's windows painted, then deletes "kopier.exe" and "kopier.ini" (and the
// temp folder). Reports what happened; decides nothing.
CopyResult RunCopyProgram(const unsigned char* tool, size_t toolSize, const std::string& workDir,
                          const std::string& parameters);

// The copy is complete only when the program ended with exit code 0 and the game's sh3.exe is in
// the new folder (`copyFolder` ends with a backslash).
bool CopyComplete(const CopyResult& result, const std::string& copyFolder);

// The message for an incomplete copy: where the partial copy lies and, when known, the copy
// program's first error.
std::string IncompleteCopyText(const std::string& copyFolder, const std::string& firstErrorPath,
                               const std::string& firstError);
