// tessaly-host: lists the files given on its command line and offers the shell's context menu
// for them, with every registered context-menu handler, as Explorer does.
#include "host/HostWindow.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    std::vector<std::string> paths;
    for (int i = 1; i < __argc; ++i)
        paths.push_back(__argv[i]);

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // Explorer's window thread is an OLE apartment; handlers expect one.
    if (FAILED(OleInitialize(nullptr)))
        return 1;

    int result = 0;
    {
        tessaly::host::HostWindow host(paths);
        if (!host.Create(show)) {
            result = 1;
        } else {
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            result = static_cast<int>(message.wParam);
        }
    }
    OleUninitialize();
    return result;
}
