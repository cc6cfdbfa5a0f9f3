#pragma once
// A 64-bit FNV-1a hash: short, portable and the same on every run, for the folder keys of journal
// names, the names a batch produced and the bytes of the copies it wrote. Not a defence against
// someone who forges bytes: against an edit, a chance of one in 2^64.

#include <cstdint>
#include <string_view>

namespace tessaly {

inline std::uint64_t hash64(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace tessaly
