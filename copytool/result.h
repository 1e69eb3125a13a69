// The outcome of a run: the exit code and the figures written to "kopier.ini" in the working
// directory, where the program that started us may read them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

enum ExitCode {
    kExitComplete = 0,   // every file and folder copied
    kExitFailures = 1,   // some entries failed (listed in the window)
    kExitNotStarted = 2, // bad command line, source unreadable, target not creatable
    kExitCancelled = 3,
};

struct CopyResult {
    int exitCode = kExitNotStarted;
    uint64_t files = 0;   // copied completely
    uint64_t folders = 0; // created (the target folder itself included)
    uint64_t bytes = 0;   // of the files copied completely
    uint64_t failures = 0;
    std::wstring firstErrorPath;
    std::wstring firstError;
    uint64_t peakMemory = 0; // the process's peak working set, for the benchmark
};

// The INI text, sections and keys spelt so GetPrivateProfileString can read them.
std::wstring ResultIni(const CopyResult& result);

// Writes the INI in the ANSI code page (what an ANSI reader expects); false when it failed.
bool WriteResultIni(const std::wstring& path, const CopyResult& result);

// "Error 32: The process cannot access the file ..." in the system's language.
std::wstring SystemErrorText(DWORD error);
