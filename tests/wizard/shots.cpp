// Drives Duplora.exe to the volume notice and to the name dialog for the README's screenshots.
// At each stop it writes "<name> left top right bottom" (screen coordinates of the window) to
// <folder>\stop.txt and waits until <folder>\go.txt exists; scripts/wizard-screenshots takes the
// picture in between. Usage: wizard_shots.exe <folder>
#include "tests/driver/wizard_driver.h"
#include "tests/wizard/files.h"
#include "ui/windows.h"
#include "wizard/text_input.h"

#include <cstdio>

namespace {

std::string gFolder;

bool Stop(const char* name, HWND hwnd) {
    Sleep(500); // let it paint
    RECT r;
    GetWindowRect(hwnd, &r);
    std::string go = gFolder + "\\go.txt";
    DeleteFileA(go.c_str());
    FILE* f = fopen((gFolder + "\\stop.txt").c_str(), "w");
    if (!f) return false;
    fprintf(f, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
    fclose(f);
    for (int i = 0; i < 600 && GetFileAttributesA(go.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    DeleteFileA(go.c_str());
    DeleteFileA((gFolder + "\\stop.txt").c_str());
    return true;
}

bool Fail(const char* what, driver::App* app) {
    fprintf(stderr, "wizard_shots: %s\n", what);
    driver::Kill(app);
    return false;
}

bool Run() {
    // 1.5 GB of installation without using the disk: sparse files.
    const std::string base = "C:\\duplora-shots", source = base + "\\SilentHunterIII";
    RemoveTree(base);
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA(source.c_str(), nullptr);
    CreateDirectoryA((source + "\\data").c_str(), nullptr);
    WriteFileOfSize(source + "\\sh3.exe", 3145728);
    WriteSparseFile(source + "\\data\\Terrain.dat", 1610612736LL - 3145728);

    driver::App app;
    if (!driver::StartWizard(&app, base, GADGET_ENGLISH)) return Fail("start", &app);
    driver::MessageBoxInfo box = driver::WaitMessageBox(app, driver::kSlowTimeoutMs);
    if (!box.hwnd || !driver::AnswerAndWait(box.hwnd, IDOK)) return Fail("question", &app);
    HWND browser = driver::WaitFolderBrowser(app);
    if (!browser || !driver::SelectFolder(browser, source) ||
        !driver::FinishFolderBrowser(browser, IDOK))
        return Fail("source", &app);
    box = driver::WaitMessageBox(app, driver::kSlowTimeoutMs);
    if (!box.hwnd) return Fail("volume notice", &app);
    Stop("volume-notice", box.hwnd);
    driver::AnswerAndWait(box.hwnd, IDOK);
    browser = driver::WaitFolderBrowser(app);
    if (!browser || !driver::SelectFolder(browser, "C:\\") ||
        !driver::FinishFolderBrowser(browser, IDOK))
        return Fail("target", &app);
    box = driver::WaitMessageBox(app, driver::kSlowTimeoutMs);
    if (!box.hwnd) return Fail("location notice", &app);
    driver::AnswerAndWait(box.hwnd, IDOK);
    HWND requester = driver::WaitInputRequester(app);
    if (!requester) return Fail("name dialog", &app);
    HWND field = driver::Child(requester, INPUT_FIELD_ID);
    SendMessageA(field, EM_SETSEL, 0, -1);
    driver::Type(field, "SH3_Multi");
    Stop("name-dialog", requester);
    driver::Key(field, VK_ESCAPE);
    box = driver::WaitMessageBox(app, driver::kSlowTimeoutMs);
    if (box.hwnd) driver::Answer(box.hwnd, IDOK);
    driver::WaitExit(&app, driver::kSlowTimeoutMs);
    RemoveTree(base);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    gFolder = argv[1];
    return Run() ? 0 : 1;
}
