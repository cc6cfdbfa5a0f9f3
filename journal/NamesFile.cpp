#include "journal/NamesFile.h"

#include "journal/Hash64.h"
#include "naming/CaseFolding.h"

#include <algorithm>

namespace tessaly {

namespace {

const char kHeader[] = "Tessaly names 1\r\n";
constexpr std::size_t kHeaderSize = sizeof kHeader - 1;
constexpr std::size_t kCountSize = 8 + 2;
constexpr std::size_t kSlotSize = 16 + 2;
// Slots read at once: one read finds a name, or the empty slot that says it is not there, but
// for the rare long run.
constexpr std::size_t kSlotsRead = 16;

std::uint64_t slotHash(const std::string& name) {
    const std::uint64_t hash = hash64(foldedCase(name));
    return hash == 0 ? 1 : hash; // zero marks an empty slot
}

} // namespace

std::string nameIndexText(const std::vector<std::string>& names) {
    // At most half full, so that runs stay short.
    std::size_t slots = 16;
    while (slots < names.size() * 2)
        slots *= 2;
    std::vector<std::uint64_t> table(slots, 0);
    for (const std::string& name : names) {
        const std::uint64_t hash = slotHash(name);
        std::size_t at = static_cast<std::size_t>(hash & (slots - 1));
        while (table[at] != 0 && table[at] != hash)
            at = (at + 1) & (slots - 1);
        table[at] = hash;
    }
    std::string text = kHeader;
    text.reserve(kHeaderSize + kCountSize + slots * kSlotSize);
    text += hexDigits(slots, 8) + "\r\n";
    for (const std::uint64_t hash : table)
        text += hexDigits(hash, 16) + "\r\n";
    return text;
}

std::optional<bool> nameIndexHolds(const IndexReader& read, const std::string& name) {
    const std::optional<std::string> head = read(0, kHeaderSize + kCountSize);
    if (!head || head->size() != kHeaderSize + kCountSize || head->compare(0, kHeaderSize, kHeader))
        return std::nullopt;
    const std::optional<std::uint64_t> slots =
        hexValue(std::string_view(*head).substr(kHeaderSize, 8));
    if (!slots || *slots < 16 || (*slots & (*slots - 1)) != 0)
        return std::nullopt;
    const std::uint64_t hash = slotHash(name);
    std::uint64_t at = hash & (*slots - 1);
    for (std::uint64_t seen = 0; seen < *slots;) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(kSlotsRead, *slots - at));
        const std::optional<std::string> piece =
            read(kHeaderSize + kCountSize + at * kSlotSize, count * kSlotSize);
        if (!piece || piece->size() != count * kSlotSize)
            return std::nullopt;
        for (std::size_t i = 0; i < count; ++i) {
            const std::optional<std::uint64_t> slot =
                hexValue(std::string_view(*piece).substr(i * kSlotSize, 16));
            if (!slot)
                return std::nullopt;
            if (*slot == hash)
                return true;
            if (*slot == 0)
                return false;
        }
        seen += count;
        at = (at + count) & (*slots - 1);
    }
    return false;
}

} // namespace tessaly
