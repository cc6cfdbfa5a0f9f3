#pragma once
// A recording wrapper that shows what a handler asks of a data object. The data objects
// themselves come from the host (host/SelectionDataObject.h), as Explorer would make them.

#include <windows.h>
#include <objidl.h>

namespace tessaly::test {

// Forwards to another data object and records the handler's requests. Every medium it hands
// out is released through this object, so the test can see that it was released.
class RecordingDataObject final : public IDataObject {
public:
    explicit RecordingDataObject(IDataObject* inner); // null: refuses every format

    int getDataCalls = 0;
    FORMATETC lastFormat = {};
    int mediaHandedOut = 0;
    int mediaReleased = 0;
    ULONG refCount = 1;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refCount; }
    STDMETHODIMP_(ULONG) Release() override;

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

    ~RecordingDataObject();

private:
    class MediumOwner;
    IDataObject* inner_;
};

} // namespace tessaly::test
