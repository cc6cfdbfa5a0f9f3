#include "platform/FileSystem.h"

namespace tessaly {

void TextFile::write(const std::string& text) {
    writeBytes(withCrLf(text));
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
