#include "dialogs/ResizePrefixCheck.h"

#include <cstring>

namespace tessaly {

// The slash is listed twice in the refusal's text; it is one character.
const char kForbiddenPrefixCharacters[] = "/*\\:?<>/";

bool hasForbiddenPrefixCharacter(const std::string& prefix) {
    for (const char c : prefix)
        if (c != '\0' && std::strchr(kForbiddenPrefixCharacters, c) != nullptr)
            return true;
    return false;
}

} // namespace tessaly
