#include "platform/FileSystem.h"

#include "platform/Utf16.h"

namespace tessaly {

void TextFile::write(const std::string& text) {
    writeBytes(withCrLf(text));
}

bool fitsMaxPath(const std::string& path) {
    return utf16Length(path) <= kMaxPathLength;
}

bool FileSystem::storesInAnsiCodePage(const std::string& text) const {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string withCrLf(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

} // namespace tessaly
