#pragma once
// A kernel handle that is closed when it goes.

#include <windows.h>

#include <memory>

namespace tessaly {

struct HandleClose {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleClose>;

// Null for INVALID_HANDLE_VALUE, the failure value of CreateFileW.
inline UniqueHandle ownedFile(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace tessaly
