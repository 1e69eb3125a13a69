// Stands in for the copy program in the copy-run tests. Told by its environment what to do:
// FAKE_KOPIER_RECORD  file to write its own path, working directory and command line into
// FAKE_KOPIER_SH3     "1": create the new folder (second argument) with an sh3.exe in it
// FAKE_KOPIER_ERROR_PATH, FAKE_KOPIER_ERROR  the first error it reports in kopier.ini
// FAKE_KOPIER_EXIT    its exit code (default 0)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Env(const char* name) {
    char buffer[1024] = "";
    GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return buffer;
}

// The second blank-separated argument after the quoted program name, without its "*.*".
std::string NewFolder(const std::string& commandLine) {
    size_t at = commandLine.find('"', 1);
    std::string rest = commandLine.substr(at + 2);
    size_t blank = rest.find(' ');
    std::string second = rest.substr(blank + 1, rest.find(' ', blank + 1) - blank - 1);
    return second.substr(0, second.size() - 3);
}

} // namespace

int main() {
    std::string commandLine = GetCommandLineA();
    char module[MAX_PATH] = "", folder[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, sizeof module);
    GetCurrentDirectoryA(sizeof folder, folder);
    std::string record = Env("FAKE_KOPIER_RECORD");
    if (!record.empty()) {
        if (FILE* f = fopen(record.c_str(), "wb")) {
            fprintf(f, "%s\n%s\n%s\n", module, folder, commandLine.c_str());
            fclose(f);
        }
    }
    if (Env("FAKE_KOPIER_SH3") == "1") {
        std::string target = NewFolder(commandLine);
        CreateDirectoryA(target.c_str(), nullptr);
        if (FILE* f = fopen((target + "sh3.exe").c_str(), "wb")) fclose(f);
    }
    int exitCode = atoi(Env("FAKE_KOPIER_EXIT").c_str());
    if (FILE* f = fopen("kopier.ini", "wb")) {
        fprintf(f,
                "[Result]\r\nExitCode=%d\r\nFiles=1\r\nFolders=1\r\nBytes=0\r\nFailures=%d\r\n"
                "FirstErrorPath=%s\r\nFirstError=%s\r\n",
                exitCode, exitCode ? 1 : 0, Env("FAKE_KOPIER_ERROR_PATH").c_str(),
                Env("FAKE_KOPIER_ERROR").c_str());
        fclose(f);
    }
    return exitCode;
}
