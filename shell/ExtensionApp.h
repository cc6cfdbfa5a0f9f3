#pragma once

#include <windows.h>

namespace tessaly {

// The module's start and stop. DllMain calls InitInstance when a process loads the module and
// ExitInstance when it unloads it.
class CExtensionApp {
public:
    BOOL InitInstance(HINSTANCE module);
    int ExitInstance();
};

extern CExtensionApp theApp;

} // namespace tessaly
