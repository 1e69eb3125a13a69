// Stands in for the game in the shortcut tests: writes "started.txt" into the folder it was
// started in, holding its own path and that folder.
#include <windows.h>

#include <cstdio>

int main() {
    char module[MAX_PATH] = "", folder[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, sizeof module);
    GetCurrentDirectoryA(sizeof folder, folder);
    if (FILE* f = fopen("started.txt", "wb")) {
        fprintf(f, "%s\n%s\n", module, folder);
        fclose(f);
    }
    return 0;
}
