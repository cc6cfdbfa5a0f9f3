#pragma once
// The characters a resize file prefix may not hold.

#include <string>

namespace tessaly {

// The forbidden characters, as the refusal lists them.
extern const char kForbiddenPrefixCharacters[];

// Whether the prefix holds one of the forbidden characters. In UTF-8 no byte of another
// character can be taken for one.
bool hasForbiddenPrefixCharacter(const std::string& prefix);

} // namespace tessaly
