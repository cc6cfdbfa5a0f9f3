#pragma once
// Whether two paths lead to one and the same existing file, however they are spelled: other
// letter case, short names, "." and ".." parts, hard links.

#include <string>

namespace tessaly {

// False when either path does not name an existing file or folder.
bool sameExistingFile(const std::wstring& a, const std::wstring& b);

} // namespace tessaly
