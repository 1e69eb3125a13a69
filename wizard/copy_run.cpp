#include "wizard/copy_run.h"
#include "app/outcome.h"
#include "app/state.h"
#include "app/texts.h"
#include "assets/assets.h"
#include "ui/windows.h"
#include "wizard/dialogs.h"
#include "wizard/sound.h"
#include "wizard/steps.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace {

const char kToolName[] = "kopier.exe";
const char kToolIni[] = "kopier.ini";

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string WorkingDirectory() {
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return "";
    return WithBackslash(buffer);
}

HANDLE CreateToolFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    // A hidden or system file of that name refuses CREATE_ALWAYS with normal attributes, but can
    // still be truncated.
    if (file == INVALID_HANDLE_VALUE)
        file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    // A read-only leftover of an earlier run refuses both.
    if (file == INVALID_HANDLE_VALUE && SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL))
        file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file;
}

// True only when every byte of the tool landed in the file; a half-written program is removed.
bool WriteToolFile(const std::string& path, const unsigned char* tool, size_t size) {
    if (!tool || size == 0 || size > MAXDWORD) return false;
    HANDLE file = CreateToolFile(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, tool, (DWORD)size, &written, nullptr) && written == size;
    CloseHandle(file);
    if (!ok) ForceDeleteFile(path);
    return ok;
}

// A fresh folder of our own under the user's temp folder; "" when none can be made.
std::string MakeFreshTempFolder() {
    char temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) return "";
    std::string base = WithBackslash(temp) + "Duplora-" + std::to_string(GetCurrentProcessId());
    for (int attempt = 0; attempt < 100; attempt++) {
        std::string folder =
            base + "-" + std::to_string(GetTickCount()) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder + "\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
    }
    return "";
}

// Waits for the process without a time limit while the program's windows keep repainting; input
// and close requests that arrive meanwhile are dropped.
void WaitKeepingWindowsPainted(HANDLE process) {
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) return;
        if (woken == WAIT_OBJECT_0 + 1) {
            PumpWithoutEvents();
            continue;
        }
        WaitForSingleObject(process, INFINITE);
        return;
    }
}

// Starts the program by its full path, in `folder`, in a normal window. The process handle, or
// NULL when it could not be started.
HANDLE StartTool(const std::string& program, const std::string& parameters,
                 const std::string& folder) {
    std::string commandLine = CopyCommandLine(program, parameters);
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, folder.c_str(), &startup, &process)) {
        CloseHandle(process.hThread);
        return process.hProcess;
    }
    SHELLEXECUTEINFOA shell = {};
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    shell.lpFile = program.c_str();
    shell.lpParameters = parameters.c_str();
    shell.lpDirectory = folder.c_str();
    shell.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&shell) && shell.hProcess) return shell.hProcess;
    return nullptr;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The image of a process that has just ended may stay locked for a moment.
void DeleteToolFile(const std::string& path) {
    for (int attempt = 0; attempt < 20; attempt++) {
        ForceDeleteFile(path);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
        Sleep(100);
    }
}

std::string IniValue(const std::string& iniPath, const char* key) {
    char buffer[2048] = {};
    GetPrivateProfileStringA("Result", key, "", buffer, sizeof buffer, iniPath.c_str());
    return buffer;
}

// Sleeps while the windows keep repainting.
void PauseKeepingWindowsPainted(DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return;
        DWORD woken =
            MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) PumpWithoutEvents();
    }
}

} // namespace

std::string CopyParameters(const std::string& sourcePath, const std::string& targetRoot,
                           const std::string& copyName) {
    return sourcePath + "*.* " + targetRoot + copyName + "\\*.* /e/s/u/be/ot/r-";
}

std::string CopyCommandLine(const std::string& program, const std::string& parameters) {
    return "\"" + program + "\" " + parameters;
}

CopyResult RunCopyProgram(const unsigned char* tool, size_t toolSize, const std::string& workDir,
                          const std::string& parameters) {
    CopyResult result;
    result.folder = WithBackslash(workDir);
    bool inTemp = false;
    if (result.folder.empty() || !WriteToolFile(result.folder + kToolName, tool, toolSize)) {
        result.folder = MakeFreshTempFolder();
        inTemp = true;
        if (result.folder.empty()) return result;
        if (!WriteToolFile(result.folder + kToolName, tool, toolSize)) {
            RemoveDirectoryA(result.folder.c_str());
            return result;
        }
    }
    result.written = true;
    std::string program = result.folder + kToolName;
    std::string ini = result.folder + kToolIni;
    if (HANDLE process = StartTool(program, parameters, result.folder)) {
        result.started = true;
        WaitKeepingWindowsPainted(process);
        DWORD code = 0;
        if (GetExitCodeProcess(process, &code) && code != STILL_ACTIVE) {
            result.exitKnown = true;
            result.exitCode = code;
        }
        CloseHandle(process);
    }
    DeleteToolFile(program);
    result.firstErrorPath = IniValue(ini, "FirstErrorPath");
    result.firstError = IniValue(ini, "FirstError");
    ForceDeleteFile(ini);
    if (inTemp) RemoveDirectoryA(result.folder.c_str());
    return result;
}

bool CopyComplete(const CopyResult& result, const std::string& copyFolder) {
    return result.started && result.exitKnown && result.exitCode == 0 &&
           FileExists(copyFolder + "sh3.exe");
}

std::string IncompleteCopyText(const std::string& copyFolder, const std::string& firstErrorPath,
                               const std::string& firstError) {
    std::string text = GetText(62) + copyFolder;
    if (firstErrorPath.empty() && firstError.empty()) return text;
    text += GetText(63);
    if (!firstErrorPath.empty()) {
        text += firstErrorPath;
        if (!firstError.empty()) text += "\n      \xBB ";
    }
    return text + firstError;
}

void CopyRun() {
    ShowGadget(GADGET_STATUS);
    SetGadgetText(GADGET_STATUS, GetText(60).c_str());
    // The notice must be on screen before the thread starts waiting.
    if (HWND status = GadgetHandle(GADGET_STATUS)) UpdateWindow(status);
    PumpWithoutEvents();

    std::string copyFolder = TargetRoot + CopyName + "\\";
    CopyResult result = RunCopyProgram(CopyTool, CopyToolSize(), WorkingDirectory(),
                                       CopyParameters(SourcePath, TargetRoot, CopyName));
    if (!CopyComplete(result, copyFolder)) {
        // What was copied stays on disk; the run ends with the abort notice, nothing is set up.
        HideGadget(GADGET_STATUS);
        Dialogs.messageBox(IncompleteCopyText(copyFolder, result.firstErrorPath, result.firstError),
                           GetText(61), MB_OK | MB_ICONEXCLAMATION);
        RunOutcome = OUTCOME_ENDED;
        return;
    }
    PlayCompletionSound();
    PauseKeepingWindowsPainted(1000);
    HideGadget(GADGET_STATUS);
    PauseKeepingWindowsPainted(1000);
    RunOutcome = OUTCOME_COMPLETED;
}
