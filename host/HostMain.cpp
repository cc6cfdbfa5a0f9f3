// tessaly-host: lists the files given on its command line and offers the shell's context menu
// for them, with every registered context-menu handler, as Explorer does.
//
//   tessaly-host [--script <screenshot folder>] <file or folder>...
//   tessaly-host --menu <file>...
//
// With --script it plays the run command's unattended session and saves its screenshots.
// With --menu it shows no window: it prints the entries the handlers add for the files and ends.
#include "host/CommandLine.h"
#include "host/HostWindow.h"
#include "host/MenuListing.h"
#include "host/ScriptedSession.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    std::vector<std::string> paths;
    std::string scriptFolder;
    bool menuOnly = false;
    const std::vector<std::string> arguments = tessaly::host::CommandLineArguments();
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--menu") {
            menuOnly = true;
        } else if (argument == "--script" && i + 1 < arguments.size()) {
            scriptFolder = arguments[++i];
            if (scriptFolder.back() != '\\' && scriptFolder.back() != '/')
                scriptFolder += '\\';
        } else {
            paths.push_back(argument);
        }
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // Explorer's window thread is an OLE apartment; handlers expect one.
    if (FAILED(OleInitialize(nullptr)))
        return 1;

    int result = 0;
    if (menuOnly) {
        result = tessaly::host::ListMenuEntries(paths);
    } else {
        tessaly::host::HostWindow host(paths);
        if (!host.Create(show)) {
            result = 1;
        } else {
            int scriptResult = 0;
            std::thread script;
            if (!scriptFolder.empty())
                script = std::thread([&] {
                    scriptResult =
                        tessaly::host::RunScriptedSession(host.Handle(), host.List(), scriptFolder);
                });
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            result = static_cast<int>(message.wParam);
            if (script.joinable()) {
                script.join();
                result = scriptResult;
            }
        }
    }
    OleUninitialize();
    return result;
}
