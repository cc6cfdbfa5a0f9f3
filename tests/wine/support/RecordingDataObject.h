#pragma once
// A recording wrapper that shows what a handler asks of a data object. The data objects
// themselves come from the host (host/SelectionDataObject.h), as Explorer would make them.

#include "platform/ComObject.h"

#include <windows.h>
#include <objidl.h>
#include <wrl/client.h>

namespace tessaly::test {

// Forwards to another data object and records the handler's requests. Every medium it hands
// out is released through this object, so the test can see that it was released.
class RecordingDataObject final : public ComObject<RecordingDataObject, IDataObject> {
public:
    static Microsoft::WRL::ComPtr<RecordingDataObject>
    Make(IDataObject* inner); // null: refuses all

    int getDataCalls = 0;
    FORMATETC lastFormat = {};
    int mediaHandedOut = 0;
    int mediaReleased = 0;

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    friend ComObject;
    explicit RecordingDataObject(IDataObject* inner) : inner_(inner) {}
    ~RecordingDataObject() override = default;

    class MediumOwner;
    Microsoft::WRL::ComPtr<IDataObject> inner_;
};

// An object's reference count, read through AddRef and Release.
ULONG ReferenceCount(IUnknown* object);

} // namespace tessaly::test
