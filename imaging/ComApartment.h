#pragma once
// COM for the calling thread for as long as this lives (CoInitializeEx): a thread without COM
// gets the multithreaded apartment and leaves it again; a thread already in an apartment of
// either kind keeps it as it was.

#include <windows.h>
#include <objbase.h>

namespace tessaly {

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // A single-threaded apartment (the shell's) serves as well.
    bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

} // namespace tessaly
