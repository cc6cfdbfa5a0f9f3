#include "support/TessalyModule.h"

#include <unknwn.h>

namespace tessaly::test {

const CLSID kTessalyClsid = {
    0x63df524d, 0x5080, 0x4195, {0xa8, 0xf6, 0xf9, 0x11, 0x3e, 0xed, 0xe3, 0xf1}};

namespace {
template <class Fn> Fn exported(HMODULE module, const char* name) {
    // GetProcAddress hands back a generic function pointer; the export's type is known.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
} // namespace

TessalyModule::TessalyModule() : module_(LoadLibraryA("Tessaly.dll")) {
    if (module_ == nullptr)
        return;
    getClassObject_ = exported<GetClassObjectFn>(module_, "DllGetClassObject");
    canUnloadNow_ = exported<CanUnloadNowFn>(module_, "DllCanUnloadNow");
}

TessalyModule::~TessalyModule() {
    if (module_ != nullptr)
        FreeLibrary(module_);
}

HRESULT TessalyModule::CreateHandler(REFIID iid, void** out) const {
    IClassFactory* factory = nullptr;
    HRESULT hr =
        GetClassObject(kTessalyClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(nullptr, iid, out);
    factory->Release();
    return hr;
}

} // namespace tessaly::test
