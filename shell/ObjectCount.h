#pragma once

#include <windows.h>

namespace tessaly {

// Live class factories and handler objects of this module. Explorer uses them on one thread
// only, so plain increments suffice; the module may be unloaded while this is 0.
extern LONG ObjectCount;

// A member of every factory and handler: counts its object in ObjectCount while it lives.
class ObjectCounted {
public:
    ObjectCounted() { ++ObjectCount; }
    ~ObjectCounted() { --ObjectCount; }
    ObjectCounted(const ObjectCounted&) = delete;
    ObjectCounted& operator=(const ObjectCounted&) = delete;
};

} // namespace tessaly
