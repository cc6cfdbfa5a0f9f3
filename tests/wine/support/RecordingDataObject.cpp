#include "support/RecordingDataObject.h"

namespace tessaly::test {

// Stands in as pUnkForRelease of a handed-out medium: ReleaseStgMedium releases it, and that
// frees the real medium and tells the recorder.
class RecordingDataObject::MediumOwner final : public ComObject<MediumOwner, IUnknown> {
private:
    friend ComObject;
    MediumOwner(RecordingDataObject& recorder, const STGMEDIUM& medium)
        : recorder_(recorder), medium_(medium) {}
    ~MediumOwner() override {
        ReleaseStgMedium(&medium_);
        ++recorder_.mediaReleased;
    }

    RecordingDataObject& recorder_;
    STGMEDIUM medium_;
};

Microsoft::WRL::ComPtr<RecordingDataObject> RecordingDataObject::Make(IDataObject* inner) {
    IDataObject* data = nullptr;
    Create(IID_IDataObject, reinterpret_cast<void**>(&data), inner);
    Microsoft::WRL::ComPtr<RecordingDataObject> recorder;
    // mingw-w64's ComPtr::Attach adds a reference; taking the pointer over directly does not.
    *recorder.ReleaseAndGetAddressOf() = static_cast<RecordingDataObject*>(data);
    return recorder;
}

STDMETHODIMP RecordingDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    ++getDataCalls;
    lastFormat = *format;
    if (inner_ == nullptr)
        return DV_E_FORMATETC;
    STGMEDIUM real = {};
    const HRESULT hr = inner_->GetData(format, &real);
    if (FAILED(hr))
        return hr;
    IUnknown* owner = nullptr;
    if (FAILED(MediumOwner::Create(IID_IUnknown, reinterpret_cast<void**>(&owner), *this, real))) {
        ReleaseStgMedium(&real);
        return E_OUTOFMEMORY;
    }
    *medium = real;
    medium->pUnkForRelease = owner;
    ++mediaHandedOut;
    return hr;
}

STDMETHODIMP RecordingDataObject::QueryGetData(FORMATETC* format) {
    return inner_ != nullptr ? inner_->QueryGetData(format) : DV_E_FORMATETC;
}

STDMETHODIMP RecordingDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out != nullptr)
        out->ptd = nullptr;
    return E_NOTIMPL;
}

ULONG ReferenceCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

} // namespace tessaly::test
