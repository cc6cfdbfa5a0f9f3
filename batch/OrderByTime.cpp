#include "batch/OrderByTime.h"

#include "imaging/ImageDateReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>

namespace tessaly {

namespace {
struct OrderKey {
    std::int32_t key;
    std::size_t position; // in the list as it was
};
} // namespace

void OrderByTime(std::vector<FileEntry>& files, RenumberOrder order, const ImageResizer& pictures,
                 const FileSystem& fileSystem) {
    if (files.empty())
        return;
    try {
        // Reading a key may decode a whole picture: each is read here, once, never while
        // sorting.
        std::vector<OrderKey> keys;
        keys.reserve(files.size());
        for (std::size_t i = 0; i < files.size(); ++i)
            keys.push_back({ReadTimeKey(files[i].path, order, pictures, fileSystem), i});

        // Stable, so that files of the same second stay in their alphanumeric order.
        std::stable_sort(keys.begin(), keys.end(),
                         [](const OrderKey& a, const OrderKey& b) { return a.key < b.key; });

        std::vector<FileEntry> sorted;
        sorted.reserve(files.size());
        for (const OrderKey& k : keys)
            sorted.push_back(std::move(files[k.position]));
        files.swap(sorted);
    } catch (const std::bad_alloc&) {
        // The list is only touched once every allocation has succeeded: it keeps its order.
    }
}

} // namespace tessaly
