#include "support/LogHeader.h"

#include <regex>

namespace tessaly::test {

std::string logAfterHeader(const std::string& bytes) {
    static const std::regex header(
        "Vexmoor Software Tessaly\r\n"
        "(Sunday|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday), "
        "(January|February|March|April|May|June|July|August|September|October|November|"
        "December) [0-3][0-9], 20[0-9][0-9]  [0-2][0-9]:[0-5][0-9]:[0-6][0-9]\r\n\r\n");
    std::smatch match;
    if (!std::regex_search(bytes, match, header, std::regex_constants::match_continuous))
        return "<no header in: " + bytes + ">";
    return bytes.substr(static_cast<std::size_t>(match.length(0)));
}

} // namespace tessaly::test
