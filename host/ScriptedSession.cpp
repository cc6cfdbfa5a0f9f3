#include "host/ScriptedSession.h"

#include "host/Screenshot.h"
#include "host/WindowDriver.h"
#include "resources/ResourceIds.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <stdexcept>

namespace tessaly::host {

namespace {

const char kMainCaption[] = "Vexmoor Software Tessaly 3.1";

// A step that did not come as planned ends the session.
class SessionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

HWND expect(HWND window, const char* what) {
    if (window == nullptr)
        throw SessionError(std::string("no ") + what + " appeared");
    return window;
}

class Session {
public:
    Session(HWND host, HWND list, std::string folder)
        : host_(host), list_(list), folder_(std::move(folder)) {}

    void Run() {
        Sleep(500); // the host lists and paints its files
        OpenMenuOnRenameEntry();
        const HWND dialog =
            expect(WaitForDialogWithControl(kMainCaption, IDC_RENAME_FILES), "rename dialog");
        Shoot(dialog, "02-rename-dialog.png");

        TypeText(dialog, IDC_NEW_PREFIX, "Rome_");
        ClickControl(dialog, IDC_RENUMBER);
        ChooseRenumbering(dialog);
        ClickControl(dialog, IDC_RESIZE);
        ChooseResizing(dialog);
        Shoot(dialog, "05-rename-dialog-ready.png");

        PostClick(dialog, IDC_ABOUT);
        const HWND about = expect(WaitForDialog("About Tessaly 3.1"), "About dialog");
        Shoot(about, "06-about.png");
        PostClick(about, IDC_OK);
        WaitUntilGone(about);

        PostClick(dialog, IDC_RENAME_FILES);
        // The progress window may come and go before it can be caught.
        if (const HWND progress = WaitForDialogWithControl(kMainCaption, IDC_PROGRESS_BAR, 5000))
            Shoot(progress, "07-progress.png");
        const HWND result =
            expect(WaitForDialogWithControl(kMainCaption, IDC_LOG_FILE, 120000), "result dialog");
        Sleep(200);
        Shoot(result, "08-result.png");
        std::printf("Result: %s %s, %s %s; log %s\n", ControlText(result, IDC_DONE_LABEL).c_str(),
                    ControlText(result, IDC_DONE_COUNT).c_str(),
                    ControlText(result, IDC_NOT_DONE_LABEL).c_str(),
                    ControlText(result, IDC_NOT_DONE_COUNT).c_str(),
                    ControlText(result, IDC_LOG_FILE).c_str());
        PostClick(result, IDC_OK);
        WaitUntilGone(result);

        Sleep(500); // the host lists the folder again
        Shoot(host_, "09-host-after.png");
    }

private:
    void OpenMenuOnRenameEntry() {
        RECT area;
        GetWindowRect(list_, &area);
        PostMessageA(host_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_),
                     MAKELPARAM(area.left + 120, area.top + 60));
        HWND menu = nullptr;
        for (int tries = 0; tries < 500 && menu == nullptr; ++tries) {
            Sleep(10);
            menu = FindWindowA("#32768", nullptr);
            if (menu != nullptr && !IsWindowVisible(menu))
                menu = nullptr;
        }
        expect(menu, "context menu");
        // Down to the rename entry: past "Open" and the separator; the status bar shows its
        // help text.
        PostKey(menu, VK_DOWN);
        PostKey(menu, VK_DOWN);
        Sleep(400);
        Shoot(host_, "01-context-menu.png", menu);
        PostKey(menu, VK_RETURN);
    }

    void ChooseRenumbering(HWND dialog) {
        PostClick(dialog, IDC_RENUMBER_SETTINGS);
        const HWND settings =
            expect(WaitForDialog("Tessaly 3.1 Renumber Settings"), "renumber settings");
        ChooseItem(settings, IDC_DIGITS, 1); // the list starts at the file count's digits
        ClickControl(settings, IDC_ORDER_FILE_TIME);
        Shoot(settings, "03-renumber-settings.png");
        PostClick(settings, IDC_OK);
        WaitUntilGone(settings);
    }

    void ChooseResizing(HWND dialog) {
        PostClick(dialog, IDC_RESIZE_SETTINGS);
        const HWND settings =
            expect(WaitForDialog("Tessaly 3.1 Resize Settings"), "resize settings");
        ClickControl(settings, IDC_WIDTH_SMALL);
        Shoot(settings, "04-resize-settings.png");
        PostClick(settings, IDC_OK);
        WaitUntilGone(settings);
    }

    void Shoot(HWND window, const char* name, HWND extra = nullptr) {
        Sleep(150); // let the window finish painting
        const std::string path = folder_ + name;
        if (SaveWindowPicture(window, path, extra))
            std::printf("Screenshot %s\n", path.c_str());
        else
            std::fprintf(stderr, "could not save %s\n", path.c_str());
        std::fflush(stdout);
    }

    HWND host_;
    HWND list_;
    std::string folder_;
};

// Closes whatever the session left open in the host's thread, so that the host can end.
BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    char name[16] = {};
    if (GetClassNameA(window, name, sizeof name) > 0 && lstrcmpA(name, "#32770") == 0)
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

} // namespace

int RunScriptedSession(HWND hostWindow, HWND fileList, const std::string& folder) {
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    const bool started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    int result = 0;
    try {
        Session(hostWindow, fileList, folder).Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scripted session: %s\n", error.what());
        result = 1;
        for (int round = 0; round < 5; ++round) {
            EnumThreadWindows(GetWindowThreadProcessId(hostWindow, nullptr), CancelDialog, 0);
            Sleep(300);
        }
    }
    if (started)
        Gdiplus::GdiplusShutdown(token);
    std::fflush(stdout);
    PostMessageA(hostWindow, WM_CLOSE, 0, 0);
    return result;
}

} // namespace tessaly::host
