#pragma once

#include <string>

namespace tessaly::test {

// The bytes of a batch log after its header, whose date line is checked for its shape; a text
// that says what was wrong when there is no such header.
std::string logAfterHeader(const std::string& bytes);

} // namespace tessaly::test
