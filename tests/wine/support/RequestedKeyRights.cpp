#include "support/RequestedKeyRights.h"

#include <cstring>

namespace tessaly::test {

namespace {

using OpenFn = LSTATUS(WINAPI*)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);

std::vector<std::pair<std::wstring, REGSAM>> recorded;
OpenFn realOpen = nullptr;

LSTATUS WINAPI RecordOpen(HKEY root, LPCWSTR path, DWORD options, REGSAM rights, PHKEY key) {
    recorded.emplace_back(path != nullptr ? path : L"", rights);
    return realOpen(root, path, options, rights, key);
}

// The program's import address entry for RegOpenKeyExW of advapi32.dll.
void** OpenEntry() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         dir.VirtualAddress != 0 && dll->Name != 0; ++dll) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "advapi32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* import =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(import->Name), "RegOpenKeyExW") == 0)
                return reinterpret_cast<void**>(&entries->u1.Function);
        }
    }
    return nullptr;
}

// Writes the entry, whatever the protection of its page; returns what it held.
void* Swap(void* function) {
    void** entry = OpenEntry();
    DWORD protection = 0;
    if (entry == nullptr || !VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection))
        return nullptr;
    void* previous = *entry;
    *entry = function;
    VirtualProtect(entry, sizeof *entry, protection, &protection);
    return previous;
}

} // namespace

RequestedKeyRights::RequestedKeyRights() {
    recorded.clear();
    realOpen = reinterpret_cast<OpenFn>(Swap(reinterpret_cast<void*>(&RecordOpen)));
}

RequestedKeyRights::~RequestedKeyRights() {
    if (realOpen != nullptr)
        Swap(reinterpret_cast<void*>(realOpen));
    realOpen = nullptr;
}

const std::vector<std::pair<std::wstring, REGSAM>>& RequestedKeyRights::requests() const {
    return recorded;
}

} // namespace tessaly::test
