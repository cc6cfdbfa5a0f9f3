#pragma once
// Version 6 of the common controls for Tessaly's dialogs and message boxes, whatever the
// activation context of the host process provides: the context made from the manifest of the
// module that holds this code (resource ISOLATIONAWARE_MANIFEST_RESOURCE_ID).

#include <windows.h>

namespace tessaly {

// While it lives, the calling thread runs in that context. Windows take their control classes
// from the context active when they are created, so a dialog or message box is created inside
// one. The context is made once, on first use: making it parses the manifest, which must not
// happen under the loader lock of DllMain. Without a context the scope does nothing.
class ActivationScope {
public:
    ActivationScope();
    ~ActivationScope();
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

// Releases the context, once the module is being unloaded.
void ReleaseActivationContext();

} // namespace tessaly
