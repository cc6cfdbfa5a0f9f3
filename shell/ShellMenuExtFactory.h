#pragma once

#include <windows.h>
#include <unknwn.h>

namespace tessaly {

// Creates CShellMenuExt handlers. Counted in ObjectCount for its lifetime.
class CShellMenuExtFactory final : public IClassFactory {
public:
    // Creates a factory and hands out the interface asked for; a refused interface destroys it.
    static HRESULT Create(REFIID riid, void** out);

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
    // Does nothing: only live factories and handlers keep the module loaded.
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    CShellMenuExtFactory();
    ~CShellMenuExtFactory();

    CShellMenuExtFactory(const CShellMenuExtFactory&) = delete;
    CShellMenuExtFactory& operator=(const CShellMenuExtFactory&) = delete;

    ULONG refCount_ = 0;
};

} // namespace tessaly
