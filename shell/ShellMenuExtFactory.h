#pragma once

#include "platform/ComObject.h"
#include "shell/ObjectCount.h"

#include <windows.h>
#include <unknwn.h>

namespace tessaly {

// Creates CShellMenuExt handlers. Create hands a factory out; see ComObject.
class CShellMenuExtFactory final : public ComObject<CShellMenuExtFactory, IClassFactory> {
public:
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
    // Does nothing: only live factories and handlers keep the module loaded.
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    friend ComObject;
    CShellMenuExtFactory() = default;
    ~CShellMenuExtFactory() override = default;

    ObjectCounted counted_;
};

} // namespace tessaly
