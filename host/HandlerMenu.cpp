#include "host/HandlerMenu.h"

#include "platform/WideText.h"

namespace tessaly::host {

using Microsoft::WRL::ComPtr;

namespace {
class RegistryKey {
public:
    RegistryKey(HKEY root, const char* path) {
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~RegistryKey() {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool clsidFrom(const std::string& text, CLSID& clsid) {
    std::wstring wide = wideFromUtf8(text);
    return !wide.empty() && SUCCEEDED(CLSIDFromString(&wide[0], &clsid));
}
} // namespace

std::vector<CLSID> RegisteredMenuHandlers() {
    std::vector<CLSID> result;
    RegistryKey handlers(HKEY_CLASSES_ROOT, "*\\shellex\\ContextMenuHandlers");
    if (handlers.get() == nullptr)
        return result;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(handlers.get(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        // The handler's key holds the class identifier as its default value, or is named by it.
        char value[64] = "";
        LONG size = sizeof value;
        CLSID clsid;
        if (RegQueryValueA(handlers.get(), name, value, &size) == ERROR_SUCCESS &&
            clsidFrom(value, clsid))
            result.push_back(clsid);
        else if (clsidFrom(name, clsid))
            result.push_back(clsid);
    }
    return result;
}

HandlerMenu::HandlerMenu(const std::vector<CLSID>& handlers, IDataObject* selection) {
    for (const CLSID& clsid : handlers) {
        ComPtr<IShellExtInit> init;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                    reinterpret_cast<void**>(init.GetAddressOf()))))
            continue;
        if (FAILED(init->Initialize(nullptr, selection, nullptr)))
            continue;
        Entry entry;
        if (SUCCEEDED(init.As(&entry.menu)))
            handlers_.push_back(entry);
    }
}

UINT HandlerMenu::Fill(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) {
    UINT nextId = firstId;
    for (Entry& entry : handlers_) {
        const int before = GetMenuItemCount(menu);
        const HRESULT hr = entry.menu->QueryContextMenu(menu, index, nextId, lastId, flags);
        entry.firstId = nextId;
        entry.count = SUCCEEDED(hr) ? HRESULT_CODE(hr) : 0;
        nextId += entry.count;
        index += static_cast<UINT>(GetMenuItemCount(menu) - before);
    }
    return index;
}

const HandlerMenu::Entry* HandlerMenu::find(UINT id) const {
    for (const Entry& entry : handlers_)
        if (id >= entry.firstId && id < entry.firstId + entry.count)
            return &entry;
    return nullptr;
}

bool HandlerMenu::Owns(UINT id) const {
    return find(id) != nullptr;
}

std::wstring HandlerMenu::HelpText(UINT id) const {
    const Entry* entry = find(id);
    if (entry == nullptr)
        return std::wstring();
    wchar_t text[512] = L"";
    entry->menu->GetCommandString(id - entry->firstId, GCS_HELPTEXTW, nullptr,
                                  reinterpret_cast<char*>(text), ARRAYSIZE(text));
    text[ARRAYSIZE(text) - 1] = L'\0';
    return text;
}

HRESULT HandlerMenu::Invoke(UINT id, HWND owner) const {
    const Entry* entry = find(id);
    if (entry == nullptr)
        return E_INVALIDARG;
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(id - entry->firstId);
    info.nShow = SW_SHOWNORMAL;
    return entry->menu->InvokeCommand(&info);
}

} // namespace tessaly::host
