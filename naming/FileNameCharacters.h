#pragma once
// The characters that Windows allows in no file name: \ / : * ? " < > | and the control
// characters. A prefix holding one would move the files into another folder, or make every
// rename fail.

#include <optional>
#include <string>

namespace tessaly {

// The first such character of the text; nothing when it has none. In UTF-8 no byte of another
// character can be taken for one.
std::optional<char> firstCharacterNotAllowedInFileName(const std::string& text);

// The character as a message names it: "*" in quotes, or "a tab", "a control character (27)".
std::string describeFileNameCharacter(char c);

} // namespace tessaly
