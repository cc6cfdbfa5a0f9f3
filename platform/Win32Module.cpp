#include "platform/Win32Module.h"

namespace tessaly {

HMODULE ResourceModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&ResourceModule)), &module);
    return module;
}

} // namespace tessaly
