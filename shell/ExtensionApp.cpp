#include "shell/ExtensionApp.h"

namespace tessaly {

CExtensionApp theApp;

BOOL CExtensionApp::InitInstance(HINSTANCE module) {
    // The module keeps no per-thread state; thread notifications would only cost Explorer time.
    DisableThreadLibraryCalls(module);
    return TRUE;
}

int CExtensionApp::ExitInstance() {
    return 0;
}

} // namespace tessaly
