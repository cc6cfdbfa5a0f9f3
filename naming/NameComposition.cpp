#include "naming/NameComposition.h"

#include <algorithm>
#include <cstdio>

namespace tessaly {

std::size_t trailingDigitsStart(const std::string& text) {
    std::size_t start = text.size();
    while (start > 0 && text[start - 1] >= '0' && text[start - 1] <= '9')
        --start;
    return start;
}

std::string numberText(int digits, int number) {
    const int width = std::clamp(digits, 0, kMaxNumberDigits);
    const int length = std::snprintf(nullptr, 0, "%0*d", width, number);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%0*d", width, number);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string renumberText(const std::string& text, int renumber, int digits, int number) {
    if (renumber == 0)
        return text;
    return text.substr(0, trailingDigitsStart(text)) + numberText(digits, number);
}

} // namespace tessaly
