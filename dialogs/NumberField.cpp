#include "dialogs/NumberField.h"

#include "platform/MessageBoxes.h"

#include <climits>

namespace tessaly {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<int> leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || !isDigit(text[i]))
        return std::nullopt;
    // Gathered as a magnitude wide enough for INT_MIN, then held there.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::optional<std::uint32_t> wholeNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i >= text.size() || !isDigit(text[i]))
        return std::nullopt;
    std::uint64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::string unsignedText(std::uint32_t value) {
    return std::to_string(value);
}

std::optional<std::uint32_t> readNumberField(DialogControls& controls, int id,
                                             std::uint32_t largest) {
    std::optional<std::uint32_t> value = wholeNumber(controls.text(id));
    if (value && *value > largest)
        value.reset();
    if (!value) {
        controls.messageBox("Please enter a positive integer.", "Tessaly",
                            mb::Ok | mb::IconExclamation);
        controls.focusAndSelectAll(id);
    }
    return value;
}

} // namespace tessaly
