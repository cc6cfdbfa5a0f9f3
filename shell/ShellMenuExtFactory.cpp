#include "shell/ShellMenuExtFactory.h"

#include "shell/ComBarrier.h"
#include "shell/ObjectCount.h"
#include "shell/ShellMenuExt.h"

#include <new>

namespace tessaly {

HRESULT CShellMenuExtFactory::Create(REFIID riid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    CShellMenuExtFactory* factory = new (std::nothrow) CShellMenuExtFactory();
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    factory->AddRef();
    const HRESULT hr = factory->QueryInterface(riid, out);
    factory->Release();
    return hr;
}

CShellMenuExtFactory::CShellMenuExtFactory() {
    ++ObjectCount;
}

CShellMenuExtFactory::~CShellMenuExtFactory() {
    --ObjectCount;
}

STDMETHODIMP CShellMenuExtFactory::QueryInterface(REFIID riid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory))
        return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CShellMenuExtFactory::AddRef() {
    return ++refCount_;
}

STDMETHODIMP_(ULONG) CShellMenuExtFactory::Release() {
    const ULONG count = --refCount_;
    if (count == 0)
        delete this;
    return count;
}

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
