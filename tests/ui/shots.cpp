// Drives Duplora.exe to one state for a screenshot, stops there until the picture is taken, then
// ends the program. A shot is a name and a function that drives a freshly started program to the
// state and returns the window to frame; add a row to kShots for a new one.
// Usage: ui_shots.exe <folder> <shot>. At the stop it writes "<shot> left top right bottom"
// (screen coordinates of that window) to <folder>\stop.txt and waits for <folder>\go.txt;
// scripts/screenshots takes the picture in between.
#include "tests/driver/driver.h"
#include "ui/windows.h"

#include <cstdio>
#include <cstring>

namespace {

HWND StartWindow(driver::App* app) {
    return driver::WaitProgramWindow(*app, WINDOW_START);
}

HWND InfoWindowEnglish(driver::App* app) {
    HWND start = driver::WaitProgramWindow(*app, WINDOW_START);
    if (!start || !driver::Press(start, GADGET_ENGLISH)) return nullptr;
    return driver::WaitProgramWindow(*app, WINDOW_INFO);
}

const struct {
    const char* name;
    HWND (*drive)(driver::App*);
} kShots[] = {
    {"start-window", StartWindow},
    {"info-window", InfoWindowEnglish},
};

bool Stop(const std::string& folder, const char* name, HWND hwnd) {
    Sleep(700); // let it paint
    RECT r;
    GetWindowRect(hwnd, &r);
    std::string go = folder + "\\go.txt";
    DeleteFileA(go.c_str());
    FILE* f = fopen((folder + "\\stop.txt").c_str(), "w");
    if (!f) return false;
    fprintf(f, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
    fclose(f);
    for (int i = 0; i < 600 && GetFileAttributesA(go.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    DeleteFileA(go.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: ui_shots <folder> <shot>\n");
        return 2;
    }
    for (const auto& shot : kShots) {
        if (strcmp(shot.name, argv[2]) != 0) continue;
        driver::App app;
        if (!driver::Start(&app, driver::MakeTempDir("shot"))) return 1;
        HWND frame = shot.drive(&app);
        bool ok = frame && Stop(argv[1], shot.name, frame);
        driver::Kill(&app);
        return ok ? 0 : 1;
    }
    fprintf(stderr, "ui_shots: no shot named %s\n", argv[2]);
    return 2;
}
