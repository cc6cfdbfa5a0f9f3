#include "shell/ShellMenuExtFactory.h"

#include "shell/ComBarrier.h"
#include "shell/ShellMenuExt.h"

namespace tessaly {

STDMETHODIMP CShellMenuExtFactory::CreateInstance(IUnknown* outer, REFIID riid, void** out) {
    return ComBarrier([&]() -> HRESULT {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        return CShellMenuExt::Create(riid, out);
    });
}

STDMETHODIMP CShellMenuExtFactory::LockServer(BOOL) {
    return S_OK;
}

} // namespace tessaly
