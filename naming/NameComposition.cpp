#include "naming/NameComposition.h"

#include "naming/GraphemeClusters.h"

#include <algorithm>

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
    // Written here, without a format, as "%0*d" would: the sign, then zeros up to the width.
    // Every file of a batch needs one.
    const bool negative = number < 0;
    unsigned magnitude =
        negative ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
    char reversed[16];
    int length = 0;
    do {
        reversed[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::string text(negative ? 1 : 0, '-');
    text.append(static_cast<std::size_t>(std::max(width - length - (negative ? 1 : 0), 0)), '0');
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
