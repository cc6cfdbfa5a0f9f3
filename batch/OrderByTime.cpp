#include "batch/OrderByTime.h"

#include "imaging/ImageDateReader.h"
#include "naming/KeyedSort.h"

#include <new>

namespace tessaly {

void OrderByTime(std::vector<FileEntry>& files, RenumberOrder order, const ImageResizer& pictures,
                 const FileSystem& fileSystem) {
    try {
        // Reading a key may decode a whole picture: each is read once, never while sorting.
        // Files of the same second stay in their alphanumeric order.
        stableSortByKey(files, [&](const FileEntry& file) {
            return ReadTimeKey(file.path, order, pictures, fileSystem);
        });
    } catch (const std::bad_alloc&) {
        // Not enough memory for the keys: the list keeps its order.
    }
}

} // namespace tessaly
