#include "naming/NameIndex.h"

#include "naming/CaseFolding.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

std::uint64_t mixed(std::uint64_t hash, std::uint64_t value) {
    hash = (hash ^ value) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

} // namespace

std::uint64_t fileSystemNameHash(const std::string& name) {
    std::uint64_t hash = name.size() > 0 ? 0x243F6A8885A308D3ull : 0;
    std::size_t i = 0;
    // Eight ASCII bytes at a time, their lower-case letters raised, up to the first other
    // character: that comes at the same place in every spelling of the name.
    for (; i + 8 <= name.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, name.data() + i, 8);
        if ((word & kHighBits) != 0)
            break;
        const std::uint64_t fromA = word + (0x80 - 'a') * kOnes;     // high bit: at least 'a'
        const std::uint64_t pastZ = word + (0x80 - 'z' - 1) * kOnes; // high bit: beyond 'z'
        word -= ((fromA ^ pastZ) & kHighBits) >> 2;                  // 'a'..'z' less 0x20
        hash = mixed(hash, word);
    }
    for (; i < name.size(); ++i) {
        auto byte = static_cast<unsigned char>(name[i]);
        if ((byte & 0xC0) == 0x80)
            continue; // within a character
        if (byte >= 0x80)
            byte = 0x80; // another character than ASCII: only that it is there
        else if (byte >= 'a' && byte <= 'z')
            byte = static_cast<unsigned char>(byte - 'a' + 'A');
        hash = mixed(hash, byte);
    }
    return hash;
}

NameIndex::NameIndex(std::vector<const std::string*> names) : names_(std::move(names)) {
    byHash_.reserve(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i)
        byHash_.emplace_back(fileSystemNameHash(*names_[i]), i);
    std::sort(byHash_.begin(), byHash_.end());
}

std::optional<std::size_t> NameIndex::first(const std::string& name) const {
    const std::uint64_t hash = fileSystemNameHash(name);
    for (auto at =
             std::lower_bound(byHash_.begin(), byHash_.end(), std::make_pair(hash, std::size_t{0}));
         at != byHash_.end() && at->first == hash; ++at)
        if (sameFileSystemName(*names_[at->second], name))
            return at->second;
    return std::nullopt;
}

} // namespace tessaly
