#include "naming/NameComposition.h"

#include "naming/GraphemeClusters.h"

#include <algorithm>
#include <cstdio>

namespace tessaly {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::size_t trailingDigitsStart(const std::string& text) {
    std::size_t start = text.size();
    while (start > 0 && isDigit(text[start - 1]))
        --start;
    // After an ASCII character, or at the start, each digit is a character of its own.
    if (start == text.size() || start == 0 || static_cast<unsigned char>(text[start - 1]) < 0x80)
        return start;
    // Otherwise a digit may belong to the character before it (a number sign that governs
    // it): only digits that stand alone count.
    std::size_t run = text.size();
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t end = graphemeClusterEnd(text, offset);
        const bool digit = end == offset + 1 && isDigit(text[offset]);
        if (!digit)
            run = text.size();
        else if (run == text.size())
            run = offset;
        offset = end;
    }
    return run;
}

std::string numberText(int digits, int number) {
    const int width = std::clamp(digits, 0, kMaxNumberDigits);
    if (number < 0) {
        // Never given by the dialogs; the format's own rule for the sign.
        const int length = std::snprintf(nullptr, 0, "%0*d", width, number);
        if (length <= 0)
            return std::string();
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        std::snprintf(&text[0], text.size(), "%0*d", width, number);
        text.resize(static_cast<std::size_t>(length));
        return text;
    }
    // Written here, without a format: every file of a batch needs one.
    char reversed[16];
    int length = 0;
    for (unsigned value = static_cast<unsigned>(number); value != 0 || length == 0; value /= 10)
        reversed[length++] = static_cast<char>('0' + value % 10);
    std::string text(static_cast<std::size_t>(std::max(width - length, 0)), '0');
    while (length > 0)
        text += reversed[--length];
    return text;
}

std::string renumberText(const std::string& text, int renumber, int digits, int number) {
    if (renumber == 0)
        return text;
    return text.substr(0, trailingDigitsStart(text)) + numberText(digits, number);
}

} // namespace tessaly
