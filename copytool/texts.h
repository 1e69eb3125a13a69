// Every text the copy window shows, in German and English (German when the user's interface
// language is German).
#pragma once
#include "copytool/cmdline.h"

#include <cstdint>
#include <string>

enum class TextId {
    Title,
    From,
    To,
    Counting,
    Copying,
    Stopping,
    Finishing,
    Cancel,
    Close,
    AskCancel,
    Cancelled,
    DoneWithFailures,
    CannotStart,
    Failures,
    SkippedLoop,
    SkippedDestination,
    SourceMissing,
    TargetNotCreatable,
    NotEnoughSpace,
    Count
};

const wchar_t* Text(TextId id, bool german);
std::wstring CommandErrorText(CommandError error, bool german);

// "8.024" / "8,024"
std::wstring FormatCount(uint64_t n, bool german);
// "1,4 GB" / "1.4 GB": binary units, one decimal below 100.
std::wstring FormatBytes(uint64_t bytes, bool german);
// "0:07", "12:34", "1:02:03"
std::wstring FormatDuration(uint64_t seconds);
// "1.234 von 8.024 Dateien - 512 MB von 1,4 GB"
std::wstring ProgressLine(uint64_t filesDone, uint64_t filesTotal, uint64_t bytesDone,
                          uint64_t bytesTotal, bool german);
// "95,3 MB/s - noch 0:12"; no estimate while the speed is still unknown (0).
std::wstring SpeedLine(double bytesPerSecond, uint64_t bytesLeft, bool german);
// Progress bar position out of 1000.
int ProgressPermille(uint64_t done, uint64_t total);
