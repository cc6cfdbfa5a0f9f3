#include "naming/Utf8Text.h"

namespace tessaly {

namespace {

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset after the first count characters, or the text's length.
std::size_t offsetAfterCharacters(const std::string& text, int count) {
    if (count <= 0)
        return 0;
    std::size_t i = 0;
    for (int n = 0; n < count && i < text.size(); ++n) {
        ++i;
        while (i < text.size() && isContinuation(text[i]))
            ++i;
    }
    return i;
}

} // namespace

std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (char c : text)
        if (!isContinuation(c))
            ++count;
    return count;
}

std::string leadingCharacters(const std::string& text, int count) {
    return text.substr(0, offsetAfterCharacters(text, count));
}

std::string charactersAfter(const std::string& text, int count) {
    return text.substr(offsetAfterCharacters(text, count));
}

std::size_t characterStartAtOrBefore(const std::string& text, std::size_t offset) {
    if (offset >= text.size())
        return text.size();
    while (offset > 0 && isContinuation(text[offset]))
        --offset;
    return offset;
}

} // namespace tessaly
