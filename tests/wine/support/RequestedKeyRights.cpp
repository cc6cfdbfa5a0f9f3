#include "support/RequestedKeyRights.h"

#include <cstring>

namespace tessaly::test {

namespace {

using OpenFn = LSTATUS(WINAPI*)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);
using CreateFn = LSTATUS(WINAPI*)(HKEY, LPCWSTR, DWORD, LPWSTR, DWORD, REGSAM,
                                  const SECURITY_ATTRIBUTES*, PHKEY, LPDWORD);

std::vector<KeyRequest> recorded;
OpenFn realOpen = nullptr;
CreateFn realCreate = nullptr;

LSTATUS WINAPI RecordOpen(HKEY root, LPCWSTR path, DWORD options, REGSAM rights, PHKEY key) {
    recorded.push_back({"RegOpenKeyExW", path != nullptr ? path : L"", rights});
    return realOpen(root, path, options, rights, key);
}

LSTATUS WINAPI RecordCreate(HKEY root, LPCWSTR path, DWORD reserved, LPWSTR keyClass, DWORD options,
                            REGSAM rights, const SECURITY_ATTRIBUTES* security, PHKEY key,
                            LPDWORD disposition) {
    recorded.push_back({"RegCreateKeyExW", path != nullptr ? path : L"", rights});
    return realCreate(root, path, reserved, keyClass, options, rights, security, key, disposition);
}

// The import address entry of the program for a function of advapi32.dll, by name.
void** ImportEntry(const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return nullptr;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         dll->Name != 0; ++dll) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "advapi32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&entries->u1.Function);
        }
    }
    return nullptr;
}

// Writes an import entry, whatever the protection of its page; returns what it held.
void* Swap(void** entry, void* function) {
    DWORD protection = 0;
    if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection))
        return nullptr;
    void* previous = *entry;
    *entry = function;
    VirtualProtect(entry, sizeof *entry, protection, &protection);
    return previous;
}

} // namespace

RequestedKeyRights::RequestedKeyRights() {
    recorded.clear();
    if (void** entry = ImportEntry("RegOpenKeyExW")) {
        realOpen = reinterpret_cast<OpenFn>(Swap(entry, reinterpret_cast<void*>(&RecordOpen)));
        patched_ += realOpen != nullptr;
    }
    if (void** entry = ImportEntry("RegCreateKeyExW")) {
        realCreate =
            reinterpret_cast<CreateFn>(Swap(entry, reinterpret_cast<void*>(&RecordCreate)));
        patched_ += realCreate != nullptr;
    }
}

RequestedKeyRights::~RequestedKeyRights() {
    if (void** entry = ImportEntry("RegOpenKeyExW"); entry != nullptr && realOpen != nullptr)
        Swap(entry, reinterpret_cast<void*>(realOpen));
    if (void** entry = ImportEntry("RegCreateKeyExW"); entry != nullptr && realCreate != nullptr)
        Swap(entry, reinterpret_cast<void*>(realCreate));
    realOpen = nullptr;
    realCreate = nullptr;
}

const std::vector<KeyRequest>& RequestedKeyRights::requests() const {
    return recorded;
}

} // namespace tessaly::test
