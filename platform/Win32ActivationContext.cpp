#include "platform/Win32ActivationContext.h"

#include "platform/Win32Module.h"

namespace tessaly {

namespace {

INIT_ONCE contextMade = INIT_ONCE_STATIC_INIT;
HANDLE context = INVALID_HANDLE_VALUE;

BOOL CALLBACK MakeContext(PINIT_ONCE, PVOID, PVOID*) {
    ACTCTXW manifest = {};
    manifest.cbSize = sizeof manifest;
    manifest.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    manifest.hModule = ResourceModule();
    // An integer resource id in the form of a name; the macro gives it in the narrow form.
    manifest.lpResourceName = reinterpret_cast<LPCWSTR>(ISOLATIONAWARE_MANIFEST_RESOURCE_ID);
    if (manifest.hModule != nullptr)
        context = CreateActCtxW(&manifest);
    return TRUE; // without a context the dialogs still run, with the host's controls
}

} // namespace

ActivationScope::ActivationScope() {
    // Explorer may open dialogs on several threads at once.
    InitOnceExecuteOnce(&contextMade, MakeContext, nullptr, nullptr);
    if (context != INVALID_HANDLE_VALUE)
        active_ = ActivateActCtx(context, &cookie_) != FALSE;
}

ActivationScope::~ActivationScope() {
    if (active_)
        DeactivateActCtx(0, cookie_);
}

void ReleaseActivationContext() {
    if (context != INVALID_HANDLE_VALUE)
        ReleaseActCtx(context);
    context = INVALID_HANDLE_VALUE;
}

} // namespace tessaly
