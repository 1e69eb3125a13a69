#include "copytool/result.h"

namespace {

// An INI value ends at the line's end, so line breaks inside one are turned into blanks.
std::wstring OneLine(const std::wstring& text) {
    std::wstring line = text;
    for (wchar_t& c : line)
        if (c == L'\r' || c == L'\n') c = L' ';
    return line;
}

} // namespace

std::wstring ResultIni(const CopyResult& r) {
    std::wstring ini = L"[Result]\r\n";
    ini += L"ExitCode=" + std::to_wstring(r.exitCode) + L"\r\n";
    ini += L"Files=" + std::to_wstring(r.files) + L"\r\n";
    ini += L"Folders=" + std::to_wstring(r.folders) + L"\r\n";
    ini += L"Bytes=" + std::to_wstring(r.bytes) + L"\r\n";
    ini += L"Failures=" + std::to_wstring(r.failures) + L"\r\n";
    ini += L"FirstErrorPath=" + OneLine(r.firstErrorPath) + L"\r\n";
    ini += L"FirstError=" + OneLine(r.firstError) + L"\r\n";
    ini += L"PeakMemory=" + std::to_wstring(r.peakMemory) + L"\r\n";
    return ini;
}

bool WriteResultIni(const std::wstring& path, const CopyResult& result) {
    std::wstring text = ResultIni(result);
    int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr,
                                   nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), &bytes[0], size, nullptr,
                        nullptr);
    // A read-only or hidden INI left by an earlier run must not keep us from writing this one.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
              written == bytes.size();
    return CloseHandle(file) && ok;
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, (LPWSTR)&buffer, 0, nullptr);
    std::wstring text;
    if (n > 0 && buffer) text.assign(buffer, n);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    std::wstring prefix = L"Error " + std::to_wstring(error);
    return text.empty() ? prefix : prefix + L": " + text;
}
