#include "support/ShellDataObject.h"

#include "platform/AnsiWide.h"

#include <shlobj.h>

#include <cstring>

namespace tessaly::test {

IDataObject* shellDataObject(const std::vector<std::string>& paths) {
    if (paths.empty())
        return nullptr;
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return nullptr;
    std::vector<PIDLIST_ABSOLUTE> items;
    for (const std::string& path : paths) {
        std::wstring wide = wideFromAnsi(path);
        PIDLIST_RELATIVE item = nullptr;
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &item, nullptr)))
            break;
        items.push_back(reinterpret_cast<PIDLIST_ABSOLUTE>(item));
    }

    // Explorer asks the folder that holds the selection for the data object.
    IDataObject* data = nullptr;
    IShellFolder* parent = nullptr;
    PCUITEMID_CHILD child = nullptr;
    if (items.size() == paths.size() &&
        SUCCEEDED(SHBindToParent(items[0], IID_IShellFolder, reinterpret_cast<void**>(&parent),
                                 &child))) {
        std::vector<PCUITEMID_CHILD> children;
        for (PIDLIST_ABSOLUTE item : items)
            children.push_back(ILFindLastID(item));
        parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()), children.data(),
                              IID_IDataObject, nullptr, reinterpret_cast<void**>(&data));
        parent->Release();
    }
    for (PIDLIST_ABSOLUTE item : items)
        CoTaskMemFree(item);
    desktop->Release();
    return data;
}

HGLOBAL dropFiles(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    if (memory == nullptr)
        return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return memory;
}

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
