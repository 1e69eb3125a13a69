#include "tests/driver/wizard_driver.h"
#include "ui/windows.h"

#include <commctrl.h>

namespace driver {

namespace {

const UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return (LRESULT)result;
}

struct ClassSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK FindClass(HWND hwnd, LPARAM lp) {
    ClassSearch* search = (ClassSearch*)lp;
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, search->className) != 0) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The first descendant of that class.
HWND Descendant(HWND parent, const char* className) {
    ClassSearch search = {className, nullptr};
    EnumChildWindows(parent, FindClass, (LPARAM)&search);
    return search.found;
}

std::string Lower(std::string text) {
    if (!text.empty()) CharLowerBuffA(&text[0], (DWORD)text.size());
    return text;
}

// Selects the item and reads its name back from the folder field (the only cross-process way
// to learn an item's text with handle-only messages).
std::string SelectAndName(HWND tree, HWND field, LPARAM item) {
    Send(tree, TVM_SELECTITEM, TVGN_CARET, item);
    return Text(field);
}

// Among the children of `parent`, the first whose name `matches` accepts; 0 when none.
template <typename Match>
LPARAM FindChild(HWND tree, HWND field, LPARAM parent, Match matches, std::string* trail) {
    Send(tree, TVM_EXPAND, TVE_EXPAND, parent);
    std::string seen;
    for (LPARAM item = Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, parent); item;
         item = Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
        std::string name = SelectAndName(tree, field, item);
        if (matches(name)) return item;
        seen += "[" + name + "]";
    }
    if (trail) *trail = seen;
    return 0;
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

} // namespace

bool StartWizard(App* app, const std::string& workDir, int languageGadget, int timeoutMs) {
    if (!Start(app, workDir)) return false;
    HWND start = WaitProgramWindow(*app, WINDOW_START, timeoutMs);
    if (!start || !Press(start, languageGadget)) return false;
    HWND info = WaitProgramWindow(*app, WINDOW_INFO, timeoutMs);
    return info && Press(info, GADGET_OK);
}

bool AnswerAndWait(HWND dialog, int id) {
    return Answer(dialog, id) && WaitGone(dialog, kSlowTimeoutMs);
}

HWND WaitFolderBrowser(const App& app, int timeoutMs) {
    DWORD until = GetTickCount() + timeoutMs;
    do {
        for (HWND hwnd : FindWindows(app, "#32770"))
            if (IsWindowVisible(hwnd) && Descendant(hwnd, "SysTreeView32")) return hwnd;
        Sleep(50);
    } while ((int)(until - GetTickCount()) > 0);
    return nullptr;
}

bool HasStaticText(HWND parent, const std::string& text) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = "";
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0 && Text(child) == text) return true;
        if (HasStaticText(child, text)) return true;
    }
    return false;
}

bool SelectFolder(HWND browser, const std::string& path, std::string* trail) {
    HWND tree = Descendant(browser, "SysTreeView32");
    HWND field = Descendant(browser, "Edit");
    if (!tree || !field) return false;
    std::vector<std::string> parts = Components(path);
    if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':') return false;
    LPARAM root = Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    if (!root) return false;
    // My Computer is the desktop's child whose own children include the drive.
    const std::string drive = Lower(parts[0]);
    LPARAM driveItem = 0;
    for (LPARAM item = Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, root); item && !driveItem;
         item = Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, item)) {
        std::string name = Lower(SelectAndName(tree, field, item));
        if (name.find("computer") == std::string::npos) continue;
        driveItem = FindChild(
            tree, field, item,
            [&](const std::string& n) { return Lower(n).find(drive) != std::string::npos; }, trail);
    }
    if (!driveItem) return false;
    LPARAM current = driveItem;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string want = Lower(parts[i]);
        current = FindChild(
            tree, field, current, [&](const std::string& n) { return Lower(n) == want; }, trail);
        if (!current) return false;
    }
    Send(tree, TVM_SELECTITEM, TVGN_CARET, current);
    Send(tree, TVM_ENSUREVISIBLE, 0, current);
    return true;
}

bool FinishFolderBrowser(HWND browser, int id) {
    return AnswerAndWait(browser, id);
}

HWND WaitInputRequester(const App& app, int timeoutMs) {
    return WaitWindow(app, "InputRequester", nullptr, timeoutMs);
}

void Type(HWND control, const std::string& text) {
    for (unsigned char c : text)
        PostMessageA(control, WM_CHAR, c, 1);
}

} // namespace driver
