#pragma once
// Tessaly.dll loaded the way COM loads it, with its two exports.

#include <windows.h>

namespace tessaly::test {

class TessalyModule {
public:
    TessalyModule();
    ~TessalyModule();
    TessalyModule(const TessalyModule&) = delete;
    TessalyModule& operator=(const TessalyModule&) = delete;

    bool loaded() const { return module_ != nullptr && getClassObject_ && canUnloadNow_; }
    HMODULE handle() const { return module_; }

    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
        return getClassObject_(clsid, iid, out);
    }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }

    // Creates a handler through the class factory, as Explorer does.
    HRESULT CreateHandler(REFIID iid, void** out) const;

private:
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

    HMODULE module_ = nullptr;
    GetClassObjectFn getClassObject_ = nullptr;
    CanUnloadNowFn canUnloadNow_ = nullptr;
};

// {63DF524D-5080-4195-A8F6-F9113EEDE3F1}, spelled out here on purpose: the test checks the
// value the installer registers, not the module's own constant.
extern const CLSID kTessalyClsid;

} // namespace tessaly::test
