#include "naming/TemporaryName.h"

#include "platform/FileSystem.h"

#include <chrono>
#include <cstdio>
#include <random>

namespace tessaly {

std::string newTemporaryId() {
    // 100-nanosecond units since 1601, as file times count, then 32 random bits.
    using Units = std::chrono::duration<long long, std::ratio<1, kFileTimeUnitsPerSecond>>;
    const long long since1970 =
        std::chrono::duration_cast<Units>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    std::random_device random;
    char text[32];
    std::snprintf(text, sizeof text, "%016llx%08x",
                  static_cast<unsigned long long>(since1970 + kFileTimeOf1970),
                  static_cast<unsigned>(random()));
    return text;
}

std::string temporaryName(const std::string& batchId, TemporaryUse use, std::size_t index) {
    return "~Tessaly-" + batchId + "-" + static_cast<char>(use) + std::to_string(index) + ".tmp";
}

} // namespace tessaly
