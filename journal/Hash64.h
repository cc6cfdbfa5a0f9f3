#pragma once
// A 64-bit FNV-1a hash: short, portable and the same on every run, for the folder keys of journal
// names, the names a batch produced and the bytes of the copies it wrote. Not a defence against
// someone who forges bytes: against an edit, a chance of one in 2^64. And the hexadecimal form
// in which the journal's files write such numbers.

#include <cstdint>
#include <optional>
#include <string>
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

// The value as so many lower-case hexadecimal digits, as hashes and counts are written in
// Tessaly's files.
inline std::string hexDigits(std::uint64_t value, std::size_t digits) {
    std::string text(digits, '0');
    for (std::size_t i = digits; i-- > 0; value >>= 4)
        text[i] = "0123456789abcdef"[value & 0xF];
    return text;
}

// Those digits read back: lower-case hexadecimal only, nothing else.
inline std::optional<std::uint64_t> hexValue(std::string_view digits) {
    if (digits.empty() || digits.size() > 16)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else
            return std::nullopt;
        value = value << 4 | digit;
    }
    return value;
}

} // namespace tessaly
