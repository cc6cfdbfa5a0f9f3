#include "naming/CaseFolding.h"

namespace tessaly::detail {

// The portable build folds ASCII letters only, in any text.
std::string platformFoldedCase(const std::string& text) {
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

} // namespace tessaly::detail
