#pragma once

#include <windows.h>

namespace tessaly {

// Live class factories and handler objects of this module; the module may be unloaded while
// this is 0. Explorer makes and releases them on one thread per window and asks
// DllCanUnloadNow from yet another, so the count changes only through interlocked operations.
extern LONG ObjectCount;

inline bool NoObjectLives() {
    return InterlockedCompareExchange(&ObjectCount, 0, 0) == 0;
}

// A member of every factory and handler: counts its object in ObjectCount while it lives.
class ObjectCounted {
public:
    ObjectCounted() { InterlockedIncrement(&ObjectCount); }
    ~ObjectCounted() { InterlockedDecrement(&ObjectCount); }
    ObjectCounted(const ObjectCounted&) = delete;
    ObjectCounted& operator=(const ObjectCounted&) = delete;
};

} // namespace tessaly
