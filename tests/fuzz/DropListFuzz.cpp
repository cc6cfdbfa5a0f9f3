// Any block as a shell drop list: every path found lies whole inside the block, terminator
// included.
#include "shell/DropList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tessaly::DropList list = tessaly::scanDropList(data, size);
    const std::size_t unit = list.wide ? 2 : 1;
    for (const tessaly::DropListPath& path : list.paths) {
        if (path.offset > size || (path.length + 1) * unit > size - path.offset)
            std::abort();
        for (std::size_t i = 0; i < unit; ++i)
            if (data[path.offset + path.length * unit + i] != 0)
                std::abort(); // the terminator is where the length says
    }
    return 0;
}
