#pragma once
// The one IUnknown of this project's COM objects. An object derives from
// ComObject<Object, First, Rest...>: that list is its interface table, and First answers for
// IUnknown too. Explorer may release an object on another thread than the one that made it, so
// its count changes only through interlocked operations; it starts at 0 and the object ends
// with its last reference.

#include <windows.h>
#include <unknwn.h>

#include <new>
#include <utility>

namespace tessaly {

template <class Object, class First, class... Rest> class ComObject : public First, public Rest... {
public:
    // Creates an object and hands out the interface asked for. An interface the object does not
    // have destroys it at once, so that no object lives on that nobody holds.
    template <class... Args> static HRESULT Create(REFIID riid, void** out, Args&&... args) {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        Object* object = new (std::nothrow) Object(std::forward<Args>(args)...);
        if (object == nullptr)
            return E_OUTOFMEMORY;
        object->AddRef();
        const HRESULT hr = object->QueryInterface(riid, out);
        object->Release();
        return hr;
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out =
            IsEqualIID(riid, IID_IUnknown) ? static_cast<First*>(this) : find<First, Rest...>(riid);
        if (*out == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refCount_));
    }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG count = static_cast<ULONG>(InterlockedDecrement(&refCount_));
        if (count == 0)
            delete this;
        return count;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

private:
    template <class Interface, class... More> void* find(REFIID riid) {
        if (IsEqualIID(riid, __uuidof(Interface)))
            return static_cast<Interface*>(this);
        if constexpr (sizeof...(More) > 0)
            return find<More...>(riid);
        else
            return nullptr;
    }

    LONG refCount_ = 0;
};

} // namespace tessaly
