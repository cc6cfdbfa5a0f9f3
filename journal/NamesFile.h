#pragma once
// The names a batch left files under (see namesOfBatch), kept beside its journal so that the
// context menu tells in a read or two whether a selected file is one of them, however large the
// batch: a table of the names' hashes, open addressing, one fixed-width line a slot.
//
//   Tessaly names 1
//   <number of slots, 8 hexadecimal digits, a power of two>
//   <slot>   16 hexadecimal digits: the hash of a name folded as the file system folds it, or
//            zeros for an empty slot

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

std::string nameIndexText(const std::vector<std::string>& names);

// Reads count bytes of the index from offset on; nothing when it cannot.
using IndexReader = std::function<std::optional<std::string>(std::uint64_t, std::size_t)>;

// Whether the index holds the name; nothing when it cannot be read or is not an index (the caller
// then asks the journal itself). A name it holds may, once in 2^64, be another of the same hash.
std::optional<bool> nameIndexHolds(const IndexReader& read, const std::string& name);

} // namespace tessaly
