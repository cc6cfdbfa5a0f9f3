#pragma once
// Nothing may be thrown into Explorer: every COM method and export runs its body through this.

#include <windows.h>

#include <new>

namespace tessaly {

template <class Body> HRESULT ComBarrier(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace tessaly
