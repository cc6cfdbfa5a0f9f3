// Any text as a picture's DateTime: a key, when there is one, lies in the 32-bit range from
// 1970 on.
#include "imaging/ImageDateReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> key = tessaly::timeKeyFromDateText(text);
    if (key && *key < 0)
        std::abort();
    return 0;
}
