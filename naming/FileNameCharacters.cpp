#include "naming/FileNameCharacters.h"

#include <array>
#include <cstddef>

namespace tessaly {

std::optional<char> firstCharacterNotAllowedInFileName(const std::string& text) {
    // One look at a table for each byte: every name of a batch passes here.
    static const auto notAllowed = [] {
        std::array<bool, 256> table{};
        for (int code = 0; code < 32; ++code)
            table[static_cast<std::size_t>(code)] = true;
        for (const char* c = "\\/:*?\"<>|"; *c != '\0'; ++c)
            table[static_cast<unsigned char>(*c)] = true;
        return table;
    }();
    for (const char c : text)
        if (notAllowed[static_cast<unsigned char>(c)])
            return c;
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
