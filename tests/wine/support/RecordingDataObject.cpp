#include "support/RecordingDataObject.h"

namespace tessaly::test {

// Stands in as pUnkForRelease of a handed-out medium: ReleaseStgMedium releases it, and that
// frees the real medium and tells the recorder.
class RecordingDataObject::MediumOwner final : public IUnknown {
public:
    MediumOwner(RecordingDataObject& recorder, const STGMEDIUM& medium)
        : recorder_(recorder), medium_(medium) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        *out = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown))
            return E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refCount_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG count = --refCount_;
        if (count == 0) {
            ReleaseStgMedium(&medium_);
            ++recorder_.mediaReleased;
            delete this;
        }
        return count;
    }

private:
    ~MediumOwner() = default;
    RecordingDataObject& recorder_;
    STGMEDIUM medium_;
    ULONG refCount_ = 1;
};

RecordingDataObject::RecordingDataObject(IDataObject* inner) : inner_(inner) {
    if (inner_ != nullptr)
        inner_->AddRef();
}

RecordingDataObject::~RecordingDataObject() {
    if (inner_ != nullptr)
        inner_->Release();
}

STDMETHODIMP RecordingDataObject::QueryInterface(REFIID riid, void** out) {
    *out = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDataObject))
        return E_NOINTERFACE;
    *out = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) RecordingDataObject::Release() {
    // Lives on the test's stack; the count only tells whether references are balanced.
    return --refCount;
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
    *medium = real;
    medium->pUnkForRelease = new MediumOwner(*this, real);
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

} // namespace tessaly::test
