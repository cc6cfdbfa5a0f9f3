#pragma once
// The characters a resize file prefix may not hold.

#include <string>

namespace tessaly {

// The forbidden characters, as the refusal lists them.
extern const char kForbiddenPrefixCharacters[];

// Whether the prefix holds one of the forbidden characters. Double-byte characters of the ANSI
// code page are stepped over whole: their second byte may be a backslash.
bool hasForbiddenPrefixCharacter(const std::string& prefix);

} // namespace tessaly
