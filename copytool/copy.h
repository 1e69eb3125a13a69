// The copy itself: a first walk counts files and bytes, a second walk creates the folders and
// feeds the files to a few copy threads through a short queue (so memory does not grow with the
// tree), and a last pass gives the folders their attributes and times once their contents are in.
#pragma once
#include "copytool/result.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct Failure {
    std::wstring path;
    std::wstring reason;
};

enum CopyPhase { kPhaseCounting, kPhaseCopying, kPhaseFinishing, kPhaseDone };

// Shared between the copy threads, which write it, and the window, which reads it on a timer.
struct CopyShared {
    std::atomic<int> phase{kPhaseCounting};
    std::atomic<uint64_t> filesTotal{0};
    std::atomic<uint64_t> bytesTotal{0};
    std::atomic<uint64_t> filesDone{0}; // copied or failed
    std::atomic<uint64_t> bytesDone{0}; // bytes moved so far, partial files included
    std::atomic<bool> cancel{false};    // set by the window once the user confirmed
    std::atomic<bool> paused{false};    // set while the window asks whether to cancel

    SRWLOCK lock = SRWLOCK_INIT; // guards the members below
    std::wstring currentFile;
    std::vector<Failure> failures; // the first kMaxListedFailures only
    uint64_t failureCount = 0;
};

const size_t kMaxListedFailures = 1000;

// Holds an SRW lock for a scope. Slim locks and condition variables rather than std::mutex:
// winpthreads builds those on kernel semaphores, and under Wine every wait and wake on one is a
// round trip to the wine server, once per file copied.
struct LockHold {
    SRWLOCK* lock;
    explicit LockHold(SRWLOCK* l) : lock(l) { AcquireSRWLockExclusive(lock); }
    LockHold(const LockHold&) = delete;
    LockHold& operator=(const LockHold&) = delete;
    ~LockHold() { ReleaseSRWLockExclusive(lock); }
};

struct CopyOptions {
    int threads = 4;
    size_t bufferSize = 1 << 20;
};

// `source` and `target` are full folder paths as ParseCopyCommand returns them.
CopyResult RunCopy(const std::wstring& source, const std::wstring& target, CopyShared* shared,
                   const CopyOptions& options, bool german);

// "\\?\C:\..." or "\\?\UNC\server\share\...": lifts the 260-character limit.
std::wstring ExtendedPath(const std::wstring& fullPath);
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
