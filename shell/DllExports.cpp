// The module's entry points: what Windows and COM call by name.
#include "shell/ComBarrier.h"
#include "shell/ExtensionApp.h"
#include "shell/ObjectCount.h"
#include "shell/ShellMenuExtClsid.h"
#include "shell/ShellMenuExtFactory.h"

#include <windows.h>

using namespace tessaly;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        return theApp.InitInstance(module);
    if (reason == DLL_PROCESS_DETACH)
        theApp.ExitInstance();
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* out) {
    return ComBarrier([&]() -> HRESULT {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (!IsEqualCLSID(rclsid, CLSID_ShellMenuExt))
            return CLASS_E_CLASSNOTAVAILABLE;
        return CShellMenuExtFactory::Create(riid, out);
    });
}

STDAPI DllCanUnloadNow() {
    return NoObjectLives() ? S_OK : S_FALSE;
}
