#include "dialogs/ResizePrefixCheck.h"

#include "naming/AnsiText.h"

#include <cstring>

namespace tessaly {

// The slash is listed twice in the refusal's text; it is one character.
const char kForbiddenPrefixCharacters[] = "/*\\:?<>/";

bool hasForbiddenPrefixCharacter(const std::string& prefix) {
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(prefix[i]);
        if (isLeadByte(c)) {
            ++i;
            continue;
        }
        if (c != '\0' && std::strchr(kForbiddenPrefixCharacters, c) != nullptr)
            return true;
    }
    return false;
}

} // namespace tessaly
