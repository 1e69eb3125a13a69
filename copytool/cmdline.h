// Reads the one command line the copy program is started with:
//   "kopier.exe" SRC\*.* DST\*.* /e/s/u/be/ot/r-
// The two folders may contain blanks and arrive without quotes, so the "\*.*" pattern (a "*" can
// never be part of a real name) is what marks where each path ends. Anything that cannot be read
// with certainty is refused, so a wrong guess can never copy into the wrong place.
#pragma once
#include <string>

enum class CommandError {
    None,
    MissingSource, // nothing after the program name
    MissingTarget, // only one path
    BadPattern,    // an unquoted path without "\*.*", or text glued to the pattern
    UnclosedQuote,
    NotAbsolute,  // not "X:\..." nor "\\server\share\..."
    BadCharacter, // a character no folder name can hold, or "/" inside a path
    BadSegment,   // "." / ".." / empty segment
    UnknownSwitch,
    SameFolder,       // source and target are one folder
    TargetHoldsSource // the target is a parent of the source
};

struct CopyCommand {
    CommandError error = CommandError::None;
    std::wstring source; // a full folder path, no trailing backslash unless a drive root
    std::wstring target;
};

// The arguments of a full command line (GetCommandLineW): the program name is skipped, quoted or
// not (an unquoted one may contain blanks up to ".exe").
std::wstring ArgumentsOf(const std::wstring& commandLine);

CopyCommand ParseCopyCommand(const std::wstring& arguments);

// Case-insensitive comparisons of full folder paths in the form ParseCopyCommand returns.
bool SamePath(const std::wstring& a, const std::wstring& b);
// True when `inner` lies below `outer` (not when equal).
bool PathInside(const std::wstring& inner, const std::wstring& outer);
