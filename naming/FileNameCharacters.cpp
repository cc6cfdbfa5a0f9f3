#include "naming/FileNameCharacters.h"

#include <cstring>

namespace tessaly {

std::optional<char> firstCharacterNotAllowedInFileName(const std::string& text) {
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || (code < 128 && std::strchr("\\/:*?\"<>|", c) != nullptr))
            return c;
    }
    return std::nullopt;
}

std::string describeFileNameCharacter(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '\t')
        return "a tab";
    if (code < 32)
        return "a control character (" + std::to_string(code) + ")";
    return std::string("\"") + c + "\"";
}

} // namespace tessaly
