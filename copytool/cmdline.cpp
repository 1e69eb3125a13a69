#include "copytool/cmdline.h"

#include <windows.h>

namespace {

const wchar_t kPattern[] = L"\\*.*";
const size_t kPatternLength = 4;

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

size_t SkipBlanks(const std::wstring& s, size_t pos) {
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    return pos;
}

bool EqualNoCase(const wchar_t* a, size_t aLength, const wchar_t* b, size_t bLength) {
    if (aLength != bLength) return false;
    if (aLength == 0) return true;
    return CompareStringOrdinal(a, (int)aLength, b, (int)bLength, TRUE) == CSTR_EQUAL;
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Checks one folder path and brings it to its plain form (no trailing backslash unless a root).
CommandError NormalizeFolder(std::wstring* path) {
    std::wstring& p = *path;
    for (wchar_t c : p) {
        if (c < 32 || c == L'/' || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' ||
            c == L'|')
            return CommandError::BadCharacter;
    }
    size_t first; // where the first ordinary segment starts
    if (p.size() >= 3 && IsDriveLetter(p[0]) && p[1] == L':' && p[2] == L'\\') {
        first = 3;
    } else if (p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\') {
        // \\server\share: both parts must be there, and "\\?\" or "\\.\" forms are not folders
        // this program is ever given.
        size_t server = p.find(L'\\', 2);
        if (server == 2 || server == std::wstring::npos) return CommandError::NotAbsolute;
        if (p.size() <= server + 1 || p[server + 1] == L'\\') return CommandError::NotAbsolute;
        std::wstring serverName = p.substr(2, server - 2);
        if (serverName == L"?" || serverName == L".") return CommandError::NotAbsolute;
        first = 2;
    } else {
        return CommandError::NotAbsolute;
    }
    if (p.find(L':', 2) != std::wstring::npos) return CommandError::BadCharacter;
    while (p.size() > first && p.back() == L'\\') {
        p.pop_back();
        if (p.size() > first && p.back() == L'\\') return CommandError::BadSegment;
    }
    if (p.size() == 2 && first == 3) p += L'\\'; // "C:" back to "C:\"
    // Segments: none may be empty, "." or "..", and none may end in a blank or dot (Windows would
    // quietly drop those, so the copy would land somewhere else).
    size_t start = first;
    while (start < p.size()) {
        size_t end = p.find(L'\\', start);
        if (end == std::wstring::npos) end = p.size();
        std::wstring segment = p.substr(start, end - start);
        if (segment.empty() || segment == L"." || segment == L"..") return CommandError::BadSegment;
        wchar_t last = segment.back();
        if (last == L'.' || last == L' ') return CommandError::BadSegment;
        start = end + 1;
    }
    return CommandError::None;
}

// Reads one path at `*pos`: either quoted (pattern optional) or running up to "\*.*".
CommandError ReadPath(const std::wstring& s, size_t* pos, std::wstring* path) {
    size_t p = *pos;
    if (p >= s.size() || s[p] == L'/') return CommandError::MissingTarget;
    if (s[p] == L'"') {
        size_t close = s.find(L'"', p + 1);
        if (close == std::wstring::npos) return CommandError::UnclosedQuote;
        *path = s.substr(p + 1, close - p - 1);
        if (path->size() >= kPatternLength &&
            path->compare(path->size() - kPatternLength, kPatternLength, kPattern) == 0)
            path->resize(path->size() - kPatternLength + 1); // keep the backslash
        p = close + 1;
    } else {
        size_t end = s.find(kPattern, p);
        if (end == std::wstring::npos) return CommandError::BadPattern;
        *path = s.substr(p, end + 1 - p); // with the backslash before the pattern
        p = end + kPatternLength;
    }
    if (p < s.size() && !IsBlank(s[p])) return CommandError::BadPattern;
    *pos = SkipBlanks(s, p);
    return NormalizeFolder(path);
}

// Switches the caller sends. They select nothing here: this command line always means "copy
// everything", so they are only checked for being known ones.
bool KnownSwitch(const std::wstring& name) {
    static const wchar_t* const kKnown[] = {L"e", L"s", L"u", L"be", L"ot", L"r", L"r-"};
    for (const wchar_t* known : kKnown) {
        if (EqualNoCase(name.c_str(), name.size(), known, wcslen(known))) return true;
    }
    return false;
}

CommandError ReadSwitches(const std::wstring& s, size_t pos) {
    while (pos < s.size()) {
        if (s[pos] != L'/') return CommandError::UnknownSwitch;
        size_t end = pos + 1;
        while (end < s.size() && s[end] != L'/' && !IsBlank(s[end]))
            ++end;
        if (!KnownSwitch(s.substr(pos + 1, end - pos - 1))) return CommandError::UnknownSwitch;
        pos = SkipBlanks(s, end);
    }
    return CommandError::None;
}

} // namespace

std::wstring ArgumentsOf(const std::wstring& commandLine) {
    size_t pos = SkipBlanks(commandLine, 0);
    if (pos < commandLine.size() && commandLine[pos] == L'"') {
        size_t close = commandLine.find(L'"', pos + 1);
        pos = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        // An unquoted program path may hold blanks; it ends with ".exe" and a blank.
        size_t end = std::wstring::npos;
        for (size_t i = pos; i + 5 <= commandLine.size(); ++i) {
            if (EqualNoCase(commandLine.c_str() + i, 4, L".exe", 4) &&
                IsBlank(commandLine[i + 4])) {
                end = i + 4;
                break;
            }
        }
        if (end == std::wstring::npos) {
            end = pos;
            while (end < commandLine.size() && !IsBlank(commandLine[end]))
                ++end;
        }
        pos = end;
    }
    pos = SkipBlanks(commandLine, pos);
    size_t last = commandLine.size();
    while (last > pos && IsBlank(commandLine[last - 1]))
        --last;
    return commandLine.substr(pos, last - pos);
}

CopyCommand ParseCopyCommand(const std::wstring& arguments) {
    CopyCommand command;
    size_t pos = SkipBlanks(arguments, 0);
    if (pos >= arguments.size() || arguments[pos] == L'/') {
        command.error = CommandError::MissingSource;
        return command;
    }
    CommandError error = ReadPath(arguments, &pos, &command.source);
    if (error == CommandError::None) error = ReadPath(arguments, &pos, &command.target);
    if (error == CommandError::None) error = ReadSwitches(arguments, pos);
    if (error == CommandError::None && SamePath(command.source, command.target))
        error = CommandError::SameFolder;
    if (error == CommandError::None && PathInside(command.source, command.target))
        error = CommandError::TargetHoldsSource;
    if (error != CommandError::None) command = CopyCommand{error, L"", L""};
    return command;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return EqualNoCase(a.c_str(), a.size(), b.c_str(), b.size());
}

bool PathInside(const std::wstring& inner, const std::wstring& outer) {
    size_t n = outer.size();
    if (n == 0 || inner.size() <= n) return false;
    if (!EqualNoCase(inner.c_str(), n, outer.c_str(), n)) return false;
    return outer.back() == L'\\' || inner[n] == L'\\';
}
