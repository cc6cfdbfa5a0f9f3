#include "host/SelectionDataObject.h"

#include "platform/WideText.h"
#include "platform/ComObject.h"

#include <shlobj.h>

#include <cstring>

namespace tessaly::host {

namespace {

// Owns absolute item identifier lists.
class ItemList {
public:
    ~ItemList() {
        for (PIDLIST_ABSOLUTE item : items_)
            CoTaskMemFree(item);
    }
    void add(PIDLIST_ABSOLUTE item) { items_.push_back(item); }
    const std::vector<PIDLIST_ABSOLUTE>& items() const { return items_; }

private:
    std::vector<PIDLIST_ABSOLUTE> items_;
};

bool sameFolder(PCIDLIST_ABSOLUTE a, PCIDLIST_ABSOLUTE b) {
    PIDLIST_ABSOLUTE folderA = ILClone(a);
    PIDLIST_ABSOLUTE folderB = ILClone(b);
    const bool same = folderA != nullptr && folderB != nullptr && ILRemoveLastID(folderA) &&
                      ILRemoveLastID(folderB) && ILIsEqual(folderA, folderB);
    ILFree(folderA);
    ILFree(folderB);
    return same;
}

IDataObject* folderDataObject(const std::vector<std::string>& paths) {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return nullptr;
    ItemList list;
    for (const std::string& path : paths) {
        std::wstring wide = wideFromUtf8(path);
        PIDLIST_RELATIVE item = nullptr;
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &item, nullptr)))
            break;
        list.add(reinterpret_cast<PIDLIST_ABSOLUTE>(item));
    }
    desktop->Release();
    if (list.items().size() != paths.size())
        return nullptr;
    for (PIDLIST_ABSOLUTE item : list.items())
        if (!sameFolder(item, list.items().front()))
            return nullptr;

    IShellFolder* parent = nullptr;
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(SHBindToParent(list.items().front(), IID_IShellFolder,
                              reinterpret_cast<void**>(&parent), &child)))
        return nullptr;
    std::vector<PCUITEMID_CHILD> children;
    for (PIDLIST_ABSOLUTE item : list.items())
        children.push_back(ILFindLastID(item));
    IDataObject* data = nullptr;
    parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()), children.data(),
                          IID_IDataObject, nullptr, reinterpret_cast<void**>(&data));
    parent->Release();
    return data;
}

// Carries CF_HDROP only; enough for a context-menu handler.
class DropDataObject final : public ComObject<DropDataObject, IDataObject> {
public:
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        const HRESULT hr = QueryGetData(format);
        if (FAILED(hr))
            return hr;
        HGLOBAL drop = CreateDropFiles(paths_);
        if (drop == nullptr)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = drop;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override {
        if (format == nullptr)
            return E_INVALIDARG;
        if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        return S_OK;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out != nullptr)
            out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    friend ComObject;
    explicit DropDataObject(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    ~DropDataObject() override = default;

    std::vector<std::string> paths_;
};

} // namespace

HGLOBAL CreateDropFiles(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths)
        list += wideFromUtf8(path) + L'\0';
    list += L'\0';
    const std::size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    if (memory == nullptr)
        return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(memory);
    return memory;
}

IDataObject* CreateSelectionDataObject(const std::vector<std::string>& paths) {
    if (paths.empty())
        return nullptr;
    if (IDataObject* data = folderDataObject(paths))
        return data;
    IDataObject* data = nullptr;
    DropDataObject::Create(IID_IDataObject, reinterpret_cast<void**>(&data), paths);
    return data;
}

} // namespace tessaly::host
