#include "shell/ExtensionApp.h"

#include "platform/Win32ActivationContext.h"

namespace tessaly {

CExtensionApp theApp;

BOOL CExtensionApp::InitInstance(HINSTANCE module) {
    // The module keeps no per-thread state; thread notifications would only cost Explorer time.
    DisableThreadLibraryCalls(module);
    return TRUE;
}

int CExtensionApp::ExitInstance() {
    ReleaseActivationContext();
    return 0;
}

} // namespace tessaly
