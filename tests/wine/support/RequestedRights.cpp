#include "support/RequestedRights.h"

#include <cstring>

namespace tessaly::test {

namespace {

// The program's import address entry for the function of the DLL.
void** ImportEntry(const char* dllName, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         dir.VirtualAddress != 0 && dll->Name != 0; ++dll) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), dllName) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* import =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(import->Name), function) == 0)
                return reinterpret_cast<void**>(&entries->u1.Function);
        }
    }
    return nullptr;
}

// Writes the entry, whatever the protection of its page; returns what it held.
void* Swap(const char* dll, const char* function, void* replacement) {
    void** entry = ImportEntry(dll, function);
    DWORD protection = 0;
    if (entry == nullptr || !VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection))
        return nullptr;
    void* previous = *entry;
    *entry = replacement;
    VirtualProtect(entry, sizeof *entry, protection, &protection);
    return previous;
}

using OpenKeyFn = LSTATUS(WINAPI*)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);
std::vector<std::pair<std::wstring, REGSAM>> keyRequests;
OpenKeyFn realOpenKey = nullptr;

LSTATUS WINAPI RecordOpenKey(HKEY root, LPCWSTR path, DWORD options, REGSAM rights, PHKEY key) {
    keyRequests.emplace_back(path != nullptr ? path : L"", rights);
    return realOpenKey(root, path, options, rights, key);
}

using CreateFileFn = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                     HANDLE);
std::vector<std::pair<std::wstring, DWORD>> fileRequests;
CreateFileFn realCreateFile = nullptr;

HANDLE WINAPI RecordCreateFile(LPCWSTR path, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE model) {
    fileRequests.emplace_back(path != nullptr ? path : L"", access);
    return realCreateFile(path, access, share, security, disposition, flags, model);
}

} // namespace

RequestedKeyRights::RequestedKeyRights() {
    keyRequests.clear();
    realOpenKey = reinterpret_cast<OpenKeyFn>(
        Swap("advapi32.dll", "RegOpenKeyExW", reinterpret_cast<void*>(&RecordOpenKey)));
}

RequestedKeyRights::~RequestedKeyRights() {
    if (realOpenKey != nullptr)
        Swap("advapi32.dll", "RegOpenKeyExW", reinterpret_cast<void*>(realOpenKey));
    realOpenKey = nullptr;
}

const std::vector<std::pair<std::wstring, REGSAM>>& RequestedKeyRights::requests() const {
    return keyRequests;
}

RequestedFileRights::RequestedFileRights() {
    fileRequests.clear();
    realCreateFile = reinterpret_cast<CreateFileFn>(
        Swap("kernel32.dll", "CreateFileW", reinterpret_cast<void*>(&RecordCreateFile)));
}

RequestedFileRights::~RequestedFileRights() {
    if (realCreateFile != nullptr)
        Swap("kernel32.dll", "CreateFileW", reinterpret_cast<void*>(realCreateFile));
    realCreateFile = nullptr;
}

const std::vector<std::pair<std::wstring, DWORD>>& RequestedFileRights::requests() const {
    return fileRequests;
}

} // namespace tessaly::test
